#pragma once
// What lesson tests share: the scale rows every drawing is checked at, pixel probes in
// the 640 x 400 system, and a learner that walks to a given section and step.

#include "driver/Learner.h"
#include "lesson/Course.h"

#include <QImage>
#include <QRect>
#include <QRgb>
#include <QString>

class Canvas;
class frmLight;
class frmMaterial;

namespace lessontest {

// Adds the column "scale" with the rows "1" and "1.5" (what nearly every screen gets).
void scaleRows();

// The colour of the canvas at the logical point (x, y), scaled and rounded as a lesson
// places it.
QRgb probe(const Canvas& c, double x, double y);
QRgb probe(const QImage& img, double x, double y);

// How many pixels of the area have exactly this colour.
int count(const QImage& img, const QRect& area, QRgb colour);

// A rectangle of the 640 x 400 system in device pixels at the current gScale.
QRect logical(double x1, double y1, double x2, double y2);

// The menu item that plays this procedure on its own (Intro: item 1); 0 for none.
int menuItemOf(const course::Course& c, const QString& procedure);

// Loads the course's lesson window as the start window does (its caption from the
// registry) and clicks menu item 1..5 (menuItemOf names the item of a procedure).
frmLight& startLight(int item);
frmMaterial& startMatter(int item);

// Opens the course, chooses the procedure's item and presses Next until gSection and
// gStep name the target; false when the item ends or chains away first.
bool stepTo(driver::Learner& learner, driver::Course course, const QString& procedure, int section, int step);

} // namespace lessontest

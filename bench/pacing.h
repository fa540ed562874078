#pragma once
// The pacing rows: animated steps played on the real clock, each set against the sum of
// the waits its lesson rows perform. A lesson adds its animated steps here as rows.

#include <QString>
#include <functional>
#include <vector>

class LessonWindow;
class Page;

namespace pacing {

struct Row {
    QString name;                  // no commas: the rows are also printed as CSV
    double nominalMs;              // the sum of the waits the step performs, from its rows
    std::function<void()> prepare; // untimed: brings the window to where the step begins
    std::function<void()> play;    // the step, through its window's session
    std::function<void()> finish;  // after the last run (may be empty)
};

// The two lesson windows, shown with the menu panel hidden, as a learner has them in a
// lesson.
LessonWindow& lightWindow();
LessonWindow& matterWindow();

// One step of a lesson procedure played through the lesson layer, as Next plays it:
// gSection and gStep set, the procedure called in the window's session. `before` runs
// first, untimed (the LastStep the step reads, the canvas it draws over).
Row lessonStep(const char* name, double nominalMs, LessonWindow& (*window)(), const char* procedure,
               int section, int step, std::function<void(LessonWindow&)> before = {});
// A figure of a lesson drawn on its own, where its step would first ask the learner.
Row figure(const char* name, double nominalMs, LessonWindow& (*window)(), std::function<void(Page&)> before,
           std::function<void(Page&)> draw);

// Rows of the introduction to light, geometric optics, wave optics, the quantum
// interpretation, colour perception and the hierarchy of matter.
void lightRows(std::vector<Row>& rows);
void kikaRows(std::vector<Row>& rows);
void waveRows(std::vector<Row>& rows);
void quantumRows(std::vector<Row>& rows);
void iroRows(std::vector<Row>& rows);
void matterRows(std::vector<Row>& rows);

} // namespace pacing

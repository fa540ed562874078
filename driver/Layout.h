#pragma once
// The layout check: how much of every text a step printed is still there to read in the
// picture the learner sees. While a check is alive it listens to every line printed on a
// canvas; after a step, `measure` compares each line's ink (the pixels its glyphs set)
// with the window's picture. Ink counts as hidden where a button, a picture, a label or a
// later drawing covers it, or where it falls off the canvas. A text the lesson erases on
// purpose (printed over in the background colour, cleared, or covered by a box of the
// background colour) says nothing to the learner and is left out.

#include "player/Canvas.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

class QWidget;

namespace layout {

// One text of a step as the learner sees it.
struct Measure {
    QRect rect;        // device pixels of the window's client area
    double inkVisible; // share of its ink still visible, 0..1
    QString text;
};

// Texts under this share of visible ink are reported.
inline constexpr double kReadable = 0.95;

class Check : public PrintObserver {
public:
    Check();
    ~Check() override;
    Check(const Check&) = delete;
    Check& operator=(const Check&) = delete;

    // A new step begins: what was printed before it belongs to earlier steps.
    void beginStep();
    // Every text the step printed on the window's own canvas that is still meant to be
    // read, measured against `picture`, the window's client area as grabbed after the
    // step; and every label the window shows over its canvas.
    QList<Measure> measure(const QWidget& window, const QImage& picture) const;

    void printed(const Canvas& canvas, QPoint at, const QFont& font, QRgb colour,
                 const QString& line) override;
    void cleared(const Canvas& canvas) override;

private:
    struct Line {
        const Canvas* canvas;
        QPoint origin;
        QRgb colour;
        QString text;
        QList<QPoint> ink; // pixels of the canvas the glyphs set
        QRect bounds;      // of the ink
        bool erases;       // printed in the canvas's background colour
        QRgb ground;       // the colour the line was printed on
    };
    QList<Line> lines_;
    static QList<QPoint> inkOf(QPoint at, const QFont& font, const QString& line);
    QList<Measure> measureLines(const Canvas& canvas, const QImage& picture) const;
};

// One row of layout.csv: `scale,picture,x,y,width,height,ink_visible,text`.
QString csvRow(const QString& scale, const QString& picture, const Measure& m);
QString csvHeader();

} // namespace layout

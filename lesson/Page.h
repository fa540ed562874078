#pragma once
// The view lesson steps draw through: the lesson window's canvas in the 640 x 400
// logical system, scaled by gScale at every call, with the window's pictures, labels,
// waits, cues and answer dialogs beside it. A step reads like the row of its table:
//
//     p.print(220, 150, "光　の　性　質");
//     p.box(100, 200, 450, 300, QBColor(9), Filled);
//     p.print(Device(20), 310, "θiとθrの間には次の関係があります。");
//
// Every coordinate is logical unless written Device(...): a value the lesson leaves in
// device pixels says so where it is used. Colours are QRgb values, written as the
// lessons name them (QBColor(9) for a palette index, RGB(255, 0, 0)).

#include "lesson/Ask.h"
#include "lesson/Lesson.h"
#include "player/Canvas.h"
#include "player/globals.h"

#include <QString>
#include <initializer_list>

class LessonWindow;
class PictureBox;
class PictureControl;
class QLabel;
class frmLight;
class frmMaterial;

// A position or length in device pixels, left unscaled.
struct Device {
    double px;
    constexpr explicit Device(double pixels) : px(pixels) {}
};

// A coordinate of the 640 x 400 system (scaled) or a Device value (as it stands).
class Coord {
public:
    constexpr Coord(double logical) : v_(logical), device_(false) {}
    constexpr Coord(Device d) : v_(d.px), device_(true) {}
    double pixels() const { return device_ ? v_ : v_ * gScale; }

private:
    double v_;
    bool device_;
};

// Logical coordinates to device pixels by the one rule the lessons use for places that
// must be whole pixels (the seed of a region fill, a picture box's corner): to the
// nearest pixel, ties to even.
int nearestPixel(double devicePixels);

enum BoxFill { Outline, Filled };

// A piece of a printed line in its own colour; the colour stays set afterwards, as a
// lesson that changes the fore colour between pieces leaves it.
struct Piece {
    QString text;
    int colour = -1; // palette index; -1: the current fore colour
};

class Page {
public:
    Page(LessonWindow& window, const lesson::Procedure* procedure = nullptr);

    LessonWindow& w;
    Canvas& canvas();
    frmLight& light();
    frmMaterial& matter();
    const lesson::Procedure* procedure() const { return proc_; }

    // ---- state the steps set ----
    void cls();
    void fore(QRgb c);
    void back(QRgb c); // the background rule: another colour erases, the same changes nothing
    void fontSize(double points);
    void fillStyle(FillStyles s);
    void fillColour(QRgb c);
    void solidFill(QRgb c) {
        fillStyle(FillStyles::Solid);
        fillColour(c);
    }
    void drawWidth(int pixels);
    void at(Coord x, Coord y); // the print position

    // ---- text ----
    void print(Coord x, Coord y, const QString& text);
    // Prints at the current position and moves to the next line; an empty text is an
    // empty line.
    void print(const QString& text = QString());
    // Narration: each line starts at x, one text line under the previous one, from y; an
    // empty string is an empty line.
    void narrate(Coord x, Coord y, std::initializer_list<QString> lines);
    // The same from the current line on.
    void narrate(Coord x, std::initializer_list<QString> lines);
    // One line at x (the current line) made of pieces, each in its colour.
    void pieces(Coord x, std::initializer_list<Piece> parts);
    void pieces(Coord x, Coord y, std::initializer_list<Piece> parts);

    // ---- drawing ----
    void line(Coord x1, Coord y1, Coord x2, Coord y2, QRgb c);
    void line(Coord x1, Coord y1, Coord x2, Coord y2);
    void lineTo(Coord x, Coord y, QRgb c);
    void lineTo(Coord x, Coord y);
    // Connected lines through the points (x0, y0, x1, y1, ...).
    void polyline(QRgb c, std::initializer_list<double> xy);
    void box(Coord x1, Coord y1, Coord x2, Coord y2, QRgb c, BoxFill fill = Outline);
    void circle(Coord x, Coord y, Coord r, QRgb c);
    void arc(Coord x, Coord y, Coord r, QRgb c, double start, double end, double aspect = 1.0);
    void ellipse(Coord x, Coord y, Coord r, QRgb c, double aspect);
    void pset(Coord x, Coord y, QRgb c);
    // The border-bounded region fill seeded at (x, y), the seed rounded to the nearest
    // pixel. Leaves the fill solid in the fill colour.
    void fill(Coord x, Coord y, QRgb fillColour, QRgb border);

    // ---- pictures and labels ----
    // Places a picture box (corner in the 640 x 400 system, size in pixels), shows it
    // and loads its picture.
    void showPicture(PictureBox& box, Coord left, Coord top, int width, int height, const QString& file);
    // Removes the picture of a box and hides it.
    void removePicture(PictureBox& box);
    void showPicture(PictureControl& control, Coord left, Coord top, const QString& file);
    void lbldisp(QLabel* label, Coord x, Coord y, int colour, const QString& text);

    // ---- waits, cues, questions ----
    void pause(double ms);           // Pause(d)
    void pause(double d, double ms); // the sleeping wait Pause(d, n)
    void Sleep(int ms);              // the lessons' Sleep: one sleeping wait, Pause(0.5, ms)
    void seconds(double s);          // the timed wait on the seconds clock
    void tick();                     // the one-tick wait
    void events();                   // one event pass
    static void busy(long count);    // the busy count
    void cue(const QString& file);   // a sound cue ("wave\x.wav" or "\wave\x.wav")
    // Asks question q of the window's answer dialog and judges the reply as the step's
    // quiz row says (accepted answer, judged until right or once); options give the
    // feedback's place, texts and colours.
    bool ask(int question, AskOptions options = {});
    // The accepted answer of question q at the current step, from the quiz table.
    QString rightAnswer(int question) const;

private:
    const lesson::QuizRow* quiz(int question) const;
    const lesson::Procedure* proc_;
};

// Feedback printed at a point of the 640 x 400 system (or Device).
AskOptions feedbackAt(Coord x, Coord y);

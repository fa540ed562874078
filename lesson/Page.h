#pragma once
// A step's whole room: the lesson window's canvas in the 640 x 400 logical system, scaled
// for the display at every call, with the window's pictures and labels by their names,
// waits, cues, answer dialogs and the requests to the engine beside it. A step never
// reaches the window, its buttons or the global counters itself. It reads like the row
// of its table:
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

#include <QObject>
#include <QString>
#include <cmath>
#include <initializer_list>
#include <optional>

#include "lesson/Viewer.h"
#include "player/Prompts.h"

#include <QPoint>
#include <QPointF>
#include <QSize>

class LessonWindow;
class PictureBox;
class PictureControl;
class QLabel;
class QWidget;

// The controls of the lesson windows a step may reach, by the names the windows give
// them: the picture boxes, the picture controls and the light window's three text labels.
// Picture2 is the matter window's; the labels are the light window's.
enum class Control { Picture1, Picture2, Image1, Image2, lblText1, lblText2, lblText3 };

// The typed fields of the answer dialog: the answer (or the first number) and the second
// number of a question with two fields.
struct AnswerFields {
    QString first;
    QString second;
};

// How the engine arrives at the step a lesson asks for: as Next does from the step
// before it, or as Back one does from the step after it (the pictures and labels hidden,
// the canvas cleared).
enum class Arrive { ByNext, ByBackOne };

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
    bool italic = false;
};

// A place computed in the 640 x 400 system, dropped to the whole device pixel toward
// zero, as some lessons place their pictures (at 1.5, x 1 is pixel 1, not 2).
inline Device wholePixels(Coord c) {
    return Device(std::trunc(c.pixels()));
}

class Page {
public:
    Page(LessonWindow& window, const lesson::Procedure* procedure = nullptr);

    const lesson::Procedure* procedure() const { return proc_; }
    // Where the step stands: its number and its section's, for a figure that differs by
    // step.
    int step() const;
    int section() const;
    // The step at which the lesson last drew a picture that later steps reuse.
    int lastStep() const;
    void setLastStep(int step);
    // The display's scale factor, for the few figures whose arithmetic is done in its
    // single precision (random places scattered over the device pixels) or that were
    // laid out for one scale; everything else speaks Coord and Device.
    float scale() const;
    // Data a lesson keeps with the window for as long as the window lives, by name: a
    // page entered again with Back one finds what it left, and a visit that loads the
    // window afresh starts from T's defaults.
    template <class T> T& kept(const char* name) {
        struct Held : QObject {
            using QObject::QObject;
            T value{};
        };
        const QLatin1String wanted(name);
        for (QObject* child : windowObject()->children())
            if (child->objectName() == wanted)
                if (auto* held = dynamic_cast<Held*>(child)) return held->value;
        auto* held = new Held(windowObject());
        held->setObjectName(QLatin1String(name));
        return held->value;
    }

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
    void atX(Coord x);         // the print position's x alone
    void autoRedraw(bool on);  // the canvas's persistence
    QRgb foreColour() const;
    // The width of a text in the current font, in device pixels.
    double textWidth(const QString& text) const;
    // The average width of a character of the current font, in device pixels.
    double averageCharWidth() const;
    // The canvas's width in device pixels.
    int deviceWidth() const;
    // The height of a printed line in the current font, and the top of the current print
    // line, in device pixels.
    double lineHeight() const;
    double lineTop() const;
    // The top of a block of `lines` lines: `y`, or where the block printed there would
    // reach the navigation row (the font is not scaled, the row's place is), just above
    // the row.
    Coord aboveButtons(Coord y, int lines = 1) const;
    // The top of the navigation row, in device pixels.
    double buttonsTop() const;
    // Whether `lines` lines printed from `top` (device pixels) keep their ink above the
    // navigation row; the last pixels of a line's height lie below its ink.
    bool inkAboveButtons(double top, int lines = 1) const;

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
    // A line that runs past the canvas's right edge, or level with the navigation row
    // under its buttons (the font is not scaled, the canvas is), goes on at x on the next
    // line, broken after a comma or a blank where one is near. A line that fits is
    // printed as print() prints it.
    void printWrapped(Coord x, Coord y, const QString& text);
    void printWrapped(Coord x, const QString& text); // from the current line
    // A text in the column from x to right, broken as printWrapped breaks it.
    void printColumn(Coord x, Coord y, Coord right, const QString& text);
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

    // ---- the window's controls, by name ----
    // A control the window does not have is a fault of the lesson: an assertion in a
    // debug build, nothing otherwise.
    void show(Control c);
    void hide(Control c);
    void hide(std::initializer_list<Control> controls);
    void setVisible(Control c, bool visible);
    // Moves a control's corner to the nearest pixel of a point of the 640 x 400 system.
    void place(Control c, Coord left, Coord top);
    // The same, keeping the place's fractions of a pixel: a sprite moved a tenth of a
    // unit a frame keeps every tenth and shows the nearest pixel.
    void moveSprite(Control c, Coord x, Coord y);
    // A sprite's place in the 640 x 400 system, with its fractions.
    QPointF spriteAt(Control c) const;
    // A control's corner and size as they stand, in device pixels.
    QPoint devicePos(Control c) const;
    QSize deviceSize(Control c) const;
    // Resizes a control to a size in device pixels (Device values) or of the 640 x 400
    // system, each to the nearest pixel.
    void resize(Control c, Coord width, Coord height);
    // A picture control shows its picture stretched to its size, or at its natural size.
    void stretch(Control c, bool on);
    // Loads a picture into a picture box or control, by the lessons' "\" path rules; an
    // empty name removes the picture.
    void load(Control c, const QString& file);
    // A picture box's background colour.
    void backColour(Control box, QRgb c);
    // Places a picture box (corner in the 640 x 400 system, size in pixels), shows it
    // and loads its picture.
    void showPicture(Control box, Coord left, Coord top, int width, int height, const QString& file);
    // Removes the picture of a box or control and hides it.
    void removePicture(Control c);
    // Loads a picture control's picture, places it and shows it.
    void showPicture(Control image, Coord left, Coord top, const QString& file);
    // Moves a label, sets its text colour (palette index) and caption, and shows it.
    void lbldisp(Control label, Coord x, Coord y, int colour, const QString& text);

    // ---- the window ----
    // The window goes and a viewer opens, which shows the window again when it closes.
    void openViewer(viewer::Open open);
    // The window goes with its menu panel ready and Next and Back disabled, for the
    // viewer that follows.
    void handOverToViewer();
    // The exit button leads back to the start window.
    void exitLeadsToStart();

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
    // Asks question q of the answer dialog without judging: what the learner typed.
    AnswerFields askValue(int question);
    // A message box and a text-input box on this window.
    MsgResult msgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title);
    QString inputBox(const QString& prompt, int xTwips, int yTwips);

    // ---- requests to the engine ----
    // Asks the engine to go to a step of this section once the step returns, arriving as
    // the given button would.
    void goTo(int step, Arrive how = Arrive::ByNext);
    // The section's heading: the topic printed large at the procedure's heading colours.
    void heading();

private:
    friend class LessonWindow;
    struct GoTo {
        int step;
        Arrive how;
    };

    const lesson::QuizRow* quiz(int question) const;
    QObject* windowObject() const;
    QWidget* widget(Control c) const;
    PictureBox* box(Control c) const;
    PictureControl* image(Control c) const;
    QLabel* label(Control c) const;

    LessonWindow& w_;
    const lesson::Procedure* proc_;
    std::optional<GoTo> goTo_;
};

// Feedback printed at a point of the 640 x 400 system (or Device).
AskOptions feedbackAt(Coord x, Coord y);

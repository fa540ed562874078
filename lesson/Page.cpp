#include "lesson/Page.h"

#include "lesson/frmLight.h"
#include "lesson/frmMaterial.h"
#include "player/Clock.h"
#include "player/PaintRegion.h"
#include "player/Pictures.h"

#include <QLabel>
#include <cmath>

int nearestPixel(double devicePixels) {
    return int(std::nearbyint(devicePixels));
}

AskOptions feedbackAt(Coord x, Coord y) {
    AskOptions o;
    o.feedbackAt = QPointF(x.pixels(), y.pixels());
    return o;
}

Page::Page(LessonWindow& window, const lesson::Procedure* procedure) : w(window), proc_(procedure) {}

Canvas& Page::canvas() {
    return w;
}
frmLight& Page::light() {
    return static_cast<frmLight&>(w);
}
frmMaterial& Page::matter() {
    return static_cast<frmMaterial&>(w);
}

// ---- state ----

void Page::cls() {
    w.Cls();
}
void Page::fore(QRgb c) {
    w.ForeColor = c;
}
void Page::back(QRgb c) {
    w.setBackColor(c);
}
void Page::fontSize(double points) {
    w.FontSize = points;
}
void Page::fillStyle(FillStyles s) {
    w.FillStyle = s;
}
void Page::fillColour(QRgb c) {
    w.FillColor = c;
}
void Page::drawWidth(int pixels) {
    w.DrawWidth = pixels;
}
void Page::at(Coord x, Coord y) {
    w.CurrentX = x.pixels();
    w.CurrentY = y.pixels();
}

// ---- text ----

void Page::print(Coord x, Coord y, const QString& text) {
    at(x, y);
    w.Print(text);
}

void Page::print(const QString& text) {
    if (text.isEmpty())
        w.Print();
    else
        w.Print(text);
}

void Page::narrate(Coord x, Coord y, std::initializer_list<QString> lines) {
    w.CurrentY = y.pixels();
    narrate(x, lines);
}

void Page::narrate(Coord x, std::initializer_list<QString> lines) {
    for (const QString& line : lines) {
        w.CurrentX = x.pixels();
        print(line);
    }
}

void Page::pieces(Coord x, std::initializer_list<Piece> parts) {
    w.CurrentX = x.pixels();
    const Piece* last = parts.end() - 1;
    for (const Piece& part : parts) {
        if (part.colour >= 0) w.ForeColor = QBColor(part.colour);
        if (&part == last)
            w.Print(part.text);
        else
            w.PrintPiece(part.text);
    }
}

void Page::pieces(Coord x, Coord y, std::initializer_list<Piece> parts) {
    w.CurrentY = y.pixels();
    pieces(x, parts);
}

// ---- drawing ----

void Page::line(Coord x1, Coord y1, Coord x2, Coord y2, QRgb c) {
    w.Line(x1.pixels(), y1.pixels(), x2.pixels(), y2.pixels(), c);
}
void Page::line(Coord x1, Coord y1, Coord x2, Coord y2) {
    line(x1, y1, x2, y2, w.ForeColor);
}
void Page::lineTo(Coord x, Coord y, QRgb c) {
    w.LineTo(x.pixels(), y.pixels(), c);
}
void Page::lineTo(Coord x, Coord y) {
    lineTo(x, y, w.ForeColor);
}

void Page::polyline(QRgb c, std::initializer_list<double> xy) {
    const double* p = xy.begin();
    if (xy.size() < 4) return;
    line(p[0], p[1], p[2], p[3], c);
    for (p += 4; p + 1 < xy.end(); p += 2)
        lineTo(p[0], p[1], c);
}

void Page::box(Coord x1, Coord y1, Coord x2, Coord y2, QRgb c, BoxFill fill) {
    w.Line(x1.pixels(), y1.pixels(), x2.pixels(), y2.pixels(), c,
           fill == Filled ? LineMode::BoxFilled : LineMode::Box);
}

void Page::circle(Coord x, Coord y, Coord r, QRgb c) {
    w.Circle(x.pixels(), y.pixels(), r.pixels(), c);
}
void Page::arc(Coord x, Coord y, Coord r, QRgb c, double start, double end, double aspect) {
    w.Circle(x.pixels(), y.pixels(), r.pixels(), c, start, end, aspect);
}
void Page::ellipse(Coord x, Coord y, Coord r, QRgb c, double aspect) {
    w.Circle(x.pixels(), y.pixels(), r.pixels(), c, Canvas::NoAngle, Canvas::NoAngle, aspect);
}
void Page::pset(Coord x, Coord y, QRgb c) {
    w.PSet(x.pixels(), y.pixels(), c);
}

void Page::fill(Coord x, Coord y, QRgb fillColour, QRgb border) {
    PaintRegion(w, std::int16_t(nearestPixel(x.pixels())), std::int16_t(nearestPixel(y.pixels())), fillColour,
                border);
}

// ---- pictures and labels ----

void Page::showPicture(PictureBox& box, Coord left, Coord top, int width, int height, const QString& file) {
    // The box is shown before the picture goes in: a hidden box takes its new size only
    // when shown, and a picture loaded before that would be cut to the old size.
    box.setGeometry(int(std::lround(left.pixels())), int(std::lround(top.pixels())), width, height);
    box.show();
    LoadPicture(box, file);
}

void Page::removePicture(PictureBox& box) {
    LoadPicture(box, QString());
    box.hide();
}

void Page::showPicture(PictureControl& control, Coord left, Coord top, const QString& file) {
    LoadPicture(control, file);
    control.move(int(std::lround(left.pixels())), int(std::lround(top.pixels())));
    control.show();
}

void Page::lbldisp(QLabel* label, Coord x, Coord y, int colour, const QString& text) {
    w.lbldisp(label, x.pixels(), y.pixels(), colour, text);
}

// ---- waits, cues, questions ----

void Page::pause(double ms) {
    w.Pause(ms);
}
void Page::pause(double d, double ms) {
    w.Pause(d, ms);
}
void Page::Sleep(int ms) {
    w.Pause(0.5, ms);
}
void Page::seconds(double s) {
    w.WaitSeconds(s);
}
void Page::tick() {
    w.WaitTick();
}
void Page::events() {
    waits::events(w.session);
}
void Page::busy(long count) {
    waits::busy(count);
}
void Page::cue(const QString& file) {
    w.PlaySound(file);
}

const lesson::QuizRow* Page::quiz(int question) const {
    if (!proc_) return nullptr;
    const lesson::Section* s = proc_->section(gSection);
    if (!s) return nullptr;
    for (const lesson::QuizRow& q : s->quizzes)
        if (q.step == gStep && q.question == question) return &q;
    return nullptr;
}

QString Page::rightAnswer(int question) const {
    const lesson::QuizRow* q = quiz(question);
    return q ? QString::fromUtf8(q->right).section(QLatin1Char('|'), 0, 0) : QString();
}

bool Page::ask(int question, AskOptions options) {
    if (const lesson::QuizRow* q = quiz(question)) {
        if (options.right.isEmpty()) options.right = rightAnswer(question);
        options.retry = q->judged == lesson::Judged::UntilRight;
    }
    return Ask(w, question, options);
}

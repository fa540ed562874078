#include "lesson/Page.h"

#include "lesson/frmLight.h"
#include "lesson/frmMaterial.h"
#include "player/Clock.h"
#include "player/PaintRegion.h"
#include "player/Pictures.h"

#include <QFontMetricsF>
#include <QLabel>
#include <algorithm>
#include <cmath>
#include <limits>

int nearestPixel(double devicePixels) {
    return int(std::nearbyint(devicePixels));
}

AskOptions feedbackAt(Coord x, Coord y) {
    AskOptions o;
    o.feedbackAt = QPointF(x.pixels(), y.pixels());
    return o;
}

Page::Page(LessonWindow& window, const lesson::Procedure* procedure) : w_(window), proc_(procedure) {}

int Page::step() const {
    return gStep;
}
int Page::section() const {
    return gSection;
}
int Page::lastStep() const {
    return w_.LastStep;
}
void Page::setLastStep(int step) {
    w_.LastStep = std::int16_t(step);
}
float Page::scale() const {
    return gScale;
}

QObject* Page::windowObject() const {
    return &w_;
}

// ---- state ----

void Page::cls() {
    w_.Cls();
}
void Page::fore(QRgb c) {
    w_.ForeColor = c;
}
void Page::back(QRgb c) {
    w_.setBackColor(c);
}
void Page::fontSize(double points) {
    w_.FontSize = points;
}
void Page::fillStyle(FillStyles s) {
    w_.FillStyle = s;
}
void Page::fillColour(QRgb c) {
    w_.FillColor = c;
}
void Page::drawWidth(int pixels) {
    w_.DrawWidth = pixels;
}
void Page::at(Coord x, Coord y) {
    w_.CurrentX = x.pixels();
    w_.CurrentY = y.pixels();
}
void Page::atX(Coord x) {
    w_.CurrentX = x.pixels();
}
void Page::autoRedraw(bool on) {
    w_.AutoRedraw = on;
}
QRgb Page::foreColour() const {
    return w_.ForeColor;
}
double Page::textWidth(const QString& text) const {
    return w_.TextWidth(text);
}
double Page::averageCharWidth() const {
    return QFontMetricsF(w_.currentFont()).averageCharWidth();
}
int Page::deviceWidth() const {
    return w_.ScaleWidth();
}
double Page::lineHeight() const {
    return w_.TextHeight();
}
double Page::lineTop() const {
    return w_.CurrentY;
}
double Page::buttonsTop() const {
    return w_.cmdNext ? w_.cmdNext->y() : std::numeric_limits<double>::infinity();
}

bool Page::inkAboveButtons(double top, int lines) const {
    return top + lines * lineHeight() - 3 <= buttonsTop();
}

Coord Page::aboveButtons(Coord y, int lines) const {
    if (!w_.cmdNext) return y;
    const double top = w_.cmdNext->y() - lines * lineHeight() - 1;
    return y.pixels() <= top ? y : Coord(Device(top));
}

// ---- text ----

void Page::print(Coord x, Coord y, const QString& text) {
    at(x, y);
    w_.Print(text);
}

void Page::print(const QString& text) {
    if (text.isEmpty())
        w_.Print();
    else
        w_.Print(text);
}

void Page::narrate(Coord x, Coord y, std::initializer_list<QString> lines) {
    w_.CurrentY = y.pixels();
    narrate(x, lines);
}

void Page::narrate(Coord x, std::initializer_list<QString> lines) {
    for (const QString& line : lines) {
        w_.CurrentX = x.pixels();
        print(line);
    }
}

void Page::printWrapped(Coord x, Coord y, const QString& text) {
    w_.CurrentY = y.pixels();
    printWrapped(x, text);
}

namespace {

// The longest head of `rest` no wider than `room`, ending after a comma, a full stop or a
// blank where one is in its second half: such a break reads better than one inside a word.
template <class Window> qsizetype headLength(const Window& w, const QString& rest, double room) {
    qsizetype n = 1;
    while (n < rest.size() && w.TextWidth(rest.left(n + 1)) <= room)
        ++n;
    for (qsizetype i = n; i > n / 2; --i) {
        const QChar c = rest[i - 1];
        if (c == QChar(0x3001) || c == QChar(0x3002) || c == QChar(0xff0c) || c == QLatin1Char(',') ||
            c == QLatin1Char(' ') || c == QChar(0x3000))
            return i;
    }
    return n;
}

} // namespace

void Page::printWrapped(Coord x, const QString& text) {
    const double left = x.pixels();
    QString rest = text;
    while (!rest.isEmpty()) {
        w_.CurrentX = left;
        // A line level with the navigation row ends left of it, a margin off its first
        // button; any other one at the canvas's right edge.
        const QPushButton* row = w_.cmdExit;
        const bool byTheRow = row && row->isVisible() && w_.CurrentY + lineHeight() > row->y();
        const double limit = byTheRow ? row->x() - 1 : deviceWidth();
        if (left + w_.TextWidth(rest) <= limit) {
            print(rest);
            return;
        }
        // The head ends as far from the right edge (or the row) as the line starts from
        // the left one.
        const double room = byTheRow ? row->x() - 1 - left - Coord(4).pixels() : deviceWidth() - 2 * left;
        const qsizetype n = headLength(w_, rest, room);
        print(rest.left(n));
        rest = rest.mid(n);
    }
}

void Page::printColumn(Coord x, Coord y, Coord right, const QString& text) {
    w_.CurrentY = y.pixels();
    QString rest = text;
    while (!rest.isEmpty()) {
        w_.CurrentX = x.pixels();
        const double room = right.pixels() - x.pixels();
        const qsizetype n = w_.TextWidth(rest) <= room ? rest.size() : headLength(w_, rest, room);
        print(rest.left(n));
        rest = rest.mid(n);
    }
}

void Page::pieces(Coord x, std::initializer_list<Piece> parts) {
    w_.CurrentX = x.pixels();
    const Piece* last = parts.end() - 1;
    for (const Piece& part : parts) {
        if (part.colour >= 0) w_.ForeColor = QBColor(part.colour);
        if (part.italic != w_.FontItalic) w_.FontItalic = part.italic;
        if (&part == last)
            w_.Print(part.text);
        else
            w_.PrintPiece(part.text);
    }
}

void Page::pieces(Coord x, Coord y, std::initializer_list<Piece> parts) {
    w_.CurrentY = y.pixels();
    pieces(x, parts);
}

// ---- drawing ----

void Page::line(Coord x1, Coord y1, Coord x2, Coord y2, QRgb c) {
    w_.Line(x1.pixels(), y1.pixels(), x2.pixels(), y2.pixels(), c);
}
void Page::line(Coord x1, Coord y1, Coord x2, Coord y2) {
    line(x1, y1, x2, y2, w_.ForeColor);
}
void Page::lineTo(Coord x, Coord y, QRgb c) {
    w_.LineTo(x.pixels(), y.pixels(), c);
}
void Page::lineTo(Coord x, Coord y) {
    lineTo(x, y, w_.ForeColor);
}

void Page::polyline(QRgb c, std::initializer_list<double> xy) {
    const double* p = xy.begin();
    if (xy.size() < 4) return;
    line(p[0], p[1], p[2], p[3], c);
    for (p += 4; p + 1 < xy.end(); p += 2)
        lineTo(p[0], p[1], c);
}

void Page::box(Coord x1, Coord y1, Coord x2, Coord y2, QRgb c, BoxFill fill) {
    w_.Line(x1.pixels(), y1.pixels(), x2.pixels(), y2.pixels(), c,
            fill == Filled ? LineMode::BoxFilled : LineMode::Box);
}

void Page::circle(Coord x, Coord y, Coord r, QRgb c) {
    w_.Circle(x.pixels(), y.pixels(), r.pixels(), c);
}
void Page::arc(Coord x, Coord y, Coord r, QRgb c, double start, double end, double aspect) {
    w_.Circle(x.pixels(), y.pixels(), r.pixels(), c, start, end, aspect);
}
void Page::ellipse(Coord x, Coord y, Coord r, QRgb c, double aspect) {
    w_.Circle(x.pixels(), y.pixels(), r.pixels(), c, Canvas::NoAngle, Canvas::NoAngle, aspect);
}
void Page::pset(Coord x, Coord y, QRgb c) {
    w_.PSet(x.pixels(), y.pixels(), c);
}

void Page::fill(Coord x, Coord y, QRgb fillColour, QRgb border) {
    PaintRegion(w_, std::int16_t(nearestPixel(x.pixels())), std::int16_t(nearestPixel(y.pixels())),
                fillColour, border);
}

// ---- the window's controls ----

QWidget* Page::widget(Control c) const {
    auto* light = qobject_cast<frmLight*>(&w_);
    auto* matter = qobject_cast<frmMaterial*>(&w_);
    QWidget* found = nullptr;
    switch (c) {
    case Control::Picture1: found = w_.Picture1; break;
    case Control::Picture2: found = matter ? matter->Picture2 : nullptr; break;
    case Control::Image1: found = w_.Image1; break;
    case Control::Image2: found = w_.Image2; break;
    case Control::lblText1: found = light ? light->lblText1 : nullptr; break;
    case Control::lblText2: found = light ? light->lblText2 : nullptr; break;
    case Control::lblText3: found = light ? light->lblText3 : nullptr; break;
    }
    Q_ASSERT_X(found, "Page", "the lesson names a control its window does not have");
    return found;
}

PictureBox* Page::box(Control c) const {
    auto* b = qobject_cast<PictureBox*>(widget(c));
    Q_ASSERT_X(b || !widget(c), "Page", "the lesson names a control that is not a picture box");
    return b;
}

PictureControl* Page::image(Control c) const {
    auto* i = qobject_cast<PictureControl*>(widget(c));
    Q_ASSERT_X(i || !widget(c), "Page", "the lesson names a control that is not a picture control");
    return i;
}

QLabel* Page::label(Control c) const {
    auto* l = qobject_cast<QLabel*>(widget(c));
    Q_ASSERT_X(l || !widget(c), "Page", "the lesson names a control that is not a label");
    return l;
}

void Page::show(Control c) {
    if (QWidget* x = widget(c)) x->show();
}
void Page::hide(Control c) {
    if (QWidget* x = widget(c)) x->hide();
}
void Page::hide(std::initializer_list<Control> controls) {
    for (Control c : controls)
        hide(c);
}
void Page::setVisible(Control c, bool visible) {
    if (QWidget* x = widget(c)) x->setVisible(visible);
}

void Page::place(Control c, Coord left, Coord top) {
    if (QWidget* x = widget(c)) x->move(int(std::lround(left.pixels())), int(std::lround(top.pixels())));
}

void Page::moveSprite(Control c, Coord x, Coord y) {
    if (PictureControl* i = image(c)) i->moveTo(QPointF(x.pixels(), y.pixels()));
}

QPointF Page::spriteAt(Control c) const {
    const PictureControl* i = image(c);
    return i ? i->position() / gScale : QPointF();
}

QPoint Page::devicePos(Control c) const {
    const QWidget* x = widget(c);
    return x ? x->pos() : QPoint();
}

QSize Page::deviceSize(Control c) const {
    const QWidget* x = widget(c);
    return x ? x->size() : QSize();
}

void Page::resize(Control c, Coord width, Coord height) {
    if (QWidget* x = widget(c))
        x->resize(int(std::lround(width.pixels())), int(std::lround(height.pixels())));
}

void Page::stretch(Control c, bool on) {
    if (PictureControl* i = image(c)) i->Stretch = on;
}

void Page::load(Control c, const QString& file) {
    if (PictureBox* b = qobject_cast<PictureBox*>(widget(c)))
        LoadPicture(*b, file);
    else if (PictureControl* i = image(c))
        LoadPicture(*i, file);
}

void Page::backColour(Control c, QRgb colour) {
    if (PictureBox* b = box(c)) b->setBackColor(colour);
}

void Page::showPicture(Control c, Coord left, Coord top, int width, int height, const QString& file) {
    PictureBox* b = box(c);
    if (!b) return;
    // The box is shown before the picture goes in: a hidden box takes its new size only
    // when shown, and a picture loaded before that would be cut to the old size.
    const int x = int(std::lround(left.pixels()));
    b->setGeometry(x, int(std::lround(top.pixels())), width, height);
    b->show();
    LoadPicture(*b, file);
    // A picture that would run past the canvas's right edge (one laid out for a wide
    // display, seen on a small one) is scaled down, smoothly, to end as far from that edge
    // as it starts from the left one, and its box with it: cut, it would lose what it says.
    const QImage& picture = b->picture();
    const int room = deviceWidth() - 2 * x;
    if (!picture.isNull() && x + picture.width() > deviceWidth() && room > 0 && room < picture.width()) {
        const QImage fitted = picture.scaledToWidth(room, Qt::SmoothTransformation);
        b->resize(std::min(width, fitted.width()), std::min(height, fitted.height()));
        b->setPicture(fitted);
    }
}

void Page::removePicture(Control c) {
    load(c, QString());
    hide(c);
}

void Page::showPicture(Control c, Coord left, Coord top, const QString& file) {
    PictureControl* i = image(c);
    if (!i) return;
    LoadPicture(*i, file);
    i->move(int(std::lround(left.pixels())), int(std::lround(top.pixels())));
    i->show();
}

void Page::lbldisp(Control c, Coord x, Coord y, int colour, const QString& text) {
    if (QLabel* l = label(c)) w_.lbldisp(l, x.pixels(), y.pixels(), colour, text);
}

// ---- the window ----

void Page::openViewer(viewer::Open open) {
    w_.hide();
    open(w_);
}

void Page::handOverToViewer() {
    w_.handOverToViewer();
}

void Page::exitLeadsToStart() {
    w_.cmdExit->setText(LessonWindow::kMainMenu);
}

// ---- waits, cues, questions ----

void Page::pause(double ms) {
    w_.Pause(ms);
}
void Page::pause(double d, double ms) {
    w_.Pause(d, ms);
}
void Page::Sleep(int ms) {
    w_.Pause(0.5, ms);
}
void Page::seconds(double s) {
    w_.WaitSeconds(s);
}
void Page::tick() {
    w_.WaitTick();
}
void Page::events() {
    waits::events(w_.session);
}
void Page::busy(long count) {
    waits::busy(count);
}
void Page::cue(const QString& file) {
    w_.PlaySound(file);
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
    return Ask(w_, question, options);
}

AnswerFields Page::askValue(int question) {
    ShowAnswerDialog(w_, question);
    return {gAnswers[0], gAnswers[1]};
}

MsgResult Page::msgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title) {
    return MsgBox(text, buttons, icon, title, &w_.session);
}

QString Page::inputBox(const QString& prompt, int xTwips, int yTwips) {
    return InputBox(prompt, QString(), QString(), xTwips, yTwips, &w_.session);
}

// ---- requests to the engine ----

void Page::goTo(int step, Arrive how) {
    goTo_ = GoTo{step, how};
}

void Page::heading() {
    const lesson::Section* s = proc_ ? proc_->section(gSection) : nullptr;
    if (!s || !s->heading.text) return;
    cls();
    fore(QBColor(proc_->heading.fore));
    back(QBColor(proc_->heading.back));
    fontSize(32);
    print(s->heading.x, 150, QString::fromUtf8(s->heading.text));
}

void lesson::heading(Page& p) {
    p.heading();
}

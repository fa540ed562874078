#include "player/Form.h"

#include "player/Presentation.h"

#include <cmath>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <limits>
#include <utility>

namespace {
QList<Form*>& registry() {
    static QList<Form*> forms;
    return forms;
}
bool quitWhenLastUnloaded = false;
QMargins lastFrame; // the frame last seen around a window of the application

QMargins marginsOf(const QWidget* w) {
    const QRect outer = w->frameGeometry(), inner = w->geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
}
} // namespace

// ---- repaints at the display's pace ----

// An animation of 1 ms waits that repainted on every event pass would pay a repaint and a
// round trip to the window system per point, and its waits would end late by as much. On
// the real clock the canvases' changes and the windows' update requests are therefore
// held back to about one repaint a frame of the display. What is held is shown at the
// start of a wait (the wait's own event pass paints it and the wait absorbs the cost)
// when a frame period has passed since the last repaint or will have by the wait's end,
// by the drawing code itself when two have, and by a timer on the clock when the drawing
// stops. A frame once shown stays open, so a window at rest repaints at
// once, until the next wait begins. The virtual clock of tests and the tour repaints at
// once, as always.
namespace pace {
namespace {

qint64 shownAt = std::numeric_limits<qint64>::min() / 2; // when a repaint last went through
bool open = true;                                        // repaints go through at once
QList<PacedRepaint*> canvases;                           // canvases holding changes
QList<QPointer<QWidget>> windows;                        // windows holding an update request
int backstopId = 0;
qint64 backstopDue = 0;
qint64 paintNs = 0; // what the last repaint let through took
quint64 frame = 1;  // counts the frames opened and the repaints done

qint64 frameMs() {
    static const qint64 ms = [] {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const double hz = screen ? screen->refreshRate() : 0;
        return qint64(1000.0 / (hz >= 24 && hz <= 250 ? hz : 60.0));
    }();
    return ms;
}

bool holding() {
    return !appClock().isVirtual();
}

bool due(qint64 t) {
    return t - shownAt >= frameMs();
}

bool pending() {
    return !canvases.isEmpty() || !windows.isEmpty();
}

void showAll() {
    open = true;
    ++frame;
    for (PacedRepaint* c : QList<PacedRepaint*>(canvases))
        c->show();
    for (const QPointer<QWidget>& w : std::exchange(windows, {}))
        if (w) QCoreApplication::postEvent(w, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
}

// Makes sure what is held is shown a frame after the last repaint even if no wait or
// drawing comes to show it.
void backstop() {
    Clock& clock = appClock();
    const qint64 now = clock.msNow();
    // A timer of a clock since replaced never fires: one long overdue is given up.
    if (backstopId && now <= backstopDue + 4 * frameMs()) return;
    backstopDue = std::max(now + 1, shownAt + frameMs());
    const int id = clock.at(backstopDue, [] {
        backstopId = 0;
        if (pending()) showAll();
    });
    backstopId = id;
}

// Two frames without a repaint: shown whatever it costs.
bool overdue(qint64 t) {
    return t - shownAt >= 2 * frameMs();
}

void atWaitStart(qint64 deadline) {
    if (!holding()) {
        if (pending()) showAll();
        return;
    }
    open = false;
    const qint64 now = appClock().msNow();
    if (!pending() || !(due(now) || due(deadline))) return;
    // An event pass shows the frame at once. A wait shows it when it is long enough to
    // absorb the last repaint's cost with half a millisecond to spare; a repaint that would
    // outlast a one-tick wait is left to the sleep that follows it, for up to a frame.
    const bool absorbs = (deadline - now) * 1000000 - 500000 > paintNs;
    if (deadline <= now || absorbs || overdue(now)) showAll();
}

// Whether an update request of window w waits for the next frame.
bool hold(QWidget* w) {
    const qint64 now = appClock().msNow();
    if (!holding() || open || due(now)) {
        shownAt = now;
        return false;
    }
    if (!windows.contains(w)) windows.append(w);
    backstop();
    return true;
}

void painted(qint64 ns) {
    paintNs = ns;
    ++frame;
}

} // namespace
} // namespace pace

PacedRepaint::~PacedRepaint() {
    pace::canvases.removeOne(this);
}

void PacedRepaint::changed(const QRect& r) {
    if (r.isEmpty()) return;
    if (!pace::holding()) {
        widget_->update(r);
        return;
    }
    if (pace::open) {
        // One growing rectangle a frame: the widget's dirty region would otherwise gather a
        // rectangle per point, and a curve of a thousand points pays for each union.
        if (passedFrame_ != pace::frame) {
            passed_ = QRect();
            passedFrame_ = pace::frame;
        }
        if (passed_.contains(r)) return;
        passed_ |= r;
        widget_->update(passed_);
        return;
    }
    if (pending_.isEmpty()) pace::canvases.append(this);
    pending_ |= r;
    // Drawing that goes on for two frames without a wait shows itself at the next event
    // pass; otherwise the next wait decides.
    if (pace::overdue(appClock().msNow()))
        pace::showAll();
    else
        pace::backstop();
}

void PacedRepaint::show() {
    if (pending_.isEmpty()) return;
    pace::canvases.removeOne(this);
    widget_->update(std::exchange(pending_, QRect()));
}

// ---- windows ----

Form::Form(QWidget* parent) : QWidget(parent, Qt::Window) {
    registry().append(this);
    setAttribute(Qt::WA_DeleteOnClose, false);
    waits::setWaitStartHook(&pace::atWaitStart);
    presentation::install();
}

Form::~Form() {
    registry().removeOne(this);
    if (quitWhenLastUnloaded && registry().isEmpty()) QCoreApplication::quit();
}

QList<Form*> Form::all() {
    return registry();
}

void Form::setQuitWhenLastUnloaded(bool on) {
    quitWhenLastUnloaded = on;
}

void Form::Load() {
    if (loaded_) return;
    loaded_ = true;
    // What the load handler starts (a viewer's first stage) is the window's own code.
    gate.hold([this] { run([this] { Form_Load(); }); });
}

void Form::Show() {
    Load();
    if (unloading_) return;
    show();
    raise();
    activateWindow();
}

void Form::Unload() {
    if (!unloading_) close();
}

void Form::setFixedClientSize(int w, int h) {
    clientSize_ = QSize(std::max(1, w), std::max(1, h));
    if (!isVisible() && !(windowFlags() & Qt::CustomizeWindowHint))
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    // Equal minimum and maximum: window managers offer neither resizing nor maximising.
    setFixedSize(clientSize_);
}

QSize Form::outerSize() const {
    return clientSize_.isValid() ? clientSize_ : size();
}

QMargins Form::frameMarginsGuess() const {
    if (isVisible()) {
        const QMargins frame = marginsOf(this);
        if (!frame.isNull()) lastFrame = frame;
        return frame;
    }
    return lastFrame;
}

double Form::shrinkToFit(QSize client) {
    // The offscreen platform's screen is a fixed stand-in, not a learner's screen: the
    // tour and the tests show every window at its designed size.
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) return 1.0;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || client.isEmpty()) return 1.0;
    const QSize room = screen->availableGeometry().size().shrunkBy(lastFrame);
    if (room.isEmpty()) return 1.0;
    return std::min({1.0, double(room.width()) / client.width(), double(room.height()) / client.height()});
}

void Form::centre() {
    centring_ = true;
    centreChecks_ = 4;
    centredWith_ = frameMarginsGuess();
    placeCentred();
}

QPoint Form::centredPlace() const {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return pos();
    const QRect avail = screen->availableGeometry();
    const QSize outer = outerSize().grownBy(frameMarginsGuess());
    return {avail.x() + std::max(0, (avail.width() - outer.width()) / 2),
            avail.y() + std::max(0, (avail.height() - outer.height()) / 2)};
}

void Form::placeCentred() {
    move(centredPlace()); // a window's position is that of its frame
}

void Form::keepCentred() {
    // The window system learns the frame some time after the window is shown, and tells
    // no event when: the place is checked at the next events, a few times after every
    // change of the frame, and corrected; after that a move is the learner's.
    if (!centring_ || !isVisible()) return;
    const QMargins frame = marginsOf(this);
    if (frame.isNull()) return; // not framed (yet), or no window manager: nothing to correct
    lastFrame = frame;
    if (frame != centredWith_) {
        centredWith_ = frame;
        centreChecks_ = 4;
    }
    if (centreChecks_ > 0 && centredPlace() != frameGeometry().topLeft()) {
        --centreChecks_;
        placeCentred();
    }
}

bool Form::event(QEvent* e) {
    switch (e->type()) {
    case QEvent::UpdateRequest: {
        if (pace::hold(this)) return true;
        // What a repaint takes decides which waits can absorb the next.
        const qint64 t0 = RealClock::monotonicNs();
        const bool done = QWidget::event(e);
        pace::painted(RealClock::monotonicNs() - t0);
        return done;
    }
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Paint: keepCentred(); break;
    case QEvent::WindowUnblocked:
        // The window system activates the window at some later pass of the event loop,
        // and whatever the window's code did since would be undone then: the activation
        // is handled now, before that code goes on.
        if (isVisible() && !isUnloading()) {
            activationHandled_ = !isActiveWindow();
            Form_Activate();
        }
        break;
    case QEvent::WindowActivate:
        keepCentred();
        if (std::exchange(activationHandled_, false)) break;
        Form_Activate();
        break;
    case QEvent::WindowDeactivate: activationHandled_ = false; break;
    default: break;
    }
    return QWidget::event(e);
}

void Form::closeEvent(QCloseEvent* e) {
    if (unloading_) {
        e->accept();
        return;
    }
    if (!Form_QueryUnload()) {
        e->ignore();
        return;
    }
    unloading_ = true;
    e->accept();
    hide();
    Form_Unload();
    if (session.depth > 0) {
        // Code of this window is still on the stack, inside a wait or a dialog: let it
        // unwind first, and destroy the window from the outermost entry.
        session.onUnwound = [self = QPointer<Form>(this)] {
            if (self) self->deleteLater();
        };
        session.cancel();
    } else {
        deleteLater();
    }
}

// ---- canvas window ----

CanvasForm::CanvasForm(QWidget* parent) : Form(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

namespace {
void paintCanvas(QWidget* w, const Canvas& c, const QRect& r) {
    QPainter p(w);
    const QImage& large = c.presentationImage();
    if (large.isNull()) {
        p.drawImage(r, c.image(), r);
        return;
    }
    // Full screen: the large copy, pixel for pixel on the screen's pixels.
    const double f = c.presentationFactor();
    p.drawImage(QRectF(r), large, QRectF(r.x() * f, r.y() * f, r.width() * f, r.height() * f));
}
} // namespace

void CanvasForm::paintEvent(QPaintEvent* e) {
    paintCanvas(this, *this, e->rect());
}

void CanvasForm::resizeEvent(QResizeEvent* e) {
    resizeCanvas(width(), height());
    QWidget::resizeEvent(e);
}

// ---- picture box ----

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setPicture(const QImage& img) {
    picture_ = img;
    // A hidden box gets its resize event only when shown: take the new size now, so a
    // picture loaded before the box is shown is not cut to the old size.
    resizeCanvas(width(), height());
    Cls();
}

void PictureBox::Cls() {
    Canvas::Cls();
    drawImage(0, 0, picture_);
}

void PictureBox::paintEvent(QPaintEvent* e) {
    paintCanvas(this, *this, e->rect());
}

void PictureBox::resizeEvent(QResizeEvent* e) {
    resizeCanvas(width(), height());
    QWidget::resizeEvent(e);
}

// ---- picture control ----

PictureControl::PictureControl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PictureControl::setPicture(const QImage& img) {
    picture_ = img;
    if (!Stretch && !img.isNull()) resize(img.size());
    update();
}

void PictureControl::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter p(this);
    if (Stretch)
        p.drawImage(rect(), picture_);
    else
        p.drawImage(0, 0, picture_);
}

int scaledTwips(double twipsValue) {
    return int(std::lround(twipsValue / 15.0));
}

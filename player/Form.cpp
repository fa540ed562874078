#include "player/Form.h"

#include <cmath>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
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

Form::Form(QWidget* parent) : QWidget(parent, Qt::Window) {
    registry().append(this);
    setAttribute(Qt::WA_DeleteOnClose, false);
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

void CanvasForm::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.drawImage(e->rect(), image(), e->rect());
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
    QPainter p(this);
    p.drawImage(e->rect(), image(), e->rect());
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

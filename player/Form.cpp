#include "player/Form.h"

#include <cmath>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace {
QList<Form*>& registry() {
    static QList<Form*> forms;
    return forms;
}
bool quitWhenLastUnloaded = false;
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
    run([this] { Form_Load(); });
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

void Form::setOuterSize(int w, int h) {
    wantedOuter_ = QSize(w, h);
    applyOuterSize();
}

void Form::applyOuterSize() {
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(std::max(1, wantedOuter_.width() - frame.width()),
           std::max(1, wantedOuter_.height() - frame.height()));
}

void Form::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // Before the first show the frame counts as nothing: take it off the client area now.
    if (wantedOuter_.isValid()) applyOuterSize();
}

QSize Form::outerSize() const {
    return wantedOuter_.isValid() ? wantedOuter_ : frameGeometry().size();
}

void Form::centre() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect avail = screen->geometry();
    const QSize outer = outerSize();
    move(avail.x() + (avail.width() - outer.width()) / 2, avail.y() + (avail.height() - outer.height()) / 2);
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

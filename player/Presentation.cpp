#include "player/Presentation.h"

#include "player/Form.h"

#include <QApplication>
#include <QDialog>
#include <QHash>
#include <QKeyEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QWheelEvent>
#include <QWindow>
#include <cmath>

namespace presentation {

namespace {

// The full-screen window: black, with the shown window drawn in the middle.
class Host : public QWidget {
public:
    Host() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_DeleteOnClose, false);
        setFocusPolicy(Qt::StrongFocus);
        setMouseTracking(true);
        setWindowTitle(QStringLiteral("Orvanth"));
    }

    QPointer<Form> target;
    double k = 1.0;
    QPoint origin;
    bool rendering = false;

    QRect content() const {
        if (!target) return {};
        return QRect(origin,
                     QSize(int(std::lround(target->width() * k)), int(std::lround(target->height() * k))));
    }
    // A rectangle of the shown window on the host.
    QRect toHost(const QRect& r) const {
        return QRectF(origin.x() + r.x() * k, origin.y() + r.y() * k, r.width() * k, r.height() * k)
            .toAlignedRect()
            .adjusted(-1, -1, 1, 1);
    }
    QPointF toWindow(const QPointF& p) const { return (p - QPointF(origin)) / k; }

protected:
    void paintEvent(QPaintEvent* e) override {
        QPainter p(this);
        p.fillRect(e->rect(), Qt::black);
        if (!target || !target->isVisible()) return;
        const QRect c = content();
        p.setClipRect(c);
        p.translate(origin);
        p.scale(k, k);
        const QRect exposed =
            QRectF(toWindow(e->rect().topLeft()), toWindow(QPointF(e->rect().bottomRight()) + QPointF(1, 1)))
                .toAlignedRect()
                .adjusted(-1, -1, 1, 1)
                .intersected(target->rect());
        rendering = true;
        target->render(&p, exposed.topLeft(), QRegion(exposed),
                       QWidget::DrawWindowBackground | QWidget::DrawChildren);
        rendering = false;
    }

    void keyPressEvent(QKeyEvent* e) override { forwardKey(e); }
    void keyReleaseEvent(QKeyEvent* e) override { forwardKey(e); }
    void mousePressEvent(QMouseEvent* e) override { forwardMouse(e); }
    void mouseReleaseEvent(QMouseEvent* e) override { forwardMouse(e); }
    void mouseDoubleClickEvent(QMouseEvent* e) override { forwardMouse(e); }
    void mouseMoveEvent(QMouseEvent* e) override { forwardMouse(e); }
    void wheelEvent(QWheelEvent* e) override {
        QWidget* to = nullptr;
        const QPointF at = local(e->position(), &to);
        if (!to) return;
        QWheelEvent copy(at, e->globalPosition(), e->pixelDelta(), e->angleDelta(), e->buttons(),
                         e->modifiers(), e->phase(), e->inverted());
        QApplication::sendEvent(to, &copy);
    }
    void closeEvent(QCloseEvent* e) override {
        // The learner's close of the full screen is the close of the window it shows. The
        // application's own (when it quits it closes every window, and a refusal would
        // stop the quit) goes through.
        if (!e->spontaneous()) return;
        e->ignore();
        if (target) target->Unload();
    }
    bool event(QEvent* e) override {
        if (e->type() == QEvent::WindowActivate && target && target->isVisible()) {
            // The learner is back in the window: its activation, as without the host.
            QEvent activate(QEvent::WindowActivate);
            QApplication::sendEvent(target, &activate);
        }
        return QWidget::event(e);
    }

private:
    QPointer<QWidget> grabbed_; // the widget a pressed button belongs to, until released

    void forwardKey(QKeyEvent* e) {
        if (!target || !target->isVisible()) return;
        QWidget* to = target->focusWidget() ? target->focusWidget() : target.data();
        QKeyEvent copy(e->type(), e->key(), e->modifiers(), e->nativeScanCode(), e->nativeVirtualKey(),
                       e->nativeModifiers(), e->text(), e->isAutoRepeat(), ushort(e->count()));
        QApplication::sendEvent(to, &copy);
    }

    QPointF local(const QPointF& hostPos, QWidget** to) const {
        *to = nullptr;
        if (!target || !target->isVisible()) return {};
        const QPointF at = toWindow(hostPos);
        QWidget* child = target->childAt(at.toPoint());
        *to = child ? child : target.data();
        return (*to)->mapFrom(target.data(), at);
    }

    void forwardMouse(QMouseEvent* e) {
        QWidget* to = nullptr;
        QPointF at = local(e->position(), &to);
        if (grabbed_ && e->type() != QEvent::MouseButtonPress) {
            to = grabbed_;
            at = to->mapFrom(target.data(), toWindow(e->position()));
        }
        if (!to) return;
        if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick) grabbed_ = to;
        if (e->type() == QEvent::MouseButtonRelease && e->buttons() == Qt::NoButton) grabbed_ = nullptr;
        if (e->type() == QEvent::MouseMove && !grabbed_ && e->buttons() == Qt::NoButton &&
            !to->hasMouseTracking())
            return;
        QMouseEvent copy(e->type(), at, at, e->globalPosition(), e->button(), e->buttons(), e->modifiers());
        QApplication::sendEvent(to, &copy);
    }
};

// What a widget of a dialog was before the dialog was enlarged.
struct Saved {
    QPointer<QWidget> widget;
    QFont font;
    bool ownFont;
    QRect geometry;
    QSize minimum, maximum;
};

class Controller : public QObject {
public:
    QPointer<Host> host;
    bool requested = false;
    QHash<QWidget*, QList<Saved>> dialogs; // the dialog first

    bool active() const { return host != nullptr; }

    void enter(Form* w) {
        if (!w || active()) return;
        host = new Host;
        retarget(w);
        connect(qApp, &QGuiApplication::screenRemoved, host, [this] { layout(); });
        connect(qApp, &QGuiApplication::screenAdded, host, [this] { layout(); });
        host->showFullScreen();
        host->raise();
        host->activateWindow();
        host->setFocus();
    }

    void leave() {
        if (!host) return;
        QPointer<Form> w = host->target;
        setFactor(w, 1.0);
        for (QWidget* d : dialogs.keys())
            restore(d);
        Host* h = host;
        host = nullptr;
        h->hide();
        h->deleteLater();
        if (w && w->isVisible()) {
            w->update();
            w->raise();
            w->activateWindow();
        }
    }

    // The canvases of window w draw their large copies at the factor, or drop them.
    static void setFactor(Form* w, double f) {
        if (!w) return;
        if (auto* c = dynamic_cast<Canvas*>(w)) c->setPresentationFactor(f);
        for (PictureBox* b : w->findChildren<PictureBox*>())
            b->setPresentationFactor(f);
        w->update();
    }

    void retarget(Form* w) {
        if (!host) return;
        if (host->target != w) {
            setFactor(host->target, 1.0);
            host->target = w;
        }
        layout();
    }

    void layout() {
        if (!host) return;
        Form* w = host->target;
        QScreen* screen = w && w->screen() ? w->screen() : QGuiApplication::primaryScreen();
        if (!screen) return;
        // A screen that changes its size or place while shown takes the host along.
        connect(screen, &QScreen::geometryChanged, this, &Controller::layout, Qt::UniqueConnection);
        const QRect geo = screen->geometry();
        if (host->windowHandle() && host->windowHandle()->screen() != screen)
            host->windowHandle()->setScreen(screen);
        host->setGeometry(geo);
        if (w && !w->size().isEmpty()) {
            const double k = std::min(double(geo.width()) / w->width(), double(geo.height()) / w->height());
            host->k = k;
            host->origin = QPoint(int((geo.width() - std::floor(w->width() * k)) / 2),
                                  int((geo.height() - std::floor(w->height() * k)) / 2));
            // The copies are drawn for the screen's own pixels.
            setFactor(w, k * host->devicePixelRatioF());
        }
        host->update();
    }

    // The next window of the application that shows: the host shows it instead.
    Form* nextShown() const {
        for (Form* f : Form::all())
            if (f->isVisible() && !f->isUnloading()) return f;
        return nullptr;
    }

    void enlarge(QWidget* d) {
        if (dialogs.contains(d) || !host) return;
        const double k = host->k;
        QList<QWidget*> all{d};
        all += d->findChildren<QWidget*>();
        QList<Saved> saved;
        for (QWidget* w : all)
            saved.append({w, w->font(), w->testAttribute(Qt::WA_SetFont), w->geometry(), w->minimumSize(),
                          w->maximumSize()});
        for (const Saved& s : saved) {
            QFont f = s.font;
            if (f.pixelSize() > 0)
                f.setPixelSize(std::max(1, int(std::lround(f.pixelSize() * k))));
            else
                f.setPointSizeF(f.pointSizeF() * k);
            s.widget->setFont(f);
        }
        auto scaled = [k](QSize s) {
            return QSize(int(std::lround(s.width() * k)), int(std::lround(s.height() * k)));
        };
        for (const Saved& s : saved) {
            QWidget* w = s.widget;
            const bool fixed = s.minimum == s.maximum && !s.minimum.isEmpty();
            if (fixed) w->setFixedSize(scaled(s.minimum));
            // Controls placed by hand move with the factor; a layout places the others.
            if (w != d && w->parentWidget() && !w->parentWidget()->layout() && !w->isWindow())
                w->setGeometry(
                    QRect(QPoint(int(std::lround(s.geometry.x() * k)), int(std::lround(s.geometry.y() * k))),
                          scaled(s.geometry.size())));
        }
        const Saved& top = saved.front();
        if (d->layout()) d->layout()->activate();
        if (top.minimum != top.maximum)
            d->resize(scaled(top.geometry.size()).expandedTo(d->minimumSizeHint()));
        dialogs.insert(d, saved);
        if (d->windowHandle() && host->windowHandle())
            d->windowHandle()->setTransientParent(host->windowHandle());
        place(d, top.geometry);
    }

    // Where the dialog stood over the window, it stands over the host.
    void place(QWidget* d, const QRect& was) {
        if (!host || !host->target) return;
        const QPoint windowTopLeft = host->target->mapToGlobal(QPoint(0, 0));
        const QPointF centre = QPointF(was.center() - windowTopLeft) * host->k + QPointF(host->origin) +
                               QPointF(host->mapToGlobal(QPoint(0, 0)));
        QRect r(QPoint(), d->size());
        r.moveCenter(centre.toPoint());
        const QRect screen = host->geometry();
        r.moveLeft(std::clamp(r.left(), screen.left(), std::max(screen.left(), screen.right() - r.width())));
        r.moveTop(std::clamp(r.top(), screen.top(), std::max(screen.top(), screen.bottom() - r.height())));
        d->move(r.topLeft());
    }

    void restore(QWidget* d) {
        const QList<Saved> saved = dialogs.take(d);
        for (const Saved& s : saved) {
            QWidget* w = s.widget;
            if (!w) continue;
            w->setFont(s.ownFont ? s.font : QFont());
            if (!s.ownFont) w->setAttribute(Qt::WA_SetFont, false);
            // The limits open first, so the old size fits between them.
            w->setMinimumSize(0, 0);
            w->setMaximumSize(s.maximum);
            w->setMinimumSize(s.minimum);
            if (w != d) w->setGeometry(s.geometry);
        }
        if (saved.isEmpty() || saved.front().widget != d) return;
        // The window system reports the enlarged size back after the dialog has closed:
        // the size it had is given back once that report is in.
        const QSize size = saved.front().geometry.size();
        d->resize(size);
        QMetaObject::invokeMethod(
            d,
            [d = QPointer<QWidget>(d), size] {
                if (d && !d->isVisible()) d->resize(size);
            },
            Qt::QueuedConnection);
    }

    static bool isDialog(QObject* o) {
        auto* w = qobject_cast<QWidget*>(o);
        return w && w->isWindow() && qobject_cast<QDialog*>(w);
    }

    // The host back in front, once the window system has done what it is doing now.
    void bringHostForward() {
        QMetaObject::invokeMethod(
            host,
            [h = host] {
                if (!h) return;
                h->raise();
                h->activateWindow();
            },
            Qt::QueuedConnection);
    }

    // F11 enters or leaves the mode; Escape leaves it. With a dialog open the mode stays as
    // it is. True when the key was taken.
    bool keyPressed(QObject* o, const QKeyEvent* k) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w) return false;
        if (k->key() == Qt::Key_F11 && k->modifiers() == Qt::NoModifier) {
            if (!k->isAutoRepeat() && !QApplication::activeModalWidget()) {
                if (active())
                    leave();
                else
                    enter(qobject_cast<Form*>(w->window()));
            }
            return true;
        }
        if (k->key() == Qt::Key_Escape && active() && w->window() == host &&
            !QApplication::activeModalWidget()) {
            leave();
            return true;
        }
        return false;
    }

    // A window that shows takes the host (or enters the mode asked for at start-up); a
    // dialog that shows is enlarged to match.
    void shown(QObject* o) {
        if (auto* f = qobject_cast<Form*>(o); f && f->isWindow()) {
            if (requested && !active()) {
                requested = false;
                enter(f);
            } else if (active()) {
                retarget(f);
                bringHostForward();
            }
        } else if (active() && isDialog(o)) {
            enlarge(static_cast<QWidget*>(o));
        }
    }

    void hidden(QObject* o) {
        if (active() && host->target == o) {
            // The next window that shows takes the host; until then it stays black.
            if (Form* next = nextShown(); next && next != o)
                retarget(next);
            else
                host->update();
        } else if (auto* d = qobject_cast<QWidget*>(o); d && active() && dialogs.contains(d)) {
            restore(d);
        }
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        switch (e->type()) {
        case QEvent::KeyPress: return keyPressed(o, static_cast<QKeyEvent*>(e));
        case QEvent::Paint:
            if (host && !host->rendering && host->target) {
                auto* w = qobject_cast<QWidget*>(o);
                if (w && w->window() == host->target) {
                    const QRect r = static_cast<QPaintEvent*>(e)->rect();
                    host->update(host->toHost(QRect(w->mapTo(host->target.data(), r.topLeft()), r.size())));
                }
            }
            break;
        case QEvent::Show: shown(o); break;
        case QEvent::Hide: hidden(o); break;
        case QEvent::Move:
        case QEvent::Resize:
            if (active() && (host->target == o)) layout();
            break;
        case QEvent::WindowActivate:
            // The window itself came forward: the host goes back in front of it.
            if (active() && host->target == o && !QApplication::activeModalWidget()) bringHostForward();
            break;
        default: break;
        }
        return false;
    }
};

Controller* controller() {
    static Controller* c = [] {
        auto* ctl = new Controller;
        qApp->installEventFilter(ctl);
        return ctl;
    }();
    return c;
}

} // namespace

void install() {
    if (qApp) controller();
}

void request() {
    controller()->requested = true;
}

void toggle(Form* w) {
    Controller* c = controller();
    if (c->active())
        c->leave();
    else
        c->enter(w);
}

void leave() {
    controller()->leave();
}

bool active() {
    return controller()->active();
}

QWidget* host() {
    return controller()->host;
}

Form* shown() {
    Host* h = controller()->host;
    return h ? h->target.data() : nullptr;
}

double factor() {
    Host* h = controller()->host;
    return h ? h->k : 1.0;
}

QRect contentRect() {
    Host* h = controller()->host;
    return h ? h->content() : QRect();
}

} // namespace presentation

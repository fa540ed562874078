#include "player/Clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTime>
#include <QTimer>
#include <cmath>

void Session::cancel() {
    cancelled = true;
    for (QEventLoop* loop : loops)
        loop->exit(1);
    // A dialog's exec loop is not ours to end: reject the dialog instead.
    for (const QPointer<QObject>& d : dialogs)
        if (d) QMetaObject::invokeMethod(d, "reject");
}

namespace {

class RealClock : public Clock {
public:
    RealClock() { timer_.start(); }
    qint64 msNow() override { return timer_.elapsed(); }
    double secondsSinceMidnight() override { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }

    bool waitUntil(qint64 deadline, bool excludeUserInput, Session* session) override {
        const auto flags = excludeUserInput ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents;
        while (msNow() < deadline) {
            QEventLoop loop;
            bool fired = false;
            QTimer timer;
            timer.setTimerType(Qt::PreciseTimer);
            timer.setSingleShot(true);
            QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
                fired = true;
                loop.quit();
            });
            timer.start(int(std::max<qint64>(0, deadline - msNow())));
            if (session) session->loops.append(&loop);
            loop.exec(flags);
            if (session) session->loops.removeOne(&loop);
            // A loop ended by anything but its own timer: the window closed or the
            // application is quitting (every new loop then returns at once).
            if (!fired) return false;
        }
        return true;
    }

    int at(qint64 t, std::function<void()> fn) override {
        auto* timer = new QTimer;
        timer->setTimerType(Qt::PreciseTimer);
        timer->setSingleShot(true);
        const int id = nextId_++;
        QObject::connect(timer, &QTimer::timeout, timer, [this, id, timer, fn = std::move(fn)] {
            timers_.remove(id);
            timer->deleteLater();
            fn();
        });
        timers_.insert(id, timer);
        timer->start(int(std::max<qint64>(0, t - msNow())));
        return id;
    }
    void cancelAt(int id) override {
        if (QTimer* t = timers_.take(id)) t->deleteLater();
    }
    bool isVirtual() const override { return false; }

private:
    QElapsedTimer timer_;
    QHash<int, QTimer*> timers_;
    int nextId_ = 1;
};

std::unique_ptr<Clock>& current() {
    static std::unique_ptr<Clock> c = std::make_unique<RealClock>();
    return c;
}

} // namespace

Clock& appClock() {
    return *current();
}

std::unique_ptr<Clock> setClock(std::unique_ptr<Clock> c) {
    auto old = std::move(current());
    current() = c ? std::move(c) : std::make_unique<RealClock>();
    return old;
}

// ---- virtual clock ----

double VirtualClock::secondsSinceMidnight() {
    return std::fmod(base_ + now_ / 1000.0, 86400.0);
}

qint64 VirtualClock::nextDue() const {
    return queue_.isEmpty() ? now_ : queue_.first().t;
}

bool VirtualClock::waitUntil(qint64 deadline, bool, Session* session) {
    // Callbacks due before the deadline run in time order, each at its own time; a
    // callback may itself wait, which moves the clock on further.
    while (!queue_.isEmpty() && queue_.first().t <= deadline) {
        if (session && session->cancelled) return false;
        Due due = queue_.takeFirst();
        now_ = std::max(now_, due.t);
        due.fn();
    }
    now_ = std::max(now_, deadline);
    QCoreApplication::processEvents();
    return !(session && session->cancelled);
}

int VirtualClock::at(qint64 t, std::function<void()> fn) {
    const int id = nextId_++;
    Due due{std::max(t, now_), id, std::move(fn)};
    auto pos =
        std::upper_bound(queue_.begin(), queue_.end(), due.t, [](qint64 v, const Due& d) { return v < d.t; });
    queue_.insert(pos, std::move(due));
    return id;
}

void VirtualClock::cancelAt(int id) {
    queue_.removeIf([id](const Due& d) { return d.id == id; });
}

// ---- waits ----

namespace waits {

namespace {
void waitOrAbort(Session& s, qint64 deadline, bool excludeInput) {
    s.check();
    const bool ok = appClock().waitUntil(deadline, excludeInput, &s);
    if (!ok) s.cancelled = true;
    s.check();
}
} // namespace

void pause(Session& s, double d) {
    s.check();
    const qint64 start = appClock().msNow();
    // The wait ends at the first whole-millisecond reading at or after start + d, so a
    // d below 1 lasts until the clock next advances.
    const qint64 deadline = qint64(std::ceil(double(start) + d));
    if (deadline <= start) return;
    waitOrAbort(s, deadline, false);
}

void sleepPause(Session& s, double d, double n) {
    s.check();
    const qint64 start = appClock().msNow();
    while (double(appClock().msNow()) < double(start) + d) {
        waitOrAbort(s, appClock().msNow() + qint64(std::max(1.0, n)), true);
        // Input deferred during the sleep is handled now, as after a blocking sleep.
        if (!appClock().isVirtual()) QCoreApplication::processEvents();
        s.check();
    }
}

double elapsedAcrossMidnight(double start, double now) {
    double e = now - start;
    if (e < 0) e += 86400.0;
    return e;
}

void seconds(Session& s, double d) {
    s.check();
    const double start = appClock().secondsSinceMidnight();
    for (;;) {
        const double e = elapsedAcrossMidnight(start, appClock().secondsSinceMidnight());
        if (e >= d) return;
        waitOrAbort(s, appClock().msNow() + std::max<qint64>(1, qint64(std::ceil((d - e) * 1000.0))), false);
    }
}

void tick(Session& s) {
    s.check();
    waitOrAbort(s, appClock().msNow() + 1, false);
}

void events(Session& s) {
    s.check();
    if (appClock().isVirtual()) {
        appClock().waitUntil(appClock().msNow(), false, &s);
    } else {
        QCoreApplication::processEvents();
        // After a quit every event loop of the process ends at once: count it as cancelled.
        if (QCoreApplication::closingDown()) s.cancelled = true;
    }
    s.check();
}

void busy(long count) {
    if (appClock().isVirtual()) return;
    volatile long counter = 0;
    for (long i = 0; i < count; ++i)
        counter = i;
    (void)counter;
}

} // namespace waits

// ---- pacer ----

void Pacer::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    if (on) {
        schedule();
    } else {
        if (pending_) appClock().cancelAt(pending_);
        pending_ = 0;
    }
}

void Pacer::schedule() {
    pending_ = appClock().at(appClock().msNow() + std::max(1, interval_), [this] {
        pending_ = 0;
        if (!enabled_) return;
        schedule(); // like a timer control: the next tick is due one interval on
        emit tick();
    });
}

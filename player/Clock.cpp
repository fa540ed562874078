#include "player/Clock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHash>
#include <QSocketNotifier>
#include <QTime>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <ctime>
#include <limits>
#include <sys/timerfd.h>
#include <unistd.h>

void Session::cancel() {
    cancelled = true;
    for (QEventLoop* loop : loops)
        loop->exit(1);
    // A dialog's exec loop is not ours to end: reject the dialog instead.
    for (const QPointer<QObject>& d : dialogs)
        if (d) QMetaObject::invokeMethod(d, "reject");
}

// ---- real clock ----

namespace {

constexpr qint64 kNsPerMs = 1000000;
constexpr qint64 kMsPerDay = 86400000;

// How long before a wait's deadline its event loop ends; the rest is slept. The timer
// descriptor wakes on the nanosecond; a Qt timer counts whole milliseconds and may wake
// one more late, so it aims earlier.
constexpr qint64 kLeadDescriptorNs = 1 * kNsPerMs;
constexpr qint64 kLeadTimerNs = 2 * kNsPerMs;

bool descriptorWarned = false;

void sleepUntil(qint64 ns) {
    timespec ts{};
    ts.tv_sec = time_t(ns / 1000000000);
    ts.tv_nsec = long(ns % 1000000000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

} // namespace

struct RealClock::Impl {
    // One running wait loop, innermost last: a wait whose event pass runs lesson code that
    // waits again nests inside it, and the descriptor is re-aimed at the outer deadline
    // when the inner wait is over.
    struct Frame {
        QEventLoop* loop;
        qint64 until;
        bool fired = false;
    };

    qint64 origin = 0;    // monotonic ns at millisecond 0
    qint64 msAtStart = 0; // seconds clock at millisecond 0, in ms since midnight
    int fd = -1;
    QPointer<QSocketNotifier> notifier; // a child of the application, which may go first
    QList<Frame*> frames;
    QHash<int, QTimer*> timers;
    int nextId = 1;

    void arm(qint64 until) const {
        itimerspec spec{};
        // Zero would disarm the timer: a moment already past is reached at once anyway.
        const qint64 t = std::max<qint64>(until, 1);
        spec.it_value.tv_sec = time_t(t / 1000000000);
        spec.it_value.tv_nsec = long(t % 1000000000);
        timerfd_settime(fd, TFD_TIMER_ABSTIME, &spec, nullptr);
    }

    void ensureNotifier() {
        if (fd < 0 || notifier || !QCoreApplication::instance()) return;
        notifier = new QSocketNotifier(fd, QSocketNotifier::Read, QCoreApplication::instance());
        QObject::connect(notifier, &QSocketNotifier::activated, notifier, [this] { expired(); });
    }

    void expired() {
        quint64 count = 0;
        if (read(fd, &count, sizeof count) < 0 && errno != EAGAIN) return;
        if (frames.isEmpty()) return;
        Frame* top = frames.last();
        if (monotonicNs() >= top->until) {
            top->fired = true;
            top->loop->quit();
        } else {
            arm(top->until); // aimed at another frame meanwhile
        }
    }

    // Processes events until the monotonic clock reaches until (at once when it has). False
    // when the loop ended for another reason: its window closed or the application quits.
    bool runLoop(qint64 until, QEventLoop::ProcessEventsFlags flags, Session* session) {
        QEventLoop loop;
        Frame frame{&loop, until};
        std::unique_ptr<QTimer> timer;
        const bool viaDescriptor = notifier;
        if (viaDescriptor) {
            frames.append(&frame);
            arm(until);
        } else {
            timer = std::make_unique<QTimer>();
            timer->setTimerType(Qt::PreciseTimer);
            timer->setSingleShot(true);
            QObject::connect(timer.get(), &QTimer::timeout, &loop, [&frame] {
                frame.fired = true;
                frame.loop->quit();
            });
            // Rounded up: a Qt timer must not end the loop before its moment.
            const qint64 left = std::max<qint64>(0, until - monotonicNs());
            timer->start(int(std::min<qint64>((left + kNsPerMs - 1) / kNsPerMs, 3600 * 1000)));
        }
        if (session) session->loops.append(&loop);
        loop.exec(flags);
        if (session) session->loops.removeOne(&loop);
        if (viaDescriptor) {
            frames.removeOne(&frame);
            if (!frames.isEmpty()) arm(frames.last()->until);
        }
        // A loop ended by anything but its own timer: the window closed or the application
        // is quitting (every new loop then returns at once).
        return frame.fired;
    }
};

RealClock::RealClock(std::optional<qint64> msAtStart) : d_(std::make_unique<Impl>()) {
    d_->origin = monotonicNs();
    const qint64 wall = msAtStart ? *msAtStart : qint64(QTime::currentTime().msecsSinceStartOfDay());
    d_->msAtStart = ((wall % kMsPerDay) + kMsPerDay) % kMsPerDay;
    d_->fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (d_->fd < 0 && !descriptorWarned) {
        descriptorWarned = true;
        qWarning("Clock: no timer descriptor (%s); waits wake by a Qt timer instead", strerror(errno));
    }
}

RealClock::~RealClock() {
    delete d_->notifier.data();
    if (d_->fd >= 0) close(d_->fd);
    // Timers of at() that have not fired belong to this clock and die with it.
    qDeleteAll(d_->timers);
}

qint64 RealClock::monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

qint64 RealClock::momentOf(qint64 ms) const {
    return d_->origin + ms * kNsPerMs;
}

bool RealClock::usesTimerDescriptor() const {
    return d_->fd >= 0;
}

qint64 RealClock::msNow() {
    return (monotonicNs() - d_->origin) / kNsPerMs;
}

double RealClock::secondsSinceMidnight() {
    return double((d_->msAtStart + msNow()) % kMsPerDay) / 1000.0;
}

bool RealClock::waitUntil(qint64 deadline, bool excludeUserInput, Session* session) {
    const auto flags = excludeUserInput ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents;
    const qint64 target = momentOf(std::min<qint64>(deadline, qint64(waits::kLongestWaitMs) * 2));
    qint64 now = monotonicNs();
    if (now >= target) return true;
    if (!QCoreApplication::instance()) {
        sleepUntil(target);
        return true;
    }
    d_->ensureNotifier();
    const qint64 lead = d_->notifier ? kLeadDescriptorNs : kLeadTimerNs;
    // Events are processed until shortly before the deadline; its exact moment is then
    // slept to, so the time the last event pass takes (a repaint, say) is not added on.
    bool passed = false;
    while (target - now > lead) {
        if (!d_->runLoop(target - lead, flags, session)) return false;
        passed = true;
        now = monotonicNs();
    }
    if (now >= target) return true;
    // A wait shorter than the lead still lets the window system in once.
    if (!passed && !d_->runLoop(now, flags, session)) return false;
    sleepUntil(target);
    return true;
}

int RealClock::at(qint64 t, std::function<void()> fn) {
    auto* timer = new QTimer;
    timer->setTimerType(Qt::PreciseTimer);
    timer->setSingleShot(true);
    const int id = d_->nextId++;
    QObject::connect(timer, &QTimer::timeout, timer, [this, id, timer, fn = std::move(fn)] {
        d_->timers.remove(id);
        timer->deleteLater();
        fn();
    });
    d_->timers.insert(id, timer);
    timer->start(int(std::clamp<qint64>(t - msNow(), 0, std::numeric_limits<int>::max())));
    return id;
}

void RealClock::cancelAt(int id) {
    if (QTimer* t = d_->timers.take(id)) t->deleteLater();
}

namespace {

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

VirtualClock::VirtualClock(double secondsAtZero)
    : msAtZero_(((std::llround(secondsAtZero * 1000.0) % kMsPerDay) + kMsPerDay) % kMsPerDay) {}

double VirtualClock::secondsSinceMidnight() {
    // In whole milliseconds, like the real clock's: a timed wait lasts exactly its length.
    return double((msAtZero_ + now_) % kMsPerDay) / 1000.0;
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
        if (frameHook_) showFramesBefore(due.t);
        now_ = std::max(now_, due.t);
        due.fn();
    }
    if (frameHook_) showFramesBefore(deadline);
    now_ = std::max(now_, deadline);
    QCoreApplication::processEvents();
    return !(session && session->cancelled);
}

namespace {
// The moment frame n is shown: the first whole millisecond at or after n / 60 s.
qint64 frameMoment(qint64 n) {
    return (n * 1000 + VirtualClock::kFramesPerSecond - 1) / VirtualClock::kFramesPerSecond;
}
} // namespace

void VirtualClock::setFrameHook(FrameHook hook) {
    frameHook_ = std::move(hook);
    nextFrame_ = 0;
    while (frameMoment(nextFrame_) < now_)
        ++nextFrame_;
}

void VirtualClock::showFramesBefore(qint64 t) {
    // A frame hook may not wait; the moments are fixed before it runs.
    while (frameMoment(nextFrame_) < t) {
        const qint64 moment = frameMoment(nextFrame_++);
        if (moment >= now_) frameHook_(moment);
    }
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
WaitStartHook waitStartHook = nullptr;

void startingWait(qint64 deadline) {
    if (waitStartHook) waitStartHook(deadline);
}

void waitOrAbort(Session& s, qint64 deadline, bool excludeInput) {
    s.check();
    startingWait(deadline);
    const bool ok = appClock().waitUntil(deadline, excludeInput, &s);
    if (!ok) s.cancelled = true;
    s.check();
}

// A wait's length in whole milliseconds, cut to the longest wait: a d below 1 becomes one
// millisecond, that is until the clock next advances.
qint64 wholeMs(double d) {
    return qint64(std::ceil(std::min(d, kLongestWaitMs)));
}
} // namespace

void setWaitStartHook(WaitStartHook hook) {
    waitStartHook = hook;
}

void pause(Session& s, double d) {
    s.check();
    // Pause(0), a negative length and not-a-number return at once.
    if (!(d > 0)) return;
    // The wait ends at the first whole-millisecond reading at or after start + d.
    waitOrAbort(s, appClock().msNow() + wholeMs(d), false);
}

void sleepPause(Session& s, double d, double n) {
    s.check();
    const qint64 start = appClock().msNow();
    // Whole milliseconds, as a blocking sleep takes them; at least one.
    const qint64 sleep = n >= 1 ? qint64(std::min(n, kLongestWaitMs)) : 1;
    while (double(appClock().msNow()) < double(start) + d) {
        waitOrAbort(s, appClock().msNow() + sleep, true);
        // Input deferred during the sleep is handled now, as after a blocking sleep.
        if (!appClock().isVirtual()) {
            startingWait(appClock().msNow());
            QCoreApplication::processEvents();
        }
        s.check();
    }
}

double elapsedAcrossMidnight(double start, double now) {
    double e = now - start;
    if (e < 0) e += 86400.0;
    return e;
}

qint64 elapsedMsAcrossMidnight(double start, double now) {
    qint64 e = std::llround(now * 1000.0) - std::llround(start * 1000.0);
    if (e < 0) e += kMsPerDay;
    return e;
}

void seconds(Session& s, double d) {
    s.check();
    if (!(d > 0)) return;
    // Whole milliseconds on both sides: the readings are whole milliseconds, and as binary
    // fractions 0.128 - 0.123 falls short of 0.005.
    const qint64 length = std::llround(std::ceil(std::min(d * 1000.0, kLongestWaitMs) - 1e-6));
    // Elapsed time is added up from reading to reading, each wait at most an hour long,
    // so a wait across one midnight or several keeps its length.
    constexpr qint64 kHourMs = 3600 * 1000;
    double last = appClock().secondsSinceMidnight();
    qint64 elapsed = 0;
    for (;;) {
        const double now = appClock().secondsSinceMidnight();
        elapsed += elapsedMsAcrossMidnight(last, now);
        last = now;
        if (elapsed >= length) return;
        waitOrAbort(s, appClock().msNow() + std::min(length - elapsed, kHourMs), false);
    }
}

void tick(Session& s) {
    s.check();
    waitOrAbort(s, appClock().msNow() + 1, false);
}

void events(Session& s) {
    s.check();
    startingWait(appClock().msNow());
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

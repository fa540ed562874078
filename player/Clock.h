#pragma once
// Every wait of the application goes through the clock service. The real clock waits in
// a local event loop that wakes shortly before the wait's absolute deadline and sleeps
// the rest, so a waiting window stays alive without spinning a core and every wait ends
// within a fraction of a millisecond of its deadline; the virtual clock replaces it in
// tests and in the tour, where a whole course plays in seconds and always the same way.

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

class QEventLoop;

// Thrown by a wait whose window has gone away. Deliberately not a std::exception, so a
// stray catch of standard exceptions cannot swallow it; Session::enter catches it.
struct Aborted {};

// The lesson code running on behalf of one window. Every entry from Qt into such code
// goes through enter(); a closed window sets the sticky cancelled flag, and every wait
// checks it, so the code unwinds to the outermost entry before the window is destroyed.
class Session {
public:
    bool cancelled = false;
    int depth = 0;
    QList<QEventLoop*> loops;         // wait loops running on behalf of this session
    QList<QPointer<QObject>> dialogs; // modal dialogs open on behalf of this session
    std::function<void()> onUnwound;  // runs when a cancelled session has fully unwound

    // Runs f as one entry from the event loop. Returns false when it was abandoned.
    template <class F> bool enter(F&& f) {
        if (cancelled) return false;
        ++depth;
        bool finished = true;
        try {
            f();
        } catch (const Aborted&) {
            finished = false;
        }
        --depth;
        if (depth == 0 && cancelled && onUnwound) {
            auto unwound = std::move(onUnwound);
            onUnwound = nullptr;
            unwound();
        }
        return finished;
    }
    // Sets the flag and ends the running wait loops; they throw Aborted when they return.
    void cancel();
    void check() const {
        if (cancelled) throw Aborted{};
    }
};

class Clock {
public:
    virtual ~Clock() = default;
    // The millisecond clock: whole milliseconds, monotonic.
    virtual qint64 msNow() = 0;
    // Seconds since midnight, with a fraction.
    virtual double secondsSinceMidnight() = 0;
    // Processes events until the millisecond clock reads at least deadline. Returns false
    // when the wait ended for another reason (its window closed, the application quit).
    virtual bool waitUntil(qint64 deadline, bool excludeUserInput, Session* session) = 0;
    // Runs fn on the event thread once the clock reaches t. Returns an id for cancelAt.
    virtual int at(qint64 t, std::function<void()> fn) = 0;
    virtual void cancelAt(int id) = 0;
    virtual bool isVirtual() const = 0;
};

// The clock of the application. The millisecond clock counts from start-up on the
// system's monotonic clock; the seconds clock is the wall clock's time of day read once at
// start-up and advanced by the millisecond clock, so both tick together and a timed wait
// of 5 ms lasts 5 ms.
class RealClock : public Clock {
public:
    // msAtStart: the seconds clock's reading at start-up in milliseconds since midnight;
    // by default the wall clock's local time of day.
    explicit RealClock(std::optional<qint64> msAtStart = std::nullopt);
    ~RealClock() override;
    qint64 msNow() override;
    double secondsSinceMidnight() override;
    bool waitUntil(qint64 deadline, bool excludeUserInput, Session* session) override;
    int at(qint64 t, std::function<void()> fn) override;
    void cancelAt(int id) override;
    bool isVirtual() const override { return false; }

    // False when the timer descriptor could not be created: waits then wake by a Qt timer
    // a little earlier and sleep a little longer, just as precisely.
    bool usesTimerDescriptor() const;
    // The moment the millisecond clock reaches ms, in nanoseconds of the monotonic clock.
    qint64 momentOf(qint64 ms) const;
    static qint64 monotonicNs();

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

Clock& appClock();
// Installs a clock (tests and the tour install a VirtualClock); returns the previous one.
std::unique_ptr<Clock> setClock(std::unique_ptr<Clock> c);

class VirtualClock : public Clock {
public:
    // secondsAtZero: the seconds-since-midnight reading at virtual time 0.
    explicit VirtualClock(double secondsAtZero = 9 * 3600.0);
    qint64 msNow() override { return now_; }
    double secondsSinceMidnight() override;
    bool waitUntil(qint64 deadline, bool excludeUserInput, Session* session) override;
    int at(qint64 t, std::function<void()> fn) override;
    void cancelAt(int id) override;
    bool isVirtual() const override { return true; }
    // Runs the callbacks due up to t and processes events, as a wait would, from outside
    // any lesson code: the test or the driver lets time pass.
    void advanceTo(qint64 t) { waitUntil(t, false, nullptr); }
    void advanceBy(qint64 d) { advanceTo(now_ + d); }
    bool hasPending() const { return !queue_.isEmpty(); }
    qint64 nextDue() const;

    // Called for every frame a display showing 60 frames a second would show while the
    // clock advances: with the frame's time, before the clock passes it, so what is drawn
    // at a moment is in the frame of that moment. None by default: time then simply jumps.
    using FrameHook = std::function<void(qint64 frameMs)>;
    void setFrameHook(FrameHook hook);
    static constexpr int kFramesPerSecond = 60;

private:
    // The frames from the next one due up to (not including) t.
    void showFramesBefore(qint64 t);
    FrameHook frameHook_;
    qint64 nextFrame_ = 0; // the number of the next frame to show
    struct Due {
        qint64 t;
        int id;
        std::function<void()> fn;
    };
    qint64 msAtZero_; // the seconds clock at virtual time 0, in whole milliseconds
    qint64 now_ = 0;
    int nextId_ = 1;
    QList<Due> queue_; // kept sorted by time, then by id
};

// Lesson waits, each checking the session before and after.
namespace waits {
// The longest single wait, in milliseconds (about 34 years): longer requests are cut to
// it, so no deadline overflows.
constexpr double kLongestWaitMs = double(qint64(1) << 40);
// Waits d milliseconds by the millisecond clock; a d below 1 lasts until the clock next
// advances, 0 or less (or not a number) returns at once.
void pause(Session& s, double d);
// The sleeping wait: sleeps n milliseconds (user input deferred, paints go on) as long
// as the clock has not passed start + d.
void sleepPause(Session& s, double d, double n);
// Waits d seconds by the seconds-since-midnight clock, across midnight. Both readings and
// d are compared in whole milliseconds.
void seconds(Session& s, double d);
// Waits for the next tick of the millisecond clock.
void tick(Session& s);
// Handles the window events pending now, once, without waiting (what is due on the clock
// runs too).
void events(Session& s);
// An empty counting loop lessons use as a tiny delay; no events are processed.
void busy(long count);
// Elapsed seconds from start to now on a clock that restarts at midnight.
double elapsedAcrossMidnight(double start, double now);
// The same in whole milliseconds, from two readings of the seconds clock.
qint64 elapsedMsAcrossMidnight(double start, double now);
// Called at the start of every wait and event pass with the moment it ends on the
// millisecond clock; the canvas windows show their held-back changes from here.
using WaitStartHook = void (*)(qint64 deadline);
void setWaitStartHook(WaitStartHook hook);
} // namespace waits

// A repeating timer on the clock service (the viewer's pacing timer).
class Pacer : public QObject {
    Q_OBJECT
public:
    explicit Pacer(QObject* parent = nullptr) : QObject(parent) {}
    ~Pacer() override { stop(); }
    void setInterval(int ms) { interval_ = ms; }
    int interval() const { return interval_; }
    void setEnabled(bool on);
    bool isEnabled() const { return enabled_; }
    void stop() { setEnabled(false); }
signals:
    void tick();

private:
    void schedule();
    int interval_ = 100;
    bool enabled_ = false;
    int pending_ = 0;
};

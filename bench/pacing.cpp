// The pacing rows on the real clock: each animated step's real time over its waits, from
// the start of its first wait to the end of its last, set against the sum of the waits
// its rows perform. A frame lasts its drawing plus its wait and nothing compensates, so
// the ratio is what the learner sees added to the intended pacing. Each row also runs with
// the other core kept busy by a spinning thread pinned to it, as on a loaded classroom PC.

#include "bench/pacing.h"
#include "bench/bench.h"
#include "player/Clock.h"
#include "player/Sound.h"
#include "player/globals.h"

#include <QGuiApplication>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <pthread.h>
#include <sched.h>
#include <thread>

namespace {

qint64 steadyNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The clock in use, recording the span of the waits made through it. A wait that is due
// already is an event pass, not a wait, and is not counted.
class SpanClock : public Clock {
public:
    explicit SpanClock(std::unique_ptr<Clock> inner) : inner(std::move(inner)) {}
    std::unique_ptr<Clock> inner;
    bool started = false;
    qint64 firstNs = 0, lastNs = 0, firstMs = 0, lastMs = 0;
    int waits = 0;

    void reset() {
        started = false;
        waits = 0;
        firstNs = lastNs = firstMs = lastMs = 0;
    }
    double realMs() const { return started ? double(lastNs - firstNs) / 1e6 : 0.0; }
    qint64 clockMs() const { return started ? lastMs - firstMs : 0; }

    qint64 msNow() override { return inner->msNow(); }
    double secondsSinceMidnight() override { return inner->secondsSinceMidnight(); }
    bool waitUntil(qint64 deadline, bool excludeUserInput, Session* session) override {
        const qint64 now = inner->msNow();
        if (deadline <= now) return inner->waitUntil(deadline, excludeUserInput, session);
        if (!started) {
            started = true;
            firstNs = steadyNs();
            firstMs = now;
        }
        const bool ok = inner->waitUntil(deadline, excludeUserInput, session);
        lastNs = steadyNs();
        lastMs = inner->msNow();
        ++waits;
        return ok;
    }
    int at(qint64 t, std::function<void()> fn) override { return inner->at(t, std::move(fn)); }
    void cancelAt(int id) override { inner->cancelAt(id); }
    bool isVirtual() const override { return inner->isVirtual(); }
};

// A thread spinning on another core than the calling thread's; both are pinned while it
// runs, so the scheduler cannot simply move the animation away from it.
class BusyCore {
public:
    bool start() {
        cpu_set_t all;
        CPU_ZERO(&all);
        if (sched_getaffinity(0, sizeof all, &all) != 0) return false;
        const int here = sched_getcpu();
        int other = -1;
        for (int c = 0; c < CPU_SETSIZE && other < 0; ++c)
            if (c != here && CPU_ISSET(c, &all)) other = c;
        if (here < 0 || other < 0) return false;
        pthread_getaffinity_np(pthread_self(), sizeof saved_, &saved_);
        cpu_set_t mine;
        CPU_ZERO(&mine);
        CPU_SET(here, &mine);
        pthread_setaffinity_np(pthread_self(), sizeof mine, &mine);
        stop_ = false;
        thread_ = std::thread([this, other] {
            cpu_set_t set;
            CPU_ZERO(&set);
            CPU_SET(other, &set);
            pthread_setaffinity_np(pthread_self(), sizeof set, &set);
            volatile unsigned long spins = 0;
            while (!stop_.load(std::memory_order_relaxed))
                spins = spins + 1;
        });
        running_ = true;
        return true;
    }
    void stop() {
        if (!running_) return;
        stop_ = true;
        thread_.join();
        pthread_setaffinity_np(pthread_self(), sizeof saved_, &saved_);
        running_ = false;
    }
    ~BusyCore() { stop(); }

private:
    std::thread thread_;
    std::atomic<bool> stop_{false};
    cpu_set_t saved_{};
    bool running_ = false;
};

struct Stats {
    double min = 0, median = 0, max = 0;
};

Stats stats(std::vector<double> v) {
    if (v.empty()) return {};
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    const double median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    return {v.front(), median, v.back()};
}

// Installs a span clock around the given one.
SpanClock* install(std::unique_ptr<Clock> inner) {
    auto span = std::make_unique<SpanClock>(std::move(inner));
    SpanClock* p = span.get();
    setClock(std::move(span));
    return p;
}

struct Options {
    bool csv = false, busy = true, tour = true;
    int runs = 5;
    const char* only = nullptr; // only the rows whose name contains this
};

Options parseOptions(int argc, char* argv[]) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--csv") == 0) o.csv = true;
        if (std::strcmp(argv[i], "--no-busy") == 0) o.busy = false;
        if (std::strcmp(argv[i], "--no-tour") == 0) o.tour = false;
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) o.runs = std::max(1, std::atoi(argv[++i]));
        if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) o.only = argv[++i];
    }
    return o;
}

std::vector<pacing::Row> chosenRows(const char* only) {
    std::vector<pacing::Row> rows;
    pacing::lightRows(rows);
    pacing::kikaRows(rows);
    pacing::waveRows(rows);
    pacing::quantumRows(rows);
    pacing::iroRows(rows);
    pacing::matterRows(rows);
    if (only)
        rows.erase(
            std::remove_if(rows.begin(), rows.end(),
                           [only](const pacing::Row& r) { return !r.name.contains(QLatin1String(only)); }),
            rows.end());
    return rows;
}

// The rows checked against the lessons: on the virtual clock a step's waits add up to
// exactly the sum of the waits it asks for.
std::vector<qint64> virtualSpans(const std::vector<pacing::Row>& rows) {
    std::vector<qint64> virtualMs;
    for (const pacing::Row& r : rows) {
        SpanClock* clock = install(std::make_unique<VirtualClock>());
        r.prepare();
        r.play();
        virtualMs.push_back(clock->clockMs());
    }
    return virtualMs;
}

// The real times of every row, run by run, idle and with the other core busy.
struct RealTimes {
    std::vector<std::vector<double>> idle, loaded;
};

// The real clock inside a span clock, for every run.
RealTimes realSpans(const std::vector<pacing::Row>& rows, const Options& o) {
    setClock(nullptr);
    SpanClock* clock = install(setClock(nullptr));
    RealTimes times{std::vector<std::vector<double>>(rows.size()),
                    std::vector<std::vector<double>>(rows.size())};
    BusyCore core;
    bool busyAvailable = o.busy;
    if (o.csv) std::printf("name,nominal_ms,real_ms\n");
    for (int run = 0; run < o.runs; ++run) {
        for (size_t i = 0; i < rows.size(); ++i) {
            const pacing::Row& r = rows[i];
            for (int withBusy = 0; withBusy <= (busyAvailable ? 1 : 0); ++withBusy) {
                r.prepare();
                clock->reset();
                if (withBusy && !core.start()) {
                    busyAvailable = false;
                    break;
                }
                r.play();
                core.stop();
                const double real = clock->realMs();
                (withBusy ? times.loaded : times.idle)[i].push_back(real);
                if (o.csv) {
                    std::printf("%s%s,%.0f,%.3f\n", qPrintable(r.name), withBusy ? " [other core busy]" : "",
                                r.nominalMs, real);
                    std::fflush(stdout);
                }
            }
        }
    }
    return times;
}

// Reports every row whose nominal differs from its step's waits; returns how many do.
int reportMismatches(const std::vector<pacing::Row>& rows, const std::vector<qint64>& virtualMs) {
    int mismatches = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (double(virtualMs[i]) == rows[i].nominalMs) continue;
        ++mismatches;
        std::fprintf(stderr,
                     "%s: the step's waits add up to %lld ms on the virtual clock, its rows to %.0f ms\n",
                     qPrintable(rows[i].name), static_cast<long long>(virtualMs[i]), rows[i].nominalMs);
    }
    return mismatches;
}

void printTable(const std::vector<pacing::Row>& rows, const RealTimes& times, int runs, int mismatches) {
    std::printf("\nPacing at gScale 1.5 on the %s platform, %d run%s: real time over each step's waits\n"
                "against the sum of the waits its rows perform (ratio 1.000 is exact)\n",
                qPrintable(QGuiApplication::platformName()), runs, runs == 1 ? "" : "s");
    std::printf("%-22s %8s %9s %7s %7s %7s | %-26s\n", "row", "nominal", "median", "min", "median", "max",
                "other core busy: min median max");
    for (size_t i = 0; i < rows.size(); ++i) {
        const Stats s = stats(times.idle[i]);
        const Stats b = stats(times.loaded[i]);
        const double n = rows[i].nominalMs;
        std::printf("%-22s %6.0fms %7.1fms %7.3f %7.3f %7.3f", qPrintable(rows[i].name), n, s.median,
                    s.min / n, s.median / n, s.max / n);
        if (!times.loaded[i].empty())
            std::printf(" | %7.3f %7.3f %7.3f\n", b.min / n, b.median / n, b.max / n);
        else
            std::printf(" | (no other core)\n");
    }
    if (!mismatches) std::printf("Every row's nominal matches its step's waits on the virtual clock.\n");
}

} // namespace

namespace bench {

int pacing(int argc, char* argv[]) {
    const Options o = parseOptions(argc, argv);

    const float scaleBefore = gScale;
    gScale = 1.5f;
    // The cues are recorded, not played: a machine without sound would otherwise time
    // its audio warnings.
    auto soundBefore = setSoundBackend(std::make_unique<RecordingSoundBackend>());

    const std::vector<pacing::Row> rows = chosenRows(o.only);
    auto previous = setClock(nullptr);
    const std::vector<qint64> virtualMs = virtualSpans(rows);
    const RealTimes times = realSpans(rows, o);
    for (const pacing::Row& r : rows)
        if (r.finish) r.finish();

    const int mismatches = reportMismatches(rows, virtualMs);
    if (!o.csv) printTable(rows, times, o.runs, mismatches);

    setClock(std::move(previous));
    setSoundBackend(std::move(soundBefore));
    gScale = scaleBefore;
    int failures = 0;
    if (o.tour && !o.csv) failures = benchPacingTour();
    return mismatches + failures ? 1 : 0;
}

} // namespace bench

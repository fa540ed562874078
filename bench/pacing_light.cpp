// How long the introduction to light's animated scenes really take on this machine, set
// against the sum of the waits they ask for. A scene lasts its drawing time plus its
// waits, and nothing compensates for slow drawing, so the difference is what the learner
// sees added to the intended pacing.

#include "app/globals.h"
#include "player/Clock.h"
#include "player/Sound.h"
#include "player/frmLight.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

namespace {

// The real clock, with every wait's requested length added up as it is asked for.
class NominalClock : public Clock {
public:
    std::unique_ptr<Clock> real;
    qint64 nominalMs = 0;
    int waits = 0;
    qint64 msNow() override { return real->msNow(); }
    double secondsSinceMidnight() override { return real->secondsSinceMidnight(); }
    bool waitUntil(qint64 deadline, bool excludeUserInput, Session* session) override {
        nominalMs += std::max<qint64>(0, deadline - real->msNow());
        ++waits;
        return real->waitUntil(deadline, excludeUserInput, session);
    }
    int at(qint64 t, std::function<void()> fn) override { return real->at(t, std::move(fn)); }
    void cancelAt(int id) override { real->cancelAt(id); }
    bool isVirtual() const override { return false; }
};

} // namespace

void benchPacingLight() {
    std::printf("\nIntroduction to light on the real clock, gScale 1.5 (sounds recorded, not played)\n");
    std::printf("%-6s %-34s %10s %10s %10s %7s\n", "step", "scene", "real ms", "waits ms", "extra ms",
                "waits");
    gScale = 1.5f;
    gAppPath = appPathFor(QCoreApplication::applicationDirPath());
    gCourseName = QStringLiteral("光とは");
    auto counting = std::make_unique<NominalClock>();
    NominalClock* clock = counting.get();
    clock->real = setClock(std::move(counting));
    auto previousSound = setSoundBackend(std::make_unique<RecordingSoundBackend>());

    frmLight& w = form<frmLight>();
    w.picMenu->hide();
    gMenuItem = 1;
    w.Tag = QStringLiteral("導入");
    gSection = 1;
    static const struct {
        int step;
        const char* scene;
    } scenes[] = {
        {1, "stars, twinkling"},    {3, "dawn dots"},         {5, "sun rays"},
        {7, "cumulus cloud"},       {8, "storm and thunder"}, {9, "downpour"},
        {10, "rainbow (no waits)"},
    };
    qint64 totalReal = 0, totalNominal = 0;
    for (const auto& s : scenes) {
        gSection = 1;
        gStep = std::int16_t(s.step);
        clock->nominalMs = 0;
        clock->waits = 0;
        QElapsedTimer t;
        t.start();
        w.run([&] { w.Intro(); });
        const qint64 real = t.elapsed();
        totalReal += real;
        totalNominal += clock->nominalMs;
        std::printf("%-6d %-34s %10lld %10lld %10lld %7d\n", s.step, s.scene, static_cast<long long>(real),
                    static_cast<long long>(clock->nominalMs), static_cast<long long>(real - clock->nominalMs),
                    clock->waits);
    }
    std::printf("%-6s %-34s %10lld %10lld %10lld\n", "all", "", static_cast<long long>(totalReal),
                static_cast<long long>(totalNominal), static_cast<long long>(totalReal - totalNominal));

    w.hide();
    setSoundBackend(std::move(previousSound));
    setClock(std::move(clock->real));
}

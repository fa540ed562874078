// How long the course makes a learner wait: the tour's items played on the virtual clock,
// with the virtual time each takes (the sum of every wait and animation, not counting the
// time the learner spends reading) and the real time the machine needed to play it.

#include "bench/bench.h"
#include "driver/Learner.h"
#include "player/Clock.h"
#include "player/Random.h"
#include "player/Sound.h"
#include "player/globals.h"

#include <QElapsedTimer>
#include <cstdio>

namespace {

const char* outcomeName(driver::Outcome o) {
    switch (o) {
    case driver::Outcome::Ended: return "";
    case driver::Outcome::HandedOver: return "(until the hand-over)";
    case driver::Outcome::Failed: return "(FAILED)";
    }
    return "";
}

QString minutes(qint64 ms) {
    return QStringLiteral("%1:%2").arg(ms / 60000).arg((ms / 1000) % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

int benchPacingTour() {
    using driver::Course;
    struct Item {
        Course course;
        int number;
        bool stopAtHandOver;
    };
    static const Item items[] = {
        {Course::Light, 1, true},   {Course::Light, 2, false},  {Course::Light, 3, false},
        {Course::Light, 4, false},  {Course::Light, 5, false},  {Course::Matter, 2, false},
        {Course::Matter, 3, false}, {Course::Matter, 4, false}, {Course::Matter, 5, false}};
    gScale = 1.5f;
    auto previousSound = setSoundBackend(std::make_unique<RecordingSoundBackend>());
    std::unique_ptr<Clock> previousClock;

    std::printf("\nThe course tour on the virtual clock at gScale 1.5 (m:ss of waits and animations)\n");
    std::printf("%6s %8s %9s  %s\n", "steps", "virtual", "real ms", "item");
    int failures = 0;
    for (Course c : {Course::Light, Course::Matter}) {
        qint64 courseVirtual = 0, courseReal = 0;
        int courseSteps = 0;
        for (const Item& it : items) {
            if (it.course != c) continue;
            auto old = setClock(std::make_unique<VirtualClock>());
            if (!previousClock) previousClock = std::move(old);
            SeedRandom(1);
            driver::Learner::Options o;
            o.stopAtHandOver = it.stopAtHandOver;
            driver::Learner learner(o);
            QElapsedTimer real;
            real.start();
            const driver::ItemRun run = learner.playItem(it.course, it.number);
            const qint64 realMs = real.elapsed();
            if (run.outcome == driver::Outcome::Failed) ++failures;
            courseVirtual += run.virtualMs;
            courseReal += realMs;
            courseSteps += run.steps;
            // Text last: Japanese names do not line up in fixed-width columns.
            std::printf("%6d %8s %9lld  %s %d %s %s\n", run.steps, qPrintable(minutes(run.virtualMs)),
                        static_cast<long long>(realMs), qPrintable(driver::courseTitle(c)), it.number,
                        qPrintable(driver::menuLabel(c, it.number)), outcomeName(run.outcome));
        }
        std::printf("%6d %8s %9lld  %s, whole course\n", courseSteps, qPrintable(minutes(courseVirtual)),
                    static_cast<long long>(courseReal), qPrintable(driver::courseTitle(c)));
        driver::Learner::closeAll();
    }
    setClock(std::move(previousClock));
    setSoundBackend(std::move(previousSound));
    return failures ? 1 : 0;
}

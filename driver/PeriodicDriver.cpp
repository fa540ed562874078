#include "driver/PeriodicDriver.h"

#include "driver/Learner.h"
#include "periodic/Form1.h"

namespace driver {

PeriodicDriver::PeriodicDriver(Learner& learner, Form1& table) : learner_(learner), t_(&table) {}

void PeriodicDriver::report(int clicks, ItemRun& run) {
    // A click answers nothing: the replies, if any, stay for the lesson step after it.
    QList<Reply> replies = std::exchange(learner_.replies_, {});
    Step s = learner_.viewerStep(Shot::Click, clicks, t_, learner_.actionStart_);
    learner_.replies_ = std::move(replies);
    if (learner_.opt_.pictures) s.picture = t_->grab().toImage();
    ++run.steps;
    learner_.emitStep(s);
}

bool PeriodicDriver::play(ItemRun& run) {
    learner_.procedure_ = QStringLiteral("Form1");
    run.procedures << learner_.procedure_;
    report(0, run);
    for (int clicks = 1; t_; ++clicks) {
        if (learner_.failed()) return false;
        if (clicks > learner_.opt_.viewerActionLimit || !t_->canGoOn()) {
            learner_.fail(QStringLiteral("the table cannot go on after %1 clicks").arg(clicks - 1));
            return false;
        }
        learner_.act(QStringLiteral("次へ %1").arg(clicks), [&] { t_->goOn(); });
        if (t_) report(clicks, run);
    }
    return !learner_.failed();
}

} // namespace driver

#include "driver/CloudDriver.h"

#include "cloud/cloudfrm.h"
#include "driver/Learner.h"
#include "player/Clock.h"

#include <algorithm>

namespace driver {

CloudDriver::CloudDriver(Learner& learner, cloudfrm& viewer)
    : learner_(learner), v_(&viewer), stageStart_(learner.actionStart_) {}

void CloudDriver::report(int stage, ItemRun& run) {
    Step s = learner_.viewerStep(Shot::Stage, stage, v_, stageStart_);
    s.picture = last_;
    ++run.steps;
    learner_.emitStep(s);
    stageStart_ = learner_.clock_.msNow();
}

void CloudDriver::reportTitle() {
    // The title page the viewer opens with gives way to the count prompt before the
    // learner can act: it has a picture of its own.
    last_ = v_->grab().toImage();
    Step title;
    title.course = learner_.course_;
    title.item = learner_.item_;
    title.shot = Shot::Title;
    title.procedure = learner_.procedure_;
    title.section = v_->stage();
    title.startMs = title.endMs = learner_.clock_.msNow();
    title.window = v_;
    title.picture = last_;
    learner_.emitStep(title);
}

void CloudDriver::typeCount() {
    const QString count = learner_.opt_.cloudCounts[std::min(counts_++, 1)];
    learner_.act(QStringLiteral("stage %1, dot count").arg(v_->stage()), [&] {
        QWidget* box = v_->countBox();
        while (!v_->countText().isEmpty())
            keyboard::press(box, Qt::Key_Backspace);
        keyboard::type(box, count);
        if (learner_.opt_.pictures) last_ = v_->grab().toImage();
        learner_.replies_.append({v_->countPrompt(), count, false});
        keyboard::press(box, Qt::Key_Return);
    });
}

bool CloudDriver::act() {
    VirtualClock& clock = learner_.clock_;
    if (clock.hasPending()) {
        // The viewer paces itself: the learner answers only once it waits.
        const qint64 due = clock.nextDue();
        learner_.act(QStringLiteral("stage %1, wait").arg(v_->stage()), [&] { clock.advanceTo(due); });
    } else if (v_->asksCount()) {
        typeCount();
    } else if (v_->asksReturn()) {
        learner_.act(QStringLiteral("stage %1, Return").arg(v_->stage()),
                     [&] { keyboard::press(v_->returnKeyTarget(), Qt::Key_Return); });
    } else {
        learner_.fail(QStringLiteral("stage %1 waits, but asks for nothing").arg(v_->stage()));
        return false;
    }
    return true;
}

bool CloudDriver::play(ItemRun& run) {
    learner_.procedure_ = QStringLiteral("cloudfrm");
    run.procedures << learner_.procedure_;
    int stage = v_->stage();
    // A stage's picture is its last look before the next stage begins: with the prompt it
    // ends on and, at a count prompt, the count typed.
    if (learner_.opt_.pictures) reportTitle();
    for (int actions = 0; v_; ++actions) {
        if (learner_.failed()) return false;
        if (actions >= learner_.opt_.viewerActionLimit) {
            learner_.fail(QStringLiteral("the viewer did not close after %1 actions").arg(actions));
            return false;
        }
        if (learner_.opt_.pictures) last_ = v_->grab().toImage();
        if (!act()) return false;
        const int now = v_ ? v_->stage() : -2;
        if (now != stage) {
            report(stage, run);
            stage = now;
        }
    }
    return !learner_.failed();
}

} // namespace driver

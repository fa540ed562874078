#pragma once
// The learner at the electron-cloud viewer: waits while it paces itself, types the dot
// counts at its prompts and presses Return at its Return prompt, until it closes; reports
// each stage as its last look before the next one begins.

#include <QImage>
#include <QPointer>

class cloudfrm;

namespace driver {

class Learner;
struct ItemRun;

class CloudDriver {
public:
    CloudDriver(Learner& learner, cloudfrm& viewer);
    // Plays the viewer to its close; false when it failed (the learner says why).
    bool play(ItemRun& run);

private:
    void reportTitle();
    void report(int stage, ItemRun& run);
    // One action of the learner; false when the viewer waits for nothing they can give.
    bool act();
    void typeCount();

    Learner& learner_;
    QPointer<cloudfrm> v_;
    int counts_ = 0; // counts typed so far
    QImage last_;    // the viewer's last look
    qint64 stageStart_ = 0;
};

} // namespace driver

#pragma once
// The learner at the periodic-table viewer: clicks "次へ" until the table closes, and
// reports the table as it opens and after every click.

#include <QPointer>

class Form1;

namespace driver {

class Learner;
struct ItemRun;

class PeriodicDriver {
public:
    PeriodicDriver(Learner& learner, Form1& table);
    // Plays the table to its close; false when it failed (the learner says why).
    bool play(ItemRun& run);

private:
    void report(int clicks, ItemRun& run);

    Learner& learner_;
    QPointer<Form1> t_;
};

} // namespace driver

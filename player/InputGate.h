#pragma once
// The gate on the learner's input. While a window's code runs (a lesson step with its
// nested navigation, a stage of a viewer), every click or key of the learner that would
// start more of that code is refused here, whatever state the buttons are in; the code's
// own calls (the title card, closing steps, chains) do not pass the gate and go on.

class InputGate {
public:
    // Runs f as an action of the learner, unless code of the window is running already;
    // returns false when the action was refused.
    template <class F> bool admit(F&& f) {
        if (depth_ > 0) {
            ++refused_;
            return false;
        }
        ++admitted_;
        Hold hold(*this);
        f();
        return true;
    }
    // Runs f as code of the window that is not the learner's (a timer tick): it always
    // runs, and the learner's actions are refused until it returns.
    template <class F> void hold(F&& f) {
        Hold hold(*this);
        f();
    }

    bool busy() const { return depth_ > 0; }
    // Learner actions refused while code ran, and learner actions that ran.
    int refused() const { return refused_; }
    int admitted() const { return admitted_; }

private:
    struct Hold {
        explicit Hold(InputGate& g) : gate(g) { ++gate.depth_; }
        ~Hold() { --gate.depth_; }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;
        InputGate& gate;
    };
    int depth_ = 0;
    int refused_ = 0;
    int admitted_ = 0;
};

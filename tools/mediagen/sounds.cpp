#include "sounds.h"

#include "media.h"
#include "rng.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace mediagen {

namespace {

using Samples = std::vector<float>;

constexpr double kRate = kSampleRate;
constexpr double kTwoPi = 2 * std::numbers::pi;

double seconds(int i) {
    return i / kRate;
}
int sampleAt(double t) {
    return int(std::lround(t * kRate));
}

// One-pole low-pass: smooths noise into rumble and hiss.
class LowPass {
public:
    explicit LowPass(double cutoffHz) : a_(std::exp(-kTwoPi * cutoffHz / kRate)) {}
    double operator()(double x) { return z_ = (1 - a_) * x + a_ * z_; }

private:
    double a_;
    double z_ = 0;
};

// What a low-pass takes away: a gentle high-pass.
class HighPass {
public:
    explicit HighPass(double cutoffHz) : low_(cutoffHz) {}
    double operator()(double x) { return x - low_(x); }

private:
    LowPass low_;
};

// Two-pole band-pass (the usual audio-cookbook biquad, 0 dB at the centre).
class BandPass {
public:
    BandPass(double centreHz, double q) {
        const double w = kTwoPi * centreHz / kRate;
        const double alpha = std::sin(w) / (2 * q);
        const double a0 = 1 + alpha;
        b0_ = alpha / a0;
        b2_ = -alpha / a0;
        a1_ = -2 * std::cos(w) / a0;
        a2_ = (1 - alpha) / a0;
    }
    double operator()(double x) {
        const double y = b0_ * x + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_;
        x1_ = x;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

private:
    double b0_, b2_, a1_, a2_;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Scales the loudest sample to `peak`.
void normalise(Samples& s, double peak) {
    float loudest = 0;
    for (float v : s)
        loudest = std::max(loudest, std::abs(v));
    if (loudest <= 0) return;
    const float k = float(peak / loudest);
    for (float& v : s)
        v *= k;
}

// Short linear fades at both ends so that no sound starts or stops with a click.
void fadeEnds(Samples& s, double inSeconds, double outSeconds) {
    const int n = int(s.size());
    const int in = std::min(n, sampleAt(inSeconds));
    const int out = std::min(n, sampleAt(outSeconds));
    for (int i = 0; i < in; ++i)
        s[i] *= float(i) / in;
    for (int i = 0; i < out; ++i)
        s[n - 1 - i] *= float(i) / out;
}

// Attack-then-exponential-decay envelope.
double pluck(double t, double attack, double decay) {
    if (t < 0) return 0;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decay);
}

// Adds a note whose partials (frequency ratio, level) decay at rates that
// grow with the ratio, as in struck bars and bells.
struct Partial {
    double ratio;
    double level;
};

void addStruck(Samples& s, double start, double frequency, double level, double decay,
               std::initializer_list<Partial> partials) {
    const int first = std::max(0, sampleAt(start));
    for (int i = first; i < int(s.size()); ++i) {
        const double t = seconds(i) - start;
        double v = 0;
        for (const Partial& p : partials) {
            const double d = decay / std::pow(p.ratio, 0.7);
            v += p.level * std::sin(kTwoPi * frequency * p.ratio * t) * pluck(t, 0.004, d);
        }
        s[i] += float(level * v);
    }
}

} // namespace

std::vector<float> synthApplause(int n) {
    // Each of a few dozen people claps at their own pace; one clap is a few
    // milliseconds of noise through a band-pass whose centre depends on the
    // hands. They start almost together and stop one by one.
    Samples out(n, 0.0f);
    Rng rng(0xA991A05E);
    const double length = seconds(n);
    constexpr int kPeople = 48;
    for (int person = 0; person < kPeople; ++person) {
        const double period = rng.range(0.13, 0.25);
        const double hands = rng.range(900, 2600);
        const double stop = length * rng.range(0.55, 1.0);
        const double loud = rng.range(0.4, 1.0);
        for (double t = rng.range(0.0, period); t < stop; t += period * rng.range(0.8, 1.2)) {
            BandPass band(hands * rng.range(0.92, 1.08), 1.6);
            const double decay = rng.range(0.003, 0.007);
            const int start = sampleAt(t);
            const int len = sampleAt(decay * 7);
            for (int i = 0; i < len && start + i < n; ++i) {
                const double e = std::exp(-seconds(i) / decay);
                out[start + i] += float(loud * e * band(rng.signedUnit()));
            }
        }
    }
    // The crowd swells quickly and dies away over the last third.
    for (int i = 0; i < n; ++i) {
        const double t = seconds(i) / length;
        const double swell = std::min(1.0, t / 0.06);
        const double fade = t < 0.55 ? 1.0 : std::pow((1 - t) / 0.45, 1.5);
        out[i] *= float(swell * fade);
    }
    normalise(out, 0.8);
    fadeEnds(out, 0.002, 0.05);
    return out;
}

std::vector<float> synthDoing(int n) {
    // A soft marimba-like "do-ing": two notes a major third apart, falling.
    Samples out(n, 0.0f);
    addStruck(out, 0.00, 329.63, 0.8, 0.30, {{1, 1.0}, {2, 0.25}, {3.9, 0.08}});
    addStruck(out, 0.22, 261.63, 1.0, 0.45, {{1, 1.0}, {2, 0.25}, {3.9, 0.08}});
    normalise(out, 0.7);
    fadeEnds(out, 0.002, 0.08);
    return out;
}

std::vector<float> synthBoing(int n) {
    // A jaw-harp twang: a rounded square-ish tone whose pitch wobbles fast at
    // first and settles while it rises a little.
    Samples out(n, 0.0f);
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = seconds(i);
        const double wobble = 0.28 * std::exp(-t / 0.22) * std::sin(kTwoPi * 13.0 * t);
        const double f = 150.0 * (1 + 0.35 * (1 - std::exp(-t / 0.25))) * (1 + wobble);
        phase += kTwoPi * f / kRate;
        const double tone = std::tanh(2.2 * std::sin(phase)) + 0.3 * std::sin(2 * phase);
        out[i] = float(tone * pluck(t, 0.006, 0.28));
    }
    LowPass soften(2500);
    for (float& v : out)
        v = float(soften(v));
    normalise(out, 0.75);
    fadeEnds(out, 0.002, 0.08);
    return out;
}

std::vector<float> synthDrip(int n) {
    // A drop falling into water: a quick upward pitch sweep that dies within
    // a few tens of milliseconds, short enough to repeat ten times a second.
    Samples out(n, 0.0f);
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = seconds(i);
        const double f = 650 + 1500 * (1 - std::exp(-t / 0.012));
        phase += kTwoPi * f / kRate;
        out[i] = float(std::sin(phase) * pluck(t, 0.0015, 0.022));
    }
    normalise(out, 0.8);
    fadeEnds(out, 0.0005, 0.01);
    return out;
}

std::vector<float> synthCannon(int n) {
    // A sharp bang, a short low boom with a falling thump, and a rumble that
    // lingers.
    Samples out(n, 0.0f);
    Rng rng(0xCA770);
    LowPass boom1(320), boom2(320), rumble1(90), rumble2(90);
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = seconds(i);
        const double noise = rng.signedUnit();
        const double crack = noise * pluck(t, 0.0003, 0.008);
        const double boom = boom2(boom1(noise)) * 6 * pluck(t, 0.002, 0.16);
        const double rumble = rumble2(rumble1(noise)) * 9 * pluck(t, 0.08, 0.55);
        // The chest thump: a sine sweeping down an octave.
        phase += kTwoPi * (38 + 50 * std::exp(-t / 0.1)) / kRate;
        const double thump = std::sin(phase) * pluck(t, 0.003, 0.18);
        out[i] = float(std::tanh(0.8 * crack + boom + rumble + 0.8 * thump));
    }
    normalise(out, 0.9);
    fadeEnds(out, 0.0005, 0.3);
    return out;
}

std::vector<float> synthThunder(int n) {
    // A bright crack made of a few bursts, then a rumble whose loudness rolls
    // in irregular waves and dies away.
    Samples out(n, 0.0f);
    Rng rng(0x7480D3E1);
    struct Roll {
        double at, width, level;
    };
    Roll rolls[7];
    for (int k = 0; k < 7; ++k)
        rolls[k] = {0.15 + k * 0.45 + rng.range(-0.1, 0.2), rng.range(0.12, 0.32), rng.range(0.35, 1.0)};
    const double crackAt[3] = {0.0, 0.055, 0.13};

    HighPass hiss(900);
    LowPass low1(140), low2(220);
    for (int i = 0; i < n; ++i) {
        const double t = seconds(i);
        const double noise = rng.signedUnit();
        double crack = 0;
        for (double at : crackAt)
            crack += pluck(t - at, 0.001, 0.04);
        double roll = 0;
        for (const Roll& r : rolls) {
            const double z = (t - r.at) / r.width;
            roll += r.level * std::exp(-z * z);
        }
        const double rumble = low2(low1(noise)) * 14 * roll * std::exp(-t / 1.9) * std::min(1.0, t / 0.08);
        out[i] = float(0.6 * hiss(noise) * crack + rumble);
    }
    normalise(out, 0.9);
    fadeEnds(out, 0.001, 0.5);
    return out;
}

std::vector<float> synthRain(int n) {
    // A steady hiss with hundreds of single drops ticking on top.
    Samples out(n, 0.0f);
    Rng rng(0x4A1702);
    HighPass bedHigh(500);
    LowPass bedLow(5500);
    for (int i = 0; i < n; ++i)
        out[i] = float(0.22 * bedLow(bedHigh(rng.signedUnit())));

    const int drops = int(seconds(n) * 190);
    for (int d = 0; d < drops; ++d) {
        const int start = rng.below(n);
        const double f = rng.range(1400, 4800);
        const double decay = rng.range(0.002, 0.007);
        const double level = 0.04 + 0.35 * std::pow(rng.uniform(), 3);
        const int len = sampleAt(decay * 6);
        for (int i = 0; i < len && start + i < n; ++i) {
            const double t = seconds(i);
            out[start + i] += float(level * std::sin(kTwoPi * f * (1 + 2 * t) * t) * std::exp(-t / decay));
        }
    }
    normalise(out, 0.75);
    fadeEnds(out, 0.4, 0.7);
    return out;
}

std::vector<float> synthFarewell(int n) {
    // A soft three-note chime, falling through a major triad to the keynote.
    Samples out(n, 0.0f);
    const std::initializer_list<Partial> bell = {
        {1, 1.0}, {2.0, 0.35}, {2.76, 0.2}, {4.07, 0.08}, {5.4, 0.04}};
    addStruck(out, 0.00, 783.99, 0.8, 0.9, bell);
    addStruck(out, 0.30, 659.25, 0.8, 0.9, bell);
    addStruck(out, 0.60, 523.25, 1.0, 1.2, bell);
    normalise(out, 0.6);
    fadeEnds(out, 0.002, 0.25);
    return out;
}

std::vector<float> synthSeikai(int n) {
    // Three quick rising notes and a ringing octave: "well done".
    Samples out(n, 0.0f);
    const std::initializer_list<Partial> bright = {{1, 1.0}, {2, 0.3}, {3, 0.15}};
    addStruck(out, 0.00, 523.25, 0.7, 0.12, bright);
    addStruck(out, 0.09, 659.25, 0.7, 0.12, bright);
    addStruck(out, 0.18, 783.99, 0.7, 0.12, bright);
    addStruck(out, 0.30, 1046.50, 0.9, 0.35, bright);
    addStruck(out, 0.30, 1318.51, 0.5, 0.35, bright);
    normalise(out, 0.75);
    fadeEnds(out, 0.002, 0.12);
    return out;
}

std::vector<float> synthZannen(int n) {
    // Three soft falling notes, the last one held with a little vibrato:
    // "never mind, try again" rather than a buzzer.
    Samples out(n, 0.0f);
    struct Note {
        double start, length, frequency;
    };
    const Note notes[] = {{0.00, 0.24, 392.00}, {0.25, 0.24, 369.99}, {0.50, 0.55, 349.23}};
    for (const Note& note : notes) {
        double phase = 0;
        const int first = sampleAt(note.start);
        const int last = std::min(n, sampleAt(note.start + note.length));
        for (int i = first; i < last; ++i) {
            const double t = seconds(i) - note.start;
            const double vibrato =
                note.length > 0.3 ? 0.012 * std::sin(kTwoPi * 5.5 * t) * std::min(1.0, t / 0.15) : 0;
            phase += kTwoPi * note.frequency * (1 + vibrato) / kRate;
            const double tone = std::sin(phase) + 0.25 * std::sin(2 * phase) + 0.12 * std::sin(3 * phase);
            const double env = std::min(1.0, t / 0.02) * std::min(1.0, (note.length - t) / 0.06) *
                               (note.length > 0.3 ? std::exp(-t / 0.6) : 1.0);
            out[i] += float(tone * env);
        }
    }
    normalise(out, 0.65);
    fadeEnds(out, 0.002, 0.05);
    return out;
}

} // namespace mediagen

#include "cloud/WaveFunction1.h"

#include "player/Canvas.h"
#include "player/Random.h"
#include "player/globals.h"

#include <QLabel>
#include <cmath>

namespace {
// The centre of every plot and cloud on the 640 x 400 canvas.
constexpr double kCentreX = 320;
constexpr double kCentreY = 200;
// Curves are plotted every 0.2 canvas units along the radius.
constexpr double kCurveStep = 0.2;
} // namespace

double WaveFunction1::fns(double R) {
    return 4 * R * R * std::exp(-2 * R);
}

double WaveFunction1::fnsf(double R) {
    return 2 * std::exp(-R);
}

double WaveFunction1::fnss(double R) {
    return 2 * R * R * (1 - R) * (1 - R) * std::exp(-2 * R);
}

double WaveFunction1::fnssf(double R) {
    return (1 - R) * std::exp(-R) / std::sqrt(2.0);
}

double WaveFunction1::sampleRadius(double (*density)(double), double xx, double vm) {
    double r = 0, p = 0, u = 0;
    do {
        r = Rnd() * xx;
        p = density(r);
        u = Rnd() * vm;
    } while (p < u);
    return r;
}

void WaveFunction1::EcloudFunction1(double a, double b) {
    // j is accumulated, not counted: the last point is wherever the sums stop below a.
    for (double j = 0; j <= a; j += kCurveStep)
        picture_.PSet(kCentreX + j, kCentreY - 150 * fns(j / b), QBColor(9));
}

void WaveFunction1::EcloudFunction2(std::int16_t a, float b) {
    for (double j = 0; j <= b; j += kCurveStep)
        picture_.PSet(kCentreX + j, kCentreY - 100 * fnsf(j / a), QBColor(10));
}

void WaveFunction1::EcloudFunction3(float xx, std::int16_t vm, std::int16_t scale1) {
    // fnss takes half the distance, so the argument runs to xx / 2 and a dot lands at twice
    // it. Sampling stops at xx (five ångström in the viewer, as far as its axes reach and
    // within the canvas's half height) instead of following the 2s tail off the drawing
    // area: the 8 % of the distribution beyond is left out, the node and both maxima are not
    // touched.
    const float half = xx / 2;
    for (int count = 1; count <= 3000; ++count) {
        counter_.setText(counterCaption(count));
        // Rejection sampling: a radius is kept with a probability proportional to the
        // 2s distribution there, so the radial density of the dots follows it.
        float r = 0;
        double p = 0;
        float u = 0;
        do {
            r = Rnd() * half;
            p = fnss(r);
            u = Rnd() * float(vm);
        } while (p < u);
        // Inside the node the wave function is positive, outside negative.
        const QRgb colour = r <= 1 ? QBColor(12) : QBColor(3);
        const float theta = Rnd() * kFullTurn;
        const double d = 2 * double(scale1) * r;
        picture_.PSet(kCentreX + d * std::cos(theta), kCentreY - d * std::sin(theta), colour);
    }
}

#pragma once
// The mathematics of the electron-cloud viewer: the radial functions of the hydrogen 1s
// and 2s states, the two 1s curve plotters and the Monte Carlo sampler of the 2s cloud.
//
// Radii are dimensionless. The 1s functions take the distance in Bohr radii; the 2s
// functions are the usual 2s expressions written with half that distance, so a 2s curve or
// cloud drawn on the axes of the 1s ones is handed half the distance and drawn at twice
// its argument: its node then stands at two Bohr radii, where the hydrogen 2s node is.
// Plots and clouds are centred on the point (320, 200) of a canvas whose user
// coordinates run from (0, 0) at the top left to (640, 400); plotted values grow upwards.

#include <QString>
#include <cstdint>

class Canvas;
class QLabel;

// The caption of the dot counter after count dots.
inline QString counterCaption(int count) {
    return QStringLiteral("count= ") + QString::number(count);
}

class WaveFunction1 {
public:
    // picture: the viewer's drawing area; counter: its dot counter label.
    WaveFunction1(Canvas& picture, QLabel& counter) : picture_(picture), counter_(counter) {}

    // 1s radial electron-number distribution r²·R1s²: 4·R²·e^(−2R). Maximum 4/e² at R = 1.
    static double fns(double R);
    // 1s radial wave function: 2·e^(−R).
    static double fnsf(double R);
    // 2s radial electron-number distribution: 2·R²·(1 − R)²·e^(−2R), R half the distance in
    // Bohr radii. Zero at the node R = 1 (two Bohr radii), outer maximum at R ≈ 2.618.
    static double fnss(double R);
    // 2s radial wave function: (1 − R)·e^(−R) / √2, R as for fnss. Changes sign at R = 1.
    static double fnssf(double R);

    // The 1s distribution in light blue, 150 canvas units per unit of value.
    // a: horizontal extent in canvas units; b: canvas units per unit of R.
    void EcloudFunction1(double a, double b);
    // The 1s wave function in light green, 100 canvas units per unit of value. Mind the
    // order, the reverse of EcloudFunction1: a is canvas units per unit of R, b the extent.
    void EcloudFunction2(std::int16_t a, float b);
    // The 2s cloud: 3000 dots, the distance drawn by rejection against fnss up to xx Bohr
    // radii with the acceptance bound vm, the angle uniform; light red inside the node (two
    // Bohr radii), cyan outside. scale1: canvas units per Bohr radius. Runs to the end
    // without letting the window system in, so the counter shows only its last value.
    void EcloudFunction3(float xx, std::int16_t vm, std::int16_t scale1);

    // A radius drawn from density on [0, xx) by rejection against the bound vm (which
    // should lie above the density's maximum there): candidates r = Rnd·xx are kept when
    // Rnd·vm <= density(r).
    static double sampleRadius(double (*density)(double), double xx, double vm);

    // The constant the sampler turns a uniform number into an angle with (a little short
    // of 2π, as the viewer always had it).
    static constexpr float kFullTurn = 6.283184f;

private:
    Canvas& picture_;
    QLabel& counter_;
};

#include "lesson/Page.h"
#include "light/wave/sections.h"

#include <cmath>

// Diffraction at two slits, the diffraction grating, and Maxwell's equations that made
// light an electromagnetic wave.

namespace light::wave {

using enum Control;

namespace {

const QRgb kWhite = QBColor(15);

// The intensity of two slits, (sin φ / φ)² (sin 8φ / sin 4φ)², scaled to 50 for the
// single-slit factor: the central maximum, 4 · 50 = 200 above the base line y 250.
double doubleSlitHeight(int i) {
    if (i == 0) return 200; // the limit of both factors at φ = 0
    const double phi = i * kDegree;
    const double single = std::sin(phi) / phi;
    const double pair = std::sin(8 * phi) / std::sin(4 * phi);
    return 50 * single * single * pair * pair;
}

void doubleSlitCurve(Page& p) {
    for (int i = -360; i <= 360; ++i) {
        p.pset(i / 2.0 + 300, 250 - doubleSlitHeight(i), QBColor(12));
        p.events();
        p.Sleep(10);
    }
}

void textColours(Page& p) {
    p.fontSize(14);
    p.fore(kWhite);
    p.back(QBColor(0));
}

// ---- steps ----

void notASum(Page& p) {
    p.cls();
    textColours(p);
    p.narrate(15, 10,
              {QStringLiteral("少し離れた二つの細いスリットによる回折光の強さは、"),
               QStringLiteral("先ほどの強さを単純に足し合わせたものにはなりません。")});
}

void twoSlitCurve(Page& p) {
    p.cls();
    p.fore(QBColor(10));
    p.print(230, 10, QStringLiteral("複スリットによる回折"));
    p.fore(kWhite);
    doubleSlitCurve(p);
}

void intensityFactor(Page& p) {
    p.cls();
    textColours(p);
    p.narrate(20, 40,
              {QStringLiteral("この強度因子で、a：スリット幅、θ：回折角、ξ = (1/2)·k·a·sin θ、"),
               QStringLiteral("D：スリットの中心間の距離、η = (1/2)·k·D·sin θ です。")});
    p.showPicture(Picture1, wholePixels(20), wholePixels(80), 450, 80, QStringLiteral("Light\\r-4.jpg"));
}

void grating(Page& p) {
    p.cls();
    p.narrate(20, 10,
              {QStringLiteral("無数のスリット（格子線）で、光を波長ごとの成分に分けられます。"),
               QStringLiteral("これを回折格子といい、分光器の分散素子として使われています。")});
}

void maxwell(Page& p) {
    p.cls();
    p.narrate(20, 10,
              {QStringLiteral("1860年代、マクスウェルは電気と磁気の性質を"),
               QStringLiteral("一つにまとめる方程式を導きました。"), QString(),
               QStringLiteral("その方程式から、光は電磁波であると考え、"),
               QStringLiteral("周波数の低い電磁波（今日の電波）の存在を予言しました。"),
               QStringLiteral("彼の死後、ヘルツがその存在を確かめました。")});
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, lesson::heading},
    {1, notASum},
    {2, twoSlitCurve},
    {3, intensityFactor},
    {4, grating},
    {5, maxwell},
};
// clang-format on

} // namespace

// Step 6 closes the section: on to light as an electromagnetic wave.
const lesson::Section doubleSlit{
    .number = 6, .topic = "回折（２）", .steps = kSteps, .heading = {"回　　折   (2)", 220}};

} // namespace light::wave

#include "lesson/Page.h"
#include "light/quantum/sections.h"

#include <cmath>

// Black-body radiation: hot bodies glow, classical physics cannot explain the spectrum
// of that glow, and Planck explains it with a smallest unit of energy, ε = hν.

namespace light::quantum {

using enum Control;

namespace {

// ---- figures ----

// The radiation graph: Planck's law per unit wavelength for eight temperatures, from
// 6000 K down by 500 K, on a linear wavelength axis with the visible band between x 375
// (400 nm) and x 460 (700 nm), 85/300 units per nanometre, so 1 μm falls at x 545 and the
// energy axis (x 300) at about 135 nm. The radiance λ^-5 / (e^(c2/λT) - 1), c2 = hc/k =
// 1.4388e-2 m K, is scaled so that the 6000 K peak (Wien: 2.898e-3 m K / 6000 K = 483 nm,
// inside the band) stands 260 units above the wavelength axis. The 330 points of each
// curve lie where the frequency form placed them (x = 600 - 30ν for ν from 10 down by
// 0.03), so the tracing keeps its pace. Traced point by point on its first page, drawn
// at once on the pages that keep it.
constexpr double kUnitsPerNm = 85.0 / 300, kZeroX = 375 - 400 * kUnitsPerNm;

double radiance(double nm, double T) {
    if (nm <= 0) return 0;
    const double um = nm / 1000;
    return 1 / (std::pow(um, 5) * (std::exp(14388 / (um * T)) - 1));
}

void wavelengthTick(Page& p, double nm, const QString& label) {
    const double x = kZeroX + kUnitsPerNm * nm;
    p.line(x, 280, x, 285);
    // Centred under its tick at every scale: the text's width is in device pixels.
    p.print(x - p.textWidth(label) / p.scale() / 2, 290, label);
}

void radiationGraph(Page& p, bool traced) {
    p.back(QBColor(0));
    p.fore(QBColor(15));
    p.fontSize(14);
    p.line(300, 1, 300, 280); // the energy axis
    p.lineTo(Device(nearestPixel(Coord(630).pixels())), Device(nearestPixel(Coord(280).pixels())));
    const double violet = kZeroX + kUnitsPerNm * 400, red = kZeroX + kUnitsPerNm * 700;
    p.line(violet, 10, violet, 280, QBColor(13)); // the violet edge of the visible band
    p.line(red, 10, red, 280, QBColor(12));       // and its red edge
    p.line(violet, 50, red, 50);
    p.print((violet + red) / 2 - p.textWidth(QStringLiteral("可視範囲")) / p.scale() / 2, 30,
            QStringLiteral("可視範囲"));
    wavelengthTick(p, 400, QStringLiteral("400nm"));
    wavelengthTick(p, 700, QStringLiteral("700nm"));
    wavelengthTick(p, 1000, QStringLiteral("1μm"));
    p.print(440, 310, QStringLiteral("波長"));
    p.print(210, 8, QStringLiteral("放射エネルギー"));

    const double top = radiance(2.8978e6 / 6000, 6000);
    float T = 6000;
    int colour = 7;
    for (int j = 1; j <= 8; ++j) {
        for (float nu = 10; nu >= 0.1f; nu -= 0.03f) {
            const double x = 600 - 30 * double(nu);
            const double E = radiance((x - kZeroX) / kUnitsPerNm, T) / top;
            p.pset(x, 280 - std::floor(260 * E), QBColor(colour));
            if (traced) p.pause(4);
        }
        if (j == 1) p.print(390, 90, QStringLiteral("T=6000K"));
        if (j == 2) p.print(420, 120, QStringLiteral("T=5500K "));
        if (j == 3) p.print(440, 150, QStringLiteral("T=5000K"));
        if (traced) p.pause(0.5);
        T -= 500;
        if (--colour == 0) colour = 7;
    }
}

// ---- steps ----

void heading(Page& p) {
    lesson::heading(p);
    p.hide(Picture1);
}

void bothNatures(Page& p) {
    p.cls();
    p.fontSize(14);
    p.fore(QBColor(15));
    p.back(QBColor(0));
    p.narrate(20, 20,
              {QStringLiteral("光は単なる粒子でも、単なる波でもありません。"),
               QStringLiteral("その両方の性質をもっていることがわかってきました。")});
}

void moltenIron(Page& p) {
    p.cls();
    p.narrate(20, 20,
              {QStringLiteral("溶鉱炉から流れ出る溶けた鉄は、白く強く輝いています。"),
               QStringLiteral("冷えるにつれて明るさは落ち、色は黄色、だいだい色、"),
               QStringLiteral("赤、暗い赤へと変わっていきます。")});
}

void stefanBoltzmann(Page& p) {
    moltenIron(p);
    p.narrate(20, {QString(), QStringLiteral("放射される全エネルギーは絶対温度の4乗に比例します。"),
                   QStringLiteral("これをシュテファン・ボルツマンの法則といいます。")});
}

void blackBodyRadiation(Page& p) {
    stefanBoltzmann(p);
    p.narrate(20, {QString(), QStringLiteral("高温の物体が出す電磁波の放射を黒体放射といいます。")});
}

void tracedGraph(Page& p) {
    p.cls();
    p.fontSize(14);
    radiationGraph(p, true);
}

void classicalFailure(Page& p) {
    p.cls();
    radiationGraph(p, false);
    p.narrate(1, 22,
              {QStringLiteral("放射エネルギーの波長分布を、"),
               QStringLiteral("ニュートン力学とマクスウェルの"),
               QStringLiteral("電磁気学で説明する試みは多く"),
               QStringLiteral("ありましたが、成功しませんでした。")});
}

void planckQuantum(Page& p) {
    classicalFailure(p);
    p.narrate(
        1, {QString(), QStringLiteral("1900年、プランクはエネルギーの"),
            QStringLiteral("やりとりに最小の単位があると"), QStringLiteral("仮定すると、測定された波長"),
            QStringLiteral("分布が説明できることを発見しま"), QStringLiteral("した。最小の量は ε = hν で、"),
            QStringLiteral("h をプランク定数といいます。")});
}

void specificHeat(Page& p) {
    planckQuantum(p);
    p.narrate(1, {QString(), QStringLiteral("このエネルギー量子の仮説は"),
                  QStringLiteral("固体の比熱の理論にも応用され、"),
                  QStringLiteral("説明できなかった事実を説明して、"),
                  QStringLiteral("自然の本質を表すと認められました。")});
}

// A blank line, the line that announces the formula, and the formula's picture under the
// graph. One blank line, not two: with the gothic's line height the announcement would
// otherwise run under the picture. The colours are set again to the values they have,
// which erases nothing. At the smaller scales the unscaled column already reaches the
// picture's place, and the picture would cover the graph's wavelength axis: there the page
// turns, and the announcement and the formula stand alone at its top.
void radiationFormula(Page& p) {
    specificHeat(p);
    const QString announcement = QStringLiteral("放射エネルギーは次の式で表されます。");
    const Device pictureTop = wholePixels(280);
    if (p.lineTop() + 2 * p.lineHeight() > pictureTop.px) {
        p.cls();
        p.narrate(1, 22, {announcement});
        p.fore(QBColor(15));
        p.back(QBColor(0));
        p.showPicture(Picture1, wholePixels(1), Device(std::ceil(p.lineTop() + p.lineHeight() / 2)), 450, 45,
                      QStringLiteral("Light\\r-3.jpg"));
        return;
    }
    p.narrate(1, {QString(), announcement});
    p.fore(QBColor(15));
    p.back(QBColor(0));
    p.showPicture(Picture1, wholePixels(1), pictureTop, 450, 45, QStringLiteral("Light\\r-3.jpg"));
}

// The summary stays where it is at every scale: its places are device pixels.
void smallestUnit(Page& p) {
    p.cls();
    p.print(Device(150), Device(100), QStringLiteral("エネルギーには最小の単位があるのです。"));
    p.print();
    p.print();
    p.pieces(Device(180), {{QStringLiteral("それは"), 15},
                           {QStringLiteral("ε = hν"), 10},
                           {QStringLiteral(" という関係で見いだされました。"), 15}});
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, heading},
    {1, bothNatures},
    {2, moltenIron},
    {3, stefanBoltzmann},
    {4, blackBodyRadiation},
    {5, tracedGraph},
    {6, classicalFailure},
    {7, planckQuantum},
    {8, specificHeat},
    {9, radiationFormula},
    {10, smallestUnit},
};
// clang-format on

} // namespace

// Step 11 closes the section: on to the Compton effect.
const lesson::Section blackBody{
    .number = 1, .topic = "黒体放射", .steps = kSteps, .heading = {"黒  体  放  射", 220}};

} // namespace light::quantum

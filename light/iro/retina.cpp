#include "lesson/Page.h"
#include "light/iro/sections.h"

// The molecular process in the retina: light turns 11-cis-retinal into all-trans-retinal,
// and the change of shape stimulates the optic nerve.

namespace light::iro {

namespace {

const QString kRhodopsin = QStringLiteral("ロドプシンは、11-シス-レチナールと桿体オプシンの結合体です。");
const QString kCisName = QStringLiteral("11-シス-レチナール");

// The cis form's name at x 500, or where it would run past the right edge (the font is
// not scaled, the canvas is), ending just inside it. Printed over in black at the same
// place when the form goes.
Coord cisNameX(const Page& p) {
    const double right = p.deviceWidth() - 2;
    return Coord(500).pixels() + p.textWidth(kCisName) <= right
               ? Coord(500)
               : Coord(Device(right - p.textWidth(kCisName)));
}

// The cis end's "O", left of the double bond's end where the unscaled letter would reach
// under it by more than its side bearing.
Coord cisOxygenX(const Page& p) {
    const double right = Coord(395).pixels() - 1;
    return Coord(385).pixels() + p.textWidth(QStringLiteral("O")) <= right + 3
               ? Coord(385)
               : Coord(Device(right - p.textWidth(QStringLiteral("O"))));
}

// ---- figures ----

// The ring and the chain up to carbon 11, in white.
void ringAndChain(Page& p) {
    const QRgb c = QBColor(15);
    p.line(290, 50, 300, 70, c);
    p.polyline(c, {310, 50, 300, 70, 278, 85, 278, 110, 300, 125, 322, 110, 322, 85, 300, 70});
    p.line(320, 110, 320, 85, c);
    p.line(322, 110, 338, 123, c);
    p.polyline(c, {322, 85, 340, 70, 360, 85, 380, 70, 400, 85, 420, 70, 440, 85});
    p.line(380, 70, 380, 50, c);
    p.line(340, 73, 359, 87, c);
    p.line(380, 73, 399, 87, c);
    p.line(420, 73, 439, 87, c);
}

// The end bent at carbon 11 (cis), in the colour given: grey to draw it, black to erase it.
void bentEnd(Page& p, QRgb c) {
    p.polyline(c, {440, 85, 440, 110, 418, 125, 418, 150, 396, 165});
    p.line(440, 107, 417, 123, c);
    p.line(418, 147, 395, 162, c);
    p.line(440, 110, 456, 123, c);
}

// The straightened end (all-trans).
void straightEnd(Page& p) {
    const QRgb c = QBColor(7);
    p.polyline(c, {440, 85, 460, 70, 480, 85, 500, 70, 520, 85});
    p.line(380, 70, 380, 50, c);
    p.line(460, 70, 460, 50, c);
    p.line(460, 73, 479, 87, c);
    p.line(500, 73, 519, 87, c);
}

void cisRetinal(Page& p) {
    ringAndChain(p);
    p.print(cisOxygenX(p), 155, QStringLiteral("O"));
    bentEnd(p, QBColor(7));
    p.fore(QBColor(7));
    p.print(cisNameX(p), 100, kCisName);
    p.fore(QBColor(15));
}

const QString kAbsorbed = QStringLiteral("光を吸収すると、11番目の炭素のところで異性化して、");

// The line on absorbing light, under the molecule: whole where it ends left of the cis
// end's "O"; at the smaller scales (the font is not scaled) broken after its comma, so it
// does not run over the bent end. Its rows, the last one's top and where it ends, in
// device pixels.
struct Absorbed {
    QStringList rows;
    double lastTop = 0, end = 0;
};
Absorbed absorbedLayout(const Page& p) {
    const double left = Coord(20).pixels(), top = Coord(150).pixels();
    if (left + p.textWidth(kAbsorbed) < Coord(380).pixels())
        return {{kAbsorbed}, top, left + p.textWidth(kAbsorbed)};
    const qsizetype comma = kAbsorbed.indexOf(QChar(0x3001)) + 1;
    const QString second = kAbsorbed.mid(comma);
    return {{kAbsorbed.left(comma), second}, top + p.lineHeight(), left + p.textWidth(second)};
}

// The sentence goes on at x 350 on the line's last row, or, where the unscaled line ends
// past that, right after it, or on the next row where the canvas is too narrow for both.
void absorbedContinued(Page& p, const QString& rest) {
    const Absorbed a = absorbedLayout(p);
    const double gap = p.averageCharWidth() / 2;
    if (a.end + gap <= Coord(350).pixels())
        p.print(350, Device(a.lastTop), rest);
    else if (a.end + gap + p.textWidth(rest) <= p.deviceWidth() - 4)
        p.print(Device(a.end + gap), Device(a.lastTop), rest);
    else
        p.print(20, Device(a.lastTop + p.lineHeight()), rest);
}

// ---- steps ----

void rhodopsin(Page& p) {
    contentPage(p);
    cisRetinal(p);
    p.print(20, 10, kRhodopsin);
    const Absorbed a = absorbedLayout(p);
    p.at(20, 150);
    for (const QString& row : a.rows)
        p.narrate(20, {row});
}

// The cis end, its "O", its name and the first line go black; the trans form takes their place.
void isomerised(Page& p) {
    rhodopsin(p);
    p.fore(QBColor(0));
    p.print(cisOxygenX(p), 155, QStringLiteral("O"));
    p.print(cisNameX(p), 100, kCisName);
    p.print(20, 10, kRhodopsin);
    bentEnd(p, QBColor(0));
    straightEnd(p);
    p.fore(QBColor(7));
    p.print(520, 80, QStringLiteral("O"));
    p.print(340, 10, QStringLiteral("オールトランス-レチナール"));
    absorbedContinued(p, QStringLiteral("全トランス型のアルデヒドとなり、"));
    p.print(200, 200, QStringLiteral("この構造の変化が視神経を刺激するのです。"));
}

void vitaminA(Page& p) {
    p.cls();
    p.print(0, 0, QStringLiteral("レチナールはビタミンＡから作られ、不足すると視力が弱まります。"));
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, lesson::heading},
    {1, rhodopsin},
    {2, isomerised},
    {3, vitaminA},
};
// clang-format on

} // namespace

const lesson::Section retina{
    .number = 7, .topic = "網膜の分子過程", .steps = kSteps, .heading = {"網膜の中の分子過程", 200}};

} // namespace light::iro

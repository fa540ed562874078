#include "lesson/Page.h"
#include "light/wave/sections.h"

#include <algorithm>
#include <cmath>

// Diffraction at a single slit: the wavelets behind a narrow slit, a second slit opened
// beside it, and the intensity a single slit casts on a screen.

namespace light::wave {

using enum Control;

namespace {

const QRgb kWhite = QBColor(15);
const QRgb kYellow = QBColor(14);

// ---- figures ----

void walls(Page& p) {
    p.box(295, 1, 300, 140, kWhite);
    p.box(295, 146, 300, 300, kWhite);
}

// A wave coming in from the left along the axis y, and the wavelets behind its slit.
void incomingWave(Page& p, double y, bool paced) {
    for (int i = 1; i <= 250; ++i) {
        p.pset(i + 50, y - 3 * std::sin(10 * kDegree * i), kYellow);
        if (paced) p.pause(0.005);
    }
}
void slitWavelets(Page& p, double y, bool paced) {
    for (int k = 1; k <= 15; ++k) {
        p.arc(300, y, 10 * k, kYellow, 4.71239, 1.5708);
        if (paced) p.pause(0.01);
    }
}

void secondSlit(Page& p) {
    p.solidFill(QBColor(0));
    p.box(295, 150, 300, 158, QBColor(0), Filled);
    p.fillStyle(FillStyles::Transparent);
    p.line(295, 150, 300, 150, kWhite);
    p.line(295, 158, 300, 158, kWhite);
}

void screen(Page& p) {
    p.solidFill(kWhite);
    p.box(430, 1, 620, 340, kWhite, Filled);
    p.fillStyle(FillStyles::Transparent);
}

// (sin φ / φ)² across the screen, its maximum at x 599 on y 150 and its first zeros at
// y 60 and 240. φ = 0 itself has no point.
void singleSlitCurve(Page& p, bool paced) {
    for (int i = -360; i <= 360; ++i) {
        if (i == 0) continue;
        const double phi = i * kDegree;
        const double v = 13 * std::sin(phi) / phi;
        p.pset(430 + v * v, i / 2.0 + 150, QBColor(12));
        if (paced) p.pause(0.003);
    }
}

void textColours(Page& p) {
    p.fillStyle(FillStyles::Transparent); // the walls are outlines only
    p.fontSize(14);
    p.fore(kWhite);
    p.back(QBColor(0));
}

void oneSlit(Page& p, bool paced) {
    p.cls();
    textColours(p);
    p.print(15, 10, QStringLiteral("光が細いスリットに入ってきたとします。"));
    walls(p);
    incomingWave(p, 143, paced);
    slitWavelets(p, 143, paced);
}

void secondOpened(Page& p) {
    oneSlit(p, false);
    p.print(15, 160, QStringLiteral("そのすぐ近くに、もう一つスリットを開けてみます。"));
    secondSlit(p);
}

void twoSlits(Page& p, bool paced) {
    secondOpened(p);
    incomingWave(p, 151, paced);
    slitWavelets(p, 151, paced);
}

// What the screen shows, told under the slits: the first line with the screen, the next
// three with the single slit's curve, the last two with the wavelength.
const QString kNarration[] = {
    QStringLiteral("これをスクリーンに映すと、光の強さは右の図のようになります。"),
    QStringLiteral("この赤い曲線は、幅の狭い単スリットによる回折光の強さです。"),
    QStringLiteral("中央の明るい部分の幅は、スリットの幅によって変わります。"),
    QStringLiteral("スリットを広げると狭くなり、狭めると広くなります。"),
    QStringLiteral("中央の幅は光の波長によっても変わり、"),
    QStringLiteral("波長が長いほど広くなります。"),
};

// A narration line as the rows it takes left of the screen: broken after its last comma
// that leaves a head short enough.
QStringList rowsOf(const Page& p, const QString& line, double room) {
    if (p.textWidth(line) <= room) return {line};
    for (qsizetype i = line.size() - 1; i > 0; --i)
        if (line[i - 1] == QChar(0x3001) && p.textWidth(line.left(i)) <= room)
            return {line.left(i), line.mid(i)};
    return {line};
}

// The rows of the narration's first `count` lines where the page as laid out has no room
// for them, and the top of the first: wrapped short of the screen and standing just above
// the navigation row, never above the first line's place. Where even so they would reach
// the second slit's line, the first lines are left out, as a page scrolls on: the screen
// and its curve show what they said.
struct Block {
    QStringList rows;
    double top = 0;
};
Block compactBlock(const Page& p, int count) {
    const double room = Coord(430).pixels() - 2;
    const double floor = Coord(160).pixels() + p.lineHeight();
    for (int first = 0;; ++first) {
        Block b;
        for (int i = first; i < count; ++i)
            b.rows += rowsOf(p, kNarration[i], room);
        b.top = std::min(Coord(280).pixels(), p.buttonsTop() - b.rows.size() * p.lineHeight());
        if (b.top >= floor || first == count - 1) return b;
    }
}

// At the larger scales the lines stand where the page puts them, the first at y 280 and
// the rest from 300, each step adding its own. Where they would run under the screen (the
// font is not scaled) they stand as a compact block, which each step prints anew: the
// rows of the step before are printed over in black first.
void narration(Page& p, int shown, int count) {
    bool fits = true;
    for (int i = 0; i < count; ++i)
        fits = fits && p.textWidth(kNarration[i]) <= Coord(430).pixels() - 2;
    if (fits) {
        for (int i = shown; i < count; ++i) {
            if (i < 2) p.at(0, i == 0 ? 280 : 300);
            p.narrate(0, {kNarration[i]});
        }
        return;
    }
    const auto printRows = [&p](const Block& b) {
        p.at(0, Device(b.top));
        for (const QString& row : b.rows)
            p.narrate(0, {row});
    };
    if (shown > 0) {
        const QRgb ink = p.foreColour();
        p.fore(QBColor(0));
        printRows(compactBlock(p, shown));
        p.fore(ink);
    }
    printRows(compactBlock(p, count));
}

void projected(Page& p) {
    twoSlits(p, false);
    narration(p, 0, 1);
}

void onScreen(Page& p) {
    projected(p);
    screen(p);
}

void slitWidth(Page& p) {
    onScreen(p);
    singleSlitCurve(p, false);
    narration(p, 1, 4);
}

// ---- steps ----

void narrowSlit(Page& p) {
    oneSlit(p, true);
}

void secondSlitStep(Page& p) {
    secondOpened(p);
}

void bothSlits(Page& p) {
    twoSlits(p, true);
}

void pattern(Page& p) {
    projected(p);
}

void screenStep(Page& p) {
    onScreen(p);
}

void intensity(Page& p) {
    onScreen(p);
    singleSlitCurve(p, true);
}

void width(Page& p) {
    slitWidth(p);
}

void wavelength(Page& p) {
    slitWidth(p);
    narration(p, 4, 6);
}

// The formula picture is wider than the window at every scale: the window cuts it off
// at its right edge, where nothing of the formula is. It stands under the narration,
// lower where the unscaled font takes more of the page.
void intensityFactor(Page& p) {
    p.cls();
    p.fore(kWhite);
    p.back(QBColor(0));
    p.print(20, 10, QStringLiteral("この回折強度の因子は次の式で表されます。"));
    p.print();
    p.narrate(20, {QStringLiteral("a：スリットの幅、θ：回折角、ξ = (1/2)・k・a・sin θ")});
    const double top = std::max(wholePixels(60).px, std::ceil(p.lineTop()));
    p.showPicture(Picture1, wholePixels(20), Device(top), 1000, 80, QStringLiteral("Light\\r-2.jpg"));
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, lesson::heading},
    {1, narrowSlit},
    {2, secondSlitStep},
    {3, bothSlits},
    {4, pattern},
    {5, screenStep},
    {6, intensity},
    {7, width},
    {8, wavelength},
    {9, intensityFactor},
};
// clang-format on

} // namespace

// Step 10 closes the section: on to the double slit, without a title card.
const lesson::Section singleSlit{
    .number = 5, .topic = "回折（１）", .steps = kSteps, .heading = {"回　  折   (1)", 220}};

} // namespace light::wave

#include "lesson/Page.h"
#include "light/intro/sections.h"
#include "player/Random.h"
#include "player/Sound.h"

#include <cmath>

// The introduction to light: scenes of nature from the night sky to the rainbow, then the
// questions the course will answer. The scenes are drawn straight on the window; the foot
// of each one, from y 300 down, carries its narration.

namespace light::intro {

namespace {

constexpr double kDegree = 3.141592 / 180;

// ---- figures ----

// One star field, made afresh for every step that shows it.
struct StarField {
    float x[101], y[101]; // device pixels
    std::int16_t colour[101];
    float radius[101];
};

void drawStar(Page& p, const StarField& s, int i) {
    const QRgb c = QBColor(s.colour[i]);
    p.fillColour(c);
    p.circle(Device(s.x[i]), Device(s.y[i]), Device(s.radius[i]), c);
}

// A hundred stars in random places, sizes and colours, then fifty twinkles in which
// every star changes colour. The first night scene takes its time; the dawn scene draws
// its own new sky at once.
void starrySky(Page& p, bool paced) {
    StarField s;
    p.fillStyle(FillStyles::Solid);
    for (int i = 1; i <= 100; ++i) {
        s.x[i] = 600 * p.scale() * Rnd();
        s.y[i] = 200 * p.scale() * Rnd();
        s.colour[i] = std::int16_t(15 * Rnd());
        s.radius[i] = 3 * p.scale() * Rnd();
        drawStar(p, s, i);
        if (paced) p.pause(0.01);
    }
    for (int n = 50; n >= 1; --n) {
        Page::busy(5000);
        for (int i = 1; i <= 100; ++i) {
            s.colour[i] = std::int16_t((n + i) % 15);
            drawStar(p, s, i);
        }
        if (paced) p.pause(0.1, 100);
    }
}

void nightNarration(Page& p) {
    p.print(10, 330, QStringLiteral("夜空には満天の星が輝いています。"));
}

// The waning moon: a yellow disc with a larger black one over its right side.
void waningMoon(Page& p) {
    p.box(0, 330, 639, 399, QBColor(0), Filled);
    p.print(10, 330, QStringLiteral("南東の空に右側が大きく欠けた月。太陽の位置がわかりますね。"));
    p.solidFill(QBColor(14));
    p.circle(530, 30, 40, QBColor(14));
    p.fillColour(QBColor(0));
    p.circle(560, 1, 70, QBColor(0));
}

// The eastern sky pales: white dots, thickest near the horizon.
void dawnDots(Page& p) {
    for (int pass = 1; pass <= 1000; ++pass) {
        for (int k = 0; k < 3; ++k) {
            const double u1 = Rnd(), u2 = Rnd(), u3 = Rnd();
            p.pset(10 + 600 * u1, 300 - 150 * u2 * std::cos(90 * u3 * kDegree), QBColor(15));
        }
        p.pause(0.004);
    }
}

// Daybreak: bands of morning glow, the sun half risen behind the red ground.
void daybreak(Page& p) {
    p.box(0, 120, 639, 220, QBColor(5), Filled);
    p.box(0, 220, 639, 280, QBColor(12), Filled);
    p.box(0, 280, 639, 300, QBColor(7), Filled);
    p.solidFill(QBColor(12));
    p.circle(150, 350, 70, QBColor(12));
    p.box(0, 300, 639, 399, QBColor(4), Filled);
    // The caption keeps the colour it has when the scene is reached by Next, also when the
    // rays of the next scene (drawn in yellow) are left with Back one.
    p.fore(QBColor(15));
    p.print(10, 330, QStringLiteral("夜明けです。太陽が少し顔を出し、空が朝焼けに染まります。"));
}

// One sun ray: a yellow triangle outlined with three connected lines and filled from a
// seed inside it.
struct Ray {
    double x1, y1, x2, y2, x3, y3; // the corners, back to the first
    double seedX, seedY;
};
constexpr Ray kRays[5] = {
    {1, 220, 125, 284, 1, 190, 10, 220},      // low on the left
    {10, 10, 140, 280, 30, 10, 20, 20},       // steep, to the top left
    {160, 10, 155, 280, 190, 10, 180, 20},    // straight up
    {400, 10, 170, 280, 450, 10, 400, 20},    // to the top right
    {639, 140, 200, 290, 639, 180, 600, 170}, // flat, to the right
};

void sunRay(Page& p, const Ray& r) {
    p.line(r.x1, r.y1, r.x2, r.y2);
    p.lineTo(r.x3, r.y3);
    p.lineTo(r.x1, r.y1);
    p.fill(r.seedX, r.seedY, QBColor(14), QBColor(14));
}

void sunRays(Page& p) {
    p.fore(QBColor(14));
    sunRay(p, kRays[0]);
    p.pset(10, 250, QBColor(13));
    for (int k = 1; k < 5; ++k) {
        p.pause(0.5);
        sunRay(p, kRays[k]);
    }
}

// The sun is up: a deep blue sky over the caption strip.
void blueSky(Page& p) {
    p.box(0, 0, 639, 330, QBColor(9), Filled);
    p.box(0, 300, 639, 399, QBColor(0), Filled);
    p.fore(QBColor(15));
    p.print(10, 330, QStringLiteral("太陽がすっかり昇ると、空は吸い込まれるような青になります。"));
}

// The cumulus cloud grows out of nine white discs.
struct Puff {
    double x, y, r;
};
constexpr Puff kPuffs[9] = {
    {450, 50, 10}, {430, 50, 30}, {450, 70, 40}, {480, 60, 30}, {500, 40, 20},
    {450, 35, 70}, {410, 30, 10}, {400, 50, 50}, {500, 50, 50},
};

void cumulusCloud(Page& p, bool paced) {
    p.box(0, 300, 639, 399, QBColor(0), Filled);
    p.print(10, 330, QStringLiteral("突然、空の一か所が曇りはじめ、積雲がむくむくとわいてきました。"));
    p.solidFill(QBColor(15));
    for (int k = 0; k < 9; ++k) {
        p.circle(kPuffs[k].x, kPuffs[k].y, kPuffs[k].r, QBColor(15));
        if (paced && k < 8) p.pause(0.5, 300);
    }
}

// The storm: the cloud turns grey, the sky black, three bolts of lightning, and the
// thunder follows the flash.
void thunderstorm(Page& p) {
    p.fill(530, 50, QBColor(7), QBColor(9));
    p.fill(10, 10, QBColor(0), QBColor(7));
    p.fore(QBColor(15));
    p.print(18, 330, QStringLiteral("稲妻が走り、激しい雷鳴がとどろきます。"));
    const QRgb lightning = QBColor(14);
    p.polyline(lightning, {345, 50, 250, 150, 280, 150, 150, 300});
    Page::busy(10000);
    p.polyline(lightning, {500, 110, 560, 200, 545, 195, 600, 300});
    Page::busy(10000);
    p.polyline(lightning, {430, 120, 400, 200, 430, 190, 390, 300, 440, 300, 450, 175, 410, 190, 430, 120});
    p.fill(400, 280, QBColor(14), QBColor(14));
    p.events(); // the flash is on the screen before the sound
    // The thunder is opened at once and played after a pause, so the cue's command
    // sequence is written out here.
    MMControl& mm = soundPlayer();
    mm.Command(QStringLiteral("Close"));
    mm.DeviceType = QStringLiteral("WaveAudio");
    mm.FileName = mediaPath(QStringLiteral("wave\\雷1.wav"));
    mm.Command(QStringLiteral("Open"));
    p.pause(0.1, 800); // thunder comes after the lightning
    mm.Command(QStringLiteral("Play"));
}

// The downpour: three hundred streaks, each shown for a moment and wiped out again. The
// streaks are placed in device pixels, from the top row of the window.
void downpour(Page& p) {
    for (int k = 1; k <= 300; ++k) {
        const double x = 600 * p.scale() * Rnd();
        const double dx = 10 * p.scale() * Rnd() - 5;
        const double y2 = 300 * p.scale() * Rnd();
        p.line(Device(x), Device(1), Device(x + dx), Device(y2), QBColor(15));
        p.pause(0.001);
        p.line(Device(x), Device(1), Device(x + dx), Device(y2), QBColor(0));
        p.pause(0.1, 20);
    }
}

// The rainbow: half circles about (250, 300), the red band widest and outermost.
void rainbow(Page& p) {
    struct Band {
        double r;
        int colour, width;
    };
    static constexpr Band bands[6] = {{170, 13, 5}, {175, 9, 5},  {180, 11, 5},
                                      {185, 10, 5}, {190, 14, 5}, {200, 12, 15}};
    for (const Band& b : bands) {
        p.drawWidth(b.width);
        p.arc(250, 300, b.r, QBColor(b.colour), 0, 3.14159);
    }
    p.drawWidth(1);
}

// ---- steps ----

void nightSky(Page& p) {
    p.cls();
    p.fontSize(14);
    p.fore(QBColor(15));
    p.back(QBColor(0));
    nightNarration(p);
    starrySky(p, true);
}

// Drawn over the night sky.
void moon(Page& p) {
    waningMoon(p);
}

void dawn(Page& p) {
    p.cls();
    p.fontSize(14);
    p.fore(QBColor(15));
    p.back(QBColor(0));
    nightNarration(p);
    starrySky(p, false);
    waningMoon(p);
    p.box(0, 330, 639, 399, QBColor(8), Filled);
    p.print(10, 330, QStringLiteral("夜明けが近づき、東の空が白んできました。"));
    dawnDots(p);
}

void sunrise(Page& p) {
    p.cls();
    daybreak(p);
}

void sunbeams(Page& p) {
    p.cls();
    daybreak(p);
    sunRays(p);
}

void morningSky(Page& p) {
    p.cls();
    blueSky(p);
}

void cloudGrows(Page& p) {
    p.cls();
    blueSky(p);
    cumulusCloud(p, true);
}

void storm(Page& p) {
    p.cls();
    blueSky(p);
    cumulusCloud(p, false);
    thunderstorm(p);
}

void rain(Page& p) {
    p.cls();
    p.cue(QStringLiteral("wave\\Rain02.wav"));
    p.print(18, 330, QStringLiteral("土砂降りの雨になりました。"));
    downpour(p);
}

void afterTheRain(Page& p) {
    p.cls();
    p.print(18, 330, QStringLiteral("雨がやむと西から光が差し、東の空に美しい虹がかかりました。"));
    rainbow(p);
}

void questions(Page& p) {
    p.cls();
    p.narrate(18, 10, {QStringLiteral("私たちは自然の事物やその色の美しさに感動します。"), QString()});
    p.pieces(18, {{QStringLiteral("上で見た色の移り変わりを")},
                  {QStringLiteral("光")},
                  {QStringLiteral("の立場から考えてみましょう。")}});
    p.print();
    p.narrate(18, {QStringLiteral("なぜ朝焼けや夕焼けの空は赤く、昼間の空は青いのでしょうか。"), QString(),
                   QStringLiteral("虹の七色はどのようにして生まれるのでしょうか。"), QString(),
                   QStringLiteral("さあ、光の性質について学んでいきましょう。"), QString()});
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, lesson::heading},
    {1, nightSky},
    {2, moon, lesson::DrawnOver},
    {3, dawn},
    {4, sunrise},
    {5, sunbeams},
    {6, morningSky},
    {7, cloudGrows},
    {8, storm},
    {9, rain},
    {10, afterTheRain},
    {11, questions},
};
// clang-format on

} // namespace

// Step 12 ends the item.
const lesson::Section scenes{
    .number = 1, .topic = "自然の光景", .steps = kSteps, .heading = {"光　　と　　は", 220}};

} // namespace light::intro

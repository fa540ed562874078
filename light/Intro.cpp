#include "app/Random.h"
#include "app/globals.h"
#include "light/figures.h"
#include "player/Sound.h"
#include "player/frmLight.h"

#include <cmath>

// The introduction to light: scenes of nature from the night sky to the rainbow, then the
// questions the course will answer. The scenes are drawn straight on the window; the foot
// of each one, from y 300 down, carries its narration.

namespace {

constexpr double kDegree = 3.141592 / 180;

// One star field, made afresh for every step that shows it.
struct StarField {
    float x[101], y[101]; // device pixels
    std::int16_t colour[101];
    float radius[101];
};

void drawStar(frmLight& w, const StarField& s, int i) {
    const QRgb c = QBColor(s.colour[i]);
    w.FillColor = c;
    w.Circle(s.x[i], s.y[i], s.radius[i], c);
}

// A hundred stars in random places, sizes and colours, then fifty twinkles in which
// every star changes colour. The first night scene takes its time; the dawn scene draws
// its own new sky at once.
void starrySky(frmLight& w, bool paced) {
    StarField s;
    w.FillStyle = FillStyles::Solid;
    for (int i = 1; i <= 100; ++i) {
        s.x[i] = 600 * gScale * Rnd();
        s.y[i] = 200 * gScale * Rnd();
        s.colour[i] = std::int16_t(15 * Rnd());
        s.radius[i] = 3 * gScale * Rnd();
        drawStar(w, s, i);
        if (paced) w.Pause(0.01);
    }
    for (int n = 50; n >= 1; --n) {
        frmLight::Busy(5000);
        for (int i = 1; i <= 100; ++i) {
            s.colour[i] = std::int16_t((n + i) % 15);
            drawStar(w, s, i);
        }
        if (paced) w.Pause(0.1, 100);
    }
}

void nightNarration(frmLight& w) {
    PrintAt(w, 10, 330, QStringLiteral("夜空には満天の星が輝いています。"));
}

// The waning moon: a yellow disc with a larger black one over its right side.
void waningMoon(frmLight& w) {
    w.Line(S(0), S(330), S(639), S(399), QBColor(0), LineMode::BoxFilled);
    PrintAt(w, 10, 330, QStringLiteral("南東の空に右側が大きく欠けた月。太陽の位置がわかりますね。"));
    w.FillStyle = FillStyles::Solid;
    w.FillColor = QBColor(14);
    w.Circle(S(530), S(30), S(40), QBColor(14));
    w.FillColor = QBColor(0);
    w.Circle(S(560), S(1), S(70), QBColor(0));
}

// The eastern sky pales: white dots, thickest near the horizon.
void dawnDots(frmLight& w) {
    for (int pass = 1; pass <= 1000; ++pass) {
        for (int k = 0; k < 3; ++k) {
            const double u1 = Rnd(), u2 = Rnd(), u3 = Rnd();
            w.PSet(S(10 + 600 * u1), S(300 - 150 * u2 * std::cos(90 * u3 * kDegree)), QBColor(15));
        }
        w.Pause(0.004);
    }
}

// Daybreak: bands of morning glow, the sun half risen behind the red ground.
void daybreak(frmLight& w) {
    w.Line(S(0), S(120), S(639), S(220), QBColor(5), LineMode::BoxFilled);
    w.Line(S(0), S(220), S(639), S(280), QBColor(12), LineMode::BoxFilled);
    w.Line(S(0), S(280), S(639), S(300), QBColor(7), LineMode::BoxFilled);
    w.FillStyle = FillStyles::Solid;
    w.FillColor = QBColor(12);
    w.Circle(S(150), S(350), S(70), QBColor(12));
    w.Line(S(0), S(300), S(639), S(399), QBColor(4), LineMode::BoxFilled);
    // The caption keeps the colour it has when the scene is reached by Next, also when the
    // rays of the next scene (drawn in yellow) are left with Back one.
    w.ForeColor = QBColor(15);
    PrintAt(w, 10, 330, QStringLiteral("夜明けです。太陽が少し顔を出し、空が朝焼けに染まります。"));
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

void sunRay(frmLight& w, const Ray& r) {
    w.Line(S(r.x1), S(r.y1), S(r.x2), S(r.y2));
    w.LineTo(S(r.x3), S(r.y3));
    w.LineTo(S(r.x1), S(r.y1));
    FillAt(w, r.seedX, r.seedY, QBColor(14), QBColor(14));
}

void sunRays(frmLight& w) {
    w.ForeColor = QBColor(14);
    sunRay(w, kRays[0]);
    w.PSet(S(10), S(250), QBColor(13));
    for (int k = 1; k < 5; ++k) {
        w.Pause(0.5);
        sunRay(w, kRays[k]);
    }
}

// The sun is up: a deep blue sky over the caption strip.
void blueSky(frmLight& w) {
    w.Line(S(0), S(0), S(639), S(330), QBColor(9), LineMode::BoxFilled);
    w.Line(S(0), S(300), S(639), S(399), QBColor(0), LineMode::BoxFilled);
    w.ForeColor = QBColor(15);
    PrintAt(w, 10, 330, QStringLiteral("太陽がすっかり昇ると、空は吸い込まれるような青になります。"));
}

// The cumulus cloud grows out of nine white discs.
struct Puff {
    double x, y, r;
};
constexpr Puff kPuffs[9] = {
    {450, 50, 10}, {430, 50, 30}, {450, 70, 40}, {480, 60, 30}, {500, 40, 20},
    {450, 35, 70}, {410, 30, 10}, {400, 50, 50}, {500, 50, 50},
};

void cumulusCloud(frmLight& w, bool paced) {
    w.Line(S(0), S(300), S(639), S(399), QBColor(0), LineMode::BoxFilled);
    PrintAt(w, 10, 330, QStringLiteral("突然、空の一か所が曇りはじめ、積雲がむくむくとわいてきました。"));
    w.FillStyle = FillStyles::Solid;
    w.FillColor = QBColor(15);
    for (int k = 0; k < 9; ++k) {
        w.Circle(S(kPuffs[k].x), S(kPuffs[k].y), S(kPuffs[k].r), QBColor(15));
        if (paced && k < 8) w.Pause(0.5, 300);
    }
}

void polyline(frmLight& w, QRgb colour, std::initializer_list<double> xy) {
    const double* p = xy.begin();
    w.Line(S(p[0]), S(p[1]), S(p[2]), S(p[3]), colour);
    for (p += 4; p < xy.end(); p += 2)
        w.LineTo(S(p[0]), S(p[1]), colour);
}

// The storm: the cloud turns grey, the sky black, three bolts of lightning, and the
// thunder follows the flash.
void thunderstorm(frmLight& w) {
    FillAt(w, 530, 50, QBColor(7), QBColor(9));
    FillAt(w, 10, 10, QBColor(0), QBColor(7));
    w.ForeColor = QBColor(15);
    PrintAt(w, 18, 330, QStringLiteral("稲妻が走り、激しい雷鳴がとどろきます。"));
    const QRgb lightning = QBColor(14);
    polyline(w, lightning, {345, 50, 250, 150, 280, 150, 150, 300});
    frmLight::Busy(10000);
    polyline(w, lightning, {500, 110, 560, 200, 545, 195, 600, 300});
    frmLight::Busy(10000);
    polyline(w, lightning, {430, 120, 400, 200, 430, 190, 390, 300, 440, 300, 450, 175, 410, 190, 430, 120});
    FillAt(w, 400, 280, QBColor(14), QBColor(14));
    waits::events(w.session); // the flash is on the screen before the sound
    MMControl& mm = soundPlayer();
    mm.Command(QStringLiteral("Close"));
    mm.DeviceType = QStringLiteral("WaveAudio");
    mm.FileName = mediaPath(QStringLiteral("wave\\雷1.wav"));
    mm.Command(QStringLiteral("Open"));
    w.Pause(0.1, 800); // thunder comes after the lightning
    mm.Command(QStringLiteral("Play"));
}

// The downpour: three hundred streaks, each shown for a moment and wiped out again.
void downpour(frmLight& w) {
    for (int k = 1; k <= 300; ++k) {
        const double x = 600 * gScale * Rnd();
        const double dx = 10 * gScale * Rnd() - 5;
        const double y2 = 300 * gScale * Rnd();
        w.Line(x, 1, x + dx, y2, QBColor(15));
        w.Pause(0.001);
        w.Line(x, 1, x + dx, y2, QBColor(0));
        w.Pause(0.1, 20);
    }
}

// The rainbow: half circles about (250, 300), the red band widest and outermost.
void rainbow(frmLight& w) {
    struct Band {
        double r;
        int colour, width;
    };
    static constexpr Band bands[6] = {{170, 13, 5}, {175, 9, 5},  {180, 11, 5},
                                      {185, 10, 5}, {190, 14, 5}, {200, 12, 15}};
    for (const Band& b : bands) {
        w.DrawWidth = b.width;
        w.Circle(S(250), S(300), S(b.r), QBColor(b.colour), 0, 3.14159);
    }
    w.DrawWidth = 1;
}

void closingPage(frmLight& w) {
    auto line = [&w](const QString& text) {
        w.CurrentX = S(18);
        w.Print(text);
        w.Print();
    };
    w.CurrentY = S(10);
    line(QStringLiteral("私たちは自然の事物やその色の美しさに感動します。"));
    w.CurrentX = S(18);
    w.PrintPiece(QStringLiteral("上で見た色の移り変わりを"));
    w.PrintPiece(QStringLiteral("光"));
    w.Print(QStringLiteral("の立場から考えてみましょう。"));
    w.Print();
    line(QStringLiteral("なぜ朝焼けや夕焼けの空は赤く、昼間の空は青いのでしょうか。"));
    line(QStringLiteral("虹の七色はどのようにして生まれるのでしょうか。"));
    line(QStringLiteral("さあ、光の性質について学んでいきましょう。"));
}

} // namespace

void frmLight::Intro() {
    Picture1->hide();
    CommandButton_Enabled(false);
    switch (gSection) {
    case 0: GetItemTitle(QStringLiteral("導　　入")); break;
    case 1:
        switch (gStep) {
        case 0:
            Cls();
            ForeColor = QBColor(14);
            setBackColor(QBColor(0));
            FontSize = 32;
            PrintAt(*this, 220, 150, QStringLiteral("光　　と　　は"));
            break;
        case 1:
            Cls();
            FontSize = 14;
            ForeColor = QBColor(15);
            setBackColor(QBColor(0));
            nightNarration(*this);
            starrySky(*this, true);
            break;
        case 2: waningMoon(*this); break;
        case 3:
            Cls();
            FontSize = 14;
            ForeColor = QBColor(15);
            setBackColor(QBColor(0));
            nightNarration(*this);
            starrySky(*this, false);
            waningMoon(*this);
            Line(S(0), S(330), S(639), S(399), QBColor(8), LineMode::BoxFilled);
            PrintAt(*this, 10, 330, QStringLiteral("夜明けが近づき、東の空が白んできました。"));
            dawnDots(*this);
            break;
        case 4:
            Cls();
            daybreak(*this);
            break;
        case 5:
            Cls();
            daybreak(*this);
            sunRays(*this);
            break;
        case 6:
            Cls();
            blueSky(*this);
            break;
        case 7:
            Cls();
            blueSky(*this);
            cumulusCloud(*this, true);
            break;
        case 8:
            Cls();
            blueSky(*this);
            cumulusCloud(*this, false);
            thunderstorm(*this);
            break;
        case 9:
            Cls();
            PlaySound(QStringLiteral("wave\\Rain02.wav"));
            PrintAt(*this, 18, 330, QStringLiteral("土砂降りの雨になりました。"));
            downpour(*this);
            break;
        case 10:
            Cls();
            PrintAt(*this, 18, 330,
                    QStringLiteral("雨がやむと西から光が差し、東の空に美しい虹がかかりました。"));
            rainbow(*this);
            break;
        case 11:
            Cls();
            closingPage(*this);
            break;
        case 12:
            Cls();
            if (gMenuItem == 1) {
                // The whole course: geometric optics follows with its own title card.
                Tag = QStringLiteral("幾何光学");
                SetCaption(QStringLiteral("      "));
                gSection = 0;
                gStep = 0;
                Kika();
            } else {
                picMenu->show();
            }
            break;
        default: break;
        }
        break;
    default: break;
    }
    CommandButton_Enabled(true);
}

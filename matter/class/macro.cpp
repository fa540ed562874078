#include "lesson/Page.h"
#include "matter/class/sections.h"
#include "matter/figures.h"
#include "player/Random.h"

#include <algorithm>
#include <cmath>

// The macro world: from the Sun and its planets out to the stars, our galaxy and the
// groups of galaxies, the sizes of it all at a human scale, and the forces that build
// every level of matter.
//
// LastStep remembers the last galaxy step drawn (10, 11, 12, 13, 14 and 16 write it), so
// a step reached again from a later one redraws what it otherwise finds on the canvas
// and draws its galaxy at once instead of dot by dot.

namespace matter::klass {

using enum Control;

namespace {

int sgn(double v) {
    return (v > 0) - (v < 0);
}

// ---- figures ----

// The Sun and the four inner orbits, 100 units to the astronomical unit.
void innerOrbits(Page& p) {
    p.back(QBColor(0));
    p.drawWidth(1);
    p.solidFill(QBColor(14));
    p.circle(320, 200, 5, QBColor(14));
    p.fillStyle(FillStyles::Transparent);
    for (double r : {40.0, 70.0, 100.0, 150.0})
        p.ellipse(320, 200, r, QBColor(2), 0.3);
}

struct Planet {
    double x, y, r;
    int colour;
};
constexpr Planet kPlanets[] = {
    {350, 208, 4, 13},   // Mercury
    {300, 220, 9.5, 10}, // Venus
    {220, 200, 10, 9},   // the Earth
    {420, 235, 5.3, 12}, // Mars
    {150, 50, 112, 10},  // Jupiter, its disc beyond the window's top edge
};

// The inner orbits with Jupiter's and one planet on each.
void planets(Page& p) {
    innerOrbits(p);
    p.ellipse(320, 200, 520, QBColor(2), 0.3);
    p.fillStyle(FillStyles::Solid);
    for (const Planet& planet : kPlanets) {
        p.fillColour(QBColor(planet.colour));
        p.circle(planet.x, planet.y, planet.r, QBColor(planet.colour));
    }
}

// One dot of the asteroid belt: an oval ring around the inner orbits, widest along the
// horizontal axis.
void beltDot(Page& p) {
    const double u1 = Rnd(), u2 = Rnd(), u3 = Rnd(), u4 = Rnd();
    const double w = 160 + 30 * u3 * sgn(0.5 - u2) * std::cos(1.570796 * u1);
    const double phi = 6.283184 * u4;
    const double s = 0.95 + 0.6 * 0.5 * (std::cos(2 * phi) + 1);
    p.pset(320 + w * s * std::cos(phi), 200 + w * s * std::sin(phi) * 400 / 640, QBColor(13));
}

// 2000 pairs of belt dots; paced, a clock tick after each pair.
void asteroidBelt(Page& p, bool paced) {
    for (int i = 0; i < 2000; ++i) {
        beltDot(p);
        beltDot(p);
        if (paced) p.tick();
    }
}

// Everything of step 5: the planets, the belt, the labels and the strip of names.
void innerPlanets(Page& p) {
    planets(p);
    asteroidBelt(p, false);
    p.fore(QBColor(15));
    p.print(180, 330, QStringLiteral("小惑星帯より内側の惑星を地球型惑星といいます．"));
    p.line(320, 200, 639, 50);
    p.line(374, 150, 374, 173);
    p.line(600, 50, 600, 67);
    p.print(350, 130, QStringLiteral("1.0 AU"));
    // The strip of names below would cover (580, 30) at every scale: the label stands
    // just under the strip, ending left of its tick at x = 600 and of the line from the
    // Sun, which climbs to the right.
    const QString au = QStringLiteral("5.2 AU");
    const double s = p.scale();
    const double top = std::lround(10 * s) + 50 + 2;
    const double lineRight = 320 + (200 - (top + 20) / s) * 319 / 150;
    p.print(Device(std::min(597.0, lineRight - 3) * s - p.textWidth(au)), Device(top), au);
    p.backColour(Picture1, QBColor(0));
    p.showPicture(Picture1, 350, 10, 600, 50, QStringLiteral("Material\\bs-150.jpg"));
}

// The outer solar system, 5 units to the astronomical unit: the inner planets' orbits as
// small circles, the asteroid ring, the outer orbits and Halley's comet.
void outerSolarSystem(Page& p, bool paced) {
    p.fillStyle(FillStyles::Transparent);
    p.circle(320, 200, 1.95, QBColor(5));
    p.circle(320, 200, 3.6, QBColor(2));
    p.circle(320, 200, 5, QBColor(1));
    p.circle(320, 200, 7.6, QBColor(4));
    for (int i = 0; i < 300; ++i) {
        const double u1 = Rnd(), u2 = Rnd(), u3 = Rnd(), u4 = Rnd();
        const double r = 5 * 2.8 + std::cos(1.570796 * u1) * sgn(0.5 - u2) * u3 * 3;
        const double phi = 6.283184 * u4;
        p.pset(320 + r * std::cos(phi), 200 + r * std::sin(phi), QBColor(5));
        if (paced) p.seconds(0.01);
    }
    for (double r : {26.0, 47.95, 96.0, 150.5})
        p.circle(320, 200, r, QBColor(6));
    p.circle(370, 180, 197.5, QBColor(6)); // Pluto's orbit, off centre
    // The comet's ellipse, traced once and about a radian further.
    const double A = 15.70796 / 8;
    bool first = true;
    for (double t = 0; t <= 7.283184; t += 3.141592 / 32) {
        const double x = 290 + 100 * std::cos(A) * std::cos(t) - 30 * std::sin(A) * std::sin(t);
        const double y = 130 - (100 * std::sin(A) * std::cos(t) + 30 * std::cos(A) * std::sin(t));
        if (first)
            p.pset(x, y, QBColor(6));
        else
            p.lineTo(x, y, QBColor(6));
        first = false;
        if (paced) p.seconds(0.01);
    }
}

// The bulge at the centre of our galaxy, 3000 dots: a third on the centre point, the rest
// over a disc of radius 80, densest in the middle.
void bulge(Page& p, bool paced) {
    for (int i = 0; i < 3000; ++i) {
        const double a = 80 * Rnd();
        const double k = std::nearbyint(std::cos(1.570796 * Rnd()));
        const double phi = 6.283184 * Rnd();
        const double r = k * a;
        p.pset(320 + r * std::cos(phi), 200 + r * std::sin(phi), QBColor(13));
        if (paced) p.seconds(0.002);
    }
}

void ourGalaxy(Page& p, int mode, bool pacedBulge) {
    p.back(QBColor(0));
    matter::galaxy(p, 1.0472, -0.523599, 320, 200, 30, 13, mode);
    bulge(p, pacedBulge);
    p.fore(QBColor(6));
    p.print(200, 30, QStringLiteral("これがわれわれの銀河系です．"));
}

// Four galaxies of other shapes and sizes; paced, a second after each of the first three.
void galaxies(Page& p, bool paced) {
    matter::galaxy(p, 0.523599, -0.523599, 200, 150, 5, 14, 0);
    if (paced) p.seconds(1);
    matter::galaxy(p, 1.22173, 0.174533, 400, 100, 15, 12, 0);
    if (paced) p.seconds(1);
    matter::galaxy(p, 0.785398, 0.785398, 480, 250, 3, 9, 0);
    if (paced) p.seconds(1);
    matter::galaxy(p, 1.39626, 0.0872664, 300, 260, 20, 10, 0);
}

// The Sun as a ball of 1 cm and the Earth beside it.
void sunAndEarth(Page& p, bool paced) {
    p.solidFill(QBColor(14));
    p.circle(20, 11, 3, QBColor(14));
    p.print(30, 4, QStringLiteral("太陽を直径１cmの球とすると，"));
    if (paced) p.seconds(2);
    p.pset(20, 27, QBColor(6));
    p.print(30, 20, QStringLiteral("地球は，その1/109の0.1mmの球になります．"));
}

// Step 16's models: Pluto's distance and the nearest star's, each run out in dots.
void sunToStar(Page& p, bool paced) {
    sunAndEarth(p, false);
    p.circle(20, 48, 3, QBColor(14));
    p.circle(42, 48, 1, QBColor(4));
    p.print(100, 40, QStringLiteral("太陽から冥王星までは43mです．"));
    for (int i = 0; i <= 10; ++i) {
        p.pset(20 + 2 * i, 48, p.foreColour());
        if (paced) p.seconds(0.2);
    }
    if (paced) p.seconds(2);
    p.circle(20, 68, 3, QBColor(14));
    p.fillColour(QBColor(4));
    p.circle(222, 68, 3, QBColor(4));
    p.print(240, 60, QStringLiteral("一番近い恒星は290km先，東京－名古屋ほど．"));
    for (int i = 0; i <= 100; ++i) {
        p.pset(20 + 2 * i, 68, p.foreColour());
        if (paced) p.seconds(0.05);
    }
}

struct ForceRow {
    double y;
    const char* bound;
    const char* carrier;
    const char* result;
    double resultX;
    const char* force;
    const char* range;
};
// The carriers' names are padded with ideographic spaces to line up their masses.
constexpr ForceRow kForces[] = {
    {100, "クォーク", "グルオン　(0)", "陽子，中性子", 270, "カラー力", "10(-13)"},
    {130, "陽子，中性子", "パイ中間子(135)", "原子核", 280, "核力", "<10(-13)"},
    {160, "原子核，電子", "光子　　　(0)", "原子", 280, "クーロン力", "∞"},
    {190, "原子", "電子　　(0.5) ", "分子", 280, "化学結合", "<10(-7)"},
    {220, "マクロ物質", "重力子　  (0)", "天体系", 280, "重力", "∞"},
};

void forcesTable(Page& p) {
    p.fore(QBColor(5));
    p.print(200, 10, QStringLiteral("自然界の物質の階層構造を作る力"));
    const QRgb frame = QBColor(2);
    p.box(3, 30, 620, 260, frame);
    p.line(3, 80, 620, 80, frame);
    for (double x : {120.0, 260.0, 395.0, 495.0})
        p.line(x, 30, x, 260, frame);
    p.fore(QBColor(0));
    p.narrate(10, 40, {QStringLiteral("力で結び付く"), QStringLiteral("粒子，物質")});
    p.narrate(130, 40, {QStringLiteral("力を発生する"), QStringLiteral("粒子(質量:MeV)")});
    p.narrate(270, 40, {QStringLiteral("その結果できる"), QStringLiteral("粒子，物質")});
    p.print(410, 40, QStringLiteral("力の名前"));
    p.print(510, 40, QStringLiteral("力の及ぶ範囲"));
    p.narrate(520, {QStringLiteral("(cm)")});
    for (const ForceRow& row : kForces) {
        p.print(20, row.y, QString::fromUtf8(row.bound));
        p.print(130, row.y, QString::fromUtf8(row.carrier));
        p.print(row.resultX, row.y, QString::fromUtf8(row.result));
        p.print(410, row.y, QString::fromUtf8(row.force));
        p.print(510, row.y, QString::fromUtf8(row.range));
    }
}

// ---- steps ----

// Circles of growing size and changing colour wind out along a logarithmic spiral.
// The circles keep the line width the explosion of the micro world left (2), also when
// Back one comes here from step 2, which sets 1.
void spiral(Page& p) {
    p.cls();
    p.drawWidth(2);
    p.fontSize(14);
    p.back(QBColor(0));
    p.fillStyle(FillStyles::Solid);
    int c = 1, k = 1;
    for (int v = 100; v <= 3000; v += 20) {
        const double R = 2 * std::exp(0.0174533 * (0.1 * v));
        const double theta = 0.0174533 * v;
        p.fillColour(QBColor(15 - k));
        p.circle(320 + R * std::cos(theta), 200 + R * std::sin(theta), R / 5, QBColor(15 - k));
        c = c + 1;
        k = (c % 15) + 1;
        p.seconds(0.01);
    }
}

void sunAndOrbits(Page& p) {
    p.cls();
    innerOrbits(p);
}

void withPlanets(Page& p) {
    p.cls();
    planets(p);
}

void belt(Page& p) {
    p.cls();
    p.hide(Picture1);
    planets(p);
    asteroidBelt(p, true);
}

void innerPlanetsNamed(Page& p) {
    p.cls();
    innerPlanets(p);
}

// Light leaves the Sun and reaches the Earth's orbit in about eight minutes.
void lightToTheEarth(Page& p) {
    p.cls();
    innerPlanets(p);
    for (int i = 1; i <= 50; ++i) {
        p.pset(320 + 2 * i, 200, QBColor(14));
        p.cue(QStringLiteral("wave\\音.wav"));
        p.seconds(0.1);
    }
    p.print(160, 250, QStringLiteral("太陽から地球まで，光でも約８分かかります．"));
}

void outerPlanets(Page& p) {
    p.cls();
    p.removePicture(Picture1);
    p.back(QBColor(0));
    outerSolarSystem(p, true);
}

// The outer planets named, and light running the width of the solar system.
void acrossTheSolarSystem(Page& p) {
    p.cls();
    p.hide(Picture1);
    p.back(QBColor(0));
    outerSolarSystem(p, false);
    p.fore(QBColor(15));
    p.print(450, 1, QStringLiteral("冥王星（準惑星）"));
    p.print(400, 70, QStringLiteral("海王星"));
    p.print(380, 130, QStringLiteral("天王星"));
    p.print(350, 200, QStringLiteral("土星"));
    p.print(305, 220, QStringLiteral("木星"));
    p.print(280, 130, QStringLiteral("ハレー彗星"));
    p.print(10, 20, QStringLiteral("小惑星帯より外側の惑星を木星型惑星といいます．"));
    p.line(170, 350, 520, 350);
    for (int i = 0; i <= 10; ++i)
        p.line(170 + 35 * i, 340, 170 + 35 * i, 350);
    p.print(165, 330, QStringLiteral("0"));
    p.print(340, 330, QStringLiteral("50"));
    p.print(495, 330, QStringLiteral("100億km"));
    p.fore(QBColor(14));
    p.print(130, 340, QStringLiteral("光→"));
    for (int i = 0; i <= 105; ++i) {
        p.pset(170 + 3.8 * i, 340, QBColor(14));
        if (i % 5 == 0) {
            p.cue(QStringLiteral("\\wave\\音.wav"));
            p.seconds(0.1);
        }
    }
    p.seconds(0.1);
    p.fore(QBColor(15));
    p.narrate(10, 60,
              {QStringLiteral("冥王星の軌道の直径，約80 AU（約120億km）を"),
               QStringLiteral("太陽系の大きさとすると，光がこれを横切るのに"),
               QStringLiteral("約11時間かかります．")});
}

void nearbyStars(Page& p) {
    p.cls();
    p.back(QBColor(0));
    p.fillStyle(FillStyles::Transparent);
    p.fore(QBColor(15));
    p.narrate(10, 10,
              {QStringLiteral("太陽系は，太陽と惑星，小惑星，彗星，ガスなどの集まりです．"),
               QStringLiteral("太陽は恒星の一つで，夜空に輝く星の仲間です．"),
               QStringLiteral("太陽から10光年以内には，７つの星系に11個の恒星があります．"), QString()});
    p.fore(QBColor(3));
    p.narrate(10, {QStringLiteral("１光年は光が１年間に進む距離で，約9.5兆kmです．")});
    p.fore(QBColor(15));
    p.line(90, 200, 550, 200);
    p.line(320, 50, 320, 350);
    p.ellipse(320, 200, 100, QBColor(2), 0.5);
    p.ellipse(320, 200, 200, QBColor(2), 0.6);
    p.fillStyle(FillStyles::Solid);
    struct Star {
        double x, y;
        int colour;
    };
    static constexpr Star kStars[] = {{320, 200, 6}, {380, 230, 2}, {420, 165, 5}, {500, 180, 4},
                                      {150, 190, 4}, {150, 210, 3}, {240, 280, 2}, {190, 265, 7}};
    for (const Star& s : kStars) {
        p.fillColour(QBColor(s.colour));
        p.circle(s.x, s.y, 3, QBColor(s.colour));
    }
    p.print(300, 205, QStringLiteral("太陽系"));
    p.print(415, 190, QStringLiteral("5"));
    p.print(512, 190, QStringLiteral("10光年"));
    p.print(325, 235, QStringLiteral("ケンタウルス座α星"));
    p.print(150, 270, QStringLiteral("シリウス"));
    p.narrate(1, 340,
              {QStringLiteral("一番近い恒星はケンタウルス座α星で，4.3光年の距離です．"),
               QStringLiteral("シリウスまでは8.7光年です．")});
}

void starGroups(Page& p) {
    p.cls();
    p.back(QBColor(0));
    p.fore(QBColor(15));
    p.print(150, 150, QStringLiteral("このような恒星は部分的な集団をつくり，"));
    // The continuation starts 20 character columns in from the left edge.
    const double column = p.averageCharWidth();
    p.narrate(Device(20 * column), {QStringLiteral("全体で約2000億個の恒星が一つの集団をつくります．")});
    p.setLastStep(10);
}

// Reached forwards, the galaxy grows dot by dot; reached again from a later step, at once.
void galaxyStep(Page& p) {
    p.cls();
    ourGalaxy(p, p.lastStep() < 11 ? 1 : 0, true);
    p.setLastStep(11);
}

// Where the Sun lies in the galaxy. Reached forwards it adds to the galaxy step 11 left on
// the canvas; reached again from a later step it draws that galaxy first, at once.
void whereTheSunIs(Page& p) {
    if (p.lastStep() > 12) {
        p.cls();
        ourGalaxy(p, 0, false);
    }
    p.solidFill(QBColor(14));
    p.circle(220, 250, 3, QBColor(14));
    p.fore(QBColor(15));
    p.line(150, 380, 530, 230);
    for (int i = 0; i <= 10; ++i)
        p.line(150 + 38 * i, 380 - 16 * i, 150 + 38 * i, 390 - 16 * i);
    p.print(335, 310, QStringLiteral("0"));
    p.print(510, 200, QStringLiteral("5万光年"));
    p.line(30, 80, 210, 240);
    p.print(10, 60, QStringLiteral("太陽系は銀河系の中心から約３万光年のところにあります．"));
    p.setLastStep(12);
}

void otherGalaxies(Page& p) {
    p.cls();
    p.back(QBColor(0));
    galaxies(p, true);
    p.setLastStep(13);
}

// The groups of galaxies, line by line. Reached forwards from step 13 the text stands
// alone; only coming back from a later step shows the galaxies behind it.
void groupsOfGalaxies(Page& p) {
    p.cls();
    p.back(QBColor(0));
    if (p.lastStep() > 14) galaxies(p, false);
    p.fore(QBColor(15));
    const QString lines[] = {
        QStringLiteral("銀河もまた集団をつくっています．"),
        QStringLiteral("近くには大小マゼラン雲，おおぐま座銀河などがあります．"),
        QString(),
        QStringLiteral("アンドロメダ銀河までの距離は約250万光年です．"),
        QStringLiteral("これら数十個の銀河は局部銀河群をつくり，直径は約600万光年です．"),
        QString(),
        QStringLiteral("局部銀河群のまわりには，さらに大きな銀河の集団が分布しています．"),
        QStringLiteral("50以上のこのような集団が局部超銀河団をつくっています．"),
        QStringLiteral("その長径は約３億光年と推定されています．"),
        QString(),
        QStringLiteral("超銀河団はつながって，宇宙の大規模構造をつくると考えられています．"),
    };
    p.at(1, 1);
    const QString& last = lines[std::size(lines) - 1];
    for (const QString& line : lines) {
        p.narrate(1, {line});
        if (!line.isEmpty() && &line != &last) p.seconds(1);
    }
    p.setLastStep(14);
}

void sunAsABall(Page& p) {
    p.cls();
    p.back(QBColor(0));
    p.fore(QBColor(15));
    sunAndEarth(p, true);
}

void distancesAtThatScale(Page& p) {
    p.cls();
    p.back(QBColor(0));
    p.fontSize(14);
    p.fore(QBColor(15));
    sunToStar(p, true);
    p.setLastStep(16);
}

// The galaxy at the scale of the 1 cm Sun, and the whole universe against it.
void theGalaxyAtThatScale(Page& p) {
    p.back(QBColor(0));
    p.cls();
    p.fontSize(14);
    p.fore(QBColor(15));
    sunToStar(p, false);
    p.fillColour(QBColor(14));
    p.circle(20, 88, 3, QBColor(10));
    p.circle(222, 148, 3, QBColor(4));
    p.print(240, 140, QStringLiteral("銀河系の直径は680万km，地球170周分です．"));
    p.fore(QBColor(10));
    for (double y : {88.0, 108.0, 128.0})
        for (int i = 0; i <= 300; ++i) {
            p.pset(20 + 2 * i, y, QBColor(10));
            p.seconds(0.01);
        }
    for (int i = 0; i <= 100; ++i) {
        p.pset(20 + 2 * i, 148, QBColor(10));
        p.seconds(0.01);
    }
    p.fontSize(20);
    p.fore(QBColor(14));
    // The line's height is left in device pixels: at larger scales it stands higher.
    p.print(100, p.aboveButtons(Device(350)), QStringLiteral("138億光年の宇宙は，銀河系の14万倍です．"));
}

void forces(Page& p) {
    p.cls();
    p.fontSize(14);
    p.back(QBColor(15));
    p.fillStyle(FillStyles::Transparent);
    forcesTable(p);
}

void strangeRegularity(Page& p) {
    forces(p);
    p.fore(QBColor(12));
    p.print(17, 280, QStringLiteral("何か不思議な規則性，法則を感じませんか？"));
    p.fore(QBColor(6));
    p.print();
    p.narrate(17, {QStringLiteral("ところで，人と人とを結び付けている物質的な力は何でしょう？"),
                   QStringLiteral("魅力？　それとも政治力？")});
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, lesson::heading},
    {1, spiral},
    {2, sunAndOrbits},
    {3, withPlanets},
    {4, belt},
    {5, innerPlanetsNamed},
    {6, lightToTheEarth},
    {7, outerPlanets},
    {8, acrossTheSolarSystem},
    {9, nearbyStars},
    {10, starGroups},
    {11, galaxyStep},
    {12, whereTheSunIs},
    {13, otherGalaxies},
    {14, groupsOfGalaxies},
    {15, sunAsABall},
    {16, distancesAtThatScale},
    {17, theGalaxyAtThatScale},
    {18, forces},
    {19, strangeRegularity},
};
// clang-format on

} // namespace

// Step 20 ends the item.
const lesson::Section macro{
    .number = 3, .topic = "マクロの世界", .steps = kSteps, .heading = {"マ ク ロ　の　世 界", 210}};

} // namespace matter::klass

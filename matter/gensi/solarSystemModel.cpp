#include "lesson/Page.h"
#include "matter/gensi/sections.h"
#include "player/Prompts.h"

#include <cmath>

// The atom compared with the solar system: how alike and how different they are, how
// empty the atom is (an electron circling a nucleus blown up to a 10 cm ball), and how
// fast its electron moves.

namespace matter::gensi {

using enum Control;

namespace {

// Degrees to radians, with the lesson's value of pi.
constexpr double k = 3.141592 / 180;

// ---- figures ----

// Picture1 with the table of likenesses, the unit every step of the first half reuses.
void solarAtomTable(Page& p, int height) {
    p.showPicture(Picture1, 20, 20, 800, height, QStringLiteral("Material\\bs-1511.jpg"));
}

void inverseSquareLaws(Page& p) {
    solarAtomTable(p, 220);
    p.showPicture(Picture2, 20, 160, 800, 100, QStringLiteral("Material\\bs-16.jpg"));
}

void likeness(Page& p) {
    p.showPicture(Picture1, 20, 10, 1000, 150, QStringLiteral("Material\\bs-18.jpg"));
}

void differences(Page& p) {
    likeness(p);
    p.showPicture(Picture2, 20, 150, 1000, 150, QStringLiteral("Material\\bs-19.jpg"));
}

void orbitSpeeds(Page& p) {
    p.hide({Picture1, Picture2});
    p.showPicture(Picture2, 20, 10, 1000, 200, QStringLiteral("Material\\bs-21.jpg"));
}

// The nucleus blown up to a 10 cm ball, its electron 3 km away on the scale drawn (a
// hydrogen nucleus is about 1/60,000 of its atom).
void blownUpAtom(Page& p) {
    p.solidFill(QBColor(4));
    p.circle(320, 200, 30, QBColor(4));
    p.showPicture(Image1, 500, 180, QStringLiteral("Material\\ball2.bmp"));
    const QRgb ink = QBColor(0);
    p.line(290, 120, 290, 150, ink);
    p.line(350, 120, 350, 150, ink);
    p.line(290, 120, 300, 120, ink);
    p.line(345, 120, 350, 120, ink);
    p.print(300, 110, QStringLiteral("10 cm"));
    p.line(320, 265, 390, 265, ink);
    p.line(460, 265, 506, 265, ink);
    p.line(320, 240, 320, 265, ink);
    p.line(506, 240, 506, 265, ink);
    p.print(410, 255, QStringLiteral("3 km"));
    p.fillStyle(FillStyles::Transparent);
}

// The electron goes once round the nucleus in 37 moves, a beep at each.
void orbit(Page& p) {
    for (int a = 0; a <= 360; a += 10) {
        const double x = 320 + 180 * std::cos(a * k);
        const double y = 200 - 180 * std::sin(a * k);
        p.seconds(0.01);
        p.place(Image1, x, y);
        p.seconds(0.01);
        Beep();
    }
}

// A slow electron around a large nucleus on the left, a fast one around a small nucleus on
// the right. The fill stays solid.
void twoModelAtoms(Page& p) {
    p.solidFill(QBColor(4));
    p.circle(120, 230, 20, QBColor(4));
    p.fillColour(QBColor(1));
    p.showPicture(Image1, 205, 220, QStringLiteral("Material\\ball1.bmp"));
    p.circle(450, 230, 5, QBColor(2));
    p.showPicture(Image2, 600, 230, QStringLiteral("Material\\ball0.bmp"));
}

// The left electron goes round once; the right one turns 200 times as fast, so its
// positions scatter round its nucleus like a cloud.
void twoElectrons(Page& p) {
    for (int a = 0; a <= 360; ++a) {
        p.place(Image1, 120 + 80 * std::cos(a * k), 230 - 80 * std::sin(a * k));
        p.place(Image2, 450 + 150 * std::cos(200 * a * k), 230 - 150 * std::sin(200 * a * k));
        p.seconds(0.01);
    }
}

// ---- steps ----

// Reached again by Back one from step 1, the title must not stay under that step's picture.
void heading(Page& p) {
    p.cls();
    p.hide({Picture1, Picture2});
    p.fore(QBColor(14));
    p.back(QBColor(15));
    p.fontSize(32);
    p.print(190, 150, QStringLiteral("太陽系モデルとの比較"));
}

// The title goes: on the white page the new background colour is the old one and erases
// nothing, and the title would stay under every picture and the orbit figure.
void solarSystem(Page& p) {
    p.cls();
    p.fontSize(16);
    p.fore(QBColor(0));
    p.back(QBColor(15));
    p.showPicture(Picture1, 20, 20, 800, 150, QStringLiteral("Material\\bs-1519.jpg"));
}

void atomModel(Page& p) {
    p.showPicture(Picture1, 20, 20, 800, 150, QStringLiteral("Material\\bs-1518.jpg"));
}

void table(Page& p) {
    p.hide(Picture2);
    solarAtomTable(p, 200);
}

void forceLaws(Page& p) {
    inverseSquareLaws(p);
}

void sizeRatios(Page& p) {
    inverseSquareLaws(p);
    p.showPicture(Picture2, 20, 160, 700, 300, QStringLiteral("Material\\bs-17.jpg"));
}

void emptyAtom(Page& p) {
    p.removePicture(Picture1);
    p.removePicture(Picture2);
    blownUpAtom(p);
    orbit(p);
}

void alike(Page& p) {
    p.hide({Image1, Picture1, Picture2});
    p.cls();
    likeness(p);
}

void unlike(Page& p) {
    differences(p);
}

void mostlyEmpty(Page& p) {
    differences(p);
    p.hide(Picture1);
    p.showPicture(Picture2, 20, 10, 1000, 500, QStringLiteral("Material\\bs-20.jpg"));
}

void speeds(Page& p) {
    orbitSpeeds(p);
}

void speedOfTheElectron(Page& p) {
    orbitSpeeds(p);
    p.fore(QBColor(0));
    p.print(10, 150, QStringLiteral("電子は原子の中を光速の約1/137の速さで動いています．"));
    twoModelAtoms(p);
}

void likeACloud(Page& p) {
    speedOfTheElectron(p);
    p.print(300, 300, QStringLiteral("電子は１秒間に約10の15乗～"));
    p.print(300, 320, QStringLiteral("16乗回も原子の中を往復します．"));
    twoElectrons(p);
}

void hideAll(Page& p) {
    p.hide({Image1, Image2, Picture1, Picture2});
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, heading},
    {1, solarSystem},
    {2, atomModel},
    {3, table},
    {4, forceLaws},
    {5, sizeRatios},
    {6, emptyAtom},
    {7, alike},
    {8, unlike},
    {9, mostlyEmpty},
    {10, speeds},
    {11, speedOfTheElectron},
    {12, likeACloud},
};
// clang-format on

} // namespace

// Step 13 closes the section.
const lesson::Section solarSystemModel{2, "太陽系モデルとの比較", kSteps, hideAll};

} // namespace matter::gensi

#include "app/Random.h"
#include "app/globals.h"
#include "dialogs/Answer.h"
#include "matter/ClassAnimations.h"
#include "matter/figures.h"
#include "player/Pictures.h"
#include "player/frmMaterial.h"

#include <cmath>
#include <initializer_list>

// The hierarchy of matter: how measuring works, then a drop of water magnified step by
// step down to the quarks. The macro world that follows is section 3.

namespace {

void printAt(Canvas& c, double x, double y, const QString& text) {
    c.CurrentX = S(x);
    c.CurrentY = S(y);
    c.Print(text);
}

// Narration: each line starts at x, one text line below the previous one, from y. An
// empty string is an empty line.
void narrate(Canvas& c, double x, double y, std::initializer_list<QString> lines) {
    c.CurrentY = S(y);
    for (const QString& line : lines) {
        c.CurrentX = S(x);
        if (line.isEmpty())
            c.Print();
        else
            c.Print(line);
    }
}

// Places a picture box (position in the 640 x 400 system, size in pixels), loads its
// picture and shows it. The box is shown before the picture goes in: a hidden box takes
// its new size only when shown, and a picture loaded before that would be cut to the old
// size.
void showPicture(PictureBox& box, double left, double top, int width, int height, const QString& file) {
    box.setGeometry(int(std::lround(S(left))), int(std::lround(S(top))), width, height);
    box.show();
    LoadPicture(box, file);
}

void removePicture(PictureBox& box) {
    LoadPicture(box, QString());
    box.hide();
}

AskOptions accept(const QString& right) {
    AskOptions o;
    o.right = right;
    return o;
}

// The measuring questions print their verdict near the bottom edge. The y is a device
// pixel: at gScale 1 the text falls on the window's edge and can be cut off.
AskOptions acceptWithFeedback(const QString& right) {
    AskOptions o = accept(right);
    o.feedbackAt = QPointF(S(300), 400);
    return o;
}

} // namespace

void frmMaterial::Class() {
    StepBegin();
    switch (gSection) {
    case 0:
        setBackColor(RGB(255, 224, 192));
        GetItemTitle(QStringLiteral("物質の 階層構造"));
        break;
    case 1: ClassMeasuring(); break;
    case 2: ClassMicro(); break;
    default: break; // the macro world, section 3, has a file of its own
    }
    StepEnd(3, 20);
}

// ---- section 1: measuring ----

void frmMaterial::ClassMeasuring() {
    switch (gStep) {
    case 0:
        Cls();
        removePicture(*Picture1);
        removePicture(*Picture2);
        ForeColor = QBColor(14);
        setBackColor(QBColor(0));
        FontSize = 32;
        printAt(*this, 220, 150, QStringLiteral("物 を　はかる"));
        break;
    case 1:
        Cls();
        ForeColor = QBColor(0);
        setBackColor(QBColor(15));
        FontSize = 14;
        figures::Cups(*this);
        narrate(*this, 20, 10,
                {QStringLiteral("　赤い液体と青い液体では，量が違うかもしれません．"),
                 QStringLiteral("　液体の量をなるべく正確に計るのには次のどちらのコップを使いますか？")});
        printAt(*this, 10, 150, QStringLiteral("1)"));
        printAt(*this, 10, 280, QStringLiteral("2)"));
        break;
    case 2:
        figures::Cups(*this);
        Ask(*this, 1, acceptWithFeedback(QStringLiteral("2")));
        break;
    case 3:
        Cls();
        FillStyle = FillStyles::Transparent;
        ForeColor = QBColor(0);
        figures::PersonAndRulers(*this);
        break;
    case 4:
        Cls();
        FillStyle = FillStyles::Transparent;
        ForeColor = QBColor(0);
        figures::PersonAndRulers(*this);
        Ask(*this, 1, acceptWithFeedback(QStringLiteral("1")));
        break;
    case 5:
        Picture1->hide();
        Cls();
        narrate(*this, 20, 10,
                {QStringLiteral("　物差しの目盛りは，計る物よりも細かくなければなりません．"),
                 QStringLiteral("　計るとは，基準となる単位がいくつ分あるかを数えることです．")});
        break;
    case 6:
        Cls();
        showPicture(*Picture1, 20, 10, 1000, 300, QStringLiteral("Material\\bs-01.jpg"));
        break;
    case 7:
        Cls();
        showPicture(*Picture1, 20, 0, 1000, 500, QStringLiteral("Material\\bs-02.jpg"));
        break;
    case 8:
        Cls();
        showPicture(*Picture1, 20, 0, 1000, 550, QStringLiteral("Material\\bs-02.jpg"));
        Ask(*this, 2, accept(QStringLiteral("1")));
        break;
    case 9:
        Cls();
        showPicture(*Picture1, 20, 0, 1000, 550, QStringLiteral("Material\\bs-03.jpg"));
        break;
    case 10: showPicture(*Picture1, 20, 0, 1000, 550, QStringLiteral("Material\\bs-032.jpg")); break;
    case 11: // closing step
        Cls();
        removePicture(*Picture1);
        gStep = -1;
        gSection = std::int16_t(gSection + 1);
        cmdNext_Click();
        break;
    default: break;
    }
}

// ---- section 2: the micro world ----

namespace {

// The magnified drop of water: the molecule, how far it is magnified, and the facts
// beside it.
void waterMoleculeScene(frmMaterial& w) {
    w.Cls();
    w.setBackColor(QBColor(15));
    figures::WaterMolecule(w);
    printAt(w, 100, 50, QStringLiteral("百万倍拡大しました．"));
    showPicture(*w.Picture1, 200, 150, 650, 250, QStringLiteral("Material\\bs-08.jpg"));
}

void oxygenNucleusScene(frmMaterial& w) {
    w.Cls();
    w.setBackColor(QBColor(15));
    w.DrawWidth = 1;
    figures::OxygenNucleus(w);
    printAt(w, 20, 20, QStringLiteral("酸素16の原子核は，陽子８個と中性子８個からできています．"));
}

// The three particles on the quark floor; the fourth, smallest one joins them later.
struct ParticleAt {
    std::int16_t x, y, r, colour;
};
constexpr ParticleAt kQuarkClouds[] = {{500, 150, 80, 9}, {320, 50, 50, 10}, {250, 280, 60, 11}};

// Each particle of the quark scene seen closer: its outline with three small clouds
// inside. The clouds reset the fill to solid grey, so every outline after the first
// comes out as a grey disc.
struct Group {
    std::int16_t x, y, r;
    ParticleAt clouds[3];
};
constexpr Group kParticleGroups[] = {
    {500, 150, 80, {{480, 110, 20, 2}, {480, 170, 20, 3}, {540, 160, 20, 4}}},
    {320, 50, 50, {{300, 35, 10, 3}, {320, 70, 10, 4}, {340, 45, 10, 5}}},
    {250, 280, 60, {{240, 275, 20, 4}, {265, 280, 20, 5}, {250, 300, 20, 6}}},
    {180, 150, 20, {{178, 140, 5, 5}, {170, 150, 5, 6}, {190, 155, 5, 7}}},
};

void particleGroups(frmMaterial& w, bool paced) {
    w.Cls();
    removePicture(*w.Picture1);
    w.Picture1->setBackColor(QBColor(15));
    w.setBackColor(QBColor(15));
    w.ForeColor = QBColor(0);
    w.FillStyle = FillStyles::Transparent;
    for (const Group& g : kParticleGroups) {
        w.Circle(S(g.x), S(g.y), S(g.r), w.ForeColor);
        for (int i = 0; i < 3; ++i) {
            if (paced && i > 0) w.Pause(60);
            const ParticleAt& c = g.clouds[i];
            w.Particle(c.x, c.y, c.r, c.colour, 30);
        }
    }
}

} // namespace

void frmMaterial::ClassMicro() {
    switch (gStep) {
    case 0:
        Cls();
        removePicture(*Picture1);
        removePicture(*Picture2);
        ForeColor = QBColor(0);
        setBackColor(QBColor(15));
        FontSize = 32;
        printAt(*this, 210, 150, QStringLiteral("ミ ク ロ　の　世界"));
        break;
    case 1:
        Cls();
        Picture1->hide();
        FontSize = 14;
        figures::Tap(*this);
        break;
    case 2:
        Cls();
        figures::Tap(*this);
        animations::Drop(*this);
        showPicture(*Picture1, 220, 150, 1000, 300, QStringLiteral("Material\\bs-04.jpg"));
        break;
    case 3:
        figures::Tap(*this);
        showPicture(*Picture1, 220, 150, 1000, 300, QStringLiteral("Material\\bs-04.jpg"));
        Ask(*this, 3, accept(QStringLiteral("1")));
        // The narration starts where the tap's drawing ended.
        printAt(*this, 100, 75, QStringLiteral("さっそく，ミクロの世界に入ってみましょう．"));
        break;
    case 4:
        Picture1->hide();
        Image1->hide();
        animations::Zoom(*this);
        waterMoleculeScene(*this);
        break;
    case 5:
        waterMoleculeScene(*this);
        Ask(*this, 4, accept(QStringLiteral("2")));
        break;
    case 6:
        Cls();
        removePicture(*Picture1);
        narrate(*this, 20, 10,
                {QStringLiteral("　水素原子や酸素原子は，一様な球なのでしょうか？"), QString(),
                 QStringLiteral("　物差しの目盛りをさらに１万倍細かくして，酸素原子を見てみましょう．")});
        break;
    case 7:
        Cls();
        Picture1->hide();
        Picture2->hide();
        setBackColor(QBColor(15));
        // The tube the scale marks run up.
        Line(S(250), S(0), S(250), S(175));
        LineTo(S(300), S(175));
        LineTo(S(300), S(0));
        Line(S(250), S(120), S(300), S(120));
        animations::Ruler(*this);
        break;
    case 8: {
        Cls();
        setBackColor(QBColor(15));
        ForeColor = QBColor(9);
        printAt(*this, 120, 320, QStringLiteral("酸素原子"));
        ForeColor = QBColor(0);
        figures::NucleusAndScale(*this);
        showPicture(*Picture1, 280, 140, 1000, 300, QStringLiteral("Material\\bs-09-1.jpg"));
        showPicture(*Picture2, 20, 300, 400, 30, QStringLiteral("Material\\bs-09-0.jpg"));
        animations::Orbits(*this);
        // What the atom is made of, one picture a second.
        static const char* const kSequence[] = {"Material\\bs-09-2.jpg", "Material\\bs-09-3.jpg",
                                                "Material\\bs-09-5.jpg", "Material\\bs-09-6.jpg",
                                                "Material\\bs-09-7.jpg", "Material\\bs-09-8.jpg"};
        for (const char* file : kSequence) {
            WaitSeconds(1);
            LoadPicture(*Picture1, QString::fromUtf8(file));
        }
        break;
    }
    case 9:
        Cls();
        Picture1->hide();
        Picture2->hide();
        DrawWidth = 1;
        figures::NucleusAndScale(*this);
        printAt(*this, 240, 300, QStringLiteral("1 Å"));
        showPicture(*Picture1, 20, 300, 80, 30, QStringLiteral("Material\\bs-10.jpg"));
        figures::Orbits(*this, false);
        printAt(*this, 20, 20, QStringLiteral("原子核の中を見てみましょう．"));
        Line(S(120), S(40), S(150), S(170));
        WaitSeconds(2);
        printAt(*this, 300, 200, QStringLiteral("目盛りをさらに細かく，つまり拡大します．"));
        break;
    case 10:
        Cls();
        removePicture(*Picture1);
        removePicture(*Picture2);
        setBackColor(QBColor(15));
        FillStyle = FillStyles::Transparent;
        DrawWidth = 5;
        animations::BoxZoom(*this);
        break;
    case 11: oxygenNucleusScene(*this); break;
    case 12:
        Picture1->hide();
        Picture2->hide();
        oxygenNucleusScene(*this);
        Ask(*this, 5, accept(QStringLiteral("1")));
        Ask(*this, 6, accept(QStringLiteral("4")));
        break;
    case 13:
        oxygenNucleusScene(*this);
        removePicture(*Picture1);
        removePicture(*Picture2);
        showPicture(*Picture1, 20, 200, 1000, 200, QStringLiteral("Material\\bs-11.jpg"));
        break;
    case 14:
        Cls();
        removePicture(*Picture1);
        narrate(*this, 20, 20,
                {QStringLiteral("　中性子や陽子が，物質の最終的な単位なのでしょうか？"), QString(),
                 QStringLiteral("　いいえ，そうではありません．"), QString(),
                 QStringLiteral("　これらは，さらに小さな粒子からできているのです．"), QString(), QString(),
                 QString(), QStringLiteral("　さらに拡大してみましょう．")});
        break;
    case 15:
        Cls();
        removePicture(*Picture1);
        animations::RandomBubbles(*this);
        break;
    case 16:
        Cls();
        Picture1->hide();
        Plane(13);
        for (const ParticleAt& c : kQuarkClouds) {
            Pause(80);
            Particle(c.x, c.y, c.r, c.colour, 30);
        }
        break;
    case 17:
        Cls();
        Picture1->hide();
        Plane(13);
        for (const ParticleAt& c : kQuarkClouds)
            Particle(c.x, c.y, c.r, c.colour, 30);
        Particle(180, 150, 20, 12, 30);
        ForeColor = QBColor(15);
        Picture1->setBackColor(QBColor(0));
        showPicture(*Picture1, 10, 10, 800, 70, QStringLiteral("Material\\bs-12.jpg"));
        break;
    case 18: particleGroups(*this, true); break;
    case 19:
        particleGroups(*this, false);
        showPicture(*Picture1, 10, 10, 1000, 100, QStringLiteral("Material\\bs-13.jpg"));
        break;
    case 20:
        Cls();
        removePicture(*Picture1);
        setBackColor(QBColor(0));
        ForeColor = QBColor(10);
        Picture1->setBackColor(QBColor(0));
        showPicture(*Picture1, 10, 10, 700, 100, QStringLiteral("Material\\bs-14.jpg"));
        break;
    case 21:
        Cls();
        setBackColor(QBColor(0));
        DrawWidth = 2;
        animations::Explosion(*this);
        break;
    case 22:
        Cls();
        ForeColor = QBColor(10);
        FontSize = 18;
        printAt(*this, 100, 100, QStringLiteral("さっそく，マクロの世界，宇宙へ飛んでみましょう．"));
        break;
    case 23: // closing step
        Cls();
        Picture1->setBackColor(QBColor(15));
        Picture1->hide();
        gStep = -1;
        gSection = std::int16_t(gSection + 1);
        cmdNext_Click();
        break;
    default: break;
    }
}

// ---- animations ----

namespace animations {

void Drop(frmMaterial& w) {
    w.Image1->move(int(std::lround(S(180))), int(std::lround(S(100))));
    LoadPicture(*w.Image1, QStringLiteral("Material\\drop.bmp"));
    w.Image1->show();
    // Each move is longer than the last: the drop accelerates.
    double top = std::lround(S(100));
    for (int i = 0; i <= 20; ++i) {
        w.PlaySound(QStringLiteral("wave\\音.wav"));
        top += i * gScale;
        w.Image1->move(w.Image1->x(), int(std::lround(top)));
        w.WaitTick();
    }
}

void Zoom(frmMaterial& w) {
    w.FillStyle = FillStyles::Solid;
    double A = 20, B = 50;
    for (int d = 1; d <= 4; ++d) {
        for (int c = 14; c >= 2; --c) {
            w.FillColor = QBColor(c);
            w.Circle(S(320), S(200), (c * A + B) * gScale, w.ForeColor);
            w.WaitTick();
            w.Sleep(30);
            w.Cls();
        }
        B = B - 5 * d;
        A = A / d;
    }
}

void Ruler(frmMaterial& w) {
    // Every mark spans the tube from x 251 to 299.
    auto mark = [&w](double y, int colour) { w.Line(S(251), S(y), S(299), S(y), QBColor(colour)); };
    for (int i = 1; i <= 3; ++i) {
        mark(175 - 55 * i, 0);
        w.Sleep(10);
    }
    for (int i = 1; i <= 3; ++i) {
        mark(175 - 55 * i, 7);
        w.Sleep(10);
    }
    // Three marks climb at three speeds and leave the tube.
    for (int i = 1; i <= 120; ++i) {
        mark(120 - i, 0);
        mark(75 - 2 * i, 0);
        mark(20 - 3 * i, 0);
        w.Pause(10);
        mark(120 - i, 15);
        mark(75 - 2 * i, 15);
        mark(20 - 3 * i, 15);
        w.Sleep(10);
    }
    // A fine scale appears, then its marks spread apart as if magnified.
    for (int i = 1; i <= 10; ++i) {
        mark(175 - 2 * i, 6);
        w.Sleep(10);
    }
    for (int i = 1; i <= 10; ++i) {
        mark(175 - 2 * i, 7);
        w.Sleep(10);
    }
    for (int j = 1; j <= 100; ++j) {
        for (int i = 1; i <= 10; ++i) {
            mark(175 - i * j, 6);
            waits::events(w.session);
        }
        if (j == 100) break;
        for (int i = 1; i <= 10; ++i)
            mark(175 - i * j, 7);
    }
}

void Orbits(frmMaterial& w) {
    figures::Orbits(w, true, [&w] { w.WaitTick(); });
}

void BoxZoom(frmMaterial& w) {
    for (int i = 1; i <= 280; ++i) {
        const double x1 = S(320 - i), y1 = S(200 - 2.0 * i / 3), x2 = S(320 + i), y2 = S(200 + 2.0 * i / 3);
        w.Line(x1, y1, x2, y2, QBColor(6), LineMode::Box);
        w.Pause(5);
        if (i != 280) w.Line(x1, y1, x2, y2, QBColor(15), LineMode::Box);
    }
}

void RandomBubbles(frmMaterial& w) {
    Randomize();
    w.FillStyle = FillStyles::Solid;
    for (int s = 1; s <= 5; ++s) {
        for (int k = 1; k <= 310 - 60 * s; ++k) {
            const QRgb colour = QBColor(int(15 * Rnd()));
            const double x = 640 * Rnd();
            const double y = 320 * Rnd();
            w.FillColor = colour;
            w.Circle(S(x), S(y), S(10 * s), colour);
            w.WaitSeconds(0.1);
        }
        w.Cls();
    }
}

void Explosion(frmMaterial& w) {
    for (int shot = 0; shot < 2; ++shot) {
        w.PlaySound(QStringLiteral("\\wave\\大砲.wav"));
        for (int r = 1; r <= 200; r += 4) {
            w.Circle(S(320), S(200), S(r), QBColor(14));
            w.Circle(S(320), S(200), S(r + 2), QBColor(14));
            w.WaitSeconds(0.005);
            w.Circle(S(320), S(200), S(r), QBColor(0));
            w.Circle(S(320), S(200), S(r + 2), QBColor(0));
        }
    }
}

} // namespace animations

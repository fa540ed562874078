// The lecture of the electron-cloud viewer: a table of 36 stages, one played by each call of
// ECloud, and the drawings they share: the 1s cloud, the 1s and 2s canvases, the 2p axes and
// lobes.

#include "cloud/WaveFunction1.h"
#include "cloud/cloudfrm.h"
#include "lesson/LessonWindow.h"
#include "player/Random.h"
#include "player/globals.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cmath>

namespace {
constexpr double kCentreX = 320;
constexpr double kCentreY = 200;

// One lobe of a p orbital: the nucleus of its panel, the direction of its axis on the
// canvas and its palette colour, red for one phase of the wave function and light blue for
// the other.
struct Lobe {
    double nx, ny; // the nucleus: where the panel's axes cross
    double ux, uy; // unit vector along the lobe's axis, away from the nucleus
    int colour;
};
constexpr double kDiagonal = 0.70710678118654752; // the x axis is drawn at 45 degrees for depth
constexpr Lobe kLobes[] = {
    {100, 230, kDiagonal, -kDiagonal, 4}, // Px, along the diagonal x axis of the first panel
    {100, 230, -kDiagonal, kDiagonal, 9}, // Px, the other phase
    {300, 230, 1, 0, 4},                  // Py, along the horizontal y axis of the second panel
    {300, 230, -1, 0, 9},                 // Py, the other phase
    {500, 230, 0, -1, 4},                 // Pz, along the vertical z axis of the third panel
    {500, 230, 0, 1, 9},                  // Pz, the other phase
};
// A 2p density along its axis, r²·e^(−r) with r in Bohr radii, is greatest two Bohr radii
// from the nucleus: the lobes are centred there.
constexpr double kLobeDistance = 2;

// A 2s curve from the centre out to extent canvas units. The 2s functions take half the
// distance in Bohr radii, so the curve stands on the same ångström axis as the 1s curves
// with its node at two Bohr radii.
void plot2sCurve(Canvas& pic, double extent, double scale1, double (*f)(double), QRgb colour) {
    for (double j = 0; j <= extent; j += 0.2)
        pic.PSet(kCentreX + j, kCentreY - 200 * f(j / (2 * scale1)), colour);
}
} // namespace

namespace {
// What a stage does first, before its own drawing and narration, in this order.
enum Opening : unsigned {
    Keep = 0,
    ClosePrompt = 1u << 0, // the Return prompt that led here goes away
    HideCaption = 1u << 1, // the caption line goes
    NewCanvas = 1u << 2,   // the canvas is cleared
    NewText = 1u << 3,     // the narration panel starts empty
};
// The stage that asks for the second count arms no timer: the prompt waits for the learner.
constexpr auto AwaitCount = cloudfrm::Mode(0);
} // namespace

// One row of the lecture: what the stage clears, what it draws, what it appends to the
// narration panel ("\r\n" starts a new line), and how it ends: the pacing mode armed after
// delay milliseconds.
struct cloudfrm::Stage {
    int number;
    unsigned opening;
    void (cloudfrm::*draw)();
    const char* narration;
    Mode then;
    std::int16_t delay;
};

// clang-format off
constexpr cloudfrm::Stage cloudfrm::kStages[] = {
    // 0: the title over a yellow cloud of 1000 dots; then the 1s canvas and the first prompt.
    {0, Keep, &cloudfrm::titleOverCloud, nullptr, AskCount, 2000},
    // 1: the learner's own 1s cloud in cyan.
    {1, Keep, &cloudfrm::learnersCloud, nullptr, Advance, 800},
    // 2: the second prompt: the learner may add dots or go on.
    {2, Keep, &cloudfrm::secondPrompt, nullptr, AwaitCount, 0},
    // 3: the added dots (none after Cancel); then the narration panel and the exit button.
    {3, Keep, &cloudfrm::start0, nullptr, StartLecture, 500},
    // 4: the caption: where the electron is found on a plane.
    {4, Keep, &cloudfrm::lectureCaption, nullptr, Advance, 1000},
    // 5: why a cloud: the electron cannot be followed classically.
    {5, Keep, nullptr,
     "古典的に電子の位置と運動量を追うには、1秒間に10の15乗回以上も観測しなければならず、"
     "それは不可能です。むしろ電子は、見つかる場所が確率で決まる雲として考えるのがよいのです。",
     WaitForReturn, 1000},
    // 6: the 1s caption in English; the radial distribution is announced.
    {6, ClosePrompt, &cloudfrm::caption1s,
     "\r\n\r\nでは、中心からの半径（動径）方向に電子がどれだけあるかを示しましょう。",
     Advance, 500},
    // 7: the radial distribution curve of the 1s orbital.
    {7, Keep, &cloudfrm::radialDistribution1s, nullptr, Advance, 800},
    // 8: the Bohr radius at the peak of the curve.
    {8, Keep, &cloudfrm::bohrRadius, nullptr, WaitForReturn, 500},
    // 9: the curve is 4πr²ψ²; the wave function is the most basic description.
    {9, ClosePrompt | NewText, nullptr,
     "この曲線は、水素原子の波動関数ψから求めた動径方向の電子数分布 4πr²ψ² です。"
     "\r\n\r\n波動関数は原子や分子を記述する最も基本的なもので、その性質はすべて波動関数から導かれます。",
     WaitForReturn, 800},
    // 10: the wave function itself is announced.
    {10, ClosePrompt, nullptr, "\r\n次に、水素原子の波動関数そのものを描いてみましょう。", Advance, 500},
    // 11: the 1s wave function.
    {11, Keep, &cloudfrm::waveFunction1s, nullptr, WaitForReturn, 500},
    // 12: the Bohr radius is the radius of the 1s orbital, not a classical orbit.
    {12, ClosePrompt | NewText, nullptr,
     "電子はボーア半径（0.5292Å）のところに最も高い確率で見いだされます。"
     "これを1s軌道の半径といいますが、古典的な意味での軌道ではありません。",
     WaitForReturn, 1000},
    // 13: the model of chemistry: the electron goes round at 0.5292 Å; the mean distance.
    {13, ClosePrompt, nullptr,
     "\r\nそれでも化学では、電子が最も見つかりやすい0.5292Åのところを回っている、"
     "あるいは振動しているというモデルで考えます（核からの平均距離は0.79Åです）。",
     WaitForReturn, 1000},
    // 14: is nothing certain about an atom?
    {14, ClosePrompt, nullptr,
     "\r\n電子の位置は確率的にしか決まりません。では、原子について確定しているものは何もないのでしょうか。",
     WaitForReturn, 1000},
    // 15: the energy is quantised: eigenenergies.
    {15, ClosePrompt | NewText, nullptr,
     "エネルギーは不確定性原理の範囲内で決まった値をとります。つまり量子化されていて、これを固有エネルギーといいます。",
     WaitForReturn, 1000},
    // 16: eigenstates.
    {16, ClosePrompt, nullptr,
     "\r\n固有エネルギーをもつ状態を固有状態といいます。固有状態は複数、ときには無限に存在します。",
     WaitForReturn, 1000},
    // 17: the example was the ground state.
    {17, ClosePrompt, nullptr,
     "\r\n先ほどの例は基底状態で、その軌道半径が0.5292Åであるといわれます。", WaitForReturn, 1000},
    // 18: a blank canvas; excited states.
    {18, ClosePrompt | HideCaption | NewCanvas | NewText, nullptr,
     "これより高いエネルギーの状態を励起状態といいます。"
     "励起状態は基底状態より大きく広がり、方向性をもつこともあります。",
     WaitForReturn, 1000},
    // 19: quantum numbers; the ground state is n = 1.
    {19, ClosePrompt, nullptr,
     "\r\n固有状態は量子数で区別されます。基底状態の電子雲は n\u00A0=\u00A01 の状態です。",
     WaitForReturn, 1000},
    // 20: the n = 2 cloud is announced.
    {20, ClosePrompt, nullptr, "\r\n次に、n\u00A0=\u00A02 の電子雲を示します。", Advance, 500},
    // 21: the 2s canvas with its cloud in two regions.
    {21, Keep, &cloudfrm::draw2sCanvas, nullptr, WaitForReturn, 800},
    // 22: the 2s caption in English; the wave function in green is announced.
    {22, ClosePrompt | NewText, &cloudfrm::caption2s, "波動関数（緑）を描くと…", Advance, 500},
    // 23: the 2s wave function in green.
    {23, Keep, &cloudfrm::waveFunction2s, nullptr, WaitForReturn, 800},
    // 24: the distribution in red is announced.
    {24, ClosePrompt, nullptr, "\r\n電子数分布（赤）を描くと次のようになります。", Advance, 500},
    // 25: the 2s radial distribution in red.
    {25, Keep, &cloudfrm::distribution2s, nullptr, WaitForReturn, 800},
    // 26: nodes, like those of a guitar string.
    {26, ClosePrompt | NewText, nullptr,
     "波動関数の符号が変わるところで分布は0になります。これを節といいます。"
     "nが大きくなるほど節の数は増えていきます。"
     "ギターの弦も、高い音ほど節が多くなるのと同じです。",
     WaitForReturn, 1000},
    // 27: a blank canvas; the azimuthal quantum number l.
    {27, ClosePrompt | HideCaption | NewCanvas | NewText, nullptr,
     "n\u00A0=\u00A02 には、エネルギーは同じでも形の違う状態があります。"
     "それらは方位量子数 l で区別されます。"
     "これまでの関数は l\u00A0=\u00A00 のものでした。",
     WaitForReturn, 1000},
    // 28: the n = 2, l = 1 distribution is announced.
    {28, ClosePrompt | NewCanvas, nullptr,
     "\r\n次に、n\u00A0=\u00A02、l\u00A0=\u00A01 の電子分布を示します。", Advance, 500},
    // 29: the axes of the three 2p panels.
    {29, ClosePrompt, &cloudfrm::axes2p, nullptr, Advance, 800},
    // 30: the lobes of Px, Py and Pz, and the names s, p, d of the orbitals.
    {30, Keep, &cloudfrm::draw2pLobes, nullptr, WaitForReturn, 800},
    // 31: a blank canvas; the Coulomb force and the force of exchange.
    {31, ClosePrompt | NewCanvas | NewText, nullptr,
     "原子の世界を支配しているのはクーロン力です。"
     "さらに結合では、電子の交換によってもう一つの結合力が生まれます。",
     WaitForReturn, 1000},
    // 32: this is the chemical bond.
    {32, ClosePrompt, nullptr, "\r\nこれが化学結合です。", WaitForReturn, 500},
    // 33: phases bind or repel; the nuclei are glued by the cloud.
    {33, ClosePrompt, nullptr,
     "\r\n位相のそろった電子どうしは結合し、位相が逆だと反発します。"
     "\r\n電子雲のモデルでいえば、原子核どうしが電子雲によって接着されているのです。",
     WaitForReturn, 1000},
    // 34: the end of the text.
    {34, ClosePrompt | NewText, nullptr, "これで電子雲のテキストを終わります。", Advance, 1500},
    // 35: the whole window goes black; the viewer closes by itself.
    {35, Keep, &cloudfrm::blackout, nullptr, CloseViewer, 1500},
};
// clang-format on

void cloudfrm::ECloud() {
    static_assert(
        [] {
            for (std::size_t i = 0; i < std::size(kStages); ++i)
                if (kStages[i].number != int(i)) return false;
            return true;
        }(),
        "the stages are numbered in order from 0");
    Picture1->AutoRedraw = true;
    if (ECloudpara < 0 || ECloudpara >= std::ssize(kStages)) return;
    playStage(kStages[ECloudpara]);
}

void cloudfrm::playStage(const Stage& stage) {
    if (stage.opening & ClosePrompt) closeReturnPrompt();
    if (stage.opening & HideCaption) Label3->hide();
    if (stage.opening & NewCanvas) Picture1->Cls();
    if (stage.opening & NewText) clearText();
    if (stage.draw) (this->*stage.draw)();
    if (stage.narration) TextDisp(QString::fromUtf8(stage.narration));
    if (stage.then != AwaitCount) break_(stage.then, stage.delay);
}

// ---- the stages that draw something of their own ----

void cloudfrm::titleOverCloud() {
    Canvas& pic = *Picture1;
    pic.CurrentX = 250;
    pic.CurrentY = 100;
    pic.FontSize = 25;
    pic.FontItalic = true;
    pic.ForeColor = RGB(255, 255, 255);
    pic.Print(QStringLiteral("電子雲"));
    pic.ForeColor = RGB(255, 255, 0);
    CalcNum = 1000;
    start0();
    Label1->hide();
}

void cloudfrm::learnersCloud() {
    Picture1->ForeColor = QBColor(3);
    start0();
}

void cloudfrm::secondPrompt() {
    InputLabel->setText(
        QStringLiteral("あと何回計算しますか？よろしければキャンセルボタンをクリックしてください。"));
    InputText->clear();
    InputText->setFocus();
    awaitingCount_ = true;
}

void cloudfrm::lectureCaption() {
    Label1->hide();
    place(Label3, 1, 35);
    setCaption3(QStringLiteral("水素原子の電子を平面上で観測したときに見つかる位置です。"));
    Label3->show();
}

void cloudfrm::caption1s() {
    setCaption3(QStringLiteral("Electron cloud of 1s-orbital of Hydrogen atom"));
    Label3->move(Label3->x(), Picture1->toPixel(0, 10).y());
}

void cloudfrm::radialDistribution1s() {
    Picture1->ForeColor = QBColor(0);
    printAt(390, 215, QStringLiteral("中心からの半径（動径）"));
    wave().EcloudFunction1(rr, scale1);
}

void cloudfrm::bohrRadius() {
    // A marker from the peak of the curve down to the axis, and a leader line to its
    // annotation.
    Canvas& pic = *Picture1;
    pic.Line(a0, 200 - 150 * vm, a0, 200, QBColor(13));
    pic.Line(a0, 205, a0 + 150, 250, QBColor(13));
    printAt(330, 260, QStringLiteral("この最大の位置がボーア半径(= 0.5292Å)"));
}

void cloudfrm::waveFunction1s() {
    wave().EcloudFunction2(20, float(rr));
}

void cloudfrm::caption2s() {
    setCaption3(QStringLiteral("Electron cloud of 2s-orbital of Hydrogen atom"));
    Label1->hide();
}

void cloudfrm::waveFunction2s() {
    // 200 canvas units per unit of value.
    plot2sCurve(*Picture1, rr, scale1, WaveFunction1::fnssf, QBColor(10));
}

void cloudfrm::distribution2s() {
    plot2sCurve(*Picture1, rr, scale1, WaveFunction1::fnss, QBColor(12));
}

void cloudfrm::axes2p() {
    Picture1->ForeColor = QBColor(0);
    // The lobes are small clouds of one ångström; the axes keep their size.
    xx = 1 / 0.529177;
    np = 300;
    scale1 = 20;
    rr = scale1 * xx;
    draw2pAxes();
}

void cloudfrm::blackout() {
    // The drawing area takes the whole window again and goes black.
    cmdExit->hide();
    const QSize outer = outer_;
    Picture1->setGeometry(0, 0, outer.width(), outer.height());
    Picture1->resizeCanvas(Picture1->width(), Picture1->height());
    Picture1->setBackColor(RGB(0, 0, 0));
}

// ---- the 1s cloud ----

double cloudfrm::sample1s() {
    // The bound vm lies just above the maximum 4/e² of the 1s distribution.
    return WaveFunction1::sampleRadius(WaveFunction1::fns, xx, vm);
}

void cloudfrm::start0() {
    xx = 5 / 0.529177;
    vm = 0.58;
    scale1 = 20;
    for (int count = 1; count <= CalcNum; ++count) {
        // The counter runs visibly and the window stays live while the dots fall.
        DoEvents();
        // A close request waits for this stage: there is no point drawing on.
        if (closePending_) break;
        Label1->setText(counterCaption(count));
        const double r = sample1s();
        const double theta = Rnd() * WaveFunction1::kFullTurn;
        const double d = scale1 * r;
        Picture1->PSet(kCentreX + d * std::cos(theta), kCentreY - d * std::sin(theta));
    }
}

// ---- canvases ----

void cloudfrm::draw1sCanvas() {
    Canvas& pic = *Picture1;
    pic.Cls();
    // The band above the drawing area holds the narration panel and the prompt.
    const QSize outer = outer_;
    const int band = twips(kBandTwips);
    Picture1->setGeometry(0, band, outer.width(), outer.height() - band);
    Picture1->resizeCanvas(Picture1->width(), Picture1->height());
    pic.ForeColor = QBColor(0);
    pic.setBackColor(RGB(240, 215, 200));
    pic.setScale(0, 0, 640, 400);

    CalcNum = 0;
    Label1->setText(counterCaption(0));
    setLabelColors(Label1, RGB(255, 0, 0), QBColor(0), false);
    place(Label1, 100, 180);
    Label1->show();

    // Axes through the centre; the vertical one runs off the top. One tick per ångström.
    pic.Line(kCentreX - rr, kCentreY, kCentreX + rr, kCentreY);
    pic.Line(kCentreX, 150 - rr, kCentreX, 180 + rr);
    for (int i = 1; i <= 5; ++i)
        pic.Line(kCentreX + 0.2 * i * rr, 195, kCentreX + 0.2 * i * rr, 205);
    // The nucleus.
    pic.Circle(kCentreX, kCentreY, 5, QBColor(0));

    pic.ForeColor = QBColor(0);
    pic.FontSize = 12;
    pic.FontItalic = false;
}

void cloudfrm::draw2sCanvas() {
    Canvas& pic = *Picture1;
    pic.Cls();
    pic.Line(kCentreX - rr, kCentreY, kCentreX + rr, kCentreY, QBColor(0));
    pic.Line(kCentreX, kCentreY - rr, kCentreX, kCentreY + rr, QBColor(0));
    for (int i = 1; i <= 5; ++i)
        pic.Line(kCentreX + 0.2 * i * rr, 190, kCentreX + 0.2 * i * rr, 210);
    pic.ForeColor = QBColor(0);
    printAt(450, 215, QStringLiteral("中心からの半径（動径）"));
    place(Label1, 100, 180);
    Label1->show();
    wave().EcloudFunction3(float(5 / 0.529177), 1, 20);
    pic.ForeColor = RGB(0, 0, 255);
    place(Label3, 0, 10);
    setCaption3(QStringLiteral("電子の分布が二つの領域に分かれています。"));
    Label3->show();
}

void cloudfrm::draw2pAxes() {
    Canvas& pic = *Picture1;
    for (int i = 0; i <= 2; ++i) {
        const double dx = 200.0 * i;
        pic.Line(30 + dx, 230, 170 + dx, 230);  // y
        pic.Line(100 + dx, 150, 100 + dx, 320); // z
        pic.Line(40 + dx, 290, 140 + dx, 190);  // x, a diagonal for depth
    }
    // A "z" over each vertical axis, on one text line.
    for (int i = 0; i <= 2; ++i)
        printAt(100 + 200.0 * i, 130, QStringLiteral("z"));
    printAt(30, 290, QStringLiteral("x"));
    printAt(380, 220, QStringLiteral("y"));
}

void cloudfrm::draw2pLobes() {
    Canvas& pic = *Picture1;
    // Each lobe is a small 1s-shaped cloud, one ångström at most, around the point of its
    // axis where the p orbital is densest. Its dots come no nearer the nucleus than about a
    // tenth of a Bohr radius, and only a few that near, so each pair shows the empty nucleus
    // of the nodal plane between its two phases.
    for (const Lobe& lobe : kLobes) {
        const double cx = lobe.nx + kLobeDistance * scale1 * lobe.ux;
        const double cy = lobe.ny + kLobeDistance * scale1 * lobe.uy;
        for (int k = 1; k <= np; ++k) {
            const double r = sample1s();
            const double theta = Rnd() * WaveFunction1::kFullTurn;
            const double d = scale1 * r;
            pic.PSet(cx + d * std::cos(theta), cy - d * std::sin(theta), QBColor(lobe.colour));
        }
    }
    printAt(100, 340, QStringLiteral("Ｐx軌道"));
    printAt(300, 340, QStringLiteral("Ｐy軌道"));
    printAt(500, 340, QStringLiteral("Ｐz軌道"));
    pic.ForeColor = RGB(0, 0, 255);
    printAt(0, 50,
            QStringLiteral("l = 0, 1, 2, … の軌道を、それぞれ s 軌道、p 軌道、d 軌道、… といいます。"));
}

// ---- small pieces ----

void cloudfrm::printAt(double x, double y, const QString& text) {
    // On the smallest window a text placed near the right edge would run off it: it moves
    // left just enough to be read whole.
    const double right = 640.0 * width() / Picture1->width();
    x = std::max(0.0, std::min(x, right - Picture1->TextWidth(text)));
    Picture1->CurrentX = x;
    Picture1->CurrentY = y;
    Picture1->Print(text);
}

void cloudfrm::place(QWidget* w, double x, double y) {
    w->move(Picture1->toPixel(x, y));
}

void cloudfrm::setCaption3(const QString& text) {
    Label3->setText(text);
    Label3->adjustSize();
}

void cloudfrm::closeReturnPrompt() {
    Label5->hide();
    lbldisp = false;
}

void cloudfrm::clearText() {
    Text1->clear();
}

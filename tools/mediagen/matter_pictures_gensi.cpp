// Pictures of atomic structure: the atom beside the solar system.

#include "matter_pictures.h"
#include "matter_pictures_kit.h"

#include "formula.h"
#include "paint_kit.h"
#include "rng.h"

#include <QPainter>
#include <cmath>
#include <initializer_list>

namespace mediagen {

namespace {

// A small system seen slightly from above: a centre and bodies on ellipses.
void orbitSketch(QPainter& p, QPointF c, const QColor& centre, qreal centreRadius, const QColor& body,
                 std::initializer_list<qreal> radii, bool sunGlow) {
    p.setPen(QPen(QColor(0x99, 0x99, 0xAA), 1.2));
    p.setBrush(Qt::NoBrush);
    int k = 0;
    for (qreal r : radii) {
        p.drawEllipse(c, r, r * 0.42);
        const double a = 0.8 + k * 2.1;
        ball(p, c + QPointF(r * std::cos(a), r * 0.42 * std::sin(a)), 5.5, body);
        ++k;
    }
    if (sunGlow) glow(p, c, centreRadius * 2.2, centre);
    ball(p, c, centreRadius, centre);
}

} // namespace

void drawSolarSystemModel(QPainter& p, int w, int h) {
    const QRectF body = card(p, QRectF(0, 0, w, h), QStringLiteral("太陽系"), kMacro, 19);
    orbitSketch(p, QPointF(140, body.top() + 56), QColor(0xFF, 0xB3, 0x00), 13, ink::electron, {48, 78, 110},
                true);
    text(p, QRectF(270, body.top() + 6, 340, 100),
         QStringLiteral("重い 太陽 のまわりを\n惑星 が 回っている．\n引き合う力は 万有引力．"), gothic(18),
         ink::text, Qt::AlignLeft | Qt::AlignTop);
    text(p, QRectF(620, body.top() + 10, w - 636, 90), QStringLiteral("太陽が 太陽系の\n重さの 99.86 %"),
         gothic(17), ink::muted, Qt::AlignLeft | Qt::AlignTop);
}

void drawAtomModel(QPainter& p, int w, int h) {
    const QRectF body = card(p, QRectF(0, 0, w, h), QStringLiteral("原子の 太陽系モデル"), kAtom, 19);
    orbitSketch(p, QPointF(140, body.top() + 56), ink::proton, 9, ink::electron, {40, 72, 104}, false);
    text(p, QRectF(270, body.top() + 6, 340, 100),
         QStringLiteral("重い 原子核 のまわりを\n電子 が 回っている？\n引き合う力は 静電気力．"), gothic(18),
         ink::text, Qt::AlignLeft | Qt::AlignTop);
    text(p, QRectF(620, body.top() + 6, w - 636, 100),
         QStringLiteral("長岡半太郎（1904 年）\nラザフォード（1911 年）\nが考えた原子の形"), gothic(15),
         ink::muted, Qt::AlignLeft | Qt::AlignTop);
}

void drawSolarAtomTable(QPainter& p, int w, int h) {
    p.fillRect(0, 0, w, h, Qt::white);
    const qreal columns[] = {8, 190, 400, 610};
    const qreal rowHeight = 27;
    const qreal top = 6;
    const QStringList header = {QString(), QStringLiteral("太陽系"), QStringLiteral("原子（水素）")};
    const QList<QStringList> rows = {
        {QStringLiteral("中心にあるもの"), QStringLiteral("太陽"), QStringLiteral("原子核（陽子）")},
        {QStringLiteral("まわるもの"), QStringLiteral("惑星"), QStringLiteral("電子")},
        {QStringLiteral("引き合う力"), QStringLiteral("万有引力"), QStringLiteral("静電気力（クーロン力）")},
        {QStringLiteral("中心の重さの割合"), QStringLiteral("99.86 %"), QStringLiteral("99.95 %")},
    };
    p.fillRect(QRectF(columns[0], top, columns[3] - columns[0], rowHeight), kAtom);
    p.fillRect(QRectF(columns[0], top + rowHeight, columns[3] - columns[0], 4 * rowHeight),
               QColor(0xFD, 0xF2, 0xEA));
    for (int c = 1; c < 3; ++c)
        text(p, QRectF(columns[c] + 10, top, columns[c + 1] - columns[c] - 10, rowHeight), header[c],
             gothic(17, true), Qt::white);
    for (int r = 0; r < rows.size(); ++r) {
        const qreal y = top + (r + 1) * rowHeight;
        for (int c = 0; c < 3; ++c)
            text(p, QRectF(columns[c] + 10, y, columns[c + 1] - columns[c] - 10, rowHeight), rows[r][c],
                 gothic(17, c == 0), ink::text);
        p.setPen(QPen(QColor(0xE0, 0xB8, 0x9A), 1));
        p.drawLine(QPointF(columns[0], y), QPointF(columns[3], y));
    }
    p.setPen(QPen(kAtom, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(columns[0], top, columns[3] - columns[0], 5 * rowHeight));
    text(p, QRectF(columns[0], top + 5 * rowHeight + 8, w - 16, 50),
         QStringLiteral("どちらも 重いものが中心にあり，そのまわりを 軽いものが回る"), gothic(17), kAtom,
         Qt::AlignLeft | Qt::AlignTop);
    // Beyond the small window, the two drawn side by side.
    orbitSketch(p, QPointF(710, 50), QColor(0xFF, 0xB3, 0x00), 7, ink::electron, {28, 46}, true);
    orbitSketch(p, QPointF(710, 135), ink::proton, 5, ink::electron, {28, 46}, false);
}

void drawInverseSquareLaws(QPainter& p, int w, int h) {
    p.fillRect(0, 0, w, h, Qt::white);
    auto law = [&](qreal left, const QString& name, const Formula& f, const QColor& colour) {
        const QRectF box(left, 6, 290, h - 12);
        p.setPen(QPen(colour, 1.5));
        p.setBrush(QColor(colour.red(), colour.green(), colour.blue(), 20));
        p.drawRoundedRect(box, 8, 8);
        text(p, QRectF(box.left() + 12, box.top() + 4, 120, 28), name, gothic(18, true), colour);
        drawFormulaIn(p, f, box.adjusted(100, 4, -8, -4), 24);
    };
    const Formula gravity =
        row({var("F"), op("="), var("G"), frac(row({var("M"), var("m")}), sup(var("r"), num("2")))});
    const Formula coulomb =
        row({var("F"), op("="), var("k"), frac(row({var("Q"), var("q")}), sup(var("r"), num("2")))});
    law(6, QStringLiteral("万有引力"), gravity, kMacro);
    law(310, QStringLiteral("静電気力"), coulomb, kAtom);
    text(p, QRectF(612, 6, w - 620, h - 12), QStringLiteral("どちらも 距離 r の\n2 乗に反比例する"),
         gothic(18, true), ink::text, Qt::AlignLeft | Qt::AlignVCenter);
}

void drawSizeRatios(QPainter& p, int w, int h) {
    const QRectF body = card(p, QRectF(0, 0, w, h), QStringLiteral("重さは どこにある？"), kAtom, 19);
    // A seesaw: one proton balances 1836 electrons.
    const QPointF pivot(170, body.top() + 116);
    const QPointF pivotTri[3] = {pivot, pivot + QPointF(-18, 30), pivot + QPointF(18, 30)};
    p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1.2));
    p.setBrush(QColor(0x99, 0x99, 0x99));
    p.drawPolygon(pivotTri, 3);
    p.setPen(QPen(QColor(0x6D, 0x4C, 0x41), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(pivot + QPointF(-140, 0), pivot + QPointF(140, 0));
    ball(p, pivot + QPointF(-110, -30), 27, ink::proton);
    text(p, QRectF(pivot.x() - 160, pivot.y() + 8, 100, 24), QStringLiteral("陽子 1 個"), gothic(16, true),
         ink::text, Qt::AlignCenter);
    Rng rng(1836);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 300; ++i) {
        const double x = rng.range(-34, 34),
                     y = -3 - 50 * std::pow(rng.uniform(), 1.3) * (1 - std::abs(x) / 40);
        p.setBrush(ink::electron);
        p.drawEllipse(pivot + QPointF(110 + x, y), 1.7, 1.7);
    }
    text(p, QRectF(pivot.x() + 50, pivot.y() + 8, 130, 24), QStringLiteral("電子 1836 個"), gothic(16, true),
         ink::text, Qt::AlignCenter);
    text(p, QRectF(330, body.top() + 4, 270, 160),
         QStringLiteral("陽子 1 個は\n電子 1836 個分の重さ．\n\n原子の重さの\nほとんどは 原子核に\nある．"),
         gothic(18), ink::text, Qt::AlignLeft | Qt::AlignTop);
    text(p, QRectF(16, body.top() + 166, w - 32, 50),
         QStringLiteral("水素原子では 99.95 %．太陽系では 太陽が 99.86 %．よく似ている．"), gothic(16), kAtom,
         Qt::AlignLeft | Qt::AlignTop);
}

void drawElectronSprite(QPainter& p, int w, int h) {
    const qreal r = std::min(w, h) / 2.0 - 0.5;
    ball(p, QPointF(w / 2.0, h / 2.0), r, ink::electron);
}

void drawLikeness(QPainter& p, int w, int h) {
    const QRectF body =
        card(p, QRectF(0, 0, w, h), QStringLiteral("似ているところ"), QColor(0x2E, 0x7D, 0x32), 19);
    lines(p, QPointF(18, body.top() + 8), 30,
          {QStringLiteral("① 中心に 重いもの（太陽 ／ 原子核）"),
           QStringLiteral("② まわりを 軽いもの（惑星 ／ 電子）が回る"),
           QStringLiteral("③ 力は 距離の 2 乗に反比例（万有引力 ／ 静電気力）")},
          gothic(18));
    text(p, QRectF(640, body.top() + 8, w - 656, body.height() - 16),
         QStringLiteral("だから 原子も\n「小さな太陽系」と\n考えられた．"), gothic(17), ink::muted,
         Qt::AlignLeft | Qt::AlignTop);
}

void drawDifferences(QPainter& p, int w, int h) {
    const QRectF body =
        card(p, QRectF(0, 0, w, h), QStringLiteral("違うところ"), QColor(0xC6, 0x28, 0x28), 19);
    const QFont font = gothic(18);
    text(p, QRectF(18, body.top() + 8, 600, 30), QStringLiteral("① 電子は みな同じ．惑星は 一つ一つ違う"),
         font, ink::text);
    drawFormulaIn(p, row({jp("② 静電気力は 万有引力の "), sup(num("10"), num("39")), jp(" 倍も強い")}),
                  QRectF(18, body.top() + 38, 600, 30), 18, Qt::AlignLeft);
    text(p, QRectF(18, body.top() + 68, 600, 30),
         QStringLiteral("③ 回る電子は 光を出して 落ちてしまうはず…？"), font, ink::text);
    text(p, QRectF(640, body.top() + 8, w - 656, body.height() - 16),
         QStringLiteral("③が 太陽系モデルの\n大きな問題になる．"), gothic(17), ink::muted,
         Qt::AlignLeft | Qt::AlignTop);
}

void drawEmptyAtom(QPainter& p, int w, int h) {
    const QRectF body = card(p, QRectF(0, 0, w, h), QStringLiteral("同じ大きさに描いてみると"), kAtom, 20);
    auto panel = [&](QPointF c, const QString& title, const QString& ratio, qreal centreRadius,
                     const QColor& centre, const QString& note) {
        const qreal orbit = 150;
        p.setPen(QPen(QColor(0xAA, 0xAA, 0xBB), 1.2, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, orbit, orbit);
        ball(p, c + QPointF(orbit * std::cos(-0.6), orbit * std::sin(-0.6)), 6, ink::electron);
        p.setPen(Qt::NoPen);
        p.setBrush(centre);
        p.drawEllipse(c, std::max(0.6, centreRadius), std::max(0.6, centreRadius));
        text(p, QRectF(c.x() - 160, c.y() - orbit - 40, 320, 30), title, gothic(20, true), ink::text,
             Qt::AlignCenter);
        text(p, QRectF(c.x() - 160, c.y() + orbit + 8, 320, 26), ratio, gothic(18, true), kAtom,
             Qt::AlignCenter);
        arrow(p, c + QPointF(70, 60), c + QPointF(4, 4), centre.darker(120), 1.5, 8);
        text(p, QRectF(c.x() + 56, c.y() + 58, 120, 44), note, gothic(15), ink::text,
             Qt::AlignLeft | Qt::AlignTop);
    };
    const qreal cy = body.top() + 220;
    panel(QPointF(170, cy), QStringLiteral("太陽と地球の軌道"), QStringLiteral("半径の比　1 : 215"),
          150.0 / 215, QColor(0xF5, 0x9E, 0x0B), QStringLiteral("太陽"));
    panel(QPointF(480, cy), QStringLiteral("原子核と電子（水素）"), QStringLiteral("半径の比　1 : 約 60000"),
          150.0 / 60000, ink::proton, QStringLiteral("原子核\n（見えない！）"));
    text(p, QRectF(660, body.top() + 80, w - 676, 260),
         QStringLiteral("原子の中は\n太陽系よりも\nずっと すかすか．\n\n原子の重さは\nほとんど "
                        "真ん中の\n小さな点に\n集まっている．"),
         gothic(18), ink::text, Qt::AlignLeft | Qt::AlignTop);
}

void drawOrbitSpeeds(QPainter& p, int w, int h) {
    const QRectF body = card(p, QRectF(0, 0, w, h), QStringLiteral("回る速さ"), kAtom, 19);
    const QPointF sun(90, body.top() + 62);
    p.setPen(QPen(QColor(0x99, 0x99, 0xAA), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(sun, 62, 40);
    glow(p, sun, 24, QColor(0xFF, 0xB3, 0x00));
    ball(p, sun, 11, QColor(0xFF, 0xC1, 0x07));
    const QPointF earth = sun + QPointF(62 * std::cos(0.5), 40 * std::sin(0.5));
    ball(p, earth, 7, QColor(0x2E, 0x86, 0xDE));
    arrow(p, earth + QPointF(3, 2), earth + QPointF(-12, 28), QColor(0x2E, 0x86, 0xDE), 2, 8);
    text(p, QRectF(178, body.top() + 8, 440, 90),
         QStringLiteral("地球は 秒速 30 km で，\n太陽のまわりを 1 年かけて 1 周する．"), gothic(18),
         ink::text, Qt::AlignLeft | Qt::AlignTop);
    text(p, QRectF(178, body.top() + 70, 440, 30), QStringLiteral("では，原子の中の 電子は？"),
         gothic(19, true), kAtom);
    text(p, QRectF(640, body.top() + 8, w - 656, body.height() - 16),
         QStringLiteral("1 周 9 億 4 千万 km．\n光なら 52 分で走る道のり．"), gothic(16), ink::muted,
         Qt::AlignLeft | Qt::AlignTop);
}

void drawPlanckConstant(QPainter& p, int w, int h) {
    p.fillRect(0, 0, w, h, Qt::white);
    const Formula f = row({coloured(var("h"), QColor(0xD0, 0, 0)), op("="), num("6.626"), op("×"),
                           sup(num("10"), num("−34")), num(" J·s")});
    const QRectF area = drawFormulaIn(p, f, QRectF(12, 0, 300, h), 24, Qt::AlignLeft);
    text(p, QRectF(area.right() + 18, 0, w - area.right() - 24, h), QStringLiteral("（プランク定数）"),
         gothic(18), ink::text);
}

} // namespace mediagen

// Pictures of the micro world: from a drop of water down to quarks.

#include "matter_pictures.h"
#include "matter_pictures_kit.h"

#include "formula.h"
#include "paint_kit.h"
#include "rng.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace mediagen {

namespace {

// A ring of electrons around a nucleus, as in a school diagram of an atom.
void shell(QPainter& p, QPointF centre, qreal radius, int electrons, qreal startAngle, const QColor& ring,
           const QColor& electron, qreal electronRadius) {
    p.save();
    p.setPen(QPen(ring, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius, radius);
    p.restore();
    for (int i = 0; i < electrons; ++i) {
        const double a = startAngle + 2 * kPi * i / electrons;
        ball(p, centre + QPointF(radius * std::cos(a), -radius * std::sin(a)), electronRadius, electron);
    }
}

} // namespace

void drawDrop(QPainter& p, int w, int h) {
    QPainterPath drop;
    drop.moveTo(w / 2.0, 0.5);
    drop.cubicTo(w * 0.62, h * 0.3, w - 0.5, h * 0.5, w - 0.5, h * 0.68);
    drop.cubicTo(w - 0.5, h * 0.88, w * 0.78, h - 0.5, w / 2.0, h - 0.5);
    drop.cubicTo(w * 0.22, h - 0.5, 0.5, h * 0.88, 0.5, h * 0.68);
    drop.cubicTo(0.5, h * 0.5, w * 0.38, h * 0.3, w / 2.0, 0.5);
    QRadialGradient g(QPointF(w * 0.38, h * 0.6), w * 0.75);
    g.setColorAt(0, QColor(0xD8, 0xEE, 0xFF));
    g.setColorAt(0.5, kWater);
    g.setColorAt(1, QColor(0x1F, 0x5F, 0xA8));
    p.setPen(QPen(QColor(0x1F, 0x5F, 0xA8), 0.8));
    p.setBrush(g);
    p.drawPath(drop);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawEllipse(QPointF(w * 0.36, h * 0.62), w * 0.1, h * 0.1);
}

void drawDropMagnified(QPainter& p, int w, int h) {
    const QRectF body = card(p, QRectF(0, 0, w, h), QStringLiteral("水滴を 拡大していくと…"), kMicro, 20);
    // Three magnifier views, each ten or a hundred times closer.
    struct View {
        qreal x;
        const char* scale;
        const char* caption;
    };
    const View views[] = {{68, "1 mm", "水滴"}, {200, "10 μm", "100 倍"}, {332, "1 μm", "1000 倍"}};
    const qreal cy = body.top() + 56;
    const qreal r = 48;
    for (int i = 0; i < 3; ++i) {
        const QPointF c(views[i].x, cy);
        p.save();
        QPainterPath circle;
        circle.addEllipse(c, r, r);
        p.setClipPath(circle);
        p.fillRect(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), QColor(0xEE, 0xF6, 0xFD));
        if (i == 0) {
            ball(p, c, 30, kWater);
        } else {
            // Ever more blurred: the detail that light cannot resolve.
            Rng rng(40 + i);
            const int blobs = i == 1 ? 60 : 14;
            for (int k = 0; k < blobs; ++k) {
                const QPointF at = c + QPointF(rng.signedUnit() * r, rng.signedUnit() * r);
                const qreal size = i == 1 ? rng.range(4, 9) : rng.range(18, 30);
                QRadialGradient g(at, size);
                g.setColorAt(0, QColor(0x4A, 0x9B, 0xE0, i == 1 ? 170 : 90));
                g.setColorAt(1, QColor(0x4A, 0x9B, 0xE0, 0));
                p.setPen(Qt::NoPen);
                p.setBrush(g);
                p.drawEllipse(at, size, size);
            }
        }
        p.restore();
        p.setPen(QPen(QColor(0x55, 0x55, 0x55), 4));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, r, r);
        text(p, QRectF(c.x() - 60, cy + r + 4, 120, 22), QString::fromUtf8(views[i].caption),
             gothic(16, true), ink::text, Qt::AlignCenter);
        text(p, QRectF(c.x() - 60, cy + r + 24, 120, 20),
             QStringLiteral("幅 ") + QString::fromUtf8(views[i].scale), gothic(14), ink::muted,
             Qt::AlignCenter);
        if (i < 2) arrow(p, QPointF(c.x() + r + 4, cy), QPointF(c.x() + 132 - r - 4, cy), kMicro, 2.5, 10);
    }
    text(p, QRectF(14, body.top() + 148, 400, 28), QStringLiteral("ぼやけて，水の粒は見えない！"),
         gothic(18, true), kMicro);
    // Beyond what a small window shows: why.
    const QRectF side(420, body.top() + 12, w - 434, 200);
    text(p, side,
         QStringLiteral("光学顕微鏡では，\n光の波長（0.4〜0.7 μm）\nより細かいものは\n見分けられない．\n\n"
                        "水の分子は 0.3 nm．\n1 μm の 3000 分の 1．"),
         gothic(15), ink::text, Qt::AlignLeft | Qt::AlignTop);
}

void drawWaterFacts(QPainter& p, int w, int h) {
    const QRectF body = card(p, QRectF(0, 0, w, h), QStringLiteral("水分子 H₂O"), kMicro, 20);
    const QFont font = gothic(17);
    const qreal x = 16;
    qreal y = body.top() + 10;
    text(p, QRectF(x, y, 420, 26), QStringLiteral("水素原子 2 個と 酸素原子 1 個"), font, ink::text);
    y += 34;
    text(p, QRectF(x, y, 140, 26), QStringLiteral("分子量："), font, ink::text);
    drawFormulaIn(
        p, row({num("1"), op("×"), num("2"), op("+"), num("16"), op("="), coloured(num("18"), kMicro)}),
        QRectF(x + 76, y - 4, 260, 34), 19, Qt::AlignLeft);
    y += 40;
    text(p, QRectF(x, y, 140, 26), QStringLiteral("1 モル："), font, ink::text);
    drawFormulaIn(p, row({num("6.02"), op("×"), sup(num("10"), num("23")), jp(" 個の集まり")}),
                  QRectF(x + 76, y - 6, 320, 36), 19, Qt::AlignLeft);
    y += 42;
    text(p, QRectF(x, y, 420, 26), QStringLiteral("大きさ：約 0.3 nm（1 mm の 300 万分の 1）"), font,
         ink::text);
    // A space-filling model of the molecule, beyond what a small window shows.
    const QPointF o(540, body.top() + 92);
    const double half = 104.5 / 2 * kPi / 180;
    ball(p, o + QPointF(-58 * std::sin(half), 58 * std::cos(half)), 26, ink::hydrogen);
    ball(p, o + QPointF(58 * std::sin(half), 58 * std::cos(half)), 26, ink::hydrogen);
    ball(p, o, 46, ink::oxygen);
    text(p, QRectF(o.x() - 20, o.y() - 14, 40, 28), QStringLiteral("O"), serif(22, false), Qt::white,
         Qt::AlignCenter);
    text(p, QRectF(o.x() - 66, o.y() + 22, 40, 28), QStringLiteral("H"), serif(18), ink::text,
         Qt::AlignCenter);
    text(p, QRectF(o.x() + 26, o.y() + 22, 40, 28), QStringLiteral("H"), serif(18), ink::text,
         Qt::AlignCenter);
}

void drawOxygenCaption(QPainter& p, int w, int h) {
    text(p, QRectF(4, 0, w - 8, h), QStringLiteral("↑ 目盛り 1 つで 0.5 Å（1 Å ＝ 1 億分の 1 cm）"),
         gothic(16), ink::oxygen, Qt::AlignLeft | Qt::AlignVCenter);
}

namespace {

// The frame of the seven oxygen cards: a title and seven dots that show how
// far the sequence has got. Returns the content area.
QRectF oxygenCard(QPainter& p, int w, int h, int index, const QString& title) {
    const QRectF body = card(p, QRectF(0, 0, w, h), title, kMicro, 20);
    for (int i = 0; i < 7; ++i) {
        const QPointF c(w - 24 - (6 - i) * 16, 17);
        p.setPen(QPen(Qt::white, 1.2));
        p.setBrush(i == index ? QBrush(Qt::white) : QBrush(Qt::NoBrush));
        p.drawEllipse(c, 4.5, 4.5);
    }
    return body;
}

// The oxygen atom as a school diagram: nucleus and two rings (2 + 6 electrons).
void oxygenDiagram(QPainter& p, QPointF c, qreal scale, qreal innerAlpha = 1, qreal outerAlpha = 1) {
    auto fade = [](QColor colour, qreal alpha) {
        colour.setAlphaF(float(alpha));
        return colour;
    };
    p.save();
    p.setOpacity(innerAlpha);
    shell(p, c, 34 * scale, 2, kPi / 2, fade(kMicro, 1), ink::electron, 5.5 * scale);
    p.setOpacity(outerAlpha);
    shell(p, c, 72 * scale, 6, kPi / 6, fade(kMicro, 1), ink::electron, 5.5 * scale);
    p.restore();
    nucleusCluster(p, c, 4.2 * scale, 8, 8);
}

} // namespace

void drawOxygenSymbol(QPainter& p, int w, int h) {
    const QRectF body = oxygenCard(p, w, h, 0, QStringLiteral("酸素原子"));
    // An element tile as in a periodic table.
    const QRectF tile(24, body.top() + 14, 150, 160);
    p.setPen(QPen(kMicro, 2.5));
    p.setBrush(QColor(0xE8, 0xF0, 0xFA));
    p.drawRoundedRect(tile, 10, 10);
    text(p, tile.adjusted(10, 6, 0, 0), QStringLiteral("8"), serif(24, false), kMicro,
         Qt::AlignLeft | Qt::AlignTop);
    text(p, tile.adjusted(0, 10, 0, -30), QStringLiteral("O"), serif(78, false), ink::text, Qt::AlignCenter);
    text(p, tile.adjusted(0, 0, 0, -8), QStringLiteral("酸素  16.00"), gothic(17), ink::text,
         Qt::AlignHCenter | Qt::AlignBottom);
    lines(p, QPointF(190, body.top() + 30), 34,
          {QStringLiteral("原子番号 8"), QStringLiteral("質量数 16"), QStringLiteral("（陽子 8，中性子 8）")},
          gothic(18));
    text(p, QRectF(16, body.top() + 188, w - 32, 60),
         QStringLiteral("空気の 21 % は酸素．水の重さの 9 割も酸素です．"), gothic(16), ink::muted,
         Qt::AlignLeft | Qt::AlignTop);
}

void drawOxygenElectrons(QPainter& p, int w, int h) {
    const QRectF body = oxygenCard(p, w, h, 1, QStringLiteral("原子核と電子"));
    const QPointF c(100, body.top() + 100);
    oxygenDiagram(p, c, 1.12);
    lines(p, QPointF(200, body.top() + 24), 32,
          {QStringLiteral("中心に 原子核"), QStringLiteral("まわりに 電子 8 個"),
           QStringLiteral("電子は − の電気"), QStringLiteral("原子核は ＋ の電気")},
          gothic(17));
    text(p, QRectF(16, body.top() + 210, w - 32, 40),
         QStringLiteral("＋と−が引き合って，電子は原子核から離れない．"), gothic(16), ink::muted,
         Qt::AlignLeft | Qt::AlignTop);
}

void drawOxygenInnerShell(QPainter& p, int w, int h) {
    const QRectF body = oxygenCard(p, w, h, 2, QStringLiteral("内側の殻（K 殻）"));
    oxygenDiagram(p, QPointF(100, body.top() + 100), 1.12, 1.0, 0.22);
    lines(p, QPointF(200, body.top() + 30), 34,
          {QStringLiteral("いちばん内側に"), QStringLiteral("電子 2 個"), QStringLiteral("（2 個で満席）")},
          gothic(18));
    text(p, QRectF(16, body.top() + 210, w - 32, 40),
         QStringLiteral("内側の電子ほど 原子核に強く引きつけられている．"), gothic(16), ink::muted,
         Qt::AlignLeft | Qt::AlignTop);
}

void drawOxygenOuterShell(QPainter& p, int w, int h) {
    const QRectF body = oxygenCard(p, w, h, 3, QStringLiteral("外側の殻（L 殻）"));
    oxygenDiagram(p, QPointF(100, body.top() + 100), 1.12, 0.22, 1.0);
    lines(p, QPointF(200, body.top() + 30), 34,
          {QStringLiteral("その外側に"), QStringLiteral("電子 6 個"), QStringLiteral("（8 個で満席）")},
          gothic(18));
    text(p, QRectF(16, body.top() + 210, w - 32, 40),
         QStringLiteral("あと 2 個分の空席に 水素の電子が入って 水ができる．"), gothic(16), ink::muted,
         Qt::AlignLeft | Qt::AlignTop);
}

void drawOxygenCloud(QPainter& p, int w, int h) {
    const QRectF body = oxygenCard(p, w, h, 4, QStringLiteral("本当は 電子の雲"));
    const QPointF c(100, body.top() + 100);
    // Dots thick near the nucleus and thinning outwards.
    Rng rng(0x0C10D);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 2600; ++i) {
        const double r = 86 * std::pow(rng.uniform(), 0.8) * (i % 4 == 0 ? 0.45 : 1.0);
        const double a = rng.range(0, 2 * kPi);
        p.setBrush(QColor(0x1E, 0x6F, 0xD9, 150));
        p.drawEllipse(c + QPointF(r * std::cos(a), r * std::sin(a)), 0.9, 0.9);
    }
    nucleusCluster(p, c, 4.2, 8, 8);
    lines(p, QPointF(200, body.top() + 24), 32,
          {QStringLiteral("電子は 決まった道を"), QStringLiteral("回るのではなく，"),
           QStringLiteral("雲のように広がって"), QStringLiteral("いる．")},
          gothic(17));
    text(p, QRectF(16, body.top() + 210, w - 32, 40), QStringLiteral("濃いところほど 電子が見つかりやすい．"),
         gothic(16), ink::muted, Qt::AlignLeft | Qt::AlignTop);
}

void drawOxygenSize(QPainter& p, int w, int h) {
    const QRectF body = oxygenCard(p, w, h, 5, QStringLiteral("原子の大きさ"));
    const QPointF c(100, body.top() + 96);
    oxygenDiagram(p, c, 1.0);
    dimension(p, QPointF(c.x() - 76, c.y() + 90), QPointF(c.x() + 76, c.y() + 90), kMicro);
    drawFormulaIn(p, row({jp("約 1 Å ＝ "), sup(num("10"), num("−10")), num(" m")}),
                  QRectF(c.x() - 90, c.y() + 92, 180, 30), 15);
    lines(p, QPointF(200, body.top() + 24), 32,
          {QStringLiteral("1 cm の中に"), QStringLiteral("1 億個 並ぶ"), QStringLiteral("小ささ")},
          gothic(18));
    text(p, QRectF(16, body.top() + 220, w - 32, 40),
         QStringLiteral("1 Å（オングストローム）は 100 億分の 1 m．"), gothic(16), ink::muted,
         Qt::AlignLeft | Qt::AlignTop);
}

void drawOxygenNucleusSize(QPainter& p, int w, int h) {
    const QRectF body = oxygenCard(p, w, h, 6, QStringLiteral("原子核は もっと小さい"));
    const QPointF c(96, body.top() + 100);
    p.setPen(QPen(kMicro, 1.5, Qt::DashLine));
    p.setBrush(QColor(0xE8, 0xF0, 0xFA));
    p.drawEllipse(c, 80, 80);
    p.setPen(Qt::NoPen);
    p.setBrush(ink::proton);
    p.drawEllipse(c, 1.2, 1.2);
    // A magnifier lifts the tiny nucleus out.
    const QPointF zoom(200, body.top() + 66);
    p.setPen(QPen(QColor(0x88, 0x88, 0x88), 1, Qt::DashLine));
    p.drawLine(c, zoom + QPointF(-34, 10));
    p.setPen(QPen(QColor(0x55, 0x55, 0x55), 4));
    p.setBrush(Qt::white);
    p.drawEllipse(zoom, 38, 38);
    nucleusCluster(p, zoom, 6.5, 8, 8);
    lines(p, QPointF(248, body.top() + 30), 32, {QStringLiteral("原子の"), QStringLiteral("約 10 万分の 1")},
          gothic(18));
    text(p, QRectF(16, body.top() + 194, w - 32, 60),
         QStringLiteral("それでも原子の重さの 99.97 % は 原子核にある．\n原子の中は ほとんど からっぽ．"),
         gothic(16), ink::muted, Qt::AlignLeft | Qt::AlignTop);
}

void drawAngstromLabel(QPainter& p, int w, int h) {
    drawFormulaIn(p, row({sup(num("10"), num("−10")), num(" m")}), QRectF(0, 0, w, h), 17);
}

void drawNucleusScale(QPainter& p, int w, int h) {
    const QRectF body = card(p, QRectF(0, 0, w, h), QStringLiteral("原子核の大きさ"), kMicro, 20);
    // A stadium for the atom and a grain for the nucleus.
    const QPointF field(100, body.top() + 76);
    p.setPen(QPen(QColor(0x2E, 0x7D, 0x32), 2));
    p.setBrush(QColor(0xA5, 0xD6, 0xA7));
    p.drawEllipse(field, 88, 66);
    p.setBrush(QColor(0xD7, 0xB8, 0x8C));
    const QPointF diamond[4] = {field + QPointF(0, 30), field + QPointF(-26, 4), field + QPointF(0, -22),
                                field + QPointF(26, 4)};
    p.drawPolygon(diamond, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(ink::proton);
    p.drawEllipse(field + QPointF(0, 4), 1.6, 1.6);
    arrow(p, field + QPointF(40, -40), field + QPointF(4, 0), ink::proton, 1.5, 7);
    text(p, QRectF(206, body.top() + 12, 420, 120),
         QStringLiteral("原子を 野球場ほどに拡大すると，\n原子核は まん中に置いた\n1 粒の砂（1 mm ほど）．"),
         gothic(19), ink::text, Qt::AlignLeft | Qt::AlignTop);
    text(p, QRectF(206, body.top() + 86, 420, 30), QStringLiteral("陽子 8 個 ＋ 中性子 8 個 ＝ 質量数 16"),
         gothic(18, true), kMicro);
    // Beyond the small window: the numbers.
    const QRectF side(640, body.top() + 10, w - 656, body.height() - 20);
    drawFormulaIn(p, row({jp("直径 約 "), sup(num("10"), num("−14")), num(" m")}),
                  QRectF(side.left(), side.top(), side.width(), 34), 19, Qt::AlignLeft);
    text(p, QRectF(side.left(), side.top() + 40, side.width(), 80),
         QStringLiteral("＝ 10 fm（フェムトメートル）\n原子の 約 10 万分の 1"), gothic(17), ink::text,
         Qt::AlignLeft | Qt::AlignTop);
}

void drawHadronBanner(QPainter& p, int w, int h) {
    p.fillRect(0, 0, w, h, Qt::black);
    text(p, QRectF(16, 4, w - 32, 36), QStringLiteral("陽子・中性子・中間子 …　ハドロンの世界"),
         gothic(26, true), QColor(0xF5, 0xF5, 0xF5));
    text(p, QRectF(16, 40, w - 32, 26), QStringLiteral("強い力（カラー力）で結びつく 仲間たち"), gothic(17),
         QColor(0x7F, 0xDB, 0xFF));
    const QColor colours[] = {QColor(0, 0, 255), QColor(0, 255, 0), QColor(0, 255, 255), QColor(255, 0, 0)};
    for (int i = 0; i < 4; ++i)
        ball(p, QPointF(500 + i * 34, 22), 11, colours[i]);
}

namespace {

// A hadron opened up: a circle holding three quarks with their letters.
void hadron(QPainter& p, QPointF c, const char* quarks, const QString& name) {
    p.setPen(QPen(ink::text, 1.5));
    p.setBrush(QColor(0xF3, 0xF3, 0xF3));
    p.drawEllipse(c, 30, 30);
    const QColor colours[3] = {QColor(0xE7, 0x4C, 0x3C), QColor(0x27, 0xAE, 0x60), QColor(0x29, 0x80, 0xB9)};
    for (int i = 0; i < 3; ++i) {
        const double a = kPi / 2 + i * 2 * kPi / 3;
        const QPointF q = c + QPointF(15 * std::cos(a), -15 * std::sin(a));
        ball(p, q, 10, colours[i]);
        text(p, QRectF(q.x() - 10, q.y() - 11, 20, 20), QString(QChar::fromLatin1(quarks[i])),
             serif(15, true), Qt::white, Qt::AlignCenter);
    }
    text(p, QRectF(c.x() - 50, c.y() + 30, 100, 20), name, gothic(14, true), ink::text, Qt::AlignCenter);
}

} // namespace

void drawQuarkBanner(QPainter& p, int w, int h) {
    p.fillRect(0, 0, w, h, Qt::white);
    text(p, QRectF(10, 4, 460, 34), QStringLiteral("陽子も中性子も クォーク 3 個"), gothic(25, true),
         ink::text);
    const Formula up = row({var("u"), jp("：アップ（電荷 "), num("+"), frac(num("2"), num("3")), jp("）")});
    const Formula down = row({var("d"), jp("：ダウン（電荷 "), num("−"), frac(num("1"), num("3")), jp("）")});
    drawFormulaIn(p, up, QRectF(12, 40, 230, 56), 16, Qt::AlignLeft);
    drawFormulaIn(p, down, QRectF(244, 40, 230, 56), 16, Qt::AlignLeft);
    hadron(p, QPointF(520, 40), "uud", QStringLiteral("陽子"));
    hadron(p, QPointF(592, 40), "udd", QStringLiteral("中性子"));
    text(p, QRectF(650, 10, w - 660, 84),
         QStringLiteral("陽子：+2/3 +2/3 −1/3 ＝ +1\n中性子：+2/3 −1/3 −1/3 ＝ 0"), gothic(17), ink::text,
         Qt::AlignLeft | Qt::AlignVCenter);
}

void drawElementaryBanner(QPainter& p, int w, int h) {
    p.fillRect(0, 0, w, h, Qt::black);
    const QColor green(0, 255, 0);
    text(p, QRectF(12, 2, w - 24, 30), QStringLiteral("素粒子 ― これ以上 分けられない粒"), gothic(22, true),
         green);
    struct Family {
        const char* name;
        const char* members[6];
        QColor colour;
    };
    const Family families[] = {
        {"クォーク", {"u", "d", "c", "s", "t", "b"}, QColor(0xE7, 0x4C, 0x3C)},
        {"レプトン", {"e", "μ", "τ", "νe", "νμ", "ντ"}, QColor(0x34, 0x98, 0xDB)},
    };
    for (int f = 0; f < 2; ++f) {
        const qreal y = 48 + f * 28;
        text(p, QRectF(16, y - 12, 110, 24), QString::fromUtf8(families[f].name), gothic(18), Qt::white);
        for (int i = 0; i < 6; ++i) {
            const QPointF c(140 + i * 36, y);
            ball(p, c, 11, families[f].colour);
            text(p, QRectF(c.x() - 14, c.y() - 11, 28, 22), QString::fromUtf8(families[f].members[i]),
                 serif(13, true), Qt::white, Qt::AlignCenter);
        }
    }
    text(p, QRectF(370, 36, w - 380, 60), QStringLiteral("物質は クォークと電子から\nできている"), gothic(18),
         green, Qt::AlignLeft | Qt::AlignVCenter);
}

} // namespace mediagen

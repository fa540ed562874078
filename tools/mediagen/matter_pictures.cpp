#include "matter_pictures.h"

#include "formula.h"
#include "paint_kit.h"
#include "rng.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

namespace mediagen {

namespace {

constexpr double kPi = std::numbers::pi;

// Title-band colours, one per part of the course.
const QColor kMeasuring(0x1B, 0x8A, 0x8C);
const QColor kMicro(0x2F, 0x6F, 0xB5);
const QColor kMacro(0x3C, 0x3C, 0x8C);
const QColor kAtom(0xC0, 0x60, 0x2A);

const QColor kPaper(0xFB, 0xFB, 0xF8);
const QColor kGlass(0xBF, 0xE3, 0xF5);
const QColor kWater(0x4A, 0x9B, 0xE0);
const QColor kBeamYellow(0xF2, 0xB7, 0x05);

// A bullet list, one line each, starting at `topLeft`.
void lines(QPainter& p, QPointF topLeft, qreal lineHeight, const QStringList& items, const QFont& font,
           const QColor& colour = ink::text) {
    for (int i = 0; i < items.size(); ++i)
        text(p, QRectF(topLeft.x(), topLeft.y() + i * lineHeight, 2000, lineHeight), items[i], font, colour);
}

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

// A nucleus drawn as a tight cluster of protons and neutrons.
void nucleusCluster(QPainter& p, QPointF centre, qreal r, int protons, int neutrons) {
    const int total = protons + neutrons;
    int drawnP = 0;
    int drawnN = 0;
    for (int i = 0; i < total; ++i) {
        // A sunflower spiral packs the balls evenly in a disc.
        const double a = i * 2.39996;
        const double d = r * 0.42 * std::sqrt(double(i) + 0.3);
        const bool proton = (i % 2 == 0 && drawnP < protons) || drawnN >= neutrons;
        (proton ? drawnP : drawnN)++;
        ball(p, centre + QPointF(d * std::cos(a), d * std::sin(a)), r, proton ? ink::proton : ink::neutron);
    }
}

// A stylised eye, used as the observer of the microscopes.
void eye(QPainter& p, QPointF centre, qreal size) {
    QPainterPath lid;
    lid.moveTo(centre + QPointF(-size, 0));
    lid.quadTo(centre + QPointF(0, -size * 0.9), centre + QPointF(size, 0));
    lid.quadTo(centre + QPointF(0, size * 0.9), centre + QPointF(-size, 0));
    p.save();
    p.setPen(QPen(ink::text, 1.5));
    p.setBrush(Qt::white);
    p.drawPath(lid);
    p.setBrush(QColor(0x3A, 0x6E, 0x9E));
    p.drawEllipse(centre, size * 0.38, size * 0.38);
    p.setBrush(Qt::black);
    p.drawEllipse(centre, size * 0.16, size * 0.16);
    p.restore();
}

// A lens seen from the side: a flat ellipse.
void lens(QPainter& p, QPointF centre, qreal halfWidth, qreal halfHeight, const QColor& colour) {
    p.save();
    p.setPen(QPen(colour.darker(150), 1.2));
    p.setBrush(colour);
    p.drawEllipse(centre, halfWidth, halfHeight);
    p.restore();
}

// The logarithmic axis shared by the two pictures of sizes, so that the
// second one reads as the first one with instruments added.
struct LogAxis {
    qreal left, right, y;
    int first, last; // exponents of ten at the two ends
    qreal x(double exponent) const { return left + (right - left) * (exponent - first) / (last - first); }
};

void drawLogAxis(QPainter& p, const LogAxis& axis) {
    p.save();
    p.setPen(QPen(ink::text, 2));
    p.drawLine(QPointF(axis.left, axis.y), QPointF(axis.right + 8, axis.y));
    arrow(p, QPointF(axis.right, axis.y), QPointF(axis.right + 14, axis.y), ink::text, 2, 10);
    for (int e = axis.first; e <= axis.last; ++e) {
        const qreal x = axis.x(e);
        const bool major = e % 3 == 0;
        p.setPen(QPen(ink::text, major ? 1.6 : 1));
        p.drawLine(QPointF(x, axis.y - (major ? 7 : 4)), QPointF(x, axis.y + (major ? 7 : 4)));
        if (major) {
            const Formula label =
                row({num("10"), sup(row({}), num(QString::number(e).replace('-', QChar(0x2212))))});
            drawFormulaIn(p, label, QRectF(x - 30, axis.y + 8, 60, 26), 15, Qt::AlignHCenter);
        }
    }
    p.restore();
    text(p, QRectF(axis.right + 20, axis.y - 13, 30, 26), QStringLiteral("m"), serif(17), ink::text);
    // Familiar units under their powers.
    const struct {
        int exponent;
        const char* name;
    } units[] = {{-15, "fm"}, {-12, "pm"}, {-9, "nm"}, {-6, "μm"}, {-3, "mm"}, {0, "m"}, {3, "km"}};
    for (const auto& u : units)
        text(p, QRectF(axis.x(u.exponent) - 30, axis.y + 32, 60, 20), QString::fromUtf8(u.name), serif(13),
             ink::muted, Qt::AlignCenter);
    text(p, QRectF(axis.x(15.976) - 40, axis.y + 32, 80, 20), QStringLiteral("1光年"), gothic(13), ink::muted,
         Qt::AlignCenter);
}

LogAxis sizeAxis(int w) {
    return {30, qreal(w) - 66, 250, -18, 27};
}

} // namespace

// ---------------------------------------------------------------------------
// Title card

void drawStarTitle(QPainter& p, int w, int h) {
    verticalGradient(p, QRectF(0, 0, w, h), QColor(0x03, 0x05, 0x12), QColor(0x1A, 0x24, 0x55));
    Rng rng(0x57A45);

    // The Milky Way: a diagonal band of faint haze and countless dim stars.
    const QPointF a(-0.1 * w, 0.95 * h);
    const QPointF b(1.1 * w, 0.05 * h);
    const QPointF along = (b - a) / std::hypot(b.x() - a.x(), b.y() - a.y());
    const QPointF across(-along.y(), along.x());
    const qreal length = std::hypot(b.x() - a.x(), b.y() - a.y());
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 70; ++i) {
        const QPointF c = a + along * rng.range(0, length) + across * rng.signedUnit() * h * 0.08;
        QRadialGradient haze(c, rng.range(40, 110));
        const QColor tint = i % 3 == 0 ? QColor(150, 120, 200, 26) : QColor(140, 160, 230, 22);
        haze.setColorAt(0, tint);
        haze.setColorAt(1, QColor(tint.red(), tint.green(), tint.blue(), 0));
        p.setBrush(haze);
        p.drawEllipse(c, 120, 120);
    }
    for (int i = 0; i < 6000; ++i) {
        // Sum of uniforms: denser along the middle of the band.
        const double spread = (rng.signedUnit() + rng.signedUnit() + rng.signedUnit()) / 3;
        const QPointF c = a + along * rng.range(0, length) + across * spread * h * 0.22;
        p.setBrush(QColor(220, 225, 255, 40 + rng.below(70)));
        p.drawEllipse(c, 0.6, 0.6);
    }

    // Stars of every brightness and a few colours.
    const QColor tints[] = {QColor(0xCF, 0xDD, 0xFF), Qt::white, QColor(0xFF, 0xF4, 0xD6),
                            QColor(0xFF, 0xD2, 0xA1)};
    for (int i = 0; i < 1400; ++i) {
        const QPointF c(rng.range(0, w), rng.range(0, h * 0.92));
        const double bright = std::pow(rng.uniform(), 3);
        QColor colour = tints[rng.below(4)];
        colour.setAlpha(70 + int(185 * bright));
        p.setBrush(colour);
        p.drawEllipse(c, 0.5 + 1.1 * bright, 0.5 + 1.1 * bright);
    }
    for (int i = 0; i < 28; ++i) {
        const QPointF c(rng.range(0, w), rng.range(0, h * 0.85));
        const qreal r = rng.range(5, 13);
        const QColor colour = tints[rng.below(4)];
        glow(p, c, r, colour);
        p.setPen(QPen(QColor(255, 255, 255, 120), 0.8));
        p.drawLine(c - QPointF(r * 1.4, 0), c + QPointF(r * 1.4, 0));
        p.drawLine(c - QPointF(0, r * 1.4), c + QPointF(0, r * 1.4));
        p.setPen(Qt::NoPen);
    }

    // Dark hills along the bottom edge.
    QPainterPath hills;
    hills.moveTo(0, h);
    for (int x = 0; x <= w; x += 8) {
        const double y =
            h * 0.9 - 22 * std::sin(x * 0.006 + 1.3) - 12 * std::sin(x * 0.017) - 5 * std::sin(x * 0.05);
        hills.lineTo(x, y);
    }
    hills.lineTo(w, h);
    hills.closeSubpath();
    p.setBrush(QColor(0x02, 0x03, 0x08));
    p.drawPath(hills);
}

// ---------------------------------------------------------------------------
// Measuring

void drawMeasuringUnits(QPainter& p, int w, int h) {
    const QRectF body =
        card(p, QRectF(0, 0, w, h), QStringLiteral("はかる ＝ 基準の長さの いくつ分かを数える"), kMeasuring);

    // A 14 cm ruler with a pencil lying along it.
    const qreal cm = 40;
    const qreal x0 = 36;
    const qreal rulerTop = body.top() + 120;
    p.setPen(QPen(QColor(0xA0, 0x7A, 0x30), 1.5));
    p.setBrush(QColor(0xF6, 0xE2, 0xA8));
    p.drawRoundedRect(QRectF(x0 - 16, rulerTop, 14 * cm + 32, 52), 4, 4);
    for (int mm = 0; mm <= 140; ++mm) {
        const qreal x = x0 + mm * cm / 10;
        const qreal len = mm % 10 == 0 ? 20 : (mm % 5 == 0 ? 14 : 8);
        p.setPen(QPen(ink::text, mm % 10 == 0 ? 1.4 : 0.8));
        p.drawLine(QPointF(x, rulerTop), QPointF(x, rulerTop + len));
        if (mm % 10 == 0)
            text(p, QRectF(x - 12, rulerTop + 22, 24, 20), QString::number(mm / 10), serif(14), ink::text,
                 Qt::AlignCenter);
    }
    // The pencil: 12.3 cm from the zero mark.
    const qreal pencilEnd = x0 + 12.3 * cm;
    const qreal py = rulerTop - 22;
    QPainterPath pencil;
    pencil.moveTo(x0, py);
    pencil.lineTo(pencilEnd - 34, py - 9);
    pencil.lineTo(pencilEnd, py);
    pencil.lineTo(pencilEnd - 34, py + 9);
    pencil.lineTo(x0, py + 9);
    pencil.lineTo(x0, py - 9);
    p.setPen(QPen(QColor(0x80, 0x50, 0x10), 1.2));
    p.setBrush(QColor(0xF5, 0xB0, 0x2E));
    p.drawRect(QRectF(x0, py - 9, pencilEnd - 34 - x0, 18));
    p.setBrush(QColor(0xF3, 0xD9, 0xB1));
    const QPointF cone[3] = {QPointF(pencilEnd - 34, py - 9), QPointF(pencilEnd, py),
                             QPointF(pencilEnd - 34, py + 9)};
    p.drawPolygon(cone, 3);
    p.setBrush(QColor(0x33, 0x33, 0x33));
    const QPointF lead[3] = {QPointF(pencilEnd - 10, py - 2.6), QPointF(pencilEnd, py),
                             QPointF(pencilEnd - 10, py + 2.6)};
    p.drawPolygon(lead, 3);
    p.setPen(QPen(kMeasuring, 1, Qt::DashLine));
    p.drawLine(QPointF(pencilEnd, py), QPointF(pencilEnd, rulerTop + 20));

    dimension(p, QPointF(x0, py - 30), QPointF(pencilEnd, py - 30), kMeasuring);
    text(p, QRectF(x0, py - 62, pencilEnd - x0, 24), QStringLiteral("12.3 cm"), gothic(20, true), kMeasuring,
         Qt::AlignCenter);
    text(
        p, QRectF(20, rulerTop + 62, 580, 56),
        QStringLiteral("1 cm の目盛りが 12.3 個分 ⇒ 長さは 12.3 cm\n細かい目盛りの物差しほど 正確にはかれる"),
        gothic(18), ink::text, Qt::AlignLeft | Qt::AlignTop);

    // Right: what the reference unit itself is.
    const QRectF side(620, body.top() + 16, w - 640, body.height() - 32);
    p.setPen(QPen(kMeasuring, 1.5));
    p.setBrush(QColor(0xE6, 0xF4, 0xF4));
    p.drawRoundedRect(side, 8, 8);
    text(p, side.adjusted(14, 10, -14, 0), QStringLiteral("基準の長さ「1 メートル」"), gothic(19, true),
         kMeasuring, Qt::AlignTop | Qt::AlignHCenter);
    text(p, side.adjusted(14, 48, -14, 0), QStringLiteral("光が真空中を"), gothic(17), ink::text,
         Qt::AlignTop | Qt::AlignLeft);
    drawFormulaIn(p, frac(num("1"), num("299 792 458")), QRectF(side.left() + 14, side.top() + 74, 150, 56),
                  18, Qt::AlignLeft);
    text(p, QRectF(side.left() + 140, side.top() + 84, 150, 36), QStringLiteral("秒間に"), gothic(17),
         ink::text);
    text(p, side.adjusted(14, 134, -14, 0), QStringLiteral("進む距離"), gothic(17), ink::text,
         Qt::AlignTop | Qt::AlignLeft);
    // A beam of light one metre long.
    const qreal by = side.bottom() - 36;
    glow(p, QPointF(side.left() + 30, by), 14, kBeamYellow);
    p.setPen(QPen(kBeamYellow, 3));
    p.drawLine(QPointF(side.left() + 30, by), QPointF(side.right() - 30, by));
    arrow(p, QPointF(side.right() - 40, by), QPointF(side.right() - 22, by), kBeamYellow, 3, 12);
    text(p, QRectF(side.left(), by - 30, side.width(), 22), QStringLiteral("1 m"), serif(16), ink::text,
         Qt::AlignCenter);
}

void drawMicroscopes(QPainter& p, int w, int h) {
    const QRectF body =
        card(p, QRectF(0, 0, w, h), QStringLiteral("小さなものを見る道具 ― 顕微鏡"), kMeasuring);
    const qreal top = body.top() + 12;

    // A column: title, apparatus, caption.
    auto column = [&](qreal left, qreal width, const QString& title, const QColor& colour) {
        p.setPen(QPen(colour, 1.5));
        p.setBrush(QColor(colour.red(), colour.green(), colour.blue(), 18));
        p.drawRoundedRect(QRectF(left, top, width, 320), 8, 8);
        text(p, QRectF(left, top + 6, width, 26), title, gothic(19, true), colour, Qt::AlignCenter);
    };

    // 1. Optical microscope: lamp at the bottom, glass lenses, eye at the top.
    {
        const qreal cx = 150;
        column(14, 272, QStringLiteral("光学顕微鏡"), QColor(0xB0, 0x7A, 0x00));
        const qreal eyeY = top + 56, eyepiece = top + 92, objective = top + 196, sample = top + 232,
                    lamp = top + 292;
        p.setPen(Qt::NoPen);
        QColor beam = kBeamYellow;
        beam.setAlpha(110);
        p.setBrush(beam);
        const QPointF rays[] = {{cx - 26, lamp - 8},  {cx + 26, lamp - 8}, {cx + 4, sample},
                                {cx + 30, objective}, {cx + 14, eyepiece}, {cx + 6, eyeY + 10},
                                {cx - 6, eyeY + 10},  {cx - 14, eyepiece}, {cx - 30, objective},
                                {cx - 4, sample}};
        p.drawPolygon(rays, 10);
        eye(p, QPointF(cx, eyeY), 18);
        lens(p, QPointF(cx, eyepiece), 26, 7, kGlass);
        lens(p, QPointF(cx, objective), 34, 8, kGlass);
        p.fillRect(QRectF(cx - 40, sample - 2, 80, 4), QColor(0x88, 0x99, 0xAA));
        glow(p, QPointF(cx, lamp), 26, kBeamYellow);
        text(p, QRectF(cx + 40, eyepiece - 12, 100, 24), QStringLiteral("接眼レンズ"), gothic(15), ink::text);
        text(p, QRectF(cx + 44, objective - 12, 100, 24), QStringLiteral("対物レンズ"), gothic(15),
             ink::text);
        text(p, QRectF(cx + 44, sample - 12, 90, 24), QStringLiteral("試料"), gothic(15), ink::text);
        text(p, QRectF(cx + 34, lamp - 12, 100, 24), QStringLiteral("可視光"), gothic(15), ink::text);
    }

    // 2. Electron microscope: electron gun at the top, magnetic lenses, screen below.
    {
        const qreal cx = 440;
        const QColor coil(0xB8, 0x6B, 0x2E);
        column(300, 290, QStringLiteral("電子顕微鏡"), QColor(0x2F, 0x6F, 0xB5));
        const qreal gun = top + 52, lens1 = top + 118, sample = top + 158, lens2 = top + 204,
                    screen = top + 292;
        p.setPen(QPen(QColor(0x44, 0x44, 0x55), 1.2));
        p.setBrush(QColor(0x88, 0x8E, 0x99));
        p.drawRect(QRectF(cx - 16, gun - 16, 32, 22));
        QColor beam(0x1E, 0x6F, 0xD9, 90);
        p.setPen(Qt::NoPen);
        p.setBrush(beam);
        const QPointF path[] = {{cx - 4, gun + 6},     {cx + 4, gun + 6}, {cx + 20, lens1},
                                {cx + 3, sample},      {cx + 20, lens2},  {cx + 70, screen - 4},
                                {cx - 70, screen - 4}, {cx - 20, lens2},  {cx - 3, sample},
                                {cx - 20, lens1}};
        p.drawPolygon(path, 10);
        for (qreal y : {lens1, lens2}) {
            p.setPen(QPen(coil.darker(150), 1));
            p.setBrush(coil);
            p.drawRoundedRect(QRectF(cx - 60, y - 12, 30, 24), 4, 4);
            p.drawRoundedRect(QRectF(cx + 30, y - 12, 30, 24), 4, 4);
        }
        p.fillRect(QRectF(cx - 36, sample - 2, 72, 4), QColor(0x88, 0x99, 0xAA));
        p.fillRect(QRectF(cx - 84, screen - 4, 168, 8), QColor(0x3C, 0xB3, 0x71));
        text(p, QRectF(cx + 22, gun - 18, 120, 24), QStringLiteral("電子線"), gothic(15), ink::text);
        text(p, QRectF(cx + 64, lens1 - 12, 100, 24), QStringLiteral("磁界レンズ"), gothic(15), ink::text);
        text(p, QRectF(cx + 64, lens2 - 12, 100, 24), QStringLiteral("磁界レンズ"), gothic(15), ink::text);
        text(p, QRectF(cx + 40, sample - 12, 80, 24), QStringLiteral("試料"), gothic(15), ink::text);
        text(p, QRectF(cx - 80, screen - 32, 160, 24), QStringLiteral("蛍光板"), gothic(15), ink::text,
             Qt::AlignCenter);
    }

    // 3. And with X-rays? The beam goes through glass almost unbent.
    {
        const qreal cx = 760;
        const QColor violet(0x7A, 0x3F, 0xB5);
        column(610, 290, QStringLiteral("X線顕微鏡？"), violet);
        const qreal source = top + 292, glass = top + 196;
        QColor beam = violet;
        beam.setAlpha(70);
        p.setPen(Qt::NoPen);
        p.setBrush(beam);
        p.drawRect(QRectF(cx - 26, top + 60, 52, source - top - 70));
        lens(p, QPointF(cx, glass), 40, 9, kGlass);
        p.setPen(QPen(QColor(0x55, 0x55, 0x66), 1.2));
        p.setBrush(QColor(0x88, 0x8E, 0x99));
        p.drawRect(QRectF(cx - 22, source - 10, 44, 20));
        text(p, QRectF(cx - 60, top + 70, 120, 90), QStringLiteral("？"), gothic(64, true), violet,
             Qt::AlignCenter);
        text(p, QRectF(cx + 46, glass - 12, 100, 24), QStringLiteral("ガラス"), gothic(15), ink::text);
        text(p, QRectF(cx + 28, source - 12, 100, 24), QStringLiteral("X線"), gothic(15), ink::text);
    }

    // Bottom: what each of them uses, and how fine it can see.
    const qreal y = top + 336;
    text(p, QRectF(24, y, w - 48, 28), QStringLiteral("見分けられる細かさは，使う光（電子線）の波長ほど"),
         gothic(19, true), kMeasuring);
    lines(p, QPointF(24, y + 36), 30,
          {QStringLiteral("可視光の波長：0.4〜0.7 μm（マイクロメートル）"),
           QStringLiteral("電子線の波長：0.004 nm（ナノメートル）ほど"),
           QStringLiteral("X線の波長　：0.01〜10 nm")},
          gothic(18));
    text(p, QRectF(560, y + 36, w - 580, 90),
         QStringLiteral("1 μm ＝ 1000 分の 1 mm\n1 nm ＝ 100 万分の 1 mm"), gothic(17), ink::muted,
         Qt::AlignLeft | Qt::AlignTop);
}

void drawLengthScale(QPainter& p, int w, int h) {
    const QRectF body =
        card(p, QRectF(0, 0, w, h), QStringLiteral("いろいろなものの大きさ（10 の何乗 m か）"), kMeasuring);
    const LogAxis axis = sizeAxis(w);
    drawLogAxis(p, axis);

    // Each thing: its size as a power of ten, a name, a size and a small icon.
    struct Thing {
        double exponent;
        const char* name;
        const char* size;
        int icon;
    };
    const Thing things[] = {
        {-15, "陽子", "1 fm", 0},       {-14, "原子核", "10 fm", 1},
        {-10, "原子", "0.1 nm", 2},     {-9.5, "水分子", "0.3 nm", 3},
        {-7, "ウイルス", "0.1 μm", 4},  {-5, "細胞", "10 μm", 5},
        {-3, "水滴", "1 mm", 6},        {0.2, "人", "1.7 m", 7},
        {3.6, "富士山", "3.8 km", 8},   {7.1, "地球", "1万3千 km", 9},
        {9.1, "太陽", "140万 km", 10},  {13, "太陽系", "100億 km", 11},
        {21, "銀河系", "10万光年", 12}, {26.9, "宇宙", "約 900億光年", 13},
    };
    int index = 0;
    for (const Thing& t : things) {
        const bool above = index++ % 2 == 0;
        const qreal x = axis.x(t.exponent);
        const QPointF c(x, above ? body.top() + 80 : axis.y + 150);
        const qreal r = 24;
        p.setPen(QPen(QColor(0xBB, 0xBB, 0xBB), 1));
        p.drawLine(QPointF(x, axis.y + (above ? -8 : 8)), c + QPointF(0, above ? r : -r));
        p.setBrush(QColor(0xF0, 0xF4, 0xF8));
        p.drawEllipse(c, r, r);
        const QColor colours[] = {ink::proton,
                                  ink::neutron,
                                  ink::electron,
                                  ink::oxygen,
                                  QColor(0x7B, 0xA3, 0x3B),
                                  QColor(0xE0, 0x8C, 0xB0),
                                  kWater,
                                  ink::text,
                                  QColor(0x5B, 0x7F, 0x9F),
                                  QColor(0x2E, 0x86, 0xDE),
                                  QColor(0xF5, 0xA6, 0x23),
                                  QColor(0xF5, 0xC5, 0x42),
                                  QColor(0x9B, 0x8B, 0xD8),
                                  QColor(0x33, 0x33, 0x66)};
        const QColor colour = colours[t.icon];
        switch (t.icon) {
        case 1: nucleusCluster(p, c, 5, 4, 4); break;
        case 2:
            ball(p, c, 3, ink::proton);
            p.setPen(QPen(ink::electron, 1.2));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(c, 16, 16);
            ball(p, c + QPointF(16, 0), 3, ink::electron);
            break;
        case 3:
            ball(p, c + QPointF(-8, 9), 7, ink::hydrogen);
            ball(p, c + QPointF(10, 8), 7, ink::hydrogen);
            ball(p, c + QPointF(1, -3), 12, ink::oxygen);
            break;
        case 4:
            p.setPen(QPen(colour, 2));
            for (int k = 0; k < 12; ++k) {
                const double a = k * kPi / 6;
                p.drawLine(c + QPointF(10 * std::cos(a), 10 * std::sin(a)),
                           c + QPointF(17 * std::cos(a), 17 * std::sin(a)));
            }
            ball(p, c, 11, colour);
            break;
        case 5:
            p.setPen(QPen(colour.darker(140), 1.5));
            p.setBrush(colour.lighter(140));
            p.drawEllipse(c, 19, 15);
            ball(p, c + QPointF(3, 1), 6, QColor(0x8E, 0x44, 0xAD));
            break;
        case 6: {
            QPainterPath drop;
            drop.moveTo(c + QPointF(0, -18));
            drop.cubicTo(c + QPointF(6, -6), c + QPointF(14, 2), c + QPointF(0, 15));
            drop.cubicTo(c + QPointF(-14, 2), c + QPointF(-6, -6), c + QPointF(0, -18));
            p.setPen(QPen(colour.darker(140), 1.2));
            p.setBrush(colour);
            p.drawPath(drop);
            break;
        }
        case 7:
            p.setPen(QPen(colour, 2.4, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(colour);
            p.drawEllipse(c + QPointF(0, -12), 5, 5);
            p.drawLine(c + QPointF(0, -6), c + QPointF(0, 7));
            p.drawLine(c + QPointF(-9, -1), c + QPointF(9, -1));
            p.drawLine(c + QPointF(0, 7), c + QPointF(-7, 18));
            p.drawLine(c + QPointF(0, 7), c + QPointF(7, 18));
            break;
        case 8: {
            const QPointF m[3] = {c + QPointF(-20, 12), c + QPointF(0, -14), c + QPointF(20, 12)};
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            p.drawPolygon(m, 3);
            const QPointF snow[3] = {c + QPointF(-6, -6), c + QPointF(0, -14), c + QPointF(6, -6)};
            p.setBrush(Qt::white);
            p.drawPolygon(snow, 3);
            break;
        }
        case 10:
            glow(p, c, 22, colour);
            ball(p, c, 13, colour);
            break;
        case 11:
            p.setPen(QPen(QColor(0x99, 0x99, 0xAA), 1));
            p.setBrush(Qt::NoBrush);
            for (qreal rr : {8.0, 13.0, 19.0})
                p.drawEllipse(c, rr, rr * 0.55);
            ball(p, c, 4, QColor(0xF5, 0xA6, 0x23));
            break;
        case 12:
            p.setPen(Qt::NoPen);
            for (int k = 0; k < 160; ++k) {
                const double t = k / 160.0 * 3.2 * kPi;
                const double rr = 2 + 2.6 * t;
                for (int arm = 0; arm < 2; ++arm) {
                    const double a = t + arm * kPi;
                    p.setBrush(colour);
                    p.drawEllipse(c + QPointF(rr * std::cos(a), rr * std::sin(a) * 0.55), 0.9, 0.9);
                }
            }
            glow(p, c, 7, Qt::white);
            break;
        case 13: {
            Rng dots(7);
            p.setBrush(QColor(0x14, 0x18, 0x30));
            p.setPen(Qt::NoPen);
            p.drawEllipse(c, r - 1, r - 1);
            for (int k = 0; k < 40; ++k) {
                const double a = dots.range(0, 2 * kPi), d = (r - 3) * std::sqrt(dots.uniform());
                p.setBrush(k % 4 ? QColor(0xDD, 0xDD, 0xFF) : QColor(0xFF, 0xC8, 0x80));
                p.drawEllipse(c + QPointF(d * std::cos(a), d * std::sin(a)), 0.9, 0.9);
            }
            break;
        }
        default: ball(p, c, t.icon == 0 ? 9 : 15, colour); break;
        }
        const qreal ty = above ? c.y() + r + 2 : c.y() + r + 2;
        text(p, QRectF(x - 45, ty, 90, 20), QString::fromUtf8(t.name), gothic(15, true), ink::text,
             Qt::AlignCenter);
        text(p, QRectF(x - 55, ty + 18, 110, 18), QString::fromUtf8(t.size), gothic(13), ink::muted,
             Qt::AlignCenter);
    }
    text(p, QRectF(20, h - 40, w - 40, 30),
         QStringLiteral("目盛りが 1 つ右へ進むごとに 10 倍．陽子から宇宙まで 10 の 41 乗倍もちがう"),
         gothic(17), kMeasuring, Qt::AlignCenter);
}

void drawInstrumentRanges(QPainter& p, int w, int h) {
    const QRectF body =
        card(p, QRectF(0, 0, w, h), QStringLiteral("はかる道具と，はかれる大きさ"), kMeasuring);
    const LogAxis axis = sizeAxis(w);
    drawLogAxis(p, axis);
    struct Range {
        double from, to;
        const char* name;
        QColor colour;
        bool above;
    };
    const Range ranges[] = {
        {-18, -14, "加速器（粒子をぶつける）", QColor(0xC0, 0x39, 0x2B), true},
        {-11, -7, "電子顕微鏡", QColor(0x2F, 0x6F, 0xB5), true},
        {-7, -3, "光学顕微鏡", QColor(0xD4, 0x8A, 0x00), true},
        {-4, 2, "目・物差し", QColor(0x27, 0xAE, 0x60), true},
        {0, 7, "巻尺・測量・GPS", QColor(0x16, 0xA0, 0x85), true},
        {5, 12, "レーダー・レーザー", QColor(0x8E, 0x44, 0xAD), true},
        {15, 19, "年周視差", QColor(0x34, 0x49, 0x5E), true},
        {19, 27, "望遠鏡（星の明るさ）", QColor(0x2C, 0x3E, 0x50), true},
        {-12, -8, "X線・電子線の回折", QColor(0x7A, 0x3F, 0xB5), false},
        {-11, -7, "走査トンネル顕微鏡", QColor(0x55, 0x88, 0xBB), false},
    };
    // Bars stack in rows away from the axis so that no two overlap.
    qreal aboveEnd[4] = {-1e9, -1e9, -1e9, -1e9};
    qreal belowEnd[4] = {-1e9, -1e9, -1e9, -1e9};
    const QFont font = gothic(17, true);
    for (const Range& r : ranges) {
        const qreal x1 = axis.x(r.from), x2 = axis.x(r.to);
        const QString name = QString::fromUtf8(r.name);
        const qreal right = std::max(x2, x1 + textWidth(name, font) + 12);
        qreal* rowEnd = r.above ? aboveEnd : belowEnd;
        int rowIndex = 0;
        while (rowIndex < 3 && rowEnd[rowIndex] > x1 - 6)
            ++rowIndex;
        rowEnd[rowIndex] = right;
        const qreal y = r.above ? axis.y - 34 - rowIndex * 52 : axis.y + 100 + rowIndex * 52;
        QColor fill = r.colour;
        fill.setAlpha(70);
        p.setPen(QPen(r.colour, 1.5));
        p.setBrush(fill);
        p.drawRoundedRect(QRectF(x1, y - 11, x2 - x1, 22), 6, 6);
        text(p, QRectF(x1 + 2, y - 36, right - x1 + 40, 24), name, font, r.colour.darker(115));
    }
    text(
        p, QRectF(20, h - 56, w - 40, 40),
        QStringLiteral("小さなものは 波長の短い光や電子線で，遠くのものは 光や電波が届く時間や角度で はかる"),
        gothic(17), kMeasuring, Qt::AlignCenter);
    Q_UNUSED(body);
}

// ---------------------------------------------------------------------------
// The micro world

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

// ---------------------------------------------------------------------------
// The macro world

void drawInnerPlanets(QPainter& p, int w, int h) {
    p.fillRect(0, 0, w, h, Qt::black);
    // The Sun's edge at the left, then the planets (sizes not to scale).
    glow(p, QPointF(-40, h / 2.0), 90, QColor(0xFF, 0xB3, 0x00));
    ball(p, QPointF(-40, h / 2.0), 62, QColor(0xFF, 0xC1, 0x07));
    struct Planet {
        qreal x, r;
        const char* name;
        QColor colour;
    };
    const Planet planets[] = {
        {56, 3.5, "水星", QColor(0xA0, 0xA0, 0xA0)},    {100, 6, "金星", QColor(0xF3, 0xE5, 0xAB)},
        {148, 6.5, "地球", QColor(0x2E, 0x86, 0xDE)},   {196, 4.5, "火星", QColor(0xD9, 0x53, 0x2B)},
        {330, 14, "木星", QColor(0xD8, 0xB0, 0x84)},    {410, 12, "土星", QColor(0xE8, 0xD0, 0x8A)},
        {482, 8.5, "天王星", QColor(0x9F, 0xE2, 0xE8)}, {548, 8.5, "海王星", QColor(0x41, 0x69, 0xE1)},
    };
    // The asteroid belt between the inner and the outer planets.
    Rng rng(0xA57E);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 90; ++i) {
        p.setBrush(QColor(0xFF, 0x80, 0xFF));
        p.drawEllipse(QPointF(rng.range(232, 284), rng.range(6, 30)), 0.8, 0.8);
    }
    for (const Planet& planet : planets) {
        const QPointF c(planet.x, 18);
        if (QString::fromUtf8(planet.name) == QStringLiteral("土星")) {
            p.setPen(QPen(QColor(0xC8, 0xB0, 0x70), 2));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(c, planet.r * 1.9, planet.r * 0.5);
        }
        ball(p, c, planet.r, planet.colour);
        text(p, QRectF(planet.x - 30, 34, 60, 16), QString::fromUtf8(planet.name), gothic(12), Qt::white,
             Qt::AlignCenter);
    }
    text(p, QRectF(214, 34, 90, 16), QStringLiteral("小惑星帯"), gothic(11), QColor(0xFF, 0x80, 0xFF),
         Qt::AlignCenter);
}

// ---------------------------------------------------------------------------
// Atomic structure

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

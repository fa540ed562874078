// Pictures of the measuring section: units, microscopes and the sizes of things.

#include "matter_pictures.h"
#include "matter_pictures_kit.h"

#include "formula.h"
#include "paint_kit.h"
#include "rng.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace mediagen {

namespace {

const QColor kGlass(0xBF, 0xE3, 0xF5);
const QColor kBeamYellow(0xF2, 0xB7, 0x05);

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

// ---- the microscopes ----

// A column of the microscope picture: its frame and its title.
void microscopeColumn(QPainter& p, qreal top, qreal left, qreal width, const QString& title,
                      const QColor& colour) {
    p.setPen(QPen(colour, 1.5));
    p.setBrush(QColor(colour.red(), colour.green(), colour.blue(), 18));
    p.drawRoundedRect(QRectF(left, top, width, 320), 8, 8);
    text(p, QRectF(left, top + 6, width, 26), title, gothic(19, true), colour, Qt::AlignCenter);
}

// Optical microscope: lamp at the bottom, glass lenses, eye at the top.
void opticalMicroscope(QPainter& p, qreal top) {
    const qreal cx = 150;
    microscopeColumn(p, top, 14, 272, QStringLiteral("光学顕微鏡"), QColor(0xB0, 0x7A, 0x00));
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
    text(p, QRectF(cx + 44, objective - 12, 100, 24), QStringLiteral("対物レンズ"), gothic(15), ink::text);
    text(p, QRectF(cx + 44, sample - 12, 90, 24), QStringLiteral("試料"), gothic(15), ink::text);
    text(p, QRectF(cx + 34, lamp - 12, 100, 24), QStringLiteral("可視光"), gothic(15), ink::text);
}

// Electron microscope: electron gun at the top, magnetic lenses, screen below.
void electronMicroscope(QPainter& p, qreal top) {
    const qreal cx = 440;
    const QColor coil(0xB8, 0x6B, 0x2E);
    microscopeColumn(p, top, 300, 290, QStringLiteral("電子顕微鏡"), QColor(0x2F, 0x6F, 0xB5));
    const qreal gun = top + 52, lens1 = top + 118, sample = top + 158, lens2 = top + 204, screen = top + 292;
    p.setPen(QPen(QColor(0x44, 0x44, 0x55), 1.2));
    p.setBrush(QColor(0x88, 0x8E, 0x99));
    p.drawRect(QRectF(cx - 16, gun - 16, 32, 22));
    QColor beam(0x1E, 0x6F, 0xD9, 90);
    p.setPen(Qt::NoPen);
    p.setBrush(beam);
    const QPointF path[] = {{cx - 4, gun + 6}, {cx + 4, gun + 6},     {cx + 20, lens1},      {cx + 3, sample},
                            {cx + 20, lens2},  {cx + 70, screen - 4}, {cx - 70, screen - 4}, {cx - 20, lens2},
                            {cx - 3, sample},  {cx - 20, lens1}};
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

// And with X-rays? The beam goes through glass almost unbent.
void xrayMicroscope(QPainter& p, qreal top) {
    const qreal cx = 760;
    const QColor violet(0x7A, 0x3F, 0xB5);
    microscopeColumn(p, top, 610, 290, QStringLiteral("X線顕微鏡？"), violet);
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

// ---- the icons of the sizes of things, each in a disc of kIconRadius around c ----

constexpr qreal kIconRadius = 24;

void protonIcon(QPainter& p, QPointF c, const QColor& colour) {
    ball(p, c, 9, colour);
}

void nucleusIcon(QPainter& p, QPointF c, const QColor&) {
    nucleusCluster(p, c, 5, 4, 4);
}

void atomIcon(QPainter& p, QPointF c, const QColor&) {
    ball(p, c, 3, ink::proton);
    p.setPen(QPen(ink::electron, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 16, 16);
    ball(p, c + QPointF(16, 0), 3, ink::electron);
}

void waterMoleculeIcon(QPainter& p, QPointF c, const QColor&) {
    ball(p, c + QPointF(-8, 9), 7, ink::hydrogen);
    ball(p, c + QPointF(10, 8), 7, ink::hydrogen);
    ball(p, c + QPointF(1, -3), 12, ink::oxygen);
}

void virusIcon(QPainter& p, QPointF c, const QColor& colour) {
    p.setPen(QPen(colour, 2));
    for (int k = 0; k < 12; ++k) {
        const double a = k * kPi / 6;
        p.drawLine(c + QPointF(10 * std::cos(a), 10 * std::sin(a)),
                   c + QPointF(17 * std::cos(a), 17 * std::sin(a)));
    }
    ball(p, c, 11, colour);
}

void cellIcon(QPainter& p, QPointF c, const QColor& colour) {
    p.setPen(QPen(colour.darker(140), 1.5));
    p.setBrush(colour.lighter(140));
    p.drawEllipse(c, 19, 15);
    ball(p, c + QPointF(3, 1), 6, QColor(0x8E, 0x44, 0xAD));
}

void dropIcon(QPainter& p, QPointF c, const QColor& colour) {
    QPainterPath drop;
    drop.moveTo(c + QPointF(0, -18));
    drop.cubicTo(c + QPointF(6, -6), c + QPointF(14, 2), c + QPointF(0, 15));
    drop.cubicTo(c + QPointF(-14, 2), c + QPointF(-6, -6), c + QPointF(0, -18));
    p.setPen(QPen(colour.darker(140), 1.2));
    p.setBrush(colour);
    p.drawPath(drop);
}

void personIcon(QPainter& p, QPointF c, const QColor& colour) {
    p.setPen(QPen(colour, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(colour);
    p.drawEllipse(c + QPointF(0, -12), 5, 5);
    p.drawLine(c + QPointF(0, -6), c + QPointF(0, 7));
    p.drawLine(c + QPointF(-9, -1), c + QPointF(9, -1));
    p.drawLine(c + QPointF(0, 7), c + QPointF(-7, 18));
    p.drawLine(c + QPointF(0, 7), c + QPointF(7, 18));
}

void mountainIcon(QPainter& p, QPointF c, const QColor& colour) {
    const QPointF m[3] = {c + QPointF(-20, 12), c + QPointF(0, -14), c + QPointF(20, 12)};
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(m, 3);
    const QPointF snow[3] = {c + QPointF(-6, -6), c + QPointF(0, -14), c + QPointF(6, -6)};
    p.setBrush(Qt::white);
    p.drawPolygon(snow, 3);
}

void earthIcon(QPainter& p, QPointF c, const QColor& colour) {
    ball(p, c, 15, colour);
}

void sunIcon(QPainter& p, QPointF c, const QColor& colour) {
    glow(p, c, 22, colour);
    ball(p, c, 13, colour);
}

void solarSystemIcon(QPainter& p, QPointF c, const QColor&) {
    p.setPen(QPen(QColor(0x99, 0x99, 0xAA), 1));
    p.setBrush(Qt::NoBrush);
    for (qreal rr : {8.0, 13.0, 19.0})
        p.drawEllipse(c, rr, rr * 0.55);
    ball(p, c, 4, QColor(0xF5, 0xA6, 0x23));
}

void galaxyIcon(QPainter& p, QPointF c, const QColor& colour) {
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
}

void universeIcon(QPainter& p, QPointF c, const QColor&) {
    const qreal r = kIconRadius;
    Rng dots(7);
    p.setBrush(QColor(0x14, 0x18, 0x30));
    p.setPen(Qt::NoPen);
    p.drawEllipse(c, r - 1, r - 1);
    for (int k = 0; k < 40; ++k) {
        const double a = dots.range(0, 2 * kPi), d = (r - 3) * std::sqrt(dots.uniform());
        p.setBrush(k % 4 ? QColor(0xDD, 0xDD, 0xFF) : QColor(0xFF, 0xC8, 0x80));
        p.drawEllipse(c + QPointF(d * std::cos(a), d * std::sin(a)), 0.9, 0.9);
    }
}

} // namespace

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
    opticalMicroscope(p, top);
    electronMicroscope(p, top);
    xrayMicroscope(p, top);

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

    // Each thing: its size as a power of ten, a name, a size, a small icon and its colour.
    struct Thing {
        double exponent;
        const char* name;
        const char* size;
        void (*icon)(QPainter&, QPointF, const QColor&);
        QColor colour;
    };
    // clang-format off
    const Thing things[] = {
        {-15, "陽子", "1 fm", protonIcon, ink::proton},
        {-14, "原子核", "10 fm", nucleusIcon, ink::neutron},
        {-10, "原子", "0.1 nm", atomIcon, ink::electron},
        {-9.5, "水分子", "0.3 nm", waterMoleculeIcon, ink::oxygen},
        {-7, "ウイルス", "0.1 μm", virusIcon, QColor(0x7B, 0xA3, 0x3B)},
        {-5, "細胞", "10 μm", cellIcon, QColor(0xE0, 0x8C, 0xB0)},
        {-3, "水滴", "1 mm", dropIcon, kWater},
        {0.2, "人", "1.7 m", personIcon, ink::text},
        {3.6, "富士山", "3.8 km", mountainIcon, QColor(0x5B, 0x7F, 0x9F)},
        {7.1, "地球", "1万3千 km", earthIcon, QColor(0x2E, 0x86, 0xDE)},
        {9.1, "太陽", "140万 km", sunIcon, QColor(0xF5, 0xA6, 0x23)},
        {13, "太陽系", "100億 km", solarSystemIcon, QColor(0xF5, 0xC5, 0x42)},
        {21, "銀河系", "10万光年", galaxyIcon, QColor(0x9B, 0x8B, 0xD8)},
        {26.9, "宇宙", "約 900億光年", universeIcon, QColor(0x33, 0x33, 0x66)},
    };
    // clang-format on
    int index = 0;
    for (const Thing& t : things) {
        // Alternately above and below the axis, so that neighbours do not collide.
        const bool above = index++ % 2 == 0;
        const qreal x = axis.x(t.exponent);
        const QPointF c(x, above ? body.top() + 80 : axis.y + 150);
        const qreal r = kIconRadius;
        p.setPen(QPen(QColor(0xBB, 0xBB, 0xBB), 1));
        p.drawLine(QPointF(x, axis.y + (above ? -8 : 8)), c + QPointF(0, above ? r : -r));
        p.setBrush(QColor(0xF0, 0xF4, 0xF8));
        p.drawEllipse(c, r, r);
        t.icon(p, c, t.colour);
        const qreal ty = c.y() + r + 2;
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

} // namespace mediagen

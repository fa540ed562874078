#include "light_pictures.h"

#include "formula.h"
#include "paint_kit.h"
#include "rng.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <functional>
#include <numbers>

namespace mediagen {

namespace {

constexpr double kPi = std::numbers::pi;

// The light lessons print white text on black; their palette colours.
const QColor kWhite(0xF2, 0xF2, 0xF2);
const QColor kYellow(255, 255, 0);
const QColor kLightRed(255, 0, 0);
const QColor kLightGreen(0, 255, 0);
const QColor kLightBlue(0x3C, 0x8C, 0xFF);
const QColor kGrey(192, 192, 192);

void blackBackground(QPainter& p, int w, int h) {
    p.fillRect(0, 0, w, h, Qt::black);
}

// A small graph of a function on black: grey axis, curve in `colour`.
void sketch(QPainter& p, const QRectF& box, double from, double to, double top,
            const std::function<double(double)>& f, const QColor& colour, const QString& axisLabel) {
    p.save();
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    p.drawLine(QPointF(box.left(), box.bottom()), QPointF(box.right(), box.bottom()));
    p.drawLine(QPointF(box.center().x(), box.top()), QPointF(box.center().x(), box.bottom()));
    QPainterPath curve;
    const int steps = int(box.width() * 2);
    for (int i = 0; i <= steps; ++i) {
        const double x = from + (to - from) * i / steps;
        const QPointF pt(box.left() + box.width() * i / steps, box.bottom() - box.height() * f(x) / top);
        if (i == 0)
            curve.moveTo(pt);
        else
            curve.lineTo(pt);
    }
    p.setPen(QPen(colour, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    p.restore();
    text(p, QRectF(box.right() - 20, box.bottom() - 18, 24, 18), axisLabel, serif(13, true), kGrey,
         Qt::AlignCenter);
}

double sinc(double x) {
    return std::abs(x) < 1e-9 ? 1.0 : std::sin(x) / x;
}

// (sin ξ / ξ)²: the factor both slit formulas share.
Formula singleSlitFactor() {
    return sup(parens(frac(row({num("sin "), var("ξ")}), var("ξ"))), num("2"));
}

// A sprite on black: a ball with a minus sign for an electron.
void electronSprite(QPainter& p, int w, int h, const QColor& colour) {
    blackBackground(p, w, h);
    const QPointF c(w / 2.0, h / 2.0);
    ball(p, c, std::min(w, h) / 2.0 - 1, colour);
    p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(c + QPointF(-w * 0.2, 0), c + QPointF(w * 0.2, 0));
}

} // namespace

namespace {

// Waves running along the bottom.
void wallpaperWaves(QPainter& p, int w, int h) {
    for (int k = 0; k < 5; ++k) {
        QPainterPath wave;
        const double amplitude = 14 + 5 * k;
        const double wavelength = 120 + 35 * k;
        const double y0 = h * 0.78 + k * 16;
        for (int x = 0; x <= w; x += 3) {
            const QPointF pt(x, y0 - amplitude * std::sin(2 * kPi * x / wavelength + k));
            if (x == 0)
                wave.moveTo(pt);
            else
                wave.lineTo(pt);
        }
        QColor colour = spectrumColour(420 + k * 65);
        colour.setAlpha(90);
        p.setPen(QPen(colour, 2.5));
        p.setBrush(Qt::NoBrush);
        p.drawPath(wave);
    }
}

// A prism at the left splitting a white beam into a fan of colours.
void wallpaperPrism(QPainter& p) {
    const QPointF apex(200, 330), left(130, 450), right(270, 450);
    for (int i = 0; i < 40; ++i) {
        const double t = i / 39.0;
        QColor colour = spectrumColour(700 - 300 * t);
        colour.setAlpha(70);
        p.setPen(QPen(colour, 4));
        p.drawLine(QPointF(235, 395), QPointF(470, 330 + 110 * t));
    }
    p.setPen(QPen(QColor(255, 255, 255, 230), 5));
    p.drawLine(QPointF(0, 430), QPointF(165, 395));
    QPainterPath prism;
    prism.moveTo(apex);
    prism.lineTo(left);
    prism.lineTo(right);
    prism.closeSubpath();
    p.setPen(QPen(QColor(0x88, 0xA8, 0xCC), 2));
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawPath(prism);
}

// An atom at the top right and a lens with rays at the top left.
void wallpaperAtomAndLens(QPainter& p, int w) {
    const QPointF atom(w - 150, 120);
    p.setPen(QPen(QColor(0x7A, 0x9C, 0xD6, 150), 2));
    p.setBrush(Qt::NoBrush);
    for (int k = 0; k < 3; ++k) {
        p.save();
        p.translate(atom);
        p.rotate(k * 60);
        p.drawEllipse(QPointF(0, 0), 90, 30);
        p.restore();
    }
    glow(p, atom, 16, QColor(0xE0, 0x60, 0x60));
    for (int k = 0; k < 3; ++k) {
        const double a = k * kPi / 3 + 0.7;
        const QPointF e =
            atom +
            QPointF(90 * std::cos(a) * std::cos(k * kPi / 3) - 30 * std::sin(a) * std::sin(k * kPi / 3),
                    90 * std::cos(a) * std::sin(k * kPi / 3) + 30 * std::sin(a) * std::cos(k * kPi / 3));
        glow(p, e, 8, QColor(0x50, 0x80, 0xE0));
    }
    const QPointF lensCentre(150, 110);
    p.setPen(QPen(QColor(0x88, 0xA8, 0xCC), 2));
    p.setBrush(QColor(255, 255, 255, 140));
    p.drawEllipse(lensCentre, 14, 60);
    p.setPen(QPen(QColor(0xF0, 0xB0, 0x20, 150), 2));
    for (int k = -2; k <= 2; ++k) {
        p.drawLine(QPointF(30, lensCentre.y() + k * 20), QPointF(lensCentre.x(), lensCentre.y() + k * 20));
        p.drawLine(QPointF(lensCentre.x(), lensCentre.y() + k * 20), QPointF(270, lensCentre.y()));
    }
}

// Formulas of the course, faint, away from the middle band.
void wallpaperFormulas(QPainter& p) {
    struct Placed {
        QPointF at;
        Formula f;
        qreal size;
    };
    const Placed formulas[] = {
        {{330, 70}, row({var("E"), op("="), var("h"), var("ν")}), 34},
        {{600, 300}, row({var("c"), op("="), var("λ"), var("ν")}), 30},
        {{560, 440}, row({var("λ"), op("="), frac(var("h"), var("p"))}), 30},
        {{40, 280},
         row({sub(var("n"), num("1")), num(" sin "), sub(var("θ"), num("1")), op("="),
              sub(var("n"), num("2")), num(" sin "), sub(var("θ"), num("2"))}),
         24},
        {{760, 420}, row({var("E"), op("="), var("m"), sup(var("c"), num("2"))}), 28},
    };
    for (const Placed& placed : formulas)
        drawFormula(p, placed.f, placed.at, placed.size, QColor(0x6A, 0x7F, 0xB0, 150));
}

// A few sparkles.
void wallpaperSparkles(QPainter& p, int w, int h) {
    Rng rng(0x5C1E);
    for (int i = 0; i < 40; ++i) {
        const QPointF c(rng.range(0, w), rng.range(0, h));
        if (c.y() > h * 0.22 && c.y() < h * 0.42 && c.x() > w * 0.22 && c.x() < w * 0.78) continue;
        glow(p, c, rng.range(3, 7), spectrumColour(rng.range(420, 680)));
    }
}

} // namespace

void drawScienceWallpaper(QPainter& p, int w, int h) {
    // A pale wallpaper: the item titles are printed on it in large black
    // letters without a background of their own, so nothing here is dark
    // and the middle band stays quiet.
    verticalGradient(p, QRectF(0, 0, w, h), QColor(0xE8, 0xF3, 0xFF), QColor(0xF5, 0xEE, 0xFF));

    wallpaperWaves(p, w, h);
    wallpaperPrism(p);
    wallpaperAtomAndLens(p, w);
    wallpaperFormulas(p);
    wallpaperSparkles(p, w, h);
}

void drawLightSpeedStrip(QPainter& p, int w, int h) {
    blackBackground(p, w, h);
    const Formula f = row({jp("真空中の光の速さ　"), coloured(var("c"), kYellow), op("="), num("2.998"),
                           op("×"), sup(num("10"), num("8")), num(" m/s")});
    const QRectF area = drawFormulaIn(p, f, QRectF(8, 0, w, h), 18, Qt::AlignLeft, kWhite);
    text(p, QRectF(area.right() + 12, 0, w - area.right() - 14, h), QStringLiteral("（1 秒で地球を 7 周半）"),
         gothic(16), kGrey);
}

void drawPhoton(QPainter& p, int w, int h) {
    blackBackground(p, w, h);
    glow(p, QPointF(w / 2.0, h / 2.0), std::min(w, h) / 2.0, QColor(255, 230, 0));
}

void drawElectron(QPainter& p, int w, int h) {
    electronSprite(p, w, h, kLightBlue);
}

void drawPhotoelectron(QPainter& p, int w, int h) {
    electronSprite(p, w, h, QColor(0x1A, 0xC8, 0xE0));
}

void drawSingleSlitFactor(QPainter& p, int w, int h) {
    blackBackground(p, w, h);
    const Formula f =
        row({var("I"), num("("), var("θ"), num(")"), op("="), sub(var("I"), num("0")), singleSlitFactor()});
    drawFormulaIn(p, f, QRectF(16, 0, 360, h), 26, Qt::AlignLeft, kWhite);
    sketch(
        p, QRectF(w - 230, 8, 210, h - 16), -3.2 * kPi, 3.2 * kPi, 1.05,
        [](double x) { return sinc(x) * sinc(x); }, kLightRed, QStringLiteral("ξ"));
}

void drawDoubleSlitFactor(QPainter& p, int w, int h) {
    blackBackground(p, w, h);
    const Formula f = row({var("I"), num("("), var("θ"), num(")"), op("="), num("4"), sub(var("I"), num("0")),
                           singleSlitFactor(), num(" cos"), sup(row({}), num("2")), var("η")});
    drawFormulaIn(p, f, QRectF(10, 0, 300, h), 22, Qt::AlignLeft, kWhite);
    // With the slits four slit-widths apart, as in the lesson's curve.
    sketch(
        p, QRectF(w - 140, 8, 130, h - 16), -2.2 * kPi, 2.2 * kPi, 4.2,
        [](double x) { return 4 * sinc(x) * sinc(x) * std::pow(std::cos(4 * x), 2); }, kLightRed,
        QStringLiteral("ξ"));
}

void drawSpectrumStrip(QPainter& p, int w, int h) {
    // Violet at the left, red at the right, as the lesson's scale runs from
    // 400 nm to 700 nm.
    for (int x = 0; x < w; ++x) {
        const double nm = 400 + 300.0 * (x + 0.5) / w;
        p.fillRect(QRectF(x, 0, 1, h), spectrumColour(nm));
    }
}

void drawPlanckLaw(QPainter& p, int w, int h) {
    blackBackground(p, w, h);
    const Formula f =
        row({var("E"), num("("), var("ν"), num(", "), var("T"), num(")"), op("="),
             frac(row({num("8π"), var("h"), sup(var("ν"), num("3"))}), sup(var("c"), num("3"))),
             frac(num("1"), row({sup(var("e"), row({var("h"), var("ν"), num("/"), var("k"), var("T")})),
                                 op("−"), num("1")}))});
    const QRectF area = drawFormulaIn(p, f, QRectF(8, 0, w, h), 15, Qt::AlignLeft, kWhite);
    drawFormulaIn(p, row({var("h"), jp("：プランク定数")}), QRectF(area.right() + 16, 2, 200, h / 2.0 - 2),
                  13, Qt::AlignLeft, kGrey);
    drawFormulaIn(p, row({var("k"), jp("：ボルツマン定数")}),
                  QRectF(area.right() + 16, h / 2.0, 200, h / 2.0 - 2), 13, Qt::AlignLeft, kGrey);
}

void drawDualityQuestion(QPainter& p, int w, int h) {
    blackBackground(p, w, h);
    text(p, QRectF(14, 4, w - 28, 34), QStringLiteral("光は 波でもあり 粒子でもある．では 電子は？"),
         gothic(21, true), kWhite);
    const qreal labelWidth = 70;
    const qreal cellWidth = (w - 24 - labelWidth) / 2;
    const qreal top = 70;
    const qreal rowHeight = (h - top - 8) / 2;
    text(p, QRectF(12 + labelWidth, 40, cellWidth, 26), QStringLiteral("波として"), gothic(17), kGrey,
         Qt::AlignCenter);
    text(p, QRectF(12 + labelWidth + cellWidth, 40, cellWidth, 26), QStringLiteral("粒子として"), gothic(17),
         kGrey, Qt::AlignCenter);
    for (int r = 0; r < 2; ++r) {
        const QRectF rowBox(12, top + r * rowHeight, w - 24, rowHeight - 6);
        text(p, QRectF(rowBox.left(), rowBox.top(), labelWidth, rowBox.height()),
             r == 0 ? QStringLiteral("光") : QStringLiteral("電子"), gothic(22, true),
             r == 0 ? kYellow : kLightBlue, Qt::AlignCenter);
        for (int c = 0; c < 2; ++c) {
            const QRectF cell(rowBox.left() + labelWidth + c * cellWidth + 4, rowBox.top(), cellWidth - 8,
                              rowBox.height());
            p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1));
            p.setBrush(QColor(0x12, 0x12, 0x1A));
            p.drawRoundedRect(cell, 6, 6);
            const QColor colour = r == 0 ? kYellow : kLightBlue;
            const QRectF art(cell.left() + 10, cell.top() + 8, cell.width() - 20, cell.height() - 36);
            const bool question = r == 1 && c == 0;
            if (c == 0) {
                QPainterPath wave;
                for (int i = 0; i <= 100; ++i) {
                    const double t = i / 100.0;
                    const QPointF pt(art.left() + art.width() * t,
                                     art.center().y() - art.height() * 0.38 * std::sin(2 * kPi * 3 * t));
                    if (i == 0)
                        wave.moveTo(pt);
                    else
                        wave.lineTo(pt);
                }
                QColor pen = colour;
                if (question) pen.setAlpha(90);
                p.setPen(QPen(pen, 2.2, question ? Qt::DashLine : Qt::SolidLine));
                p.setBrush(Qt::NoBrush);
                p.drawPath(wave);
            } else {
                for (int k = 0; k < 5; ++k) {
                    const QPointF at(art.left() + art.width() * (0.1 + 0.2 * k),
                                     art.center().y() + (k % 2 ? -6 : 6));
                    if (r == 0)
                        glow(p, at, 9, colour);
                    else
                        ball(p, at, 7, colour);
                }
            }
            if (question) text(p, art, QStringLiteral("？"), gothic(40, true), kWhite, Qt::AlignCenter);
            const QString caption =
                r == 0 ? (c == 0 ? QStringLiteral("干渉・回折") : QStringLiteral("光電効果・コンプトン効果"))
                       : (c == 0 ? QStringLiteral("波の性質も…？") : QStringLiteral("質量と電荷をもつ粒"));
            text(p, QRectF(cell.left(), cell.bottom() - 28, cell.width(), 24), caption, gothic(15), kGrey,
                 Qt::AlignCenter);
        }
    }
}

void drawElectronDiffraction(QPainter& p, int w, int h) {
    blackBackground(p, w, h);
    Q_UNUSED(h);
    text(p, QRectF(14, 4, w - 28, 30), QStringLiteral("電子線の回折（1927 年）"), gothic(19, true), kWhite);

    // Electron gun -> thin crystal -> screen.
    const qreal axisY = 136;
    p.setPen(QPen(QColor(0x66, 0x66, 0x77), 1.2));
    p.setBrush(QColor(0x44, 0x48, 0x55));
    p.drawRect(QRectF(20, axisY - 16, 60, 32));
    text(p, QRectF(10, axisY + 20, 90, 20), QStringLiteral("電子銃"), gothic(14), kGrey, Qt::AlignCenter);
    QColor beam = kLightBlue;
    beam.setAlpha(200);
    p.setPen(QPen(beam, 4));
    p.drawLine(QPointF(80, axisY), QPointF(220, axisY));
    for (int k = 0; k < 5; ++k)
        ball(p, QPointF(100 + k * 26, axisY), 3.5, kLightBlue);

    // The crystal: rows of atoms that scatter the electron waves.
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 7; ++j)
            ball(p, QPointF(236 + i * 12, axisY - 36 + j * 12), 4, QColor(0xB0, 0xB0, 0xB8));
    text(p, QRectF(190, axisY + 50, 120, 20), QStringLiteral("うすい結晶"), gothic(14), kGrey,
         Qt::AlignCenter);

    // The waves leaving the crystal reinforce one another only in some directions.
    const qreal screenX = 420;
    for (int k = -2; k <= 2; ++k) {
        QColor ray = kLightBlue;
        ray.setAlpha(k == 0 ? 200 : 120);
        p.setPen(QPen(ray, 2));
        p.drawLine(QPointF(270, axisY), QPointF(screenX, axisY + k * 36));
    }
    p.fillRect(QRectF(screenX, axisY - 86, 6, 172), QColor(0x3C, 0xB3, 0x71));
    text(p, QRectF(screenX - 40, axisY + 88, 90, 20), QStringLiteral("蛍光板"), gothic(14), kGrey,
         Qt::AlignCenter);

    // What the screen shows: bright rings, as X-rays give.
    const QPointF rings(522, axisY);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x06, 0x12, 0x0A));
    p.drawEllipse(rings, 68, 68);
    for (int k = 1; k <= 4; ++k) {
        const qreal r = 14.5 * k + 4;
        QColor ring = kLightGreen;
        ring.setAlpha(230 - 40 * k);
        p.setPen(QPen(ring, 3.5 - 0.5 * k));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(rings, r, r);
    }
    glow(p, rings, 10, kLightGreen);
    text(p, QRectF(rings.x() - 70, rings.y() + 70, 140, 20), QStringLiteral("蛍光板に出た輪"), gothic(14),
         kGrey, Qt::AlignCenter);

    const QStringList lines = {
        QStringLiteral("結晶の原子の列で散らばった電子は，波のように 強め合う向きにだけ 集まる．"),
        QStringLiteral("輪の大きさから求めた波長は，ド・ブロイの式に ぴたりと合った．")};
    for (int i = 0; i < lines.size(); ++i)
        text(p, QRectF(14, 240 + i * 28, w - 28, 26), lines[i], gothic(16), kWhite);
    const Formula f = row({jp("電子の波長　"), coloured(var("λ"), kYellow), op("="),
                           frac(var("h"), row({var("m"), var("v")}))});
    drawFormulaIn(p, f, QRectF(14, 300, w - 28, 56), 22, Qt::AlignLeft, kWhite);
}

void drawWalkerWavelength(QPainter& p, int w, int h) {
    blackBackground(p, w, h);
    const Formula f =
        row({var("λ"), op("="), frac(var("h"), var("p")), op("="),
             frac(row({num("6.63"), op("×"), sup(num("10"), num("−34")), num(" J·s")}), num("12.5 kg·m/s")),
             op("="), coloured(row({num("5.3"), op("×"), sup(num("10"), num("−35")), num(" m")}), kYellow)});
    drawFormulaIn(p, f, QRectF(6, 0, w, h), 14, Qt::AlignLeft, kWhite);
}

} // namespace mediagen

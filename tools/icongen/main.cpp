// icongen: draws the application's icon, a beam of light meeting a small molecule on a
// dark blue tile, at each size of the desktop's icon theme. The build runs it, so the
// icon is made by the project like every other picture it shows.
//
//   icongen OUT_DIR NAME SIZE...   writes OUT_DIR/SIZExSIZE/apps/NAME.png

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>

namespace {

QImage drawIcon(int size) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Everything is drawn on a 256 unit tile.
    p.scale(size / 256.0, size / 256.0);

    QLinearGradient tile(0, 0, 0, 256);
    tile.setColorAt(0, QColor(0x1f, 0x3f, 0x8f));
    tile.setColorAt(1, QColor(0x0b, 0x16, 0x40));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);

    // The beam: a wave coming in from the upper left.
    QPainterPath wave;
    for (int i = 0; i <= 60; ++i) {
        const double t = i / 60.0;
        const double x = 24 + t * 120, y = 40 + t * 80 + 12 * std::sin(t * 4 * 3.14159265);
        if (i == 0)
            wave.moveTo(x, y);
        else
            wave.lineTo(x, y);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xff, 0xd4, 0x3b), size < 32 ? 18 : 12, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(wave);

    // The molecule: a central atom with two bonded neighbours.
    const QPointF centre(150, 150), left(96, 196), right(204, 190);
    p.setPen(QPen(QColor(0xe8, 0xee, 0xff), size < 32 ? 16 : 10, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, left);
    p.drawLine(centre, right);
    auto atom = [&](QPointF at, double r, QColor c) {
        QRadialGradient g(at - QPointF(r / 3, r / 3), r * 1.4);
        g.setColorAt(0, c.lighter(160));
        g.setColorAt(1, c.darker(130));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(at, r, r);
    };
    atom(left, 26, QColor(0xf2, 0xf2, 0xf2));
    atom(right, 26, QColor(0xf2, 0xf2, 0xf2));
    atom(centre, 40, QColor(0xe0, 0x3a, 0x3a));
    p.end();
    return img;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: icongen OUT_DIR NAME SIZE...\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = QString::fromLatin1(argv[i]).toInt();
        if (size < 8 || size > 1024) {
            std::fprintf(stderr, "icongen: bad size %s\n", argv[i]);
            return 2;
        }
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(out).arg(size);
        const QString file = dir + QLatin1Char('/') + name + QStringLiteral(".png");
        if (!QDir().mkpath(dir) || !drawIcon(size).save(file, "PNG")) {
            std::fprintf(stderr, "icongen: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}

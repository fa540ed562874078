// The particle clouds and the quark floor of the matter window, checked pixel by pixel on
// the window's own canvas.

#include "lesson/Page.h"
#include "lesson/frmMaterial.h"
#include "matter/figures.h"
#include "player/Random.h"
#include "player/globals.h"
#include "tests/support/Harness.h"

#include <QtTest>
#include <cmath>

namespace {

bool same(QRgb a, QRgb b) {
    return (a & 0xffffff) == (b & 0xffffff);
}

QList<QPoint> pixelsOf(const QImage& img, QRgb colour) {
    QList<QPoint> out;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (same(img.pixel(x, y), colour)) out << QPoint(x, y);
    return out;
}

frmMaterial& whiteWindow(float scale) {
    harness::setUp(scale);
    gCourseName = QStringLiteral("物質");
    frmMaterial& w = form<frmMaterial>();
    w.setBackColor(QBColor(15));
    w.Cls();
    return w;
}

} // namespace

class TestParticle : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { harness::closeAllWindows(); }

    // Dots stay on the disc, and the crescent lies on the side deg turns it to: along the
    // lower rim for 0 degrees, along the left rim for 90.
    void dotsStayOnTheDisc_data() {
        QTest::addColumn<float>("scale");
        QTest::addColumn<int>("R");
        QTest::addColumn<int>("deg");
        QTest::addColumn<quint32>("seed");
        for (float scale : {1.0f, 1.5f}) {
            const QByteArray s = QByteArray::number(scale);
            QTest::newRow(s + " R80 deg30") << scale << 80 << 30 << 1u;
            QTest::newRow(s + " R50 deg0") << scale << 50 << 0 << 2u;
            QTest::newRow(s + " R20 deg90") << scale << 20 << 90 << 3u;
            QTest::newRow(s + " R5 deg30") << scale << 5 << 30 << 4u;
        }
        // Beyond 181 the square of the radius no longer fits 16 bits; it must still be right.
        QTest::newRow("1 R200 deg0") << 1.0f << 200 << 0 << 5u;
    }
    void dotsStayOnTheDisc() {
        QFETCH(float, scale);
        QFETCH(int, R);
        QFETCH(int, deg);
        QFETCH(quint32, seed);
        frmMaterial& w = whiteWindow(scale);
        Page page(w);
        SeedRandom(seed);
        const int cx = 320, cy = 200;
        matter::Particle(page, cx, cy, std::int16_t(R), 13, std::int16_t(deg));

        const QList<QPoint> dots = pixelsOf(w.image(), QBColor(13));
        QVERIFY(dots.size() > R); // about 8 dots a column and pass: the crescent is there
        const QPointF centre(cx * scale, cy * scale);
        const double limit = R * scale + 1.0; // one pixel of rounding
        for (const QPoint& p : dots) {
            const double d = std::hypot(p.x() - centre.x(), p.y() - centre.y());
            QVERIFY2(
                d <= limit,
                qPrintable(
                    QStringLiteral("dot at %1,%2 is %3 px from the centre").arg(p.x()).arg(p.y()).arg(d)));
            if (deg == 0) QVERIFY(p.y() >= centre.y() - 1);
            if (deg == 90) QVERIFY(p.x() <= centre.x() + 1);
        }
        // The side away from the crescent is the bare grey disc.
        const QPointF away = deg == 0 ? QPointF(0, -R * scale / 2) : QPointF(R * scale / 2, 0);
        if (deg == 0 || deg == 90) QVERIFY(same(w.image().pixel((centre + away).toPoint()), QBColor(8)));
        QCOMPARE(w.FillStyle, FillStyles::Solid);
        QCOMPARE(w.FillColor, QBColor(8));
    }

    // A particle of radius 0 has only its centre: every dot lands there.
    void zeroRadius() {
        frmMaterial& w = whiteWindow(1.5f);
        Page page(w);
        SeedRandom(7);
        matter::Particle(page, 100, 80, 0, 13, 30);
        const QList<QPoint> dots = pixelsOf(w.image(), QBColor(13));
        QCOMPARE(dots.size(), 1);
        QCOMPARE(dots.first(), QPoint(150, 120));
    }

    // The floor: black above the horizon whatever was there, and below it only the floor
    // colour and the line colour; the sixteenth receding line lies at y = 387.
    void planeCoversTheSky_data() {
        QTest::addColumn<float>("scale");
        QTest::newRow("1") << 1.0f;
        QTest::newRow("1.5") << 1.5f;
    }
    void planeCoversTheSky() {
        QFETCH(float, scale);
        frmMaterial& w = whiteWindow(scale);
        Page page(w);
        w.Line(0, 0, S(639), S(250), QBColor(12), LineMode::BoxFilled);
        w.ForeColor = QBColor(14);
        w.CurrentX = S(300);
        w.CurrentY = S(100);
        w.Print(QStringLiteral("空"));
        matter::Plane(page, 13);

        const QImage& img = w.image();
        const int right = std::min(img.width() - 1, int(std::lround(S(639))));
        const int horizon = int(std::lround(S(200)));
        for (int y = 0; y < horizon; ++y)
            for (int x = 0; x <= right; ++x)
                QVERIFY2(same(img.pixel(x, y), QBColor(0)),
                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        const int bottom = std::min(img.height() - 1, int(std::lround(S(399))));
        int lines = 0;
        for (int y = horizon + 1; y <= bottom; ++y)
            for (int x = 0; x <= right; ++x) {
                const QRgb p = img.pixel(x, y);
                QVERIFY(same(p, QBColor(5)) || same(p, QBColor(13)));
                lines += same(p, QBColor(13));
            }
        QVERIFY(lines > 0);
        const int y16 = int(std::lround(S(387)));
        for (int x = 0; x <= right; ++x)
            QVERIFY(same(img.pixel(x, y16), QBColor(13)));
    }
};

QTEST_MAIN(TestParticle)
#include "test_particle.moc"

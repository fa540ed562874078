// Canvas operations checked pixel by pixel on small canvases.

#include "player/Canvas.h"
#include "player/PaintRegion.h"
#include "player/globals.h"

#include <QtTest>
#include <cmath>

namespace {
constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kBlack = 0xff000000;

Canvas make(int w = 40, int h = 30) {
    Canvas c;
    c.resizeCanvas(w, h);
    return c;
}
int count(const QImage& img, QRgb colour) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += img.pixel(x, y) == colour;
    return n;
}
} // namespace

class CanvasTest : public QObject {
    Q_OBJECT
private slots:
    void paletteMatchesTheSixteenColours() {
        QCOMPARE(QBColor(0), qRgb(0, 0, 0));
        QCOMPARE(QBColor(1), qRgb(0, 0, 128));
        QCOMPARE(QBColor(6), qRgb(128, 128, 0));
        QCOMPARE(QBColor(7), qRgb(192, 192, 192));
        QCOMPARE(QBColor(8), qRgb(128, 128, 128));
        QCOMPARE(QBColor(12), qRgb(255, 0, 0));
        QCOMPARE(QBColor(14), qRgb(255, 255, 0));
        QCOMPARE(QBColor(15), qRgb(255, 255, 255));
    }

    void linesAndTheCurrentPosition() {
        Canvas c = make();
        c.Line(2, 5, 12, 5, QBColor(12));
        QCOMPARE(c.image().pixel(2, 5), QBColor(12));
        QCOMPARE(c.image().pixel(12, 5), QBColor(12));
        QCOMPARE(c.image().pixel(13, 5), kWhite);
        QCOMPARE(c.CurrentX, 12.0);
        QCOMPARE(c.CurrentY, 5.0);
        // A line without a start point starts at the current position.
        c.LineTo(12, 15, QBColor(9));
        QCOMPARE(c.image().pixel(12, 10), QBColor(9));
        QCOMPARE(c.image().pixel(12, 15), QBColor(9));
        QCOMPARE(c.CurrentY, 15.0);
    }

    void lineWidthIsInPixels() {
        Canvas c = make();
        c.DrawWidth = 5;
        c.Line(5, 15, 35, 15, QBColor(0));
        QCOMPARE(c.image().pixel(20, 13), kBlack);
        QCOMPARE(c.image().pixel(20, 17), kBlack);
        QCOMPARE(c.image().pixel(20, 19), kWhite);
    }

    void boxesOutlinedAndFilled() {
        Canvas c = make();
        c.Line(5, 5, 15, 12, QBColor(4), LineMode::Box);
        QCOMPARE(c.image().pixel(5, 5), QBColor(4));
        QCOMPARE(c.image().pixel(15, 12), QBColor(4));
        QCOMPARE(c.image().pixel(10, 8), kWhite); // transparent fill by default
        QCOMPARE(c.image().pixel(16, 12), kWhite);
        c.Line(20, 5, 30, 12, QBColor(2), LineMode::BoxFilled);
        QCOMPARE(count(c.image(), QBColor(2)), 11 * 8); // both corners included
        // With a solid fill style the box outline is filled with the fill colour.
        c.FillStyle = FillStyles::Solid;
        c.FillColor = QBColor(14);
        c.Line(5, 18, 15, 25, QBColor(4), LineMode::Box);
        QCOMPARE(c.image().pixel(10, 21), QBColor(14));
        QCOMPARE(c.image().pixel(5, 21), QBColor(4));
    }

    void circlesFilledAndStretched() {
        Canvas c = make(60, 60);
        c.Circle(30, 30, 10, QBColor(0));
        QCOMPARE(c.image().pixel(40, 30), kBlack);
        QCOMPARE(c.image().pixel(30, 20), kBlack);
        QCOMPARE(c.image().pixel(30, 30), kWhite); // not filled while transparent
        QCOMPARE(c.CurrentX, 30.0);
        c.FillStyle = FillStyles::Solid;
        c.FillColor = QBColor(9);
        c.Circle(30, 30, 10, QBColor(0));
        QCOMPARE(c.image().pixel(30, 30), QBColor(9));
        QCOMPARE(c.image().pixel(36, 30), QBColor(9));
        // Aspect below 1: the horizontal radius is r; above 1: the vertical one.
        Canvas e = make(60, 60);
        e.Circle(30, 30, 20, QBColor(0), Canvas::NoAngle, Canvas::NoAngle, 0.5);
        QCOMPARE(e.image().pixel(50, 30), kBlack);
        QCOMPARE(e.image().pixel(30, 20), kBlack);
        QCOMPARE(e.image().pixel(30, 10), kWhite);
        Canvas t = make(60, 60);
        t.Circle(30, 30, 20, QBColor(0), Canvas::NoAngle, Canvas::NoAngle, 2.0);
        QCOMPARE(t.image().pixel(30, 10), kBlack);
        QCOMPARE(t.image().pixel(40, 30), kBlack);
        QCOMPARE(t.image().pixel(50, 30), kWhite);
    }

    void arcsAndPies() {
        const double pi = 3.14159265358979;
        // An upper half arc, counter-clockwise from 0 to pi: nothing below the centre.
        Canvas c = make(60, 60);
        c.Circle(30, 30, 15, QBColor(0), 0, pi);
        QCOMPARE(c.image().pixel(30, 15), kBlack);
        QCOMPARE(c.image().pixel(30, 45), kWhite);
        QCOMPARE(c.image().pixel(38, 30), kWhite); // no radius drawn
        // A negative start angle also draws the radius to that end.
        Canvas r = make(60, 60);
        r.Circle(30, 30, 15, QBColor(0), -0.0001, pi);
        QCOMPARE(r.image().pixel(38, 30), kBlack);
        QCOMPARE(r.image().pixel(22, 30), kWhite);
        // Both negative: a closed pie, filled by the fill style.
        Canvas p = make(60, 60);
        p.FillStyle = FillStyles::Solid;
        p.FillColor = QBColor(12);
        p.Circle(30, 30, 15, QBColor(0), -0.0001, -pi / 2);
        QCOMPARE(p.image().pixel(36, 24), QBColor(12));
        QCOMPARE(p.image().pixel(24, 24), kWhite);
        QCOMPARE(p.image().pixel(36, 36), kWhite);
    }

    void printPositionsAndTheNextLine() {
        Canvas c = make(200, 100);
        c.FontSize = 14;
        c.CurrentX = 10;
        c.CurrentY = 5;
        c.PrintPiece(QStringLiteral("光"));
        QCOMPARE(c.CurrentY, 5.0);
        QVERIFY(c.CurrentX > 10 + 10);
        const double afterPiece = c.CurrentX;
        c.Print(QStringLiteral("とは"));
        QCOMPARE(c.CurrentX, 0.0); // a printed line ends at the start of the next line
        const double line = c.CurrentY - 5;
        QVERIFY(line >= 18 && line <= 26);
        c.Print();
        QCOMPARE(c.CurrentY, 5 + 2 * line);
        // Text is drawn in the fore colour with its top-left at the position.
        int inked = 0;
        for (int y = 5; y < 5 + int(line); ++y)
            for (int x = 10; x < int(afterPiece); ++x)
                inked += c.image().pixel(x, y) != kWhite;
        QVERIFY(inked > 10);
        for (int x = 0; x < 200; ++x)
            QCOMPARE(c.image().pixel(x, 3), kWhite);
    }

    void clsAndTheBackgroundColourRule() {
        Canvas c = make();
        c.Line(0, 0, 39, 29, QBColor(0));
        c.CurrentX = 7;
        c.setBackColor(kWhite); // the colour it already has: the drawing stays
        QCOMPARE(c.image().pixel(10, 10 * 29 / 39), kBlack);
        c.setBackColor(QBColor(1)); // another colour erases everything
        QCOMPARE(count(c.image(), QBColor(1)), 40 * 30);
        c.Line(0, 0, 39, 0, QBColor(15));
        c.Cls();
        QCOMPARE(count(c.image(), QBColor(1)), 40 * 30);
        QCOMPARE(c.CurrentX, 0.0);
        QCOMPARE(c.CurrentY, 0.0);
    }

    void regionFillHeldByAClosedBorder() {
        Canvas c = make();
        c.Line(10, 5, 30, 20, QBColor(1), LineMode::Box);
        PaintRegion(c, 20, 12, QBColor(14), QBColor(1));
        QCOMPARE(count(c.image(), QBColor(14)), 19 * 14);
        QCOMPARE(c.image().pixel(5, 5), kWhite);
        QCOMPARE(c.FillStyle, FillStyles::Solid);
        QCOMPARE(c.FillColor, QBColor(14));
        // A circle drawn afterwards comes out solid in that colour.
        c.Circle(5, 24, 3, QBColor(0));
        QCOMPARE(c.image().pixel(5, 24), QBColor(14));
    }

    void regionFillLeaksThroughAGap() {
        Canvas c = make();
        c.Line(10, 5, 30, 20, QBColor(1), LineMode::Box);
        c.PSet(30, 12, kWhite); // a one-pixel gap in the right side
        PaintRegion(c, 20, 12, QBColor(14), QBColor(1));
        QCOMPARE(c.image().pixel(35, 25), QBColor(14));
        QCOMPARE(c.image().pixel(0, 0), QBColor(14)); // stops only at the canvas edge
    }

    void regionFillSeedOutsideOrOnBorder() {
        Canvas c = make();
        c.Line(10, 5, 30, 20, QBColor(1), LineMode::Box);
        const QImage before = c.image();
        PaintRegion(c, -5, 400, QBColor(14), QBColor(1));
        PaintRegion(c, 10, 5, QBColor(14), QBColor(1));
        QCOMPARE(c.image(), before);
    }

    void nothingDrawnWhereNothingCanBe() {
        Canvas c = make();
        const QImage before = c.image();
        c.Circle(20, 15, -5, QBColor(0));
        c.Circle(20, 15, 5, QBColor(0), Canvas::NoAngle, Canvas::NoAngle, 0);
        c.Line(-1e9, -1e9, -1e9 + 1, -1e9, QBColor(0));
        c.PSet(1e7, -3, QBColor(0));
        c.Print(QString());
        c.CurrentX = 1e9;
        c.Print(QStringLiteral("far away"));
        QCOMPARE(c.image(), before);
        c.resizeCanvas(0, -4); // never an empty image
        QVERIFY(!c.image().isNull());
    }

    void userCoordinatesMapTheLogicalRectangle() {
        Canvas c = make(320, 200);
        c.setScale(0, 0, 640, 400);
        QCOMPARE(c.ScaleWidth(), 640.0);
        QCOMPARE(c.ScaleHeight(), 400.0);
        c.PSet(0, 0, QBColor(4));
        c.PSet(320, 200, QBColor(4));
        c.PSet(638, 398, QBColor(4));
        QCOMPARE(c.image().pixel(0, 0), QBColor(4));
        QCOMPARE(c.image().pixel(160, 100), QBColor(4));
        QCOMPARE(c.image().pixel(319, 199), QBColor(4));
        QCOMPARE(count(c.image(), QBColor(4)), 3);
        // Radii follow the horizontal unit.
        c.Circle(320, 200, 100, QBColor(0));
        QCOMPARE(c.image().pixel(210, 100), kBlack);
    }
};

QTEST_MAIN(CanvasTest)
#include "test_canvas.moc"

// A step's room: the window's controls reached by their names through the Page, in the
// 640 x 400 system with the rounding each kind of place takes, and the data a lesson keeps
// with the window.

#include "lesson/Page.h"
#include "lesson/frmLight.h"
#include "lesson/frmMaterial.h"
#include "player/globals.h"
#include "tests/support/Harness.h"

#include <QtTest>

class TestPage : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { harness::closeAllWindows(); }

    // Whole-pixel places round to the nearest pixel; wholePixels drops the fraction, as
    // the lessons that place their pictures that way did (x 1 at 1.5 is pixel 1).
    void placesRoundAsTheLessonsSay() {
        harness::setUp(1.5f);
        frmMaterial& w = form<frmMaterial>();
        w.Show();
        Page p(w);
        p.showPicture(Control::Picture2, 1, 281, 400, 30, QString());
        QVERIFY(w.Picture2->isVisible());
        QCOMPARE(w.Picture2->geometry(), QRect(2, 422, 400, 30));
        p.showPicture(Control::Picture2, wholePixels(1), wholePixels(281), 400, 30, QString());
        QCOMPARE(w.Picture2->pos(), QPoint(1, 421));
        p.resize(Control::Image1, 101, Device(7));
        QCOMPARE(w.Image1->size(), QSize(152, 7));
        p.hide({Control::Picture2, Control::Image1});
        QVERIFY(!w.Picture2->isVisible());
        QCOMPARE(p.devicePos(Control::Picture2), QPoint(1, 421));
    }

    // A sprite keeps the fractions of its logical place and shows the nearest pixel.
    void spritesKeepTheirFractions() {
        harness::setUp(1.5f);
        frmLight& w = form<frmLight>();
        w.Show();
        Page p(w);
        p.moveSprite(Control::Image1, 100.3, 50);
        for (int i = 0; i < 3; ++i) {
            const QPointF at = p.spriteAt(Control::Image1);
            p.moveSprite(Control::Image1, at.x() + 0.1, at.y() - 0.1);
        }
        QVERIFY(std::abs(p.spriteAt(Control::Image1).x() - 100.6) < 1e-9);
        QVERIFY(std::abs(p.spriteAt(Control::Image1).y() - 49.7) < 1e-9);
        QCOMPARE(p.devicePos(Control::Image1), QPoint(151, 75));
    }

    // A label shown through the Page lands at its logical place, dropped to the pixel, in
    // its palette colour.
    void labelsByName() {
        harness::setUp(1.5f);
        frmLight& w = form<frmLight>();
        w.Show();
        Page p(w);
        p.lbldisp(Control::lblText2, 21, 31, 4, QStringLiteral("波"));
        QVERIFY(w.lblText2->isVisible());
        QCOMPARE(w.lblText2->pos(), QPoint(31, 46));
        QCOMPARE(w.lblText2->text(), QStringLiteral("波"));
        QCOMPARE(w.lblText2->palette().color(QPalette::WindowText).rgb(), QBColor(4));
        QCOMPARE(p.deviceSize(Control::lblText2), w.lblText2->size());
    }

    // What a lesson keeps with the window is found again by every Page of that window,
    // and starts afresh with a window loaded anew.
    void keptWithTheWindow() {
        harness::setUp(1.0f);
        {
            frmLight& w = form<frmLight>();
            Page first(w);
            first.kept<int>("count") = 7;
            Page second(w);
            QCOMPARE(second.kept<int>("count"), 7);
            QCOMPARE(second.kept<double>("other"), 0.0);
        }
        harness::closeAllWindows();
        frmLight& again = form<frmLight>();
        Page p(again);
        QCOMPARE(p.kept<int>("count"), 0);
    }
};

QTEST_MAIN(TestPage)
#include "test_page.moc"

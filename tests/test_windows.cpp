// The two lesson windows as they are after loading, at the smallest and the largest scale.

#include "lesson/frmLight.h"
#include "lesson/frmMaterial.h"
#include "player/globals.h"
#include "tests/support/Harness.h"

#include <QtTest>
#include <cmath>

class WindowsTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { harness::closeAllWindows(); }

    void layoutAfterLoad_data() {
        QTest::addColumn<bool>("light");
        QTest::addColumn<float>("scale");
        QTest::newRow("light 1") << true << 1.0f;
        QTest::newRow("light 1.5") << true << 1.5f;
        QTest::newRow("matter 1") << false << 1.0f;
        QTest::newRow("matter 1.5") << false << 1.5f;
    }
    void layoutAfterLoad() {
        QFETCH(bool, light);
        QFETCH(float, scale);
        harness::setUp(scale);
        LessonWindow& w = light ? static_cast<LessonWindow&>(form<frmLight>()) : form<frmMaterial>();
        const QSize outer = w.outerSize();
        QCOMPARE(outer, QSize(int(640 * scale), int(400 * scale)));
        // The client area is the whole canvas, fixed; a frame lies outside it.
        QCOMPARE(w.size(), outer);
        QCOMPARE(w.minimumSize(), outer);
        QCOMPARE(w.maximumSize(), outer);
        // The navigation row hangs from the outer size: 10 x gScale gaps, 20 x gScale above
        // the bottom edge, each button keeping its own pixel size.
        const int gap = int(std::lround(10 * scale));
        QCOMPARE(w.cmdNext->x() + w.cmdNext->width() + gap, outer.width());
        QCOMPARE(w.cmdNext->y() + w.cmdNext->height() + int(std::lround(20 * scale)), outer.height());
        QCOMPARE(w.cmdReturn1->x() + w.cmdReturn1->width() + gap, w.cmdNext->x());
        QCOMPARE(w.cmdReturn->x() + w.cmdReturn->width() + gap, w.cmdReturn1->x());
        QCOMPARE(w.cmdExit->x() + w.cmdExit->width() + gap, w.cmdReturn->x());
        for (QPushButton* b : {w.cmdReturn1, w.cmdReturn, w.cmdExit})
            QCOMPARE(b->y(), w.cmdNext->y());
        QCOMPARE(w.cmdNext->height(), 21);
        if (scale == 1.0f) {
            const QList<int> lefts = light ? QList<int>{537, 438, 335, 192} : QList<int>{553, 454, 367, 240};
            QCOMPARE((QList<int>{w.cmdNext->x(), w.cmdReturn1->x(), w.cmdReturn->x(), w.cmdExit->x()}),
                     lefts);
            QCOMPARE(w.cmdNext->y(), 359);
        }
        // Menu rows move with the scale (twips inside the panel); the label fonts do not.
        const int firstTop = light ? 300 : 800;
        for (int i = 1; i <= 5; ++i) {
            QCOMPARE(w.cmdMenu[i]->y(), scaledTwips((firstTop + 500 * i) * scale));
            QCOMPARE(w.cmdMenu[i]->x(), scaledTwips(300 * scale));
            QCOMPARE(w.lblMenu[i]->font().pixelSize(), 21); // 15.75 pt at 96 dpi
        }
        QVERIFY(w.picMenu->isVisible());
        QVERIFY(w.picMenu->width() >= w.width() && w.picMenu->height() >= w.height());
        // Only the exit button answers after load, and it stands above the menu panel.
        QVERIFY(w.cmdExit->isEnabled() && w.cmdExit->isVisible());
        QVERIFY(!w.cmdNext->isEnabled() && !w.cmdReturn->isEnabled() && !w.cmdReturn1->isEnabled());
        QCOMPARE(w.childAt(w.cmdExit->geometry().center()), static_cast<QWidget*>(w.cmdExit));
        QCOMPARE(w.cmdExit->text(), QStringLiteral("メインメニューに戻る"));
        QCOMPARE(w.lblItemName->geometry(), QRect(int(160 * scale), int(100 * scale), int(320 * scale), 49));
        QVERIFY(w.lblItemName->isHidden());
        QCOMPARE(gStep, std::int16_t(0));
    }

    void lightWindowHidesPicture1OnActivation() {
        harness::setUp(1.5f);
        frmLight& w = form<frmLight>();
        QVERIFY(w.Picture1->isHidden());
        w.Picture1->show();
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&w, &activate);
        QVERIFY(w.Picture1->isHidden());
        QCOMPARE(w.Picture1->geometry(), QRect(136, 352, 177, 97));
        QCOMPARE(w.Picture1->backColor(), QBColor(0));
    }
};

QTEST_MAIN(WindowsTest)
#include "test_windows.moc"

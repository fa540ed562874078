// Start-up rules, the start window and the single running copy.

#include "app/Main.h"
#include "app/frmStart.h"
#include "lesson/frmLight.h"
#include "player/globals.h"
#include "tests/support/Harness.h"

#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void init() { harness::setUp(1.0f); }
    void cleanup() { harness::closeAllWindows(); }

    void scaleRule_data() {
        QTest::addColumn<double>("width");
        QTest::addColumn<float>("scale");
        QTest::newRow("640") << 640.0 << 1.0f;
        QTest::newRow("780") << 780.0 << 1.0f;
        QTest::newRow("781") << 781.0 << 1.2f;
        QTest::newRow("800") << 800.0 << 1.2f;
        QTest::newRow("999") << 999.0 << 1.2f;
        QTest::newRow("1000 is not in the middle band") << 1000.0 << 1.0f;
        QTest::newRow("1001") << 1001.0 << 1.5f;
        QTest::newRow("1024") << 1024.0 << 1.5f;
        // 15360 twips at 12 twips a pixel (large fonts) is 1280 pixels, not 1024.
        QTest::newRow("other twips per pixel") << 15360.0 / 12.0 << 1.5f;
        QTest::newRow("unreadable screen") << 0.0 << 1.0f;
    }
    void scaleRule() {
        QFETCH(double, width);
        QFETCH(float, scale);
        QCOMPARE(scaleForScreenWidth(width), scale);
    }

    void appPathRule() {
        const QString sep = QDir::separator();
        QCOMPARE(appPathFor(sep), sep); // a root folder keeps its one separator
        QCOMPARE(appPathFor(sep + "opt" + sep + "course"), sep + "opt" + sep + "course" + sep);
        QCOMPARE(appPathFor(sep + "opt" + sep), sep + "opt" + sep);
    }

    void numbersPrintAsLessonsPrintThem() {
        QCOMPARE(Str(5), QStringLiteral(" 5"));
        QCOMPARE(Str(-3), QStringLiteral("-3"));
        QCOMPARE(Str(0), QStringLiteral(" 0"));
        QCOMPARE(Str(0.5), QStringLiteral(" .5"));
        QCOMPARE(Str(12.5), QStringLiteral(" 12.5"));
        QCOMPARE(Str(1.0 / 3.0), QStringLiteral(" .3333333"));
    }

    void startWindowAfterItsAnimation() {
        frmStart& w = form<frmStart>();
        w.Show();
        // The animation has run on the virtual clock: 12 rings of 0.1 s and the 2 s title.
        QVERIFY(harness::clock().msNow() >= 3200);
        QCOMPARE(w.windowTitle(), QStringLiteral("Orvanth"));
        QCOMPARE(w.size(), QSize(607, 355));
        QVERIFY(w.cmdItem[1]->isVisible() && w.cmdItem[2]->isVisible() && w.cmdExit->isVisible());
        QVERIFY(w.Image1->isVisible());
        QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.cmdItem[1]));
        QCOMPARE(w.cmdItem[1]->text(), QStringLiteral("光とは"));
        QCOMPARE(w.cmdItem[2]->text(), QStringLiteral("物質とは"));
        // The rings were cleared at the end: the canvas is all background.
        QCOMPARE(w.image().pixel(303, 177), RGB(192, 192, 255));
    }

    void ringsDuringTheAnimation_data() {
        QTest::addColumn<float>("scale");
        QTest::newRow("1") << 1.0f;
        QTest::newRow("1.5") << 1.5f;
    }
    void ringsDuringTheAnimation() {
        QFETCH(float, scale);
        harness::setUp(scale);
        QImage during;
        // Look at the canvas just before the title wait ends.
        harness::clock().at(3000, [&] { during = loadedForm<frmStart>()->image().copy(); });
        form<frmStart>();
        QVERIFY(!during.isNull());
        // The centre disc is palette 2 and the outermost ring palette 13, whatever the scale;
        // the radii are not scaled, so in the 607-pixel client the rings shrink at 1.5.
        const double k = 607.0 / (640.0 * scale);
        const QPoint centre(qRound(320 * scale * k), qRound(200 * scale * 355.0 / (400.0 * scale)));
        QCOMPARE(during.pixel(centre + QPoint(0, -40)), QBColor(2));
        const int ring13 = qRound((13 * 20 + 40) * k);
        QCOMPARE(during.pixel(centre.x() - ring13, centre.y()), QBColor(13));
    }

    void enterOpensTheLightCourse() {
        frmStart& w = form<frmStart>();
        w.Show();
        QTest::keyClick(w.cmdItem[1], Qt::Key_Return);
        QVERIFY(!w.isVisible());
        QCOMPARE(gCourseName, QStringLiteral("光とは"));
        frmLight* light = loadedForm<frmLight>();
        QVERIFY(light && light->isVisible());
        // Its exit button, at the menu, brings the start window back without the animation.
        const qint64 before = harness::clock().msNow();
        light->cmdExit->click();
        harness::flush();
        QVERIFY(!loadedForm<frmLight>());
        QVERIFY(w.isVisible());
        QCOMPARE(harness::clock().msNow(), before);
    }

    void altXRunsTheExitSequence() {
        frmStart& w = form<frmStart>();
        w.Show();
        QPointer<frmStart> guard(&w);
        const qint64 before = harness::clock().msNow();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(w.focusWidget(), Qt::Key_X, Qt::AltModifier);
        // An access key presses its button the way a click does, after a short flash.
        QTRY_VERIFY_WITH_TIMEOUT(!harness::sounds().cues.isEmpty(), 2000);
        QCOMPARE(harness::sounds().files(), QStringList{QStringLiteral("お疲れ.wav")});
        QVERIFY(harness::clock().msNow() - before >= 2000);
        harness::flush();
        QVERIFY(guard.isNull());
        QVERIFY(Form::all().isEmpty());
    }

    void closeBoxDuringTheAnimationEndsCleanly() {
        QPointer<frmStart> seen;
        harness::clock().at(550, [&] {
            seen = loadedForm<frmStart>();
            QVERIFY(seen);
            seen->close();
        });
        form<frmStart>();
        harness::flush();
        QVERIFY(seen.isNull());
        QVERIFY(Form::all().isEmpty());
        QVERIFY(harness::sounds().cues.isEmpty()); // no farewell sound by the close box
        QVERIFY(harness::clock().msNow() < 3000);  // the animation did not run on
    }

    void timedWaitAcrossMidnight() {
        harness::setUp(1.0f, 86399.0); // one second before midnight
        Session s;
        waits::seconds(s, 2);
        QCOMPARE(harness::clock().msNow(), qint64(2000));
        QCOMPARE(harness::clock().secondsSinceMidnight(), 1.0);
    }

    void secondStartEndsAtOnce() {
        QTemporaryDir tmp;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", tmp.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        const QString exe = QCoreApplication::applicationDirPath() + "/orvanth";
        QProcess first, second;
        first.setProcessEnvironment(env);
        second.setProcessEnvironment(env);
        first.start(exe);
        QVERIFY(first.waitForStarted());
        // The first copy holds its single-instance mark once it is up.
        QVERIFY(!first.waitForFinished(1500));
        second.start(exe);
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running); // left alone
        first.kill();
        first.waitForFinished();
    }
};

QTEST_MAIN(StartupTest)
#include "test_startup.moc"

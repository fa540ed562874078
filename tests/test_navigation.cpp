// Menu, title card, Next, Back, Back one and exit, with a small lesson written for the
// test on the light window's machinery, and the title cards of the real lessons.

#include "app/frmStart.h"
#include "lesson/frmLight.h"
#include "lesson/frmMaterial.h"
#include "player/Pictures.h"
#include "player/globals.h"
#include "tests/support/Harness.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Two sections of five steps each, closing steps at step 5, and a third section whose step
// 1 is the item's final closing step. Every drawn step waits 100 ms.
class TestWindow : public frmLight {
public:
    QList<QPair<int, int>> drawn;
    std::function<void()> duringStep; // runs inside a drawn step, before its wait
    int finishedSteps = 0;

    void GetMenu() override { Lesson(); }
    void Lesson() {
        StepBegin();
        switch (gSection) {
        case 0: GetItemTitle(QStringLiteral("テスト")); break;
        case 1:
        case 2:
            if (gStep <= 4) {
                drawn.append({gSection, gStep});
                Print(QStringLiteral("step %1-%2").arg(gSection).arg(gStep));
                if (duringStep) duringStep();
                Pause(100);
                ++finishedSteps;
            } else if (gStep == 5) {
                Cls();
                gStep = -1;
                gSection = std::int16_t(gSection + 1);
                cmdNext_Click();
            }
            break;
        case 3:
            if (gStep == 0) drawn.append({3, 0});
            if (gStep == 1) ItemTerminate();
            break;
        default: break;
        }
        StepEnd(3, 1);
    }

protected:
    void menuAction(int) override {
        cmdExit->setText(kItemMenu);
        Tag = QStringLiteral("テスト");
        Lesson();
    }
};

QPair<int, int> at(int s, int t) {
    return {s, t};
}
QPair<int, int> counters() {
    return {gSection, gStep};
}

bool onlyExitEnabled(LessonWindow& w) {
    return w.cmdExit->isEnabled() && !w.cmdNext->isEnabled() && !w.cmdReturn->isEnabled() &&
           !w.cmdReturn1->isEnabled();
}
bool allEnabled(LessonWindow& w) {
    return w.cmdExit->isEnabled() && w.cmdNext->isEnabled() && w.cmdReturn->isEnabled() &&
           w.cmdReturn1->isEnabled();
}

void writeWav(const QString& path) {
    QByteArray pcm(2000, '\0');
    QByteArray f;
    auto u32 = [&](quint32 v) { f.append(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](quint16 v) { f.append(reinterpret_cast<const char*>(&v), 2); };
    f.append("RIFF");
    u32(36 + pcm.size());
    f.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(22050);
    u32(44100);
    u16(2);
    u16(16);
    f.append("data");
    u32(pcm.size());
    f.append(pcm);
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(f);
}

} // namespace

class NavigationTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        harness::setUp(1.0f);
        gCourseName = QStringLiteral("光とは");
    }
    void cleanup() { harness::closeAllWindows(); }

    void backAndBackOneArithmetic() {
        TestWindow& w = form<TestWindow>();
        w.cmdMenu[2]->click();
        QCOMPARE(counters(), at(1, 0));
        for (int i = 0; i < 3; ++i)
            w.cmdNext->click();
        QCOMPARE(counters(), at(1, 3));
        w.cmdReturn->click();
        QCOMPARE(counters(), at(1, 0));
        // Into section 2 through the closing step, then to its step 3.
        for (int i = 0; i < 5; ++i)
            w.cmdNext->click();
        QCOMPARE(counters(), at(2, 0));
        for (int i = 0; i < 3; ++i)
            w.cmdNext->click();
        w.cmdReturn1->click();
        QCOMPARE(counters(), at(2, 2));
        w.cmdNext->click();
        w.cmdReturn->click();
        QCOMPARE(counters(), at(2, 0));
        // Back one from a section's first step lands on the first step of the previous one.
        w.cmdReturn1->click();
        QCOMPARE(counters(), at(1, 0));
        // Back at step 0 of section 1: the title card again, then step 0 of section 1.
        w.drawn.clear();
        const qint64 before = harness::clock().msNow();
        w.cmdReturn->click();
        QCOMPARE(counters(), at(1, 0));
        QVERIFY(harness::clock().msNow() - before >= 1500);
        QCOMPARE(w.drawn, (QList<QPair<int, int>>{at(1, 0)}));
    }

    void backHidesTheMenuHeadingButNotTheMenuLabels() {
        TestWindow& w = form<TestWindow>();
        QVERIFY(!w.menuHeading->isHidden());
        w.cmdMenu[2]->click();
        w.cmdNext->click();
        w.Image2->show();
        w.lblText1->show();
        w.cmdReturn1->click();
        QVERIFY(w.menuHeading->isHidden());
        QVERIFY(w.Image2->isHidden());
        QVERIFY(w.lblText1->isHidden());
        for (int i = 1; i <= 5; ++i)
            QVERIFY(!w.lblMenu[i]->isHidden());
        w.cmdExit->click();
        QVERIFY(w.picMenu->isVisible());
        QVERIFY(w.menuHeading->isHidden());
    }

    void exitDuringAnItemKeepsTheCanvas() {
        TestWindow& w = form<TestWindow>();
        w.cmdMenu[2]->click();
        w.cmdNext->click();
        const QImage drawing = w.image().copy();
        w.cmdExit->click();
        QVERIFY(w.picMenu->isVisible());
        QCOMPARE(w.cmdExit->text(), LessonWindow::kMainMenu);
        QVERIFY(onlyExitEnabled(w));
        QCOMPARE(w.image(), drawing);
        QCOMPARE(counters(), at(1, 1)); // the counters stay as they were
        // At the menu the exit button leads to the start window.
        w.cmdExit->click();
        harness::flush();
        QVERIFY(!loadedForm<TestWindow>());
        QVERIFY(loadedForm<frmStart>() && loadedForm<frmStart>()->isVisible());
    }

    void captionOnlyAfterTitleCardAndFirstStep() {
        TestWindow& w = form<TestWindow>();
        QString captionDuringFirstStep;
        w.duringStep = [&] {
            if (captionDuringFirstStep.isEmpty()) captionDuringFirstStep = w.windowTitle();
        };
        QString titleShown;
        harness::clock().at(harness::clock().msNow() + 700, [&] {
            if (w.lblItemName->isVisible()) titleShown = w.lblItemName->text();
        });
        w.cmdMenu[2]->click();
        QCOMPARE(titleShown, QStringLiteral("テスト"));
        QCOMPARE(captionDuringFirstStep, QStringLiteral("光とは"));
        QCOMPARE(w.windowTitle(), QStringLiteral("光とは - テスト"));
        QVERIFY(allEnabled(w));
        QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.cmdNext));
    }

    void finalClosingStepLeavesOnlyExit() {
        TestWindow& w = form<TestWindow>();
        w.cmdMenu[2]->click();
        for (int i = 0; i < 5; ++i)
            w.cmdNext->click(); // into section 2
        for (int i = 0; i < 5; ++i)
            w.cmdNext->click(); // into section 3
        QCOMPARE(counters(), at(3, 0));
        QVERIFY(allEnabled(w));
        w.cmdNext->click();
        QCOMPARE(counters(), at(3, 1));
        QVERIFY(w.picMenu->isVisible());
        QCOMPARE(w.cmdExit->text(), LessonWindow::kMainMenu);
        QVERIFY(onlyExitEnabled(w));
    }

    void enterActsAsNextOnlyWhileAStepIsShown() {
        TestWindow& w = form<TestWindow>();
        w.cmdMenu[2]->click();
        bool pressedDuringStep = false;
        w.duringStep = [&] {
            if (pressedDuringStep) return;
            pressedDuringStep = true;
            QTest::keyClick(&w, Qt::Key_Return); // buttons are disabled: nothing happens
            QTest::keyClick(w.cmdNext, Qt::Key_Return);
        };
        QTest::keyClick(&w, Qt::Key_Return);
        QCOMPARE(counters(), at(1, 1));
        QVERIFY(pressedDuringStep);
        QCOMPARE(w.drawn.count(at(1, 2)), 0);
        QTest::keyClick(w.cmdNext, Qt::Key_Return);
        QCOMPARE(counters(), at(1, 2));
    }

    void closeBoxDuringARunningStep() {
        QPointer<TestWindow> w(&form<TestWindow>());
        w->cmdMenu[2]->click();
        const int finished = w->finishedSteps;
        w->duringStep = [&] { harness::clock().at(harness::clock().msNow() + 50, [&] { w->close(); }); };
        w->cmdNext->click();
        // The step was abandoned at its wait; the window goes once the stack has unwound.
        QCOMPARE(w ? w->finishedSteps : finished, finished);
        harness::flush();
        QVERIFY(w.isNull());
        QVERIFY(loadedForm<frmStart>() && loadedForm<frmStart>()->isVisible());
    }

    void closeBoxDuringANestedStep() {
        QPointer<TestWindow> w(&form<TestWindow>());
        w->cmdMenu[2]->click();
        for (int i = 0; i < 4; ++i)
            w->cmdNext->click();
        // The closing step of section 1 re-enters the lesson for section 2, step 0.
        w->duringStep = [&] {
            if (gSection == 2) w->close();
        };
        w->cmdNext->click();
        w->cmdNext->click();
        harness::flush();
        QVERIFY(w.isNull());
    }

    void twoCuesInARowTheSecondStopsTheFirst() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("wave"));
        writeWav(dir.path() + "/wave/Applause.wav");
        writeWav(dir.path() + "/wave/Doing.wav");
        gAppPath = appPathFor(dir.path());
        PlaySound(QStringLiteral("\\wave\\Applause.wav"));
        PlaySound(QStringLiteral("wave\\Doing.wav"));
        QCOMPARE(harness::sounds().files(), (QStringList{"Applause.wav", "Doing.wav"}));
        QCOMPARE(harness::sounds().stops, 1);
        // A missing file plays nothing; the sound playing before is closed.
        PlaySound(QStringLiteral("wave\\missing.wav"));
        QCOMPARE(harness::sounds().cues.size(), 2);
        QCOMPARE(harness::sounds().stops, 2);
    }

    void missingPictureLeavesTheTargetEmpty() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("Material"));
        QImage img(30, 20, QImage::Format_RGB32);
        img.fill(Qt::red);
        QVERIFY(img.save(dir.path() + "/Material/red.bmp"));
        gAppPath = appPathFor(dir.path());
        frmMaterial& w = form<frmMaterial>();
        LoadPicture(*w.Image2, QStringLiteral("Material\\red.bmp"));
        QCOMPARE(w.Image2->picture().size(), QSize(30, 20));
        QCOMPARE(w.Image2->size(), QSize(30, 20)); // natural size without stretching
        LoadPicture(*w.Image2, QStringLiteral("Material\\missing.jpg"));
        QVERIFY(w.Image2->picture().isNull());
        LoadPicture(*w.Picture1, QStringLiteral("Material\\red.bmp"));
        QCOMPARE(w.Picture1->image().pixel(29, 19), qRgb(255, 0, 0));
        QCOMPARE(w.Picture1->image().pixel(30, 20), w.Picture1->backColor()); // clipped to natural size
        LoadPicture(*w.Picture1, QString());
        QVERIFY(w.Picture1->picture().isNull());
        QCOMPARE(w.Picture1->image().pixel(0, 0), w.Picture1->backColor());
    }

    void realItemsShowTheirTitleCards_data() {
        QTest::addColumn<bool>("light");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("caption");
        QTest::newRow("light 1") << true << 1 << "導　　入"
                                 << "光とは - 導入";
        QTest::newRow("light 2") << true << 2 << "幾　何　光　学"
                                 << "光とは - 幾何光学";
        QTest::newRow("light 3") << true << 3 << "波　動　光　学"
                                 << "光とは - 波動光学";
        QTest::newRow("light 4") << true << 4 << "量子論的解釈"
                                 << "光とは - 量子論的解釈";
        QTest::newRow("light 5") << true << 5 << "色の感じ方（色覚）"
                                 << "光とは - 色の感じ方";
        QTest::newRow("matter 1") << false << 1 << "物質の 階層構造"
                                  << "物質 - 物質の階層構造について";
        QTest::newRow("matter 2") << false << 2 << "物質の 階層構造"
                                  << "物質 - 物質の階層構造について";
        QTest::newRow("matter 3") << false << 3 << "原子の構造について"
                                  << "物質 - 原子の構造について";
    }
    void realItemsShowTheirTitleCards() {
        QFETCH(bool, light);
        QFETCH(int, item);
        QFETCH(QString, title);
        QFETCH(QString, caption);
        gCourseName = light ? QStringLiteral("光とは") : QStringLiteral("物質");
        LessonWindow& w = light ? static_cast<LessonWindow&>(form<frmLight>()) : form<frmMaterial>();
        QString shown;
        harness::clock().at(harness::clock().msNow() + 1000, [&] {
            if (w.lblItemName->isVisible() && w.Image1->isVisible()) shown = w.lblItemName->text();
        });
        w.cmdMenu[item]->click();
        QCOMPARE(shown, title);
        QCOMPARE(w.windowTitle(), caption);
        QCOMPARE(counters(), at(1, 0));
        QVERIFY(!w.picMenu->isVisible());
        QVERIFY(w.Image1->isHidden());
        QVERIFY(allEnabled(w));
    }

    void clicksDuringTheTitleCardAreIgnored() {
        frmLight& w = form<frmLight>();
        bool enabledDuringCard = true;
        harness::clock().at(harness::clock().msNow() + 700, [&] {
            enabledDuringCard = w.cmdNext->isEnabled() || w.cmdReturn->isEnabled() || w.cmdExit->isEnabled();
            w.cmdNext->click();
            w.cmdReturn->click();
        });
        w.cmdMenu[1]->click(); // the whole course: the card comes straight from the menu
        QVERIFY(!enabledDuringCard);
        QCOMPARE(counters(), at(1, 0));
        QCOMPARE(w.windowTitle(), QStringLiteral("光とは - 導入"));
    }

    void viewerItemsHideTheMatterWindow_data() {
        QTest::addColumn<int>("item");
        QTest::newRow("cloud") << 4;
        QTest::newRow("periodic table") << 5;
    }
    void viewerItemsHideTheMatterWindow() {
        QFETCH(int, item);
        gCourseName = QStringLiteral("物質");
        frmMaterial& w = form<frmMaterial>();
        w.cmdMenu[item]->click();
        QVERIFY(!w.isVisible());
        QVERIFY(w.picMenu->isVisibleTo(&w));
        QVERIFY(!w.cmdNext->isEnabled() && !w.cmdReturn->isEnabled() && w.cmdReturn1->isEnabled());
    }
};

QTEST_MAIN(NavigationTest)
#include "test_navigation.moc"

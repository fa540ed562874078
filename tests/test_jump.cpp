// The teacher's jump: Ctrl+G lists the course's items and sections and starts the chosen
// one at that section, as its menu button would with its title card entering there;
// `orvanth --open PROCEDURE/SECTION` does the same at start-up, and refuses what names
// no section with exit status 2 before anything opens.

#include "app/CommandLine.h"
#include "app/frmStart.h"
#include "lesson/JumpDialog.h"
#include "lesson/frmLight.h"
#include "lesson/frmMaterial.h"
#include "player/Prompts.h"
#include "player/globals.h"
#include "tests/support/Harness.h"

#include <QProcess>
#include <QTreeWidget>
#include <QtTest>

namespace {

// Answers the jump list, when it opens, with one section (or cancels it).
struct JumpAnswers {
    int opened = 0;
    JumpAnswers(QString procedure, int section) {
        setModalHook([this, procedure, section](QDialog& d) {
            auto* jd = qobject_cast<JumpDialog*>(&d);
            if (!jd) return;
            ++opened;
            if (procedure.isEmpty() || !jd->select(procedure, section)) {
                jd->reject();
                return;
            }
            QTest::keyClick(jd->list, Qt::Key_Return);
        });
    }
    ~JumpAnswers() { setModalHook(nullptr); }
};

void pressJump(QWidget& w) {
    QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
}

QString program() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("orvanth"));
}

} // namespace

class JumpTest : public QObject {
    Q_OBJECT
private slots:
    void init() { harness::setUp(1.0f); }
    void cleanup() {
        harness::closeAllWindows();
        setModalHook(nullptr);
    }

    void theListHoldsEachItemOnceWithTheRegistrysSections() {
        const QList<jump::Target> light = jump::itemsOf(course::light());
        QStringList names;
        for (const jump::Target& t : light)
            names << QString::fromLatin1(t.procedure->name);
        QCOMPARE(names, (QStringList{"Intro", "Kika", "Wave", "Quantum", "Iro"}));
        QCOMPARE(light[0].menuIndex, 1); // the introduction only "はじめから" starts
        const QList<jump::Target> matter = jump::itemsOf(course::matter());
        QCOMPARE(matter.size(), 2); // the viewers have no sections
        QCOMPARE(QLatin1String(matter[0].procedure->name), QLatin1String("Class"));
        QCOMPARE(matter[0].menuIndex, 2); // its own item, which ends at the menu
        JumpDialog d(course::light(), nullptr, 0);
        QCOMPARE(d.list->topLevelItemCount(), 5);
        QCOMPARE(d.list->topLevelItem(2)->text(0), QStringLiteral("波動光学"));
        QCOMPARE(d.list->topLevelItem(2)->child(4)->text(0), QStringLiteral("5　回折（１）"));
    }

    void specsAreReadOrRefusedWithAReason_data() {
        QTest::addColumn<QString>("spec");
        QTest::addColumn<QString>("procedure"); // empty: refused
        QTest::addColumn<int>("section");
        QTest::addColumn<QString>("reason");
        QTest::newRow("wave 5") << "Wave/5"
                                << "Wave" << 5 << "";
        QTest::newRow("letter case") << "quantum/3"
                                     << "Quantum" << 3 << "";
        QTest::newRow("matter") << "Gensi/2"
                                << "Gensi" << 2 << "";
        QTest::newRow("no slash") << "Wave"
                                  << "" << 0 << "PROCEDURE/SECTION";
        QTest::newRow("unknown procedure") << "Optics/1"
                                           << "" << 0 << "no procedure Optics";
        QTest::newRow("unknown section") << "Wave/8"
                                         << "" << 0 << "sections are 1, 2, 3, 4, 5, 6, 7";
        QTest::newRow("no number") << "Wave/"
                                   << "" << 0 << "no section";
        // Class has three sections; its fifth is a light item's.
        QTest::newRow("a section of the other course") << "Class/5"
                                                       << "" << 0 << "Class has no section 5";
        QTest::newRow("a viewer's procedure") << "Cloud/1"
                                              << "" << 0 << "not an item";
    }
    void specsAreReadOrRefusedWithAReason() {
        QFETCH(QString, spec);
        QFETCH(QString, procedure);
        QFETCH(int, section);
        QFETCH(QString, reason);
        QString error;
        const std::optional<jump::Target> t = jump::parse(spec, &error);
        if (procedure.isEmpty()) {
            QVERIFY(!t);
            QVERIFY2(error.contains(reason), qPrintable(error));
        } else {
            QVERIFY2(t, qPrintable(error));
            QCOMPARE(QLatin1String(t->procedure->name), procedure);
            QCOMPARE(t->section, section);
        }
    }

    void aBadOpenEndsWithStatusTwoBeforeAnythingOpens() {
        for (const QString& spec : {QStringLiteral("Wave/99"), QStringLiteral("Nothing/1")}) {
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.remove(QStringLiteral("DISPLAY")); // nothing may need a display
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            p.setProcessEnvironment(env);
            p.start(program(), {QStringLiteral("--open"), spec});
            QVERIFY(p.waitForFinished(20000));
            QCOMPARE(p.exitStatus(), QProcess::NormalExit);
            QCOMPARE(p.exitCode(), 2);
            const QString err = QString::fromLocal8Bit(p.readAllStandardError());
            QVERIFY2(err.startsWith(QStringLiteral("orvanth: --open: ")), qPrintable(err));
            QVERIFY(p.readAllStandardOutput().isEmpty());
        }
    }

    void ctrlGFromTheMenuStartsTheSectionAsIfReachedByNext() {
        gCourseName = QStringLiteral("光とは");
        frmLight& w = form<frmLight>();
        JumpAnswers answers(QStringLiteral("Quantum"), 3);
        pressJump(w);
        QCOMPARE(answers.opened, 1);
        QCOMPARE(int(gMenuItem), 4);
        QCOMPARE(int(gSection), 3);
        QCOMPARE(int(gStep), 0);
        QCOMPARE(w.Tag, QStringLiteral("量子論的解釈"));
        QCOMPARE(w.windowTitle(), QStringLiteral("光とは - 量子論的解釈"));
        QCOMPARE(w.cmdExit->text(), LessonWindow::kItemMenu);
        QVERIFY(!w.picMenu->isVisible());
        QVERIFY(w.cmdNext->isEnabled());
        QCOMPARE(QLatin1String(w.currentProcedure()->name), QLatin1String("Quantum"));
        QCOMPARE(w.titleCardEnters, 0);
        // From there the learner's navigation is the usual one.
        w.cmdNext->click();
        QCOMPARE(int(gStep), 1);
        w.cmdReturn->click();
        QCOMPARE(int(gStep), 0);
        QCOMPARE(int(gSection), 3);
        w.cmdReturn->click();
        QCOMPARE(int(gSection), 2);
        QCOMPARE(int(gStep), 0);
    }

    void ctrlGFromAStepLeavesTheItemFirst() {
        gCourseName = QStringLiteral("物質");
        frmMaterial& w = form<frmMaterial>();
        w.cmdMenu[2]->click(); // Class, section 1
        w.cmdNext->click();
        QCOMPARE(int(gSection), 1);
        QCOMPARE(int(gStep), 1);
        {
            JumpAnswers cancel(QString(), 0);
            pressJump(w);
            QCOMPARE(cancel.opened, 1);
        }
        QCOMPARE(int(gStep), 1); // cancelled: nothing moved
        JumpAnswers answers(QStringLiteral("Gensi"), 2);
        pressJump(w);
        QCOMPARE(answers.opened, 1);
        QCOMPARE(int(gMenuItem), 3);
        QCOMPARE(int(gSection), 2);
        QCOMPARE(int(gStep), 0);
        QCOMPARE(w.windowTitle(), QStringLiteral("物質 - 原子の構造について"));
    }

    void ctrlGDoesNothingWhileCodeRuns() {
        gCourseName = QStringLiteral("光とは");
        frmLight& w = form<frmLight>();
        JumpAnswers answers(QStringLiteral("Wave"), 5);
        // During the title card's wait, then during the first step of Kika.
        int pressed = 0;
        harness::clock().at(harness::clock().msNow() + 500, [&] {
            pressJump(w);
            ++pressed;
        });
        w.cmdMenu[2]->click();
        QCOMPARE(pressed, 1);
        QCOMPARE(answers.opened, 0);
        QCOMPARE(int(gMenuItem), 2);
        QCOMPARE(int(gSection), 1);
        QCOMPARE(int(gStep), 0);
        // Hidden (a viewer has the learner): nothing either.
        w.hide();
        QVERIFY(!jump::offer(w));
        QCOMPARE(answers.opened, 0);
    }

    void openAtStartOpensTheCourseAfterTheOpeningAnimation() {
        frmStart& start = form<frmStart>();
        start.Show();
        QVERIFY(start.cmdItem[1]->isVisible()); // the animation has played
        cli::AppOptions o;
        o.open = jump::parse(QStringLiteral("Wave/5"), nullptr);
        QVERIFY(o.open);
        cli::applyAtStart(o);
        QVERIFY(!start.isVisible());
        frmLight* w = loadedForm<frmLight>();
        QVERIFY(w && w->isVisible());
        QCOMPARE(gCourseName, QStringLiteral("光とは"));
        QCOMPARE(int(gMenuItem), 3);
        QCOMPARE(int(gSection), 5);
        QCOMPARE(int(gStep), 0);
        QCOMPARE(w->windowTitle(), QStringLiteral("光とは - 波動光学"));
        QVERIFY(w->cmdNext->isEnabled());
    }
};

QTEST_MAIN(JumpTest)
#include "test_jump.moc"

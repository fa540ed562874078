// The windows on a real X server with a window manager: fixed frames and client sizes,
// centring with the frame, the scale chosen for the screen, the keyboard's road through
// the course, the dialogs' places and the viewers fitting the screen. Run through
// tools/desktop-session.sh, which starts the server and the window manager for one screen
// size; ORVANTH_EXPECT_SCALE names the factor that screen must give. Lessons run on the
// virtual clock; only the window manager's answers are waited for in real time.
// ORVANTH_SHOTS_DIR, when set, receives pictures of the whole screen.

#include "app/Main.h"
#include "app/QtTranslation.h"
#include "app/frmStart.h"
#include "cloud/cloudfrm.h"
#include "dialogs/frmInputLight.h"
#include "dialogs/frmInputMaterial.h"
#include "lesson/frmLight.h"
#include "lesson/frmMaterial.h"
#include "periodic/Form1.h"
#include "player/Prompts.h"
#include "player/globals.h"
#include "tests/support/Harness.h"
#include "tests/support/ViewerInside.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QWindow>
#include <QtTest>

namespace {

bool windowManagerRuns() {
    return qEnvironmentVariable("ORVANTH_DESKTOP_WM") != QLatin1String("none");
}

QRect available() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

QMargins frameOf(const QWidget& w) {
    const QRect outer = w.frameGeometry(), inner = w.geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// Shown, framed by the window manager where one runs, and active.
bool waitFramed(QWidget& w) {
    if (!QTest::qWaitForWindowExposed(&w, 5000)) return qWarning("not exposed"), false;
    if (windowManagerRuns() && !QTest::qWaitFor([&] { return !frameOf(w).isNull(); }, 5000))
        return qWarning("not framed"), false;
    if (!QTest::qWaitForWindowActive(&w, 5000)) {
        qWarning() << "not active; active is" << QApplication::activeWindow() << "focus window"
                   << QGuiApplication::focusWindow();
        return false;
    }
    return true;
}

// What the window manager lets the learner do with a window (_NET_WM_ALLOWED_ACTIONS).
QString allowedActions(const QWidget& w) {
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(w.winId()),
                                          QStringLiteral("_NET_WM_ALLOWED_ACTIONS")});
    if (!xprop.waitForFinished(5000)) return QStringLiteral("xprop failed");
    return QString::fromLocal8Bit(xprop.readAllStandardOutput());
}

// The window cannot be resized or maximised, by Qt's size constraints and, where a
// window manager runs, by what it offers the learner.
void verifyFixed(const QWidget& w, QSize client) {
    QCOMPARE(w.size(), client);
    QCOMPARE(w.minimumSize(), client);
    QCOMPARE(w.maximumSize(), client);
    QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
    if (windowManagerRuns()) {
        // The actions settle once the window manager has read the size hints.
        QString actions;
        QVERIFY(QTest::qWaitFor(
            [&] {
                actions = allowedActions(w);
                return actions.contains(QLatin1String("_NET_WM_ACTION_CLOSE"));
            },
            5000));
        QVERIFY2(!actions.contains(QLatin1String("_NET_WM_ACTION_RESIZE")), qPrintable(actions));
        QVERIFY2(!actions.contains(QLatin1String("_NET_WM_ACTION_MAXIMIZE")), qPrintable(actions));
    }
}

// Centred with its frame on the available area, or at its top left when it is larger.
bool centred(const QWidget& w) {
    const QRect outer = w.frameGeometry(), area = available();
    const auto axis = [](int pos, int size, int areaPos, int areaSize) {
        const int want = areaPos + std::max(0, (areaSize - size) / 2);
        return std::abs(pos - want) <= 1;
    };
    return axis(outer.x(), outer.width(), area.x(), area.width()) &&
           axis(outer.y(), outer.height(), area.y(), area.height());
}

void shot(const QString& name) {
    const QString dir = qEnvironmentVariable("ORVANTH_SHOTS_DIR");
    if (dir.isEmpty()) return;
    QTest::qWait(150); // the last paints of the window manager and of the windows
    const QString folder = QDir(dir).filePath(QStringLiteral("scale-%1").arg(double(gScale)));
    QDir().mkpath(folder);
    QGuiApplication::primaryScreen()->grabWindow(0).save(
        QDir(folder).filePath(name + QStringLiteral(".png")));
}

// A key as the learner types it: to the window that has the keyboard focus.
void typeKey(Qt::Key key) {
    QWindow* focus = QGuiApplication::focusWindow();
    QVERIFY(focus);
    QTest::keyClick(focus, key);
}

frmStart& openStartWindow() {
    frmStart& start = form<frmStart>(); // its opening animation runs on the virtual clock
    start.Show();
    return start;
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        harness::setUp();
        const QScreen* screen = QGuiApplication::primaryScreen();
        gScale = scaleForScreen(screen->size().width(), screen->availableGeometry().size());
    }
    void cleanup() {
        setModalHook(nullptr);
        harness::closeAllWindows();
    }

    void scaleFollowsTheScreen() {
        bool ok = false;
        const float expected = qEnvironmentVariable("ORVANTH_EXPECT_SCALE").toFloat(&ok);
        if (!ok) QSKIP("ORVANTH_EXPECT_SCALE is not set");
        QCOMPARE(gScale, expected);
    }

    void startWindowHasAFixedFrame() {
        frmStart& start = openStartWindow();
        QVERIFY(waitFramed(start));
        verifyFixed(start, QSize(607, 355));
        QTRY_VERIFY(centred(start));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(start.cmdItem[1]));
        shot(QStringLiteral("1-start"));
    }

    void lessonWindowsHaveFixedFramesAroundTheirCanvas_data() {
        QTest::addColumn<int>("course");
        QTest::newRow("light") << 1;
        QTest::newRow("matter") << 2;
    }
    void lessonWindowsHaveFixedFramesAroundTheirCanvas() {
        QFETCH(int, course);
        frmStart& start = openStartWindow();
        QVERIFY(waitFramed(start));
        start.cmdItem[course]->click();
        LessonWindow* w = course == 1 ? static_cast<LessonWindow*>(loadedForm<frmLight>())
                                      : static_cast<LessonWindow*>(loadedForm<frmMaterial>());
        QVERIFY(w);
        QVERIFY(waitFramed(*w));
        // The canvas is the whole 640 x 400 system at the scale; the frame lies outside.
        const QSize client(int(640 * gScale), int(400 * gScale));
        verifyFixed(*w, client);
        QTRY_VERIFY2(centred(*w), qPrintable(QStringLiteral("frame %1,%2 %3x%4 in %5,%6 %7x%8")
                                                 .arg(w->frameGeometry().x())
                                                 .arg(w->frameGeometry().y())
                                                 .arg(w->frameGeometry().width())
                                                 .arg(w->frameGeometry().height())
                                                 .arg(available().x())
                                                 .arg(available().y())
                                                 .arg(available().width())
                                                 .arg(available().height())));
        // Nothing of the navigation row is under the frame or outside the window.
        for (QPushButton* b : {w->cmdNext, w->cmdReturn1, w->cmdReturn, w->cmdExit})
            QVERIFY(w->rect().contains(b->geometry()));
        // Where the screen holds the window, it holds it whole, frame included.
        if (available().width() >= client.width() + kFrameAllowance.width() &&
            available().height() >= client.height() + kFrameAllowance.height())
            QVERIFY(available().contains(w->frameGeometry()));
        // The focus is on the first menu button, not on the way out.
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->cmdMenu[1]));
        if (course == 1) shot(QStringLiteral("2-light-menu"));
    }

    void enterEnterStartsTheLightCourse() {
        frmStart& start = openStartWindow();
        QVERIFY(waitFramed(start));
        typeKey(Qt::Key_Return);
        frmLight* light = loadedForm<frmLight>();
        QVERIFY(light);
        QVERIFY(waitFramed(*light));
        typeKey(Qt::Key_Return); // the title card and the first step, on the virtual clock
        QVERIFY(loadedForm<frmLight>() == light && light->isVisible());
        QVERIFY(!start.isVisible());
        QCOMPARE(gMenuItem, std::int16_t(1));
        QCOMPARE(gSection, std::int16_t(1));
        QCOMPARE(gStep, std::int16_t(0));
        QCOMPARE(light->cmdExit->text(), LessonWindow::kItemMenu);
        shot(QStringLiteral("3-light-step"));
        // Enter at a shown step is Next: it is the window's default button.
        typeKey(Qt::Key_Return);
        QCOMPARE(gStep, std::int16_t(1));
    }

    // After either viewer closes, Enter starts an item again; it never leaves the course.
    void enterAfterAViewerStaysInTheCourse_data() {
        QTest::addColumn<int>("item");
        QTest::newRow("electron cloud") << 4;
        QTest::newRow("periodic table") << 5;
    }
    void enterAfterAViewerStaysInTheCourse() {
        QFETCH(int, item);
        frmStart& start = openStartWindow();
        QVERIFY(waitFramed(start));
        start.cmdItem[2]->click();
        frmMaterial* matter = loadedForm<frmMaterial>();
        QVERIFY(matter);
        QVERIFY(waitFramed(*matter));
        matter->cmdMenu[item]->click();
        QWidget* viewer = item == 4 ? static_cast<QWidget*>(loadedForm<cloudfrm>())
                                    : static_cast<QWidget*>(loadedForm<Form1>());
        QVERIFY(viewer);
        QVERIFY(waitFramed(*viewer));
        QVERIFY(available().contains(viewer->frameGeometry()) || !windowManagerRuns() ||
                available().width() < 640);
        viewer->close();
        harness::flush();
        QVERIFY(waitFramed(*matter));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(matter->cmdMenu[std::min(item + 1, 5)]));
        typeKey(Qt::Key_Return);
        harness::flush();
        QCOMPARE(loadedForm<frmMaterial>(), matter);
        QVERIFY(!start.isVisible());
        // The key opened the periodic table: the next item's button had the focus.
        QVERIFY(loadedForm<Form1>());
    }

    void periodicTableFitsTheScreen() {
        frmStart& start = openStartWindow();
        QVERIFY(waitFramed(start));
        start.cmdItem[2]->click();
        frmMaterial* matter = loadedForm<frmMaterial>();
        QVERIFY(waitFramed(*matter));
        matter->cmdMenu[5]->click();
        Form1* table = loadedForm<Form1>();
        QVERIFY(table);
        const PeriodicInside in(*table);
        QVERIFY(waitFramed(*table));
        const QSize design(twips(14080), twips(9100));
        const QRect area = available();
        if (area.width() >= design.width() + 20 && area.height() >= design.height() + 50) {
            QCOMPARE(table->size(), design); // unchanged where it fits
        } else {
            QVERIFY(table->width() < design.width());
            QVERIFY(area.contains(table->frameGeometry()));
            // Scaled uniformly: the drawing area keeps its 1.6 to 1.
            QVERIFY(std::abs(in.Picture1->width() / double(in.Picture1->height()) - 1.6) < 0.01);
        }
        // The button and the name label stay on the window.
        QVERIFY(table->rect().contains(in.cmdNext->geometry().translated(in.Picture1->pos())));
        table->goOn();
        QVERIFY(table->rect().contains(in.Label4->geometry().translated(in.Picture1->pos())));
    }

    // The answer dialogs stand where their questions put them, measured with frames.
    void dialogsStandWhereTheQuestionPutsThem_data() {
        QTest::addColumn<int>("question");
        QTest::newRow("centred") << 1;
        QTest::newRow("right half") << 5;
    }
    void dialogsStandWhereTheQuestionPutsThem() {
        QFETCH(int, question);
        frmStart& start = openStartWindow();
        QVERIFY(waitFramed(start));
        start.cmdItem[1]->click();
        frmLight* light = loadedForm<frmLight>();
        QVERIFY(waitFramed(*light));
        gQuestion = std::int16_t(question);
        frmInputLight dialog(light);
        dialog.show();
        QVERIFY(waitFramed(dialog));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QRect owner = light->frameGeometry(), outer = dialog.frameGeometry();
        if (question == 1) {
            QVERIFY(std::abs(outer.center().x() - owner.center().x()) <= 1);
            QCOMPARE(outer.y(), screen.y() + twips(1000));
        } else {
            // Half the lesson window's width from the screen's left; on a narrow screen the
            // window manager keeps the dialog whole on the screen.
            const int half = screen.x() + owner.width() / 2;
            QCOMPARE(outer.x(),
                     windowManagerRuns() ? std::min(half, available().right() + 1 - outer.width()) : half);
            QCOMPARE(outer.y(), screen.y() + int(220 * gScale));
        }
        if (question == 1) shot(QStringLiteral("4-answer-dialog"));
        dialog.txtInput->setText(QStringLiteral("1"));
        dialog.OKbutton->click();
    }

    // A picture the lesson shows right after an answer stays: the window's activation,
    // which the window system delivers later, was handled when the dialog closed.
    void pictureShownAfterAnAnswerStays() {
        frmStart& start = openStartWindow();
        QVERIFY(waitFramed(start));
        start.cmdItem[1]->click();
        frmLight* light = loadedForm<frmLight>();
        QVERIFY(waitFramed(*light));
        setModalHook([](QDialog& d) {
            if (auto* dlg = qobject_cast<frmInputLight*>(&d)) {
                dlg->txtInput->setText(QStringLiteral("2"));
                dlg->OKbutton->click();
            }
        });
        bool hiddenAtClose = false;
        light->session.enter([&] {
            light->Picture1->show();
            gQuestion = 2;
            frmInputLight dialog(light);
            dialog.showModal();
            hiddenAtClose = light->Picture1->isHidden();
            light->Picture1->show();
        });
        QVERIFY(hiddenAtClose);
        QVERIFY(QTest::qWaitForWindowActive(light, 5000));
        QTest::qWait(100); // whatever the window system still delivers
        QVERIFY(light->Picture1->isVisible());
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    initApplication(app);
    loadQtTranslation(app);
    DesktopTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_desktop.moc"

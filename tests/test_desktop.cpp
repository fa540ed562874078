// The windows on a real X server with a window manager: fixed frames and client sizes,
// centring with the frame, the scale chosen for the screen, the keyboard's road through
// the course, the dialogs' places, the viewers fitting the screen, presentation mode
// (F11) and the teacher's jump (Ctrl+G, --open). Run through
// tools/desktop-session.sh, which starts the server and the window manager for one screen
// size; ORVANTH_EXPECT_SCALE names the factor that screen must give. Lessons run on the
// virtual clock; only the window manager's answers are waited for in real time.
// ORVANTH_SHOTS_DIR, when set, receives pictures of the whole screen.

#include "app/CommandLine.h"
#include "app/Main.h"
#include "app/QtTranslation.h"
#include "app/frmStart.h"
#include "cloud/cloudfrm.h"
#include "dialogs/frmInputLight.h"
#include "dialogs/frmInputMaterial.h"
#include "lesson/JumpDialog.h"
#include "lesson/frmLight.h"
#include "lesson/frmMaterial.h"
#include "periodic/Form1.h"
#include "player/Presentation.h"
#include "player/Prompts.h"
#include "player/globals.h"
#include "tests/support/Harness.h"
#include "tests/support/ViewerInside.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QTreeWidget>
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
        presentation::leave();
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

    // F11 shows the window full screen, scaled uniformly to fit and centred on black; F11
    // again gives it back at its size and place. Pressed again and again while a step
    // draws, it neither redraws the step nor disturbs its pace.
    void presentationFillsTheScreenAndGivesTheWindowBack() {
        frmStart& start = openStartWindow();
        QVERIFY(waitFramed(start));
        start.cmdItem[1]->click();
        frmLight* light = loadedForm<frmLight>();
        QVERIFY(light);
        QVERIFY(waitFramed(*light));
        const QRect place = light->geometry();
        typeKey(Qt::Key_F11); // at the menu, whose panel covers the whole client area
        QVERIFY(presentation::active());
        QWidget* host = presentation::host();
        QVERIFY(host);
        QVERIFY(QTest::qWaitForWindowExposed(host, 5000));
        const QRect screen = light->screen()->geometry();
        QTRY_COMPARE(host->geometry(), screen);
        QTRY_VERIFY(QGuiApplication::focusWindow() == host->windowHandle());
        // The largest uniform size that fits, centred: one pair of edges touches the screen.
        const QRect content = presentation::contentRect();
        const double k = presentation::factor();
        QVERIFY(std::abs(k - std::min(screen.width() / double(place.width()),
                                      screen.height() / double(place.height()))) < 1e-9);
        QVERIFY(content.right() >= screen.width() - 2 || content.bottom() >= screen.height() - 2);
        QVERIFY(std::abs(content.left() - (screen.width() - 1 - content.right())) <= 1);
        QVERIFY(std::abs(content.top() - (screen.height() - 1 - content.bottom())) <= 1);
        // What the screen shows: the menu panel out to the content's right and bottom
        // edges, black beyond them.
        const QRgb panel = qRgb(255, 224, 192);
        QImage seen;
        // The picture of the screen is in device pixels (a scaled desktop has more).
        auto at = [&](int x, int y) {
            const qreal r = seen.devicePixelRatio();
            return seen.pixel(std::clamp(int(x * r), 0, seen.width() - 1),
                              std::clamp(int(y * r), 0, seen.height() - 1));
        };
        QTRY_VERIFY((seen = host->screen()->grabWindow(host->winId()).toImage(),
                     at(content.right() - 2, content.bottom() - 2) == panel));
        QCOMPARE(at(content.left() + 2, content.top() + 2), panel);
        if (content.right() + 3 < screen.width()) QCOMPARE(at(content.right() + 3, 10) & 0xffffff, 0u);
        if (content.bottom() + 3 < screen.height()) QCOMPARE(at(10, content.bottom() + 3) & 0xffffff, 0u);
        // The navigation row is drawn where the factor puts it.
        const QPointF exit = QPointF(content.topLeft()) + QPointF(light->cmdExit->geometry().center()) * k;
        QVERIFY(at(int(exit.x()), int(exit.y())) != panel);
        // The menu through the host: the first button with the focus, then wave optics.
        typeKey(Qt::Key_Tab);
        typeKey(Qt::Key_Tab);
        QCOMPARE(light->focusWidget(), static_cast<QWidget*>(light->cmdMenu[3]));
        typeKey(Qt::Key_Return);
        QCOMPARE(gMenuItem, std::int16_t(3));
        QCOMPARE(gSection, std::int16_t(1));
        QCOMPARE(gStep, std::int16_t(0));
        shot(QStringLiteral("5-presentation-%1x%2").arg(screen.width()).arg(screen.height()));
        // The keys reach the window: Next draws the next step, at the same factor.
        typeKey(Qt::Key_Return);
        QCOMPARE(gStep, std::int16_t(1));
        QCOMPARE(presentation::shown(), static_cast<Form*>(light));
        // The canvas is drawn for the screen's pixels where that is larger than the window.
        const double large = k * host->devicePixelRatioF();
        QCOMPARE(light->presentationFactor(), large > 1.0 ? large : 1.0);
        shot(QStringLiteral("6-presentation-step-%1x%2").arg(screen.width()).arg(screen.height()));
        typeKey(Qt::Key_Return);
        typeKey(Qt::Key_Return); // a figure of lines and text
        QCOMPARE(gStep, std::int16_t(3));
        shot(QStringLiteral("6-presentation-figure-%1x%2").arg(screen.width()).arg(screen.height()));
        // Twenty presses during the title card's wait and the drawing after it: the item
        // starts once, its heading is printed once.
        light->cmdExit->click();
        int pressed = 0, headings = 0;
        setTextRecorder([&](const QString& text, bool) {
            if (text.contains(QStringLiteral("波　の　性　質"))) ++headings;
        });
        const qint64 t0 = harness::clock().msNow();
        for (int i = 1; i <= 20; ++i)
            harness::clock().at(t0 + i * 70, [&pressed] {
                if (QWindow* focus = QGuiApplication::focusWindow()) QTest::keyClick(focus, Qt::Key_F11);
                ++pressed;
            });
        light->cmdMenu[3]->click();
        setTextRecorder(nullptr);
        QCOMPARE(pressed, 20);
        QCOMPARE(headings, 1);
        QCOMPARE(gSection, std::int16_t(1));
        QCOMPARE(gStep, std::int16_t(0));
        QCOMPARE(harness::clock().msNow() - t0, qint64(1500)); // the card's own pace
        // An even number of presses: full screen still; F11 gives the window back.
        QTRY_VERIFY(QGuiApplication::focusWindow() != nullptr);
        if (!presentation::active()) typeKey(Qt::Key_F11);
        QVERIFY(presentation::active());
        QTRY_VERIFY(QGuiApplication::focusWindow() == presentation::host()->windowHandle());
        typeKey(Qt::Key_F11);
        QVERIFY(!presentation::active());
        QCOMPARE(light->presentationFactor(), 1.0);
        QCOMPARE(light->geometry(), place);
        QCOMPARE(light->size(), QSize(int(640 * gScale), int(400 * gScale)));
        QVERIFY(waitFramed(*light));
    }

    // Full screen, a dialog opens over the host, enlarged with it; Escape leaves only when
    // no dialog is open. Ctrl+G reaches the third section of the quantum item.
    void presentationKeepsDialogsAndTheJump() {
        frmStart& start = openStartWindow();
        QVERIFY(waitFramed(start));
        typeKey(Qt::Key_F11);
        QVERIFY(presentation::active());
        QCOMPARE(presentation::shown(), static_cast<Form*>(&start));
        start.cmdItem[1]->click();
        frmLight* light = loadedForm<frmLight>();
        QVERIFY(light);
        QCOMPARE(presentation::shown(), static_cast<Form*>(light)); // the mode followed the window
        QTRY_VERIFY(QGuiApplication::focusWindow() == presentation::host()->windowHandle());
        QSize dialogSize;
        bool leftWithDialog = true;
        setModalHook([&](QDialog& d) {
            auto* jd = qobject_cast<JumpDialog*>(&d);
            if (!jd) return;
            dialogSize = jd->size();
            QTest::keyClick(jd, Qt::Key_F11); // the mode stays while a dialog is open
            leftWithDialog = !presentation::active();
            shot(QStringLiteral("7-presentation-jump-list"));
            QVERIFY(jd->select(QStringLiteral("Quantum"), 3));
            QTest::keyClick(jd->list, Qt::Key_Return);
        });
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_G, Qt::ControlModifier);
        setModalHook(nullptr);
        QVERIFY(!leftWithDialog);
        QVERIFY(dialogSize.width() >= int(360 * presentation::factor()) - 2);
        QCOMPARE(gMenuItem, std::int16_t(4));
        QCOMPARE(gSection, std::int16_t(3));
        QCOMPARE(gStep, std::int16_t(0));
        QTRY_VERIFY(QGuiApplication::focusWindow() == presentation::host()->windowHandle());
        typeKey(Qt::Key_Escape);
        QVERIFY(!presentation::active());
        QVERIFY(waitFramed(*light));
    }

    // orvanth --open Wave/5: the light window opens at the title card of the item and goes
    // on into section 5, step 0.
    void openStartsAtTheSection() {
        openStartWindow();
        cli::AppOptions o;
        o.open = jump::parse(QStringLiteral("Wave/5"), nullptr);
        QVERIFY(o.open);
        cli::applyAtStart(o);
        frmLight* light = loadedForm<frmLight>();
        QVERIFY(light);
        QVERIFY(waitFramed(*light));
        QCOMPARE(gMenuItem, std::int16_t(3));
        QCOMPARE(gSection, std::int16_t(5));
        QCOMPARE(gStep, std::int16_t(0));
        QCOMPARE(light->windowTitle(), QStringLiteral("光とは - 波動光学"));
        shot(QStringLiteral("8-open-wave-5"));
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

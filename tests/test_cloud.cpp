// The electron-cloud viewer: the orbital functions and samplers, the dot-count prompt
// with its key rules, the two prompts' Cancel, the whole lecture with its pacing, and the
// ways out (the close box while a cloud is drawn, the end of the lecture, ending the
// application from the first prompt).

#include "app/frmStart.h"
#include "cloud/WaveFunction1.h"
#include "cloud/cloudfrm.h"
#include "lesson/frmMaterial.h"
#include "player/Prompts.h"
#include "player/Random.h"
#include "player/globals.h"
#include "tests/support/Harness.h"
#include "tests/support/ViewerInside.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <cmath>

namespace {

// A canvas that counts the dots set on it and checks each where it lands: 4 pixels a unit,
// so a dot's pixel (the nearest to where it was aimed) lies within 0.18 units of it.
class DotCanvas : public Canvas {
public:
    static constexpr double kPerUnit = 4;
    DotCanvas() {
        resizeCanvas(int(640 * kPerUnit), int(400 * kPerUnit));
        setBackColor(qRgb(255, 255, 255));
        setScale(0, 0, 640, 400);
    }
    struct Dot {
        double x, y; // canvas units
        QRgb colour;
    };
    QList<Dot> dots;

protected:
    void changed(const QRect& r) override {
        if (r.size() != QSize(1, 1)) return;
        dots.append({r.x() / kPerUnit, r.y() / kPerUnit, image().pixel(r.topLeft())});
    }
};

constexpr double kPixelSlack = 0.75 / DotCanvas::kPerUnit;

// Opens the viewer the learner's way, from item 4 of the matter window.
cloudfrm& openFromMatter() {
    auto& m = form<frmMaterial>();
    m.cmdMenu[4]->click();
    cloudfrm* v = loadedForm<cloudfrm>();
    if (!v) qFatal("the viewer did not open");
    return *v;
}

// Opens the viewer and lets its title pass, up to the first prompt.
cloudfrm& openToFirstPrompt() {
    cloudfrm& v = openFromMatter();
    harness::clock().advanceBy(2000);
    return v;
}

void typeCount(cloudfrm& v, const QString& digits) {
    const CloudInside in(v);
    QTest::keyClicks(in.InputText, digits);
}

void pressReturn(QWidget* w) {
    QTest::keyClick(w, Qt::Key_Return);
}

int pixelsOf(const QImage& img, QRgb colour) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (img.pixel(x, y) | 0xff000000) == (colour | 0xff000000);
    return n;
}

// Answers every message box with the given button and records "title: text".
struct MessageAnswers {
    QStringList seen;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    MessageAnswers() {
        setModalHook([this](QDialog& d) {
            if (auto* box = qobject_cast<QMessageBox*>(&d)) {
                seen << box->windowTitle() + QStringLiteral(": ") + box->text();
                box->button(answer)->click();
            }
        });
    }
    ~MessageAnswers() { setModalHook(nullptr); }
};

// Closes the viewer once its counter has shown at least `after` dots, from inside the
// sampler's event pass, as the close box would.
class CloseWhileDrawing : public QObject {
public:
    CloseWhileDrawing(cloudfrm& v, int after) : v_(&v), after_(after) {
        CloudInside(v).Label1->installEventFilter(this);
    }
    QString counterAtClose;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint && counterAtClose.isEmpty() && v_) {
            const int shown = CloudInside(*v_).Label1->text().section(QLatin1Char(' '), 1).toInt();
            if (shown >= after_) {
                counterAtClose = CloudInside(*v_).Label1->text();
                v_->close();
            }
        }
        return QObject::eventFilter(o, e);
    }

private:
    QPointer<cloudfrm> v_;
    int after_;
};

// Pacing armed by every stage: (mode, delay); mode 0 for the stage that waits on the prompt.
constexpr int kPacing[36][2] = {
    {1, 2000}, {5, 800},  {0, 0},   {3, 500},  {5, 1000}, {4, 1000}, {5, 500},  {5, 800},  {4, 500},
    {4, 800},  {5, 500},  {4, 500}, {4, 1000}, {4, 1000}, {4, 1000}, {4, 1000}, {4, 1000}, {4, 1000},
    {4, 1000}, {4, 1000}, {5, 500}, {4, 800},  {5, 500},  {4, 800},  {5, 500},  {4, 800},  {4, 1000},
    {4, 1000}, {5, 500},  {5, 800}, {4, 800},  {4, 1000}, {4, 500},  {4, 1000}, {5, 1500}, {2, 1500},
};

// Canvas units a Bohr radius on the viewer's axes; its ångström ticks are 0.2·rr apart.
constexpr double kUnitsPerBohr = 20;
constexpr double kNodeUnits = 2 * kUnitsPerBohr;      // the 2s node, two Bohr radii out
constexpr double kFiveAngstrom = 20 * (5 / 0.529177); // rr, the reach of the axes

// Plays the lecture with a first count of 1 and Cancel at the second prompt up to stage.
void playTo(cloudfrm& v, int stage) {
    const CloudInside in(v);
    while (in.ECloudpara < stage) {
        if (in.ECloudpara == 0 && in.InputText->isVisible()) {
            typeCount(v, QStringLiteral("1"));
            pressReturn(in.InputText);
        } else if (in.ECloudpara == 2) {
            in.cmdCancel->click();
        } else if (in.Label5->isVisible()) {
            pressReturn(in.Picture1);
        } else {
            if (!harness::clock().hasPending()) qFatal("the lecture stalled at stage %d", int(in.ECloudpara));
            harness::clock().advanceTo(harness::clock().nextDue());
        }
    }
}

// A pixel of a colour on the viewer's canvas, at the canvas point it stands for.
struct CanvasDot {
    double x, y;
};
// Every pixel of colour on the picture, as canvas points (the inverse of the nearest-pixel
// rounding of the drawing), and how far such a point can lie from where a dot was aimed.
QList<CanvasDot> dotsOf(const Canvas& pic, QRgb colour, double* slack = nullptr) {
    const QImage& img = pic.image();
    const double kx = img.width() / 640.0, ky = img.height() / 400.0;
    if (slack) *slack = std::hypot(0.5 / kx, 0.5 / ky);
    QList<CanvasDot> out;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) | 0xff000000) == (colour | 0xff000000)) out.append({x / kx, y / ky});
    return out;
}

void saveShot(cloudfrm& v, const QString& name) {
    const QString dir = qEnvironmentVariable("ORVANTH_SHOTS");
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    v.grab().save(QStringLiteral("%1/cloud-%2-%3.png").arg(dir, QString::number(gScale), name));
}

} // namespace

class TestCloud : public QObject {
    Q_OBJECT

private slots:
    void init() {
        harness::setUp(1.0f);
        SeedRandom(7);
    }
    void cleanup() {
        setModalHook(nullptr);
        harness::closeAllWindows();
    }

    // ---- the orbital functions ----

    void radialFunctions_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        using W = WaveFunction1;
        QTest::newRow("fns(0)") << W::fns(0) << 0.0;
        QTest::newRow("fns(1) = 4/e²") << W::fns(1) << 0.541341;
        QTest::newRow("fnsf(0)") << W::fnsf(0) << 2.0;
        QTest::newRow("fnss(0)") << W::fnss(0) << 0.0;
        QTest::newRow("fnss(1), the node") << W::fnss(1) << 0.0;
        QTest::newRow("fnss inner maximum") << W::fnss(0.381966) << 0.051920;
        QTest::newRow("fnss outer maximum") << W::fnss(2.618034) << 0.190968;
        QTest::newRow("fnssf(0)") << W::fnssf(0) << 0.707107;
        QTest::newRow("fnssf(1), the node") << W::fnssf(1) << 0.0;
        QTest::newRow("fnssf minimum") << W::fnssf(2) << -0.095695;
        QTest::newRow("single-precision argument") << W::fns(1.0f) << 0.541341;
    }
    void radialFunctions() {
        QFETCH(double, value);
        QFETCH(double, expected);
        QVERIFY2(std::fabs(value - expected) < 5e-6, qPrintable(QString::number(value, 'g', 9)));
    }

    void curvePlotters() {
        DotCanvas c;
        QLabel counter;
        WaveFunction1 w(c, counter);
        w.EcloudFunction1(0, 20);
        QCOMPARE(c.dots.size(), 1);
        QVERIFY(std::fabs(c.dots[0].x - 320) < kPixelSlack && std::fabs(c.dots[0].y - 200) < kPixelSlack);

        c.dots.clear();
        const double rr = 20 * (5 / 0.529177);
        w.EcloudFunction1(rr, 20);
        QCOMPARE(c.dots.size(), 945);
        double top = 400;
        for (const auto& d : c.dots) {
            QCOMPARE(d.colour, QBColor(9));
            top = std::min(top, d.y);
        }
        QVERIFY2(std::fabs(top - (200 - 150 * 4 / std::exp(2.0))) < kPixelSlack,
                 qPrintable(QString::number(top)));

        // The wave function starts at the top of the canvas (value 2) and falls.
        c.dots.clear();
        w.EcloudFunction2(20, float(rr));
        QCOMPARE(c.dots.size(), 945);
        QVERIFY(std::fabs(c.dots.first().y - 0) < kPixelSlack);
        QCOMPARE(c.dots.first().colour, QBColor(10));
        QVERIFY(c.dots.last().y > 190);
    }

    // The 2s cloud: always 3000 dots, out to five ångström and no further, light red inside
    // the node at two Bohr radii and cyan outside, none on a thin shell at the node, and the
    // counter at its last value.
    void twoSCloud() {
        for (quint32 seed : {1u, 2u, 3u}) {
            SeedRandom(seed);
            DotCanvas c;
            QLabel counter;
            WaveFunction1 w(c, counter);
            w.EcloudFunction3(float(5 / 0.529177), 1, 20);
            QCOMPARE(c.dots.size(), 3000);
            QCOMPARE(counter.text(), QStringLiteral("count= 3000"));
            int inside = 0, onShell = 0;
            double farthest = 0, farthestInside = 0;
            for (const auto& d : c.dots) {
                const double dist = std::hypot(d.x - 320, d.y - 200);
                farthest = std::max(farthest, dist);
                if (std::fabs(dist - kNodeUnits) < 1) ++onShell;
                if (d.colour == QBColor(12)) {
                    QVERIFY2(dist <= kNodeUnits + kPixelSlack, qPrintable(QString::number(dist)));
                    farthestInside = std::max(farthestInside, dist);
                    ++inside;
                } else {
                    QCOMPARE(d.colour, QBColor(3));
                    QVERIFY2(dist >= kNodeUnits - kPixelSlack, qPrintable(QString::number(dist)));
                }
            }
            QCOMPARE(onShell, 0);
            // The cloud reaches the end of the axes but never beyond it.
            QVERIFY2(farthest <= kFiveAngstrom + kPixelSlack && farthest > kFiveAngstrom - 10,
                     qPrintable(QString::number(farthest)));
            // The inner region fills out to near the node, not to half of it.
            QVERIFY2(farthestInside > kNodeUnits - 8, qPrintable(QString::number(farthestInside)));
            // About 5.7 % of the 2s distribution within five ångström lies inside its node.
            QVERIFY2(inside > 110 && inside < 240, qPrintable(QString::number(inside)));
        }
    }

    // ---- the dot-count prompt ----

    void countKeyRules() {
        MessageAnswers answers;
        cloudfrm& v = openToFirstPrompt();
        const CloudInside in(v);
        QVERIFY(in.InputText->isVisible());
        QVERIFY(in.InputText->hasFocus());
        QVERIFY(!in.cmdOK->isEnabled());
        QCOMPARE(in.InputLabel->text(), QStringLiteral("何回計算しますか？数値を入力してください。"));

        // A first 0, a letter, Return: each beeps and leaves the box empty.
        int beeps = beepCount();
        typeCount(v, QStringLiteral("0"));
        QTest::keyClick(in.InputText, Qt::Key_A);
        pressReturn(in.InputText);
        QCOMPARE(beepCount(), beeps + 3);
        QCOMPARE(in.InputText->text(), QString());
        QVERIFY(!in.cmdOK->isEnabled());
        QCOMPARE(in.ECloudpara, std::int16_t(0));

        // The first digit enables OK; letters beep; Backspace passes; 10000 is the most.
        typeCount(v, QStringLiteral("1x"));
        QVERIFY(in.cmdOK->isEnabled());
        QCOMPARE(in.InputText->text(), QStringLiteral("1"));
        QTest::keyClick(in.InputText, Qt::Key_Backspace);
        QCOMPARE(in.InputText->text(), QString());
        beeps = beepCount();
        typeCount(v, QStringLiteral("10000"));
        QCOMPARE(in.InputText->text(), QStringLiteral("10000"));
        QCOMPARE(beepCount(), beeps);
        QVERIFY(answers.seen.isEmpty());
        typeCount(v, QStringLiteral("0"));
        QCOMPARE(answers.seen,
                 QStringList{QStringLiteral(
                     "エラーメッセージ: 値が大きすぎます。10000以下の数値を入力してください。")});
        QCOMPARE(in.InputText->text(), QString());

        // A digit in front of a leading zero cannot sneak past the limit either.
        typeCount(v, QStringLiteral("999"));
        in.InputText->setCursorPosition(0);
        typeCount(v, QStringLiteral("0"));
        QCOMPARE(in.InputText->text(), QStringLiteral("0999"));
        in.InputText->setCursorPosition(0);
        typeCount(v, QStringLiteral("9"));
        QCOMPARE(answers.seen.size(), 2);
        QCOMPARE(in.InputText->text(), QString());

        // An empty box: OK does nothing.
        in.cmdOK->setEnabled(true);
        in.cmdOK->click();
        QCOMPARE(in.ECloudpara, std::int16_t(0));
    }

    // Text that arrives other than by typing still gives a count within 0 to 10 000.
    void pastedCounts_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<int>("count");
        QTest::newRow("letters") << QStringLiteral("abc") << 0;
        QTest::newRow("negative") << QStringLiteral("-25") << 0;
        QTest::newRow("digits then letters") << QStringLiteral("12abc") << 12;
        QTest::newRow("fraction") << QStringLiteral("2.5") << 2;
        QTest::newRow("full-width digits") << QStringLiteral("１２") << 0;
        QTest::newRow("huge") << QStringLiteral("99999999999999999999999999999999") << 10000;
        QTest::newRow("beyond a double") << QString(400, QLatin1Char('9')) << 10000;
        QTest::newRow("just over") << QStringLiteral("10001") << 10000;
    }
    void pastedCounts() {
        QFETCH(QString, pasted);
        QFETCH(int, count);
        QCOMPARE(int(cloudfrm::countFromText(pasted)), count);
    }

    // Ctrl+V types the clipboard in through the key rules: a letter stops it with a beep,
    // full-width digits count as digits, a count over 10 000 gives the message.
    void pastedCountIsTyped() {
        MessageAnswers answers;
        cloudfrm& v = openToFirstPrompt();
        const CloudInside in(v);
        const int beeps = beepCount();
        QGuiApplication::clipboard()->setText(QStringLiteral("-12"));
        QTest::keyClick(in.InputText, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(in.InputText->text(), QString());
        QVERIFY(!in.cmdOK->isEnabled());
        QGuiApplication::clipboard()->setText(QStringLiteral("12abc"));
        QTest::keyClick(in.InputText, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(in.InputText->text(), QStringLiteral("12"));
        QCOMPARE(beepCount(), beeps + 2);
        QVERIFY(in.cmdOK->isEnabled());
        QGuiApplication::clipboard()->setText(QStringLiteral("００１"));
        QTest::keyClick(in.InputText, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(answers.seen,
                 QStringList{QStringLiteral(
                     "エラーメッセージ: 値が大きすぎます。10000以下の数値を入力してください。")});
        QCOMPARE(in.InputText->text(), QString());
        QGuiApplication::clipboard()->setText(QStringLiteral("１２００"));
        QTest::keyClick(in.InputText, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(in.InputText->text(), QStringLiteral("1200"));
        QCOMPARE(in.ECloudpara, std::int16_t(0));
    }

    // The window is shown before the title stage draws: its first paint comes before the
    // thousand dots, or early among them, not after them.
    void shownBeforeTheFirstStage() {
        struct FirstPaint : QObject {
            QString counter;
            bool eventFilter(QObject* o, QEvent* e) override {
                auto* w = qobject_cast<QWidget*>(o);
                if (e->type() == QEvent::Paint && counter.isNull() && w &&
                    qobject_cast<cloudfrm*>(w->window()))
                    counter = CloudInside(*static_cast<cloudfrm*>(w->window())).Label1->text();
                return false;
            }
        } first;
        qApp->installEventFilter(&first);
        cloudfrm& v = openFromMatter();
        qApp->removeEventFilter(&first);
        QVERIFY(v.isVisible());
        // Its designer caption, or a count of the first few dots.
        QVERIFY2(first.counter == QLatin1String("Label1") ||
                     (first.counter.startsWith(QStringLiteral("count= ")) &&
                      first.counter.section(QLatin1Char(' '), 1).toInt() < 100),
                 qPrintable(first.counter));
    }

    void pastedCountIsBounded() {
        cloudfrm& v = openToFirstPrompt();
        const CloudInside in(v);
        QGuiApplication::clipboard()->setText(QStringLiteral("123456789012345678901234567890"));
        in.InputText->paste();
        if (in.InputText->text().isEmpty()) in.InputText->setText(QGuiApplication::clipboard()->text());
        in.cmdOK->setEnabled(true); // pasting types no first digit
        in.cmdOK->click();
        QCOMPARE(in.ECloudpara, std::int16_t(1));
        QCOMPARE(in.CalcNum, std::int16_t(10000));
        QCOMPARE(in.Label1->text(), QStringLiteral("count= 10000"));
    }

    // A first count of 1 gives one cyan dot, the second prompt 800 ms later; Cancel there
    // draws nothing more and the lecture starts 500 ms later.
    void oneDotThenCancel() {
        cloudfrm& v = openToFirstPrompt();
        const CloudInside in(v);
        typeCount(v, QStringLiteral("1"));
        pressReturn(in.InputText);
        QCOMPARE(in.ECloudpara, std::int16_t(1));
        QCOMPARE(in.Label1->text(), QStringLiteral("count= 1"));
        QCOMPARE(pixelsOf(in.Picture1->image(), QBColor(3)), 1);
        harness::clock().advanceBy(799);
        QCOMPARE(in.ECloudpara, std::int16_t(1));
        harness::clock().advanceBy(1);
        QCOMPARE(in.ECloudpara, std::int16_t(2));
        QCOMPARE(
            in.InputLabel->text(),
            QStringLiteral("あと何回計算しますか？よろしければキャンセルボタンをクリックしてください。"));
        QVERIFY(!harness::clock().hasPending());

        QTest::keyClick(in.InputText, Qt::Key_Escape); // the cancel button's key
        QCOMPARE(in.ECloudpara, std::int16_t(3));
        QCOMPARE(in.CalcNum, std::int16_t(0));
        QCOMPARE(pixelsOf(in.Picture1->image(), QBColor(3)), 1);
        QVERIFY(!in.InputText->isVisible() && !in.cmdCancel->isVisible());
        QVERIFY(in.Text1->isVisible() && in.cmdExit->isVisible());
        harness::clock().advanceBy(499);
        QCOMPARE(in.ECloudpara, std::int16_t(3));
        harness::clock().advanceBy(1);
        QCOMPARE(in.ECloudpara, std::int16_t(4));
        QVERIFY(in.Label3->isVisible());
        QVERIFY(in.Picture1->hasFocus());

        // Return does nothing until the Return prompt shows.
        pressReturn(in.Picture1);
        QCOMPARE(in.ECloudpara, std::int16_t(4));
    }

    // Cancel at the first prompt asks whether to end; Cancel there keeps the viewer, OK
    // ends the whole application without showing the matter window again.
    void cancelAtFirstPrompt() {
        MessageAnswers answers;
        form<frmStart>().cmdItem[2]->click();
        QVERIFY(loadedForm<frmMaterial>());
        cloudfrm& v = openToFirstPrompt();
        const CloudInside in(v);
        typeCount(v, QStringLiteral("12"));
        answers.answer = QMessageBox::Cancel;
        in.cmdCancel->click();
        QCOMPARE(answers.seen, QStringList{QStringLiteral("メッセージ: 終了しますか？")});
        QCOMPARE(in.InputText->text(), QString());
        QCOMPARE(v.focusWidget(), in.InputText);
        QCOMPARE(in.ECloudpara, std::int16_t(0));

        answers.answer = QMessageBox::Ok;
        in.cmdCancel->click();
        QVERIFY(!loadedForm<frmMaterial>() || !loadedForm<frmMaterial>()->isVisible());
        harness::flush();
        QVERIFY(!loadedForm<cloudfrm>());
        QVERIFY(!loadedForm<frmMaterial>());
        QVERIFY(!loadedForm<frmStart>());
        QVERIFY(Form::all().isEmpty());
    }

    // The close box while the sampler draws 10 000 dots: the stage ends first, then the
    // viewer goes and the matter window returns.
    void closeWhileDrawing() {
        cloudfrm& v = openToFirstPrompt();
        const CloudInside in(v);
        QPointer<cloudfrm> guard(&v);
        typeCount(v, QStringLiteral("10000"));
        CloseWhileDrawing closer(v, 300);
        // A second submission and Cancel while the dots fall are ignored.
        int enteredAgain = 0;
        harness::clock().at(harness::clock().msNow(), [&] {
            if (!guard) return;
            pressReturn(CloudInside(*guard).InputText);
            CloudInside(*guard).cmdCancel->click();
            enteredAgain = CloudInside(*guard).ECloudpara;
        });
        pressReturn(in.InputText);
        QCOMPARE(enteredAgain, 1);
        QVERIFY(!closer.counterAtClose.isEmpty());
        QVERIFY(guard.isNull() || guard->isHidden());
        harness::flush();
        QVERIFY(guard.isNull());
        QVERIFY(loadedForm<frmMaterial>()->isVisible());
        QVERIFY(loadedForm<frmMaterial>()->picMenu->isVisible());
        QVERIFY(!harness::clock().hasPending());
    }

    // The exit button asks first; Cancel keeps the lecture with the focus on the canvas.
    void exitButton() {
        MessageAnswers answers;
        cloudfrm& v = openToFirstPrompt();
        const CloudInside in(v);
        QPointer<cloudfrm> guard(&v);
        typeCount(v, QStringLiteral("5"));
        in.cmdOK->click();
        QVERIFY(!in.cmdOK->isEnabled());
        harness::clock().advanceBy(800);
        in.cmdCancel->click();
        harness::clock().advanceBy(500);
        QCOMPARE(in.ECloudpara, std::int16_t(4));
        answers.answer = QMessageBox::Cancel;
        in.cmdExit->click();
        QCOMPARE(answers.seen,
                 QStringList{QStringLiteral("メッセージ: 電子雲を終了します。よろしいですか？")});
        QCOMPARE(v.focusWidget(), in.Picture1);
        answers.answer = QMessageBox::Ok;
        in.cmdExit->click();
        harness::flush();
        QVERIFY(guard.isNull());
        QVERIFY(loadedForm<frmMaterial>()->isVisible());
    }

    // The item procedure: at section 0 the title card enters section 1 at once, which
    // hides the matter window and opens the viewer.
    void cloudItem() {
        auto& m = form<frmMaterial>();
        gMenuItem = 4;
        gSection = 0;
        gStep = 0;
        m.Cloud();
        QVERIFY(!m.isVisible());
        QVERIFY(loadedForm<cloudfrm>());
        QCOMPARE(m.cmdExit->text(), LessonWindow::kMainMenu);
        QVERIFY(m.cmdNext->isEnabled());
        loadedForm<cloudfrm>()->close();
        harness::flush();
        QVERIFY(m.isVisible());
    }

    // The whole lecture at both scales: every stage arms its pacing, the Return prompt
    // shows and goes as it should, and the viewer closes itself 1.5 s after stage 35.
    void wholeLecture_data() {
        QTest::addColumn<float>("scale");
        QTest::newRow("1") << 1.0f;
        QTest::newRow("1.5") << 1.5f;
    }
    void wholeLecture() {
        QFETCH(float, scale);
        harness::setUp(scale);
        SeedRandom(11);
        cloudfrm& v = openFromMatter();
        const CloudInside in(v);
        QPointer<cloudfrm> guard(&v);
        // The frame is unknown before the window is first shown: the client area gets the size.
        QCOMPARE(v.size(), QSize(int(550 * scale), int(400 * scale)));
        QVERIFY(!loadedForm<frmMaterial>()->isVisible());
        QList<int> seen;
        auto record = [&] {
            const int s = in.ECloudpara;
            seen << s;
            const int mode = in.Timer1->isEnabled() ? in.mTimerMode : 0;
            const int delay = in.Timer1->isEnabled() ? in.Timer1->interval() : 0;
            QVERIFY2(mode == kPacing[s][0] && delay == kPacing[s][1],
                     qPrintable(QStringLiteral("stage %1: mode %2, %3 ms").arg(s).arg(mode).arg(delay)));
            saveShot(v, QStringLiteral("%1").arg(s, 2, 10, QLatin1Char('0')));
        };
        record();
        harness::clock().advanceBy(2000);
        saveShot(v, QStringLiteral("00-prompt"));
        typeCount(v, QStringLiteral("2000"));
        pressReturn(in.InputText);
        record();
        harness::clock().advanceBy(800);
        record();
        typeCount(v, QStringLiteral("3000"));
        saveShot(v, QStringLiteral("02-prompt"));
        in.cmdOK->click();
        record();
        while (guard && in.ECloudpara < 35) {
            const int before = in.ECloudpara;
            if (in.Label5->isVisible()) {
                QVERIFY(in.lbldisp);
                saveShot(v, QStringLiteral("%1-return").arg(before, 2, 10, QLatin1Char('0')));
                pressReturn(in.Picture1);
                QVERIFY(!in.Label5->isVisible());
            } else {
                QVERIFY(harness::clock().hasPending());
                harness::clock().advanceTo(harness::clock().nextDue());
            }
            if (in.ECloudpara != before) record();
        }
        QCOMPARE(seen.size(), 36);
        for (int i = 0; i < 36; ++i)
            QCOMPARE(seen[i], i);
        QVERIFY(!in.cmdExit->isVisible());
        QCOMPARE(in.Picture1->geometry().top(), 0);
        QCOMPARE(in.Picture1->image().pixel(in.Picture1->toPixel(320, 200)), qRgb(0, 0, 0));
        harness::clock().advanceBy(1499);
        QVERIFY(guard && guard->isVisible());
        harness::clock().advanceBy(1);
        harness::flush();
        QVERIFY(guard.isNull());
        QVERIFY(loadedForm<frmMaterial>()->isVisible());
        QVERIFY(loadedForm<frmMaterial>()->picMenu->isVisible());
    }

    // A few pixels of the curves where their values are known. The 2s curves share the
    // ångström axis of the 1s ones: the node at two Bohr radii (x = 360), the dip of the
    // wave function at four (x = 400), the outer maximum of the distribution at 5.24.
    void curvesOnTheCanvas() {
        cloudfrm& v = openToFirstPrompt();
        const CloudInside in(v);
        auto fnssfAt = [](double j) { return 200 - 200 * WaveFunction1::fnssf(j / (2 * kUnitsPerBohr)); };
        auto fnssAt = [](double j) { return 200 - 200 * WaveFunction1::fnss(j / (2 * kUnitsPerBohr)); };
        playTo(v, 8);
        // The Bohr-radius marker stands at x = 340 from the peak down to the axis.
        QCOMPARE(in.Picture1->Point(340, 150), QBColor(13));
        playTo(v, 23);
        // The 2s wave function starts at 200 − 200·0.7071.
        QCOMPARE(in.Picture1->Point(320, fnssfAt(0)), QBColor(10));
        QCOMPARE(in.Picture1->Point(320 + kNodeUnits, 200), QBColor(10));
        QCOMPARE(in.Picture1->Point(400, fnssfAt(80)), QBColor(10));
        QVERIFY(std::fabs(fnssfAt(80) - 219.14) < 0.01);
        playTo(v, 25);
        QCOMPARE(in.Picture1->Point(320 + kNodeUnits, 200), QBColor(12));
        QCOMPARE(in.Picture1->Point(320 + 104.8, fnssAt(104.8)), QBColor(12));
        QVERIFY(fnssAt(104.8) < 162);
        QCOMPARE(in.Picture1->Point(320 + 15.2, fnssAt(15.2)), QBColor(12));
        // The 2s cloud keeps the counter at its last value.
        QCOMPARE(in.Label1->text(), QStringLiteral("count= 3000"));
        QVERIFY(!in.Label1->isVisible());
    }

    // The nodes as the learner sees them, from the drawn dots at both scales: the 2s cloud
    // leaves a thin shell at two Bohr radii empty, and each pair of 2p lobes leaves its
    // nucleus (almost) empty, with the lobes of the two phases on either side of it.
    void nodesInTheDrawnClouds_data() {
        QTest::addColumn<float>("scale");
        QTest::newRow("1") << 1.0f;
        QTest::newRow("1.5") << 1.5f;
    }
    void nodesInTheDrawnClouds() {
        QFETCH(float, scale);
        harness::setUp(scale);
        SeedRandom(5);
        cloudfrm& v = openToFirstPrompt();
        const CloudInside in(v);
        playTo(v, 21);
        double slack = 0;
        const auto inner = dotsOf(*in.Picture1, QBColor(12), &slack);
        const auto outer = dotsOf(*in.Picture1, QBColor(3));
        // The dots of 3000 overlap in pixels, but both regions are well filled.
        QVERIFY2(inner.size() > 80 && outer.size() > 1500,
                 qPrintable(QStringLiteral("%1 inner, %2 outer").arg(inner.size()).arg(outer.size())));
        int onShell = 0;
        double farthestInner = 0;
        for (const auto& list : {inner, outer}) {
            for (const CanvasDot& d : list) {
                const double dist = std::hypot(d.x - 320, d.y - 200);
                QVERIFY2(dist <= kFiveAngstrom + slack, qPrintable(QString::number(dist)));
                if (std::fabs(dist - kNodeUnits) < 1) ++onShell;
            }
        }
        for (const CanvasDot& d : inner) {
            const double dist = std::hypot(d.x - 320, d.y - 200);
            QVERIFY2(dist <= kNodeUnits + slack, qPrintable(QString::number(dist)));
            farthestInner = std::max(farthestInner, dist);
        }
        for (const CanvasDot& d : outer)
            QVERIFY2(std::hypot(d.x - 320, d.y - 200) >= kNodeUnits - slack,
                     qPrintable(QStringLiteral("%1, %2").arg(d.x).arg(d.y)));
        QCOMPARE(onShell, 0);
        // The inner region fills out to near the node at two Bohr radii, not to one.
        QVERIFY2(farthestInner > kNodeUnits - 8, qPrintable(QString::number(farthestInner)));
        saveShot(v, QStringLiteral("nodes-2s"));

        playTo(v, 30);
        saveShot(v, QStringLiteral("nodes-2p"));
        const auto red = dotsOf(*in.Picture1, QBColor(4));
        const auto blue = dotsOf(*in.Picture1, QBColor(9));
        struct Pair {
            double nx, ny, ux, uy; // the nucleus and the axis of the red lobe
        };
        const double k = std::sqrt(0.5);
        for (const Pair& p : {Pair{100, 230, k, -k}, Pair{300, 230, 1, 0}, Pair{500, 230, 0, -1}}) {
            int nearNucleus = 0;
            for (int phase = 0; phase < 2; ++phase) {
                // The lobe's dots in its panel: their mean lies two Bohr radii out along the
                // axis, on its own side of the nucleus.
                const double sign = phase == 0 ? 1 : -1;
                double sx = 0, sy = 0;
                int n = 0;
                for (const CanvasDot& d : phase == 0 ? red : blue) {
                    const double dx = d.x - p.nx, dy = d.y - p.ny;
                    if (std::hypot(dx, dy) > 90) continue;
                    sx += dx;
                    sy += dy;
                    ++n;
                    nearNucleus += std::hypot(dx, dy) < 0.4 * kUnitsPerBohr;
                }
                QVERIFY2(n > 150, qPrintable(QString::number(n)));
                const double ex = sign * p.ux * 2 * kUnitsPerBohr, ey = sign * p.uy * 2 * kUnitsPerBohr;
                QVERIFY2(
                    std::hypot(sx / n - ex, sy / n - ey) < 4,
                    qPrintable(
                        QStringLiteral("panel at %1: lobe mean (%2, %3)").arg(p.nx).arg(sx / n).arg(sy / n)));
            }
            // Of the pair's 600 dots, at most 2 % within 0.4 Bohr radii of the nucleus.
            QVERIFY2(
                nearNucleus <= 12,
                qPrintable(QStringLiteral("panel at %1: %2 dots by the nucleus").arg(p.nx).arg(nearNucleus)));
        }
    }

    // Stage 13 places the model electron at the most probable distance and gives the mean
    // apart; both numbers are checked against the 1s distribution itself.
    void stage13Distances() {
        cloudfrm& v = openToFirstPrompt();
        const CloudInside in(v);
        playTo(v, 13);
        const QString line = in.Text1->toPlainText().split(QLatin1Char('\n')).last().trimmed();
        QVERIFY2(line.startsWith(QStringLiteral("それでも化学では")), qPrintable(line));
        // The maximum of fns and its mean distance, in ångström.
        double best = 0, bestR = 0, sum = 0, weighted = 0;
        for (int i = 1; i < 400000; ++i) {
            const double R = i / 10000.0;
            const double p = WaveFunction1::fns(R);
            if (p > best) best = p, bestR = R;
            sum += p;
            weighted += p * R;
        }
        const QString mostProbable = QString::number(bestR * 0.529177, 'f', 4) + QStringLiteral("Å");
        const QString mean = QString::number(weighted / sum * 0.529177, 'f', 2) + QStringLiteral("Å");
        QCOMPARE(mostProbable, QStringLiteral("0.5292Å"));
        QVERIFY2(line.contains(QStringLiteral("最も見つかりやすい") + mostProbable), qPrintable(line));
        QVERIFY2(line.contains(QStringLiteral("平均距離は") + mean), qPrintable(line));
        QVERIFY2(!line.contains(QStringLiteral("平均して")), qPrintable(line));
    }
};

QTEST_MAIN(TestCloud)
#include "test_cloud.moc"

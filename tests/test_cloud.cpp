// The electron-cloud viewer: the orbital functions and samplers, the dot-count prompt
// with its key rules, the two prompts' Cancel, the whole lecture with its pacing, and the
// ways out (the close box while a cloud is drawn, the end of the lecture, ending the
// application from the first prompt).

#include "app/Random.h"
#include "app/frmStart.h"
#include "app/globals.h"
#include "cloud/WaveFunction1.h"
#include "cloud/cloudfrm.h"
#include "player/Prompts.h"
#include "player/frmMaterial.h"
#include "tests/support/Harness.h"

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
// so a dot's pixel lies within 0.18 units of where it was aimed.
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
        dots.append({(r.x() + 0.5) / kPerUnit, (r.y() + 0.5) / kPerUnit, image().pixel(r.topLeft())});
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
    QTest::keyClicks(v.InputText, digits);
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
    CloseWhileDrawing(cloudfrm& v, int after) : v_(&v), after_(after) { v.Label1->installEventFilter(this); }
    QString counterAtClose;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint && counterAtClose.isEmpty() && v_) {
            const int shown = v_->Label1->text().section(QLatin1Char(' '), 1).toInt();
            if (shown >= after_) {
                counterAtClose = v_->Label1->text();
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

    // The 2s cloud: always 3000 dots, none beyond scale1·xx, light red inside the node and
    // cyan outside, and the counter at its last value.
    void twoSCloud() {
        for (quint32 seed : {1u, 2u, 3u}) {
            SeedRandom(seed);
            DotCanvas c;
            QLabel counter;
            WaveFunction1 w(c, counter);
            w.EcloudFunction3(float(5 / 0.529177), 1, 20);
            QCOMPARE(c.dots.size(), 3000);
            QCOMPARE(counter.text(), QStringLiteral("count= 3000"));
            int inside = 0;
            for (const auto& d : c.dots) {
                const double dist = std::hypot(d.x - 320, d.y - 200);
                QVERIFY2(dist <= 20 * 5 / 0.529177 + kPixelSlack, qPrintable(QString::number(dist)));
                if (d.colour == QBColor(12)) {
                    QVERIFY2(dist <= 20 + kPixelSlack, qPrintable(QString::number(dist)));
                    ++inside;
                } else {
                    QCOMPARE(d.colour, QBColor(3));
                    QVERIFY2(dist >= 20 - kPixelSlack, qPrintable(QString::number(dist)));
                }
            }
            // About 5 % of the 2s distribution on [0, xx) lies inside its node.
            QVERIFY2(inside > 100 && inside < 230, qPrintable(QString::number(inside)));
        }
    }

    // ---- the dot-count prompt ----

    void countKeyRules() {
        MessageAnswers answers;
        cloudfrm& v = openToFirstPrompt();
        QVERIFY(v.InputText->isVisible());
        QVERIFY(v.InputText->hasFocus());
        QVERIFY(!v.cmdOK->isEnabled());
        QCOMPARE(v.InputLabel->text(), QStringLiteral("何回計算しますか？数値を入力してください。"));

        // A first 0, a letter, Return: each beeps and leaves the box empty.
        int beeps = beepCount();
        typeCount(v, QStringLiteral("0"));
        QTest::keyClick(v.InputText, Qt::Key_A);
        pressReturn(v.InputText);
        QCOMPARE(beepCount(), beeps + 3);
        QCOMPARE(v.InputText->text(), QString());
        QVERIFY(!v.cmdOK->isEnabled());
        QCOMPARE(v.ECloudpara, std::int16_t(0));

        // The first digit enables OK; letters beep; Backspace passes; 10000 is the most.
        typeCount(v, QStringLiteral("1x"));
        QVERIFY(v.cmdOK->isEnabled());
        QCOMPARE(v.InputText->text(), QStringLiteral("1"));
        QTest::keyClick(v.InputText, Qt::Key_Backspace);
        QCOMPARE(v.InputText->text(), QString());
        beeps = beepCount();
        typeCount(v, QStringLiteral("10000"));
        QCOMPARE(v.InputText->text(), QStringLiteral("10000"));
        QCOMPARE(beepCount(), beeps);
        QVERIFY(answers.seen.isEmpty());
        typeCount(v, QStringLiteral("0"));
        QCOMPARE(answers.seen,
                 QStringList{QStringLiteral(
                     "エラーメッセージ: 値が大きすぎます。10000以下の数値を入力してください。")});
        QCOMPARE(v.InputText->text(), QString());

        // A digit in front of a leading zero cannot sneak past the limit either.
        typeCount(v, QStringLiteral("999"));
        v.InputText->setCursorPosition(0);
        typeCount(v, QStringLiteral("0"));
        QCOMPARE(v.InputText->text(), QStringLiteral("0999"));
        v.InputText->setCursorPosition(0);
        typeCount(v, QStringLiteral("9"));
        QCOMPARE(answers.seen.size(), 2);
        QCOMPARE(v.InputText->text(), QString());

        // An empty box: OK does nothing.
        v.cmdOK->setEnabled(true);
        v.cmdOK->click();
        QCOMPARE(v.ECloudpara, std::int16_t(0));
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

    void pastedCountIsBounded() {
        cloudfrm& v = openToFirstPrompt();
        QGuiApplication::clipboard()->setText(QStringLiteral("123456789012345678901234567890"));
        v.InputText->paste();
        if (v.InputText->text().isEmpty()) v.InputText->setText(QGuiApplication::clipboard()->text());
        v.cmdOK->setEnabled(true); // pasting types no first digit
        v.cmdOK->click();
        QCOMPARE(v.ECloudpara, std::int16_t(1));
        QCOMPARE(v.CalcNum, std::int16_t(10000));
        QCOMPARE(v.Label1->text(), QStringLiteral("count= 10000"));
    }

    // A first count of 1 gives one cyan dot, the second prompt 800 ms later; Cancel there
    // draws nothing more and the lecture starts 500 ms later.
    void oneDotThenCancel() {
        cloudfrm& v = openToFirstPrompt();
        typeCount(v, QStringLiteral("1"));
        pressReturn(v.InputText);
        QCOMPARE(v.ECloudpara, std::int16_t(1));
        QCOMPARE(v.Label1->text(), QStringLiteral("count= 1"));
        QCOMPARE(pixelsOf(v.Picture1->image(), QBColor(3)), 1);
        harness::clock().advanceBy(799);
        QCOMPARE(v.ECloudpara, std::int16_t(1));
        harness::clock().advanceBy(1);
        QCOMPARE(v.ECloudpara, std::int16_t(2));
        QCOMPARE(
            v.InputLabel->text(),
            QStringLiteral("あと何回計算しますか？よろしければキャンセルボタンをクリックしてください。"));
        QVERIFY(!harness::clock().hasPending());

        QTest::keyClick(v.InputText, Qt::Key_Escape); // the cancel button's key
        QCOMPARE(v.ECloudpara, std::int16_t(3));
        QCOMPARE(v.CalcNum, std::int16_t(0));
        QCOMPARE(pixelsOf(v.Picture1->image(), QBColor(3)), 1);
        QVERIFY(!v.InputText->isVisible() && !v.cmdCancel->isVisible());
        QVERIFY(v.Text1->isVisible() && v.cmdExit->isVisible());
        harness::clock().advanceBy(499);
        QCOMPARE(v.ECloudpara, std::int16_t(3));
        harness::clock().advanceBy(1);
        QCOMPARE(v.ECloudpara, std::int16_t(4));
        QVERIFY(v.Label3->isVisible());
        QVERIFY(v.Picture1->hasFocus());

        // Return does nothing until the Return prompt shows.
        pressReturn(v.Picture1);
        QCOMPARE(v.ECloudpara, std::int16_t(4));
    }

    // Cancel at the first prompt asks whether to end; Cancel there keeps the viewer, OK
    // ends the whole application without showing the matter window again.
    void cancelAtFirstPrompt() {
        MessageAnswers answers;
        form<frmStart>().cmdItem[2]->click();
        QVERIFY(loadedForm<frmMaterial>());
        cloudfrm& v = openToFirstPrompt();
        typeCount(v, QStringLiteral("12"));
        answers.answer = QMessageBox::Cancel;
        v.cmdCancel->click();
        QCOMPARE(answers.seen, QStringList{QStringLiteral("メッセージ: 終了しますか？")});
        QCOMPARE(v.InputText->text(), QString());
        QCOMPARE(v.focusWidget(), v.InputText);
        QCOMPARE(v.ECloudpara, std::int16_t(0));

        answers.answer = QMessageBox::Ok;
        v.cmdCancel->click();
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
        QPointer<cloudfrm> guard(&v);
        typeCount(v, QStringLiteral("10000"));
        CloseWhileDrawing closer(v, 300);
        // A second submission and Cancel while the dots fall are ignored.
        int enteredAgain = 0;
        harness::clock().at(harness::clock().msNow(), [&] {
            if (!guard) return;
            pressReturn(guard->InputText);
            guard->cmdCancel->click();
            enteredAgain = guard->ECloudpara;
        });
        pressReturn(v.InputText);
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
        QPointer<cloudfrm> guard(&v);
        typeCount(v, QStringLiteral("5"));
        v.cmdOK->click();
        QVERIFY(!v.cmdOK->isEnabled());
        harness::clock().advanceBy(800);
        v.cmdCancel->click();
        harness::clock().advanceBy(500);
        QCOMPARE(v.ECloudpara, std::int16_t(4));
        answers.answer = QMessageBox::Cancel;
        v.cmdExit->click();
        QCOMPARE(answers.seen,
                 QStringList{QStringLiteral("メッセージ: 電子雲を終了します。よろしいですか？")});
        QCOMPARE(v.focusWidget(), v.Picture1);
        answers.answer = QMessageBox::Ok;
        v.cmdExit->click();
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
        QPointer<cloudfrm> guard(&v);
        // The frame is unknown before the window is first shown: the client area gets the size.
        QCOMPARE(v.size(), QSize(int(550 * scale), int(400 * scale)));
        QVERIFY(!loadedForm<frmMaterial>()->isVisible());
        QList<int> seen;
        auto record = [&] {
            const int s = v.ECloudpara;
            seen << s;
            const int mode = v.Timer1->isEnabled() ? v.mTimerMode : 0;
            const int delay = v.Timer1->isEnabled() ? v.Timer1->interval() : 0;
            QVERIFY2(mode == kPacing[s][0] && delay == kPacing[s][1],
                     qPrintable(QStringLiteral("stage %1: mode %2, %3 ms").arg(s).arg(mode).arg(delay)));
            saveShot(v, QStringLiteral("%1").arg(s, 2, 10, QLatin1Char('0')));
        };
        record();
        harness::clock().advanceBy(2000);
        saveShot(v, QStringLiteral("00-prompt"));
        typeCount(v, QStringLiteral("2000"));
        pressReturn(v.InputText);
        record();
        harness::clock().advanceBy(800);
        record();
        typeCount(v, QStringLiteral("3000"));
        saveShot(v, QStringLiteral("02-prompt"));
        v.cmdOK->click();
        record();
        while (guard && v.ECloudpara < 35) {
            const int before = v.ECloudpara;
            if (v.Label5->isVisible()) {
                QVERIFY(v.lbldisp);
                saveShot(v, QStringLiteral("%1-return").arg(before, 2, 10, QLatin1Char('0')));
                pressReturn(v.Picture1);
                QVERIFY(!v.Label5->isVisible());
            } else {
                QVERIFY(harness::clock().hasPending());
                harness::clock().advanceTo(harness::clock().nextDue());
            }
            if (v.ECloudpara != before) record();
        }
        QCOMPARE(seen.size(), 36);
        for (int i = 0; i < 36; ++i)
            QCOMPARE(seen[i], i);
        QVERIFY(!v.cmdExit->isVisible());
        QCOMPARE(v.Picture1->geometry().top(), 0);
        QCOMPARE(v.Picture1->image().pixel(v.Picture1->toPixel(320, 200)), qRgb(0, 0, 0));
        harness::clock().advanceBy(1499);
        QVERIFY(guard && guard->isVisible());
        harness::clock().advanceBy(1);
        harness::flush();
        QVERIFY(guard.isNull());
        QVERIFY(loadedForm<frmMaterial>()->isVisible());
        QVERIFY(loadedForm<frmMaterial>()->picMenu->isVisible());
    }

    // A few pixels of the curves where their values are known.
    void curvesOnTheCanvas() {
        cloudfrm& v = openToFirstPrompt();
        typeCount(v, QStringLiteral("1"));
        pressReturn(v.InputText);
        harness::clock().advanceBy(800);
        v.cmdCancel->click();
        while (v.ECloudpara < 25) {
            if (v.Label5->isVisible())
                pressReturn(v.Picture1);
            else
                harness::clock().advanceTo(harness::clock().nextDue());
            if (v.ECloudpara == 8) {
                // The Bohr-radius marker stands at x = 340 from the peak down to the axis.
                QCOMPARE(v.Picture1->Point(340, 150), QBColor(13));
            }
            if (v.ECloudpara == 23) {
                // The 2s wave function starts at 200 − 200·0.7071.
                QCOMPARE(v.Picture1->Point(320, 200 - 200 * WaveFunction1::fnssf(0)), QBColor(10));
            }
        }
        // The 2s cloud keeps the counter at its last value.
        QCOMPARE(v.Label1->text(), QStringLiteral("count= 3000"));
        QVERIFY(!v.Label1->isVisible());
    }
};

QTEST_MAIN(TestCloud)
#include "test_cloud.moc"

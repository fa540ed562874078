// The layout check: every text a step prints must be there to read, at every scale. First
// what the check itself sees (erased texts left out, hidden ones reported), then every
// step of both courses at gScale 1, 1.2 and 1.5 on the virtual clock.

#include "driver/Layout.h"
#include "driver/Learner.h"
#include "lesson/frmLight.h"
#include "player/globals.h"
#include "tests/support/Harness.h"

#include <QtTest>

using layout::Measure;

namespace {

const Measure* find(const QList<Measure>& all, const QString& text) {
    for (const Measure& m : all)
        if (m.text == text) return &m;
    return nullptr;
}

} // namespace

class TestLayout : public QObject {
    Q_OBJECT

private slots:
    void init() { harness::setUp(1.0f); }
    void cleanup() { harness::closeAllWindows(); }

    // Texts drawn by hand on the light window: the check must tell the ones a lesson
    // erased on purpose from the ones a learner cannot read.
    void erasedAndHiddenTexts() {
        frmLight& w = form<frmLight>();
        w.picMenu->hide();
        w.cmdNext->show();
        layout::Check check;
        check.beginStep();
        w.setBackColor(QBColor(0));
        w.FontSize = 14;
        auto print = [&](double x, double y, QRgb c, const QString& t) {
            w.CurrentX = x;
            w.CurrentY = y;
            w.ForeColor = c;
            w.Print(t);
        };
        print(20, 20, QBColor(7), QStringLiteral("読める文です。"));
        // The black overprint idiom: the text is taken away, not hidden.
        print(20, 60, QBColor(7), QStringLiteral("消される文です。"));
        print(20, 60, QBColor(0), QStringLiteral("消される文です。"));
        // Half of this one under a red box.
        print(20, 100, QBColor(7), QStringLiteral("半分が隠れる文です。"));
        w.Line(20, 100, 20 + w.TextWidth(QStringLiteral("半分が")), 130, QBColor(4), LineMode::BoxFilled);
        // Feedback printed over other feedback on the same spot.
        print(20, 140, QBColor(7), QStringLiteral("You are wrong!"));
        print(20, 140, QBColor(7), QStringLiteral("You are right!"));
        // A verdict wiped in black before the next one on the same spot: the wrong one is
        // gone even where the right one inks its pixels again.
        print(300, 20, QBColor(7), QStringLiteral("You are wrong?"));
        print(300, 20, QBColor(0), QStringLiteral("You are wrong?"));
        print(300, 20, QBColor(7), QStringLiteral("You are right?"));
        // Wholly under a square of another colour: hidden, not erased.
        print(300, 60, QBColor(13), QStringLiteral("四角の下の文です。"));
        w.Line(290, 55, 620, 90, QBColor(10), LineMode::BoxFilled);
        // White on a white screen drawn after it: its ink is there but does not show.
        print(300, 100, QBColor(15), QStringLiteral("白い幕の上"));
        w.Line(300 + w.TextWidth(QStringLiteral("白い幕の")), 95, 620, 130, QBColor(15), LineMode::BoxFilled);
        // Past the right edge of the canvas.
        print(560, 180, QBColor(7), QStringLiteral("右端からはみ出す長い文です。"));
        // Under the navigation row.
        print(w.cmdNext->x() - 40, w.cmdNext->y() + 2, QBColor(7), QStringLiteral("ボタンの下の文です。"));
        harness::flush();
        const QList<Measure> all = check.measure(w, w.grab().toImage());

        const Measure* readable = find(all, QStringLiteral("読める文です。"));
        QVERIFY(readable);
        QCOMPARE(readable->inkVisible, 1.0);
        QVERIFY(!find(all, QStringLiteral("消される文です。")));
        QVERIFY(!find(all, QStringLiteral("You are wrong?")));
        QCOMPARE(find(all, QStringLiteral("You are right?"))->inkVisible, 1.0);
        for (const char* hidden : {"半分が隠れる文です。", "You are wrong!", "右端からはみ出す長い文です。",
                                   "ボタンの下の文です。", "四角の下の文です。", "白い幕の上"}) {
            const Measure* m = find(all, QString::fromUtf8(hidden));
            QVERIFY2(m, hidden);
            QVERIFY2(m->inkVisible < layout::kReadable,
                     qPrintable(QStringLiteral("%1: %2").arg(hidden).arg(m->inkVisible)));
        }
        // The one printed last keeps its ink, but where the earlier one's strokes of the
        // same grey touch it they run together: it does not read whole either.
        const Measure* last = find(all, QStringLiteral("You are right!"));
        QVERIFY(last);
        QVERIFY2(last->inkVisible < layout::kReadable, qPrintable(QString::number(last->inkVisible)));

        // A label placed half off the canvas is reported too.
        w.lbldisp(w.lblText1, 600, 20, 15, QStringLiteral("はみ出すラベル"));
        const QList<Measure> withLabel = check.measure(w, w.grab().toImage());
        const Measure* label = find(withLabel, QStringLiteral("はみ出すラベル"));
        QVERIFY(label);
        QVERIFY(label->inkVisible < layout::kReadable);
    }

    void csvQuotesWhatNeedsIt() {
        const Measure m{QRect(1, 2, 3, 4), 0.5, QStringLiteral("a, \"b\"")};
        QCOMPARE(layout::csvRow(QStringLiteral("1.5"), QStringLiteral("1.5/Kika/2-11.png"), m),
                 QStringLiteral("1.5,1.5/Kika/2-11.png,1,2,3,4,0.500,\"a, \"\"b\"\"\""));
    }

    // Every step of both courses, as the learner sees it, at each scale.
    void everyStepReadable_data() {
        QTest::addColumn<float>("scale");
        QTest::newRow("1") << 1.0f;
        QTest::newRow("1.2") << 1.2f;
        QTest::newRow("1.5") << 1.5f;
    }
    void everyStepReadable() {
        QFETCH(float, scale);
        harness::setUp(scale);
        QStringList problems;
        for (driver::Course c : {driver::Course::Light, driver::Course::Matter}) {
            // Light item 1 is the introduction (it hands over to item 2); matter item 1 is item 2.
            for (int item = c == driver::Course::Light ? 1 : 2; item <= 5; ++item) {
                layout::Check check;
                driver::Learner learner({.pictures = true, .wrongFirst = true, .stopAtHandOver = true});
                learner.onAction = [&](const QString&) { check.beginStep(); };
                learner.onStep = [&](const driver::Step& s) {
                    if (!s.window || s.picture.isNull()) return;
                    for (const Measure& m : check.measure(*s.window, s.picture))
                        if (m.inkVisible < layout::kReadable)
                            problems << QStringLiteral("%1 %2-%3: %4 %5")
                                            .arg(s.procedure)
                                            .arg(s.section)
                                            .arg(s.step, 2, 10, QLatin1Char('0'))
                                            .arg(m.inkVisible, 0, 'f', 2)
                                            .arg(m.text);
                };
                const driver::ItemRun run = learner.playItem(c, item);
                QVERIFY2(run.outcome != driver::Outcome::Failed, qPrintable(run.message));
                driver::Learner::closeAll();
            }
        }
        if (!problems.isEmpty())
            QFAIL(qPrintable(QStringLiteral("%1 texts under %2 % visible:\n")
                                 .arg(problems.size())
                                 .arg(layout::kReadable * 100) +
                             problems.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestLayout)
#include "test_layout.moc"

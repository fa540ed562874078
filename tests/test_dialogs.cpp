// The answer dialogs driven with real key presses, and the judging loop lessons use.

#include "dialogs/frmInputLight.h"
#include "dialogs/frmInputMaterial.h"
#include "lesson/Ask.h"
#include "lesson/frmLight.h"
#include "lesson/frmMaterial.h"
#include "player/PasteAsTyping.h"
#include "player/Prompts.h"
#include "player/globals.h"
#include "tests/support/Harness.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QtTest>
#include <memory>

namespace {

// Types as the learner does: every key goes to the control that has the focus.
void type(QWidget& dialog, const char* keys) {
    for (const char* k = keys; *k; ++k)
        QTest::keyClick(dialog.focusWidget(), *k);
}
void press(QWidget& dialog, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(dialog.focusWidget(), key, modifiers);
}

// Answers every message box with OK and records "title: text", and whether it showed
// the error icon.
struct MessageBoxes {
    QStringList seen;
    bool allCritical = true;
    void install() {
        setModalHook([this](QDialog& d) {
            if (auto* box = qobject_cast<QMessageBox*>(&d)) {
                seen << box->windowTitle() + QStringLiteral(": ") + box->text();
                allCritical = allCritical && box->icon() == QMessageBox::Critical;
                box->button(QMessageBox::Ok)->click();
            }
        });
    }
};

int countColour(const QImage& img, const QRect& area, QRgb colour) {
    int n = 0;
    const QRect r = area.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if ((img.pixel(x, y) & 0xffffff) == (colour & 0xffffff)) ++n;
    return n;
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void init() { harness::setUp(1.0); }
    void cleanup() {
        setModalHook(nullptr);
        harness::closeAllWindows();
    }

    // Light question 2: a digit outside 1..3 beeps and is dropped, an allowed one moves
    // the focus to OK, and Enter there stores the answer and closes.
    void oneFieldQuestion() {
        gQuestion = 2;
        frmInputLight dlg;
        dlg.show();
        QVERIFY(!dlg.picInput->isVisible());
        QCOMPARE(dlg.focusWidget(), dlg.txtInput);
        QVERIFY(!dlg.OKbutton->isEnabled());

        const int beeps = beepCount();
        type(dlg, "4");
        QCOMPARE(beepCount(), beeps + 1);
        QCOMPARE(dlg.txtInput->text(), QString());
        QVERIFY(!dlg.OKbutton->isEnabled());

        type(dlg, "2");
        QCOMPARE(beepCount(), beeps + 1);
        QCOMPARE(dlg.txtInput->text(), QStringLiteral("2"));
        QVERIFY(dlg.OKbutton->isEnabled());
        QCOMPARE(dlg.focusWidget(), dlg.OKbutton);

        press(dlg, Qt::Key_Return);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(gAnswers[0], QStringLiteral("2"));
    }

    // Question 4 through its whole road: refused first digits, the over-maximum messages,
    // the range message with both boxes emptied, and an accepted pair.
    void twoNumberQuestion() {
        MessageBoxes boxes;
        boxes.install();
        gQuestion = 4;
        frmInputLight dlg;
        dlg.show();
        QVERIFY(dlg.picInput->isVisible());
        QCOMPARE(dlg.lblMessage1->text().split('\n').size(), 3);
        QCOMPARE(dlg.focusWidget(), dlg.txtInput1);

        const int beeps = beepCount();
        type(dlg, "0");
        QCOMPARE(beepCount(), beeps + 1);
        QCOMPARE(dlg.txtInput1->text(), QString());

        type(dlg, "51");
        QCOMPARE(dlg.txtInput1->text(), QStringLiteral("5"));
        QCOMPARE(beepCount(), beeps + 2);
        QCOMPARE(boxes.seen, QStringList{QStringLiteral("メッセージ: 50以下の数字を入力してください。")});

        press(dlg, Qt::Key_Backspace);
        type(dlg, "4");
        QVERIFY(!dlg.OKbutton->isEnabled());
        press(dlg, Qt::Key_Return); // to the frequency
        QCOMPARE(dlg.focusWidget(), dlg.txtInput2);
        type(dlg, "4");
        QVERIFY(dlg.OKbutton->isEnabled());
        QCOMPARE(dlg.focusWidget(), dlg.txtInput2); // the frequency keeps the focus
        press(dlg, Qt::Key_Return);                 // presses OK
        QCOMPARE(boxes.seen.size(), 2);
        QCOMPARE(boxes.seen.last(),
                 applicationTitle() + QStringLiteral(": 入力値が範囲外です。入力し直して下さい。"));
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.txtInput1->text(), QString());
        QCOMPARE(dlg.txtInput2->text(), QString());
        QCOMPARE(dlg.focusWidget(), dlg.txtInput1);
        QVERIFY(!dlg.OKbutton->isEnabled());
        QCOMPARE(gAnswers[0], QString());

        type(dlg, "50");
        press(dlg, Qt::Key_Return);
        type(dlg, "21");
        QCOMPARE(dlg.txtInput2->text(), QStringLiteral("2"));
        QCOMPARE(boxes.seen.last(), QStringLiteral("メッセージ: 20以下の数字を入力してください。"));
        type(dlg, "0");
        press(dlg, Qt::Key_Return);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(gAnswers[0], QStringLiteral("50"));
        QCOMPARE(gAnswers[1], QStringLiteral("20"));
        QCOMPARE(boxes.seen.size(), 3);
        QVERIFY(boxes.allCritical);
    }

    // Pasted text is typed in through the key filter, as far as the filter lets it: a
    // refused character beeps and ends the paste, a number over the box's maximum gives
    // its message; OK then judges what was let in.
    void pastedTwoNumbers_data() {
        QTest::addColumn<QString>("amplitude");
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QString>("amplitudeTaken");
        QTest::addColumn<QString>("frequencyTaken");
        QTest::addColumn<int>("beeps");
        QTest::addColumn<int>("messages");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("letters") << "abc"
                                 << "xyz"
                                 << ""
                                 << "" << 2 << 0 << false;
        QTest::newRow("a sign") << "-5"
                                << "10"
                                << ""
                                << "10" << 1 << 0 << false;
        QTest::newRow("huge number") << QString(400, '9') << "10"
                                     << "9"
                                     << "10" << 0 << 1 << true;
        QTest::newRow("exponent") << "1e1"
                                  << "10"
                                  << "1"
                                  << "10" << 1 << 0 << false;
        QTest::newRow("fraction") << "4.6"
                                  << "19.5"
                                  << "4"
                                  << "19" << 2 << 0 << false;
        QTest::newRow("digits with a tail") << "12cm"
                                            << "8"
                                            << "12"
                                            << "8" << 1 << 0 << true;
        QTest::newRow("full-width digits") << "５０"
                                           << "２０"
                                           << "50"
                                           << "20" << 0 << 0 << true;
    }
    void pastedTwoNumbers() {
        QFETCH(QString, amplitude);
        QFETCH(QString, frequency);
        QFETCH(QString, amplitudeTaken);
        QFETCH(QString, frequencyTaken);
        QFETCH(int, beeps);
        QFETCH(int, messages);
        QFETCH(bool, accepted);
        MessageBoxes boxes;
        boxes.install();
        gQuestion = 4;
        frmInputLight dlg;
        dlg.show();
        const int before = beepCount();
        QApplication::clipboard()->setText(amplitude);
        press(dlg, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(dlg.txtInput1->text(), amplitudeTaken);
        dlg.txtInput2->setFocus();
        QApplication::clipboard()->setText(frequency);
        press(dlg, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(dlg.txtInput2->text(), frequencyTaken);
        QCOMPARE(beepCount() - before, beeps + messages);
        QCOMPARE(boxes.seen.size(), messages);
        if (!dlg.OKbutton->isEnabled()) {
            QVERIFY(amplitudeTaken.isEmpty() || frequencyTaken.isEmpty());
            QVERIFY(!accepted);
            return;
        }
        dlg.OKbutton->click();
        QCOMPARE(dlg.isVisible(), !accepted);
        QCOMPARE(boxes.seen.size(), messages + (accepted ? 0 : 1));
        QCOMPARE(gAnswers[0], accepted ? amplitudeTaken : QString());
    }

    // A one-field box: "-5" pasted into a 1/2/3 question beeps and leaves the box empty;
    // "23" gives "2", the focus goes to OK and the "3" goes nowhere, as when typed; the
    // context menu's Paste and an input method's commit are typed in the same way.
    void pastedOneField() {
        gQuestion = 1;
        frmInputLight dlg;
        dlg.show();
        int beeps = beepCount();
        QApplication::clipboard()->setText(QStringLiteral("-5"));
        press(dlg, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(dlg.txtInput->text(), QString());
        QCOMPARE(beepCount(), beeps + 1);
        QVERIFY(!dlg.OKbutton->isEnabled());

        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("４"));
        QApplication::sendEvent(dlg.txtInput, &commit);
        QCOMPARE(dlg.txtInput->text(), QString());
        QCOMPARE(beepCount(), beeps + 2);
        commit.setCommitString(QStringLiteral("３"));
        QApplication::sendEvent(dlg.txtInput, &commit);
        QCOMPARE(dlg.txtInput->text(), QStringLiteral("3"));
        dlg.txtInput->clear();
        dlg.txtInput->setFocus();

        beeps = beepCount();
        QApplication::clipboard()->setText(QStringLiteral("23"));
        press(dlg, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(dlg.txtInput->text(), QStringLiteral("2"));
        QCOMPARE(dlg.focusWidget(), dlg.OKbutton);
        QCOMPARE(beepCount(), beeps);
        press(dlg, Qt::Key_Return);
        QCOMPARE(gAnswers[0], QStringLiteral("2"));
    }

    // The box's own context menu keeps its Paste, which types through the filter.
    void pastedFromTheMenu() {
        gQuestion = 3;
        frmInputLight dlg;
        dlg.show();
        auto* paster = dlg.txtInput->findChild<PasteAsTyping*>();
        QVERIFY(paster);
        const std::unique_ptr<QMenu> menu(paster->contextMenu());
        QAction* paste = nullptr;
        for (QAction* a : menu->actions())
            if (a->text().contains(QLatin1Char('\t') +
                                   QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText)))
                paste = a;
        QVERIFY(paste);
        const int beeps = beepCount();
        QApplication::clipboard()->setText(QStringLiteral("3"));
        paste->trigger();
        QCOMPARE(dlg.txtInput->text(), QString());
        QCOMPARE(beepCount(), beeps + 1);
        QApplication::clipboard()->setText(QStringLiteral("２"));
        paste->trigger();
        QCOMPARE(dlg.txtInput->text(), QStringLiteral("2"));
    }

    void materialKeys_data() {
        QTest::addColumn<int>("question");
        QTest::addColumn<char>("key");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("6 takes 4") << 6 << '4' << true;
        QTest::newRow("6 refuses 5") << 6 << '5' << false;
        QTest::newRow("7 refuses 3") << 7 << '3' << false;
        QTest::newRow("11 takes 3") << 11 << '3' << true;
        QTest::newRow("1 refuses 0") << 1 << '0' << false;
        QTest::newRow("a letter") << 3 << 'a' << false;
        QTest::newRow("no such question") << 12 << 'x' << true;
    }
    void materialKeys() {
        QFETCH(int, question);
        QFETCH(char, key);
        QFETCH(bool, accepted);
        gQuestion = std::int16_t(question);
        frmInputMaterial dlg;
        dlg.show();
        QCOMPARE(dlg.focusWidget(), dlg.txtInput);
        const int beeps = beepCount();
        QTest::keyClick(dlg.focusWidget(), key);
        QCOMPARE(beepCount(), beeps + (accepted ? 0 : 1));
        QCOMPARE(dlg.txtInput->text(), accepted ? QString(QChar(key)) : QString());
        QCOMPARE(dlg.OKbutton->isEnabled(), accepted);
        if (!accepted) return;
        QCOMPARE(dlg.focusWidget(), dlg.OKbutton);
        press(dlg, Qt::Key_Return);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(gAnswers[0], QString(QChar(key)));
    }

    // Every question is shown whole: CRLF breaks the line, and the text stays clear of
    // the answer box and OK.
    void textsFit() {
        auto check = [](QDialog& dlg, QLabel* label, QWidget* box, QWidget* ok) {
            dlg.show();
            QVERIFY(!label->text().contains('\r'));
            QVERIFY(dlg.rect().contains(label->geometry()));
            QVERIFY(!label->geometry().intersects(box->geometry()));
            QVERIFY(!label->geometry().intersects(ok->geometry()));
        };
        for (int q = 1; q <= 11; ++q) {
            gQuestion = std::int16_t(q);
            frmInputMaterial dlg;
            check(dlg, dlg.lblMessage, dlg.txtInput, dlg.OKbutton);
        }
        for (int q = 1; q <= 9; ++q) {
            gQuestion = std::int16_t(q);
            frmInputLight dlg;
            if (q == 4)
                check(dlg, dlg.lblMessage1, dlg.Label1, dlg.OKbutton);
            else
                check(dlg, dlg.lblMessage, dlg.txtInput, dlg.OKbutton);
        }
    }

    // The close box, and Escape, never end a dialog that waits for its answer.
    void closeBoxWaits() {
        gQuestion = 1;
        frmInputLight light;
        light.show();
        light.close();
        QVERIFY(light.isVisible());
        press(light, Qt::Key_Escape);
        QVERIFY(light.isVisible());
        type(light, "1");
        press(light, Qt::Key_Escape); // the focus is on OK now
        QVERIFY(light.isVisible());

        gQuestion = 3;
        frmInputMaterial material;
        material.show();
        material.close();
        QVERIFY(material.isVisible());
    }

    // A light question number without a table entry filters no key and stores nothing.
    void unknownLightQuestion() {
        gQuestion = 12;
        gAnswers[0] = QStringLiteral("old");
        frmInputLight dlg;
        QCOMPARE(gAnswers[0], QString()); // every load clears the answers
        dlg.show();
        const int beeps = beepCount();
        type(dlg, "x");
        QCOMPARE(beepCount(), beeps);
        QCOMPARE(dlg.txtInput->text(), QStringLiteral("x"));
        dlg.OKbutton->click();
        QVERIFY(!dlg.isVisible());
        QCOMPARE(gAnswers[0], QString());
    }

    // A wrong answer, then the right one: two shows, the wrong cue then the right cue.
    // The wrong verdict is on the canvas while the question is asked again, and is
    // printed over in the background before the right one takes its spot.
    void askWrongThenRight() {
        harness::setUp(1.5);
        frmMaterial& w = form<frmMaterial>();
        w.setBackColor(QBColor(15));
        w.Cls();
        QStringList replies = {QStringLiteral("1"), QStringLiteral("2")};
        int shows = 0;
        const QPointF at(S(300), 400);
        const QRect area(int(at.x()), int(at.y()), 200, 40);
        int wrongWhileAskedAgain = 0;
        setModalHook([&](QDialog& d) {
            auto* dlg = qobject_cast<frmInputMaterial*>(&d);
            if (!dlg) return;
            ++shows;
            if (shows == 2) wrongWhileAskedAgain = countColour(w.image(), area, QBColor(4));
            QTest::keyClicks(dlg->focusWidget(), replies.value(shows - 1, QStringLiteral("2")));
            press(*dlg, Qt::Key_Return);
        });
        bool right = false;
        const bool finished =
            w.session.enter([&] { right = Ask(w, 1, {.right = QStringLiteral("2"), .feedbackAt = at}); });
        QVERIFY(finished);
        QVERIFY(right);
        QCOMPARE(shows, 2);
        QCOMPARE(gQuestion, std::int16_t(1));
        QCOMPARE(harness::sounds().files(),
                 (QStringList{QStringLiteral("Doing.wav"), QStringLiteral("Applause.wav")}));
        QVERIFY(wrongWhileAskedAgain > 0);
        QCOMPARE(countColour(w.image(), area, QBColor(4)), 0);
        QVERIFY(countColour(w.image(), area, QBColor(2)) > 0);
        QCOMPARE(w.ForeColor, QBColor(2)); // the feedback colour stays set for the steps after
    }

    // The lesson variants: numeric comparison, a redraw before every try, feedback in
    // labels instead of text, one try only, silence.
    void askVariants() {
        frmLight& w = form<frmLight>();
        QStringList replies = {QStringLiteral("3"), QStringLiteral("1")};
        int shows = 0;
        setModalHook([&](QDialog& d) {
            auto* dlg = qobject_cast<frmInputLight*>(&d);
            if (!dlg) return;
            QTest::keyClicks(dlg->focusWidget(), replies.value(shows++));
            dlg->OKbutton->click();
        });
        int befores = 0;
        QList<bool> judged;
        AskOptions once{.right = QStringLiteral("1"), .rightSound = QString(), .wrongSound = QString()};
        once.retry = false;
        once.numeric = true;
        once.before = [&] { ++befores; };
        once.feedback = [&](bool right) { judged << right; };
        bool right = true;
        QVERIFY(w.session.enter([&] { right = Ask(w, 6, once); }));
        QVERIFY(!right);
        QCOMPARE(shows, 1);
        QCOMPARE(befores, 1);
        QCOMPARE(judged, QList<bool>{false});
        QVERIFY(harness::sounds().files().isEmpty());

        once.retry = true;
        replies = {QStringLiteral("1")};
        shows = 0;
        QVERIFY(w.session.enter([&] { right = Ask(w, 7, once); }));
        QVERIFY(right);
        QCOMPARE(judged, (QList<bool>{false, true}));
    }

    // The lesson window closes while its question is open: the dialog ends, Ask throws
    // out to the entry, and the window goes away once the lesson has unwound.
    void closingWindowUnwinds_data() {
        QTest::addColumn<bool>("insideMessageBox");
        QTest::newRow("dialog open") << false;
        QTest::newRow("message box over the dialog") << true;
    }
    void closingWindowUnwinds() {
        QFETCH(bool, insideMessageBox);
        QPointer<frmLight> w = &form<frmLight>();
        QPointer<QDialog> seen;
        bool stuck = false;
        setModalHook([&](QDialog& d) {
            if (qobject_cast<frmInputLight*>(&d)) {
                seen = &d;
                if (insideMessageBox)
                    type(d, "51"); // the "1" opens the over-maximum message
                else
                    w->close();
                // A dialog the closing window failed to end would wait forever.
                if (d.isVisible()) {
                    stuck = true;
                    d.done(QDialog::Rejected);
                }
            } else if (qobject_cast<QMessageBox*>(&d)) {
                w->close();
            }
        });
        bool afterAsk = false;
        const bool finished = w->session.enter([&] {
            Ask(*w, insideMessageBox ? 4 : 2, {.right = QStringLiteral("2")});
            afterAsk = true;
        });
        QVERIFY(!stuck);
        QVERIFY(!finished);
        QVERIFY(!afterAsk);
        QVERIFY(seen.isNull()); // the dialog went with the unwinding
        harness::flush();
        QVERIFY(w.isNull());
    }

    // Where the dialogs open: centred over the lesson window near the top of the screen,
    // or in the right half for the spectrum questions.
    void placement() {
        harness::setUp(1.5);
        frmLight& w = form<frmLight>();
        QPoint centred, rightHalf;
        setModalHook([&](QDialog& d) {
            if (gQuestion == 1) centred = d.frameGeometry().topLeft();
            if (gQuestion == 6) rightHalf = d.frameGeometry().topLeft();
            type(d, "1");
            press(d, Qt::Key_Return);
        });
        QVERIFY(w.session.enter([&] {
            ShowAnswerDialog(w, 1);
            ShowAnswerDialog(w, 6);
        }));
        const QRect screen = w.screen()->geometry();
        const QRect outer = w.frameGeometry();
        QCOMPARE(centred.y(), screen.y() + 66);
        QVERIFY(std::abs(centred.x() + 491 / 2 - outer.center().x()) <= 8);
        QCOMPARE(rightHalf, QPoint(screen.x() + outer.width() / 2, screen.y() + 330));
    }

    void answerNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("digits") << "42" << 42.0;
        QTest::newRow("blanks inside") << " 1 2" << 12.0;
        QTest::newRow("tail ignored") << "7cm" << 7.0;
        QTest::newRow("fraction") << "-2.5" << -2.5;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("lone exponent") << "3e" << 3.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("sign only") << "-" << 0.0;
        QTest::newRow("too large") << "1e999" << qInf();
        QTest::newRow("too small") << "1e-999" << 0.0;
    }
    void answerNumbers() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(answerNumber(text), value);
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"

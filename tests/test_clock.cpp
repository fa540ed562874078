// The clock service: what each wait means on the virtual clock, and cancellation of every
// kind of wait, and of a modal dialog, on the real clock when a window closes or the
// application quits.

#include "player/Clock.h"
#include "player/Form.h"
#include "player/Prompts.h"
#include "tests/support/Harness.h"

#include <QtTest>

namespace {

// A window whose code waits in one of the ways lessons wait.
class Waiter : public Form {
public:
    bool finished = false;
    bool started = false;
    template <class F> void wait(F&& f) {
        run([&] {
            started = true;
            f(session);
            finished = true;
        });
    }
};

} // namespace

class ClockTest : public QObject {
    Q_OBJECT
private slots:
    void init() { harness::setUp(); }
    void cleanup() { harness::closeAllWindows(); }

    void waitsOnTheVirtualClock() {
        VirtualClock& c = harness::clock();
        Session s;
        waits::pause(s, 0);
        QCOMPARE(c.msNow(), qint64(0)); // returns at once
        waits::pause(s, 0.005);
        QCOMPARE(c.msNow(), qint64(1)); // until the clock next advances
        waits::pause(s, 80);
        QCOMPARE(c.msNow(), qint64(81));
        waits::sleepPause(s, 0.1, 30);
        QCOMPARE(c.msNow(), qint64(111)); // one sleep of 30 ms
        waits::tick(s);
        QCOMPARE(c.msNow(), qint64(112));
        waits::seconds(s, 0.5);
        QCOMPARE(c.msNow(), qint64(612));
        waits::busy(1000000); // no virtual time, no events
        QCOMPARE(c.msNow(), qint64(612));
    }

    void callbacksRunInTimeOrderWithinAWait() {
        VirtualClock& c = harness::clock();
        QList<int> order;
        c.at(30, [&] { order << 30; });
        c.at(10, [&] { order << 10; });
        const int dropped = c.at(20, [&] { order << 20; });
        c.at(200, [&] { order << 200; });
        c.cancelAt(dropped);
        Session s;
        waits::pause(s, 100);
        QCOMPARE(order, (QList<int>{10, 30}));
        QVERIFY(c.hasPending());
    }

    void pacerTicksOnTheClock() {
        Pacer p;
        int ticks = 0;
        connect(&p, &Pacer::tick, [&] { ++ticks; });
        p.setInterval(100);
        p.setEnabled(true);
        harness::clock().advanceBy(350);
        QCOMPARE(ticks, 3);
        p.stop();
        harness::clock().advanceBy(500);
        QCOMPARE(ticks, 3);
    }

    void sessionsCatchAbortAndRunTheirUnwinding() {
        Session s;
        int unwound = 0;
        bool innerRan = false;
        const bool finished = s.enter([&] {
            s.onUnwound = [&] { ++unwound; };
            s.cancel();
            // A nested entry of a cancelled session does not run at all.
            QVERIFY(!s.enter([&] { innerRan = true; }));
            try {
                throw std::runtime_error("a lesson's own error");
            } catch (const std::exception&) {
            }
            waits::pause(s, 10); // the sticky flag throws again at the next wait
            QFAIL("not reached");
        });
        QVERIFY(!finished);
        QVERIFY(!innerRan);
        QCOMPARE(unwound, 1);
        QCOMPARE(s.depth, 0);
    }

    // ---- real clock ----

    void closingTheWindowEndsEveryKindOfWait_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("pause") << 0;
        QTest::newRow("sleeping wait") << 1;
        QTest::newRow("timed wait") << 2;
        QTest::newRow("message box") << 3;
        QTest::newRow("input box") << 4;
    }
    void closingTheWindowEndsEveryKindOfWait() {
        QFETCH(int, kind);
        setClock(nullptr); // the real clock
        QPointer<Waiter> w(new Waiter);
        w->show();
        appClock().at(appClock().msNow() + 30, [w] {
            if (w) w->close();
        });
        w->wait([kind](Session& s) {
            switch (kind) {
            case 0: waits::pause(s, 60000); break;
            case 1:
                for (;;)
                    waits::sleepPause(s, 0.1, 20);
            case 2: waits::seconds(s, 60); break;
            case 3:
                MsgBox(QStringLiteral("待っています"), MsgButtons::OKCancel, MsgIcon::None, {}, &s);
                break;
            case 4: InputBox(QStringLiteral("数は？"), {}, {}, -1, -1, &s); break;
            }
        });
        QVERIFY(w); // destroyed only after the stack has unwound, by a deferred deletion
        QVERIFY(w->started);
        QVERIFY(!w->finished);
        QVERIFY(w->session.cancelled);
        harness::flush();
        QVERIFY(w.isNull());
    }

    void aWindowClosedInAWaitOfAnotherStaysIntact() {
        setClock(nullptr);
        QPointer<Waiter> a(new Waiter), b(new Waiter);
        a->show();
        b->show();
        appClock().at(appClock().msNow() + 20, [b] {
            if (b) b->close();
        });
        a->wait([](Session& s) { waits::pause(s, 60); });
        QVERIFY(a->finished); // a's own wait ran to its end
        harness::flush();
        QVERIFY(b.isNull());
        QVERIFY(!a.isNull());
    }

    // Quitting leaves every later event loop of the process ending at once: keep this last.
    void quittingTheApplicationEndsTheWait() {
        setClock(nullptr);
        QPointer<Waiter> w(new Waiter);
        w->show();
        appClock().at(appClock().msNow() + 20, [] { QCoreApplication::exit(0); });
        w->wait([](Session& s) { waits::pause(s, 60000); });
        QVERIFY(w->started);
        QVERIFY(!w->finished);
        QVERIFY(w->session.cancelled);
        // A wait begun after the quit returns at once, cancelled.
        Session s;
        QVERIFY(!s.enter([&] { waits::pause(s, 60000); }));
        delete w;
    }
};

QTEST_MAIN(ClockTest)
#include "test_clock.moc"

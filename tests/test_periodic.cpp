// The periodic-table viewer: opened from the matter window's menu, one element per click
// of "次へ", the series cells and their notes, the colouring, the clearing and the return
// to the matter window, by its own end or by the close box.

#include "lesson/frmMaterial.h"
#include "periodic/Form1.h"
#include "periodic/elements.h"
#include "player/globals.h"
#include "tests/support/Harness.h"
#include "tests/support/ViewerInside.h"

#include <QtTest>

namespace {

// Opens the viewer the learner's way, from item 5 of the matter window.
Form1& openFromMatter() {
    auto& m = form<frmMaterial>();
    m.cmdMenu[5]->click();
    Form1* w = loadedForm<Form1>();
    if (!w) qFatal("the viewer did not open");
    return *w;
}

void clickNext(Form1& w, int times) {
    for (int i = 0; i < times; ++i)
        w.goOn();
}

QRgb backOf(const QLabel* l) {
    return l->palette().color(QPalette::Window).rgb() | 0xff000000;
}

// The top-left corner of a control in the units of the drawing area.
QPoint unitsOf(Form1& w, const QWidget* c) {
    const PeriodicInside in(w);
    return {qRound(c->x() * 640.0 / in.Picture1->width()), qRound(c->y() * 400.0 / in.Picture1->height())};
}

QList<int> visibleCells(Form1& w) {
    const PeriodicInside in(w);
    QList<int> cells;
    for (int n = 0; n < int(in.Label1.size()); ++n)
        if (in.Label1[n] && in.Label1[n]->isVisible()) cells.append(n);
    return cells;
}

// How many pixels in a rectangle of the drawing area, given in its units, come near a
// colour (text is drawn with soft edges, so its pixels only approach the colour).
int countNear(Form1& w, QRgb colour, QRect units, int tolerance = 48) {
    const PeriodicInside in(w);
    const QPoint a = in.Picture1->toPixel(units.left(), units.top());
    const QPoint b = in.Picture1->toPixel(units.right(), units.bottom());
    const QImage& img = in.Picture1->image();
    int count = 0;
    for (int y = a.y(); y <= b.y(); ++y)
        for (int x = a.x(); x <= b.x(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (std::abs(qRed(p) - qRed(colour)) <= tolerance &&
                std::abs(qGreen(p) - qGreen(colour)) <= tolerance &&
                std::abs(qBlue(p) - qBlue(colour)) <= tolerance)
                ++count;
        }
    return count;
}

// Whether every pixel of a rectangle of the drawing area, in its units, is exactly the colour.
bool allOf(Form1& w, QRgb colour, QRect units) {
    const PeriodicInside in(w);
    const QPoint a = in.Picture1->toPixel(units.left(), units.top());
    const QPoint b = in.Picture1->toPixel(units.right(), units.bottom());
    for (int y = a.y(); y <= b.y(); ++y)
        for (int x = a.x(); x <= b.x(); ++x)
            if ((in.Picture1->image().pixel(x, y) | 0xff000000) != (colour | 0xff000000)) return false;
    return true;
}

} // namespace

class TestPeriodic : public QObject {
    Q_OBJECT
private slots:
    void init() { harness::setUp(1.0f); }
    void cleanup() { harness::closeAllWindows(); }

    void tableFollowsItsLayoutRule();
    void opensOnTheEmptyGridWithNextFocused();
    void firstElementsAndTheirNames();
    void lanthanoidCellThenHafnium();
    void actinoidCellThenColouring();
    void clearingAndClosingAfter79Clicks();
    void closeBoxMidTableAndFreshOpening();
};

void TestPeriodic::tableFollowsItsLayoutRule() {
    using periodic::kElements;
    // Every row of the table starts a run at a known column or continues the previous run
    // one column (25 units) to the right; the series cells 57 and 89 end their runs.
    struct Run {
        int first, last, left;
    };
    const Run runs[] = {{1, 1, 113},   {2, 2, 538},   {3, 4, 113},   {5, 10, 413},
                        {11, 12, 113}, {13, 18, 413}, {19, 36, 113}, {37, 54, 113},
                        {55, 57, 113}, {72, 86, 188}, {87, 89, 113}};
    int covered = 0;
    for (const Run& r : runs)
        for (int n = r.first; n <= r.last; ++n) {
            const periodic::Element* e = periodic::elementAt(n);
            QVERIFY2(e, qPrintable(QString::number(n)));
            QCOMPARE(int(e->left), r.left + 25 * (n - r.first));
            ++covered;
        }
    QCOMPARE(covered, int(kElements.size()));

    // Rows in click order, each period on its own top, tops increasing with the period.
    const int firstOfPeriod[] = {1, 3, 11, 19, 37, 55, 87, 119};
    for (std::size_t i = 0; i < kElements.size(); ++i) {
        const periodic::Element& e = kElements[i];
        if (i > 0) QVERIFY(e.number > kElements[i - 1].number);
        int period = 0;
        while (e.number >= firstOfPeriod[period + 1])
            ++period;
        const periodic::Element& head = *periodic::elementAt(firstOfPeriod[period]);
        QCOMPARE(int(e.top), int(head.top));
        if (period > 0) QVERIFY(head.top >= periodic::elementAt(firstOfPeriod[period - 1])->top + 29);
        // A cell lies inside the frame and just right of a group line.
        QCOMPARE((e.left - 88) % 25, 0);
        QVERIFY(e.left >= 113 && e.left + 24 <= 562 && e.top + 29 <= 332);
        // Only the two series cells go without symbol and name.
        const bool series = e.number == 57 || e.number == 89;
        QCOMPARE(QStringView(e.symbol).isEmpty(), series);
        QCOMPARE(e.name == nullptr, series);
    }
    QVERIFY(!periodic::elementAt(58) && !periodic::elementAt(71) && !periodic::elementAt(90));
}

void TestPeriodic::opensOnTheEmptyGridWithNextFocused() {
    auto& m = form<frmMaterial>();
    Form1& w = openFromMatter();
    const PeriodicInside in(w);
    QVERIFY(w.isVisible());
    QVERIFY(!m.isVisible());
    QCOMPARE(w.windowTitle(), QStringLiteral("周期表"));
    QCOMPARE(w.focusWidget(), in.cmdNext);
    QCOMPARE(in.cmdNext->text(), QStringLiteral("次へ"));
    QCOMPARE(unitsOf(w, in.cmdNext), QPoint(560, 370));
    QCOMPARE(in.Picture1->pos(), QPoint(0, 0));
    QCOMPARE(in.Picture1->width(), w.width());
    QVERIFY(visibleCells(w).isEmpty());
    QVERIFY(!in.Label2->isVisible() && !in.Label3->isVisible() && !in.Label4->isVisible());

    // The grid is there at once: the frame, a group line, the white blanks of periods 1
    // to 3 and the merged head, and atomic numbers in black inside the cells.
    const QRgb black = QBColor(0), white = QBColor(15);
    QCOMPARE(in.Picture1->Point(300, 332), black);
    QCOMPARE(in.Picture1->Point(87 + 25 * 10, 250), black);
    QCOMPARE(in.Picture1->Point(300, 140), white);
    QCOMPARE(in.Picture1->Point(300, 200), white);
    QCOMPARE(in.Picture1->Point(300, 110), white);
    QVERIFY(countNear(w, black, QRect(113, 216, 23, 10)) > 0); // " 19"
    QVERIFY(countNear(w, black, QRect(188, 276, 23, 10)) > 0); // " 72"
    QCOMPARE(countNear(w, black, QRect(164, 276, 22, 20)), 0); // no number in the lanthanoid cell
    QCOMPARE(countNear(w, black, QRect(164, 306, 22, 20)), 0); // nor in the actinoid cell
}

void TestPeriodic::firstElementsAndTheirNames() {
    Form1& w = openFromMatter();
    const PeriodicInside in(w);
    clickNext(w, 1);
    QLabel* h = in.Label1[1];
    QVERIFY(h && h->isVisible());
    QCOMPARE(h->text(), QStringLiteral("H"));
    QCOMPARE(unitsOf(w, h), QPoint(113, 123));
    QCOMPARE(backOf(h), QBColor(11));
    QVERIFY(in.Label4->isVisible());
    QCOMPARE(in.Label4->text(), QStringLiteral("水素"));
    QCOMPARE(unitsOf(w, in.Label4), QPoint(10, 375));
    QCOMPARE(backOf(in.Label4), QBColor(12));

    clickNext(w, 1);
    QCOMPARE(in.Label1[2]->text(), QStringLiteral("He"));
    QCOMPARE(unitsOf(w, in.Label1[2]), QPoint(538, 123));
    QCOMPARE(in.Label4->text(), QStringLiteral("ヘリウム"));
    // The cell meets the group line on its right without covering it.
    const QRect he = in.Label1[2]->geometry();
    QCOMPARE(he.right() + 1, in.Picture1->toPixel(562, 0).x());
    QCOMPARE(visibleCells(w), (QList<int>{1, 2}));
}

void TestPeriodic::lanthanoidCellThenHafnium() {
    Form1& w = openFromMatter();
    const PeriodicInside in(w);
    clickNext(w, 56);
    QCOMPARE(in.Label1[56]->text(), QStringLiteral("Ba"));
    QCOMPARE(in.Label4->text(), QStringLiteral("バリウム"));
    QVERIFY(!in.Label2->isVisible());

    clickNext(w, 1);
    QLabel* la = in.Label1[57];
    QVERIFY(la && la->isVisible());
    QVERIFY(la->text().isEmpty());
    QCOMPARE(backOf(la), QBColor(10));
    QCOMPARE(unitsOf(w, la), QPoint(163, 274));
    QVERIFY(in.Label2->isVisible());
    QCOMPARE(in.Label2->text(), QStringLiteral("ランタノイド(57-71)："));
    QCOMPARE(unitsOf(w, in.Label2), QPoint(163, 335));
    QCOMPARE(backOf(in.Label2), QBColor(10));
    QCOMPARE(in.Label4->text(), QStringLiteral("バリウム"));

    // One click goes over the lanthanoids straight to hafnium.
    clickNext(w, 1);
    QCOMPARE(in.Label1[72]->text(), QStringLiteral("Hf"));
    QCOMPARE(unitsOf(w, in.Label1[72]), QPoint(188, 274));
    QCOMPARE(in.Label4->text(), QStringLiteral("ハフニウム"));
    QCOMPARE(visibleCells(w).size(), 58);
    QVERIFY(!visibleCells(w).contains(58));
}

void TestPeriodic::actinoidCellThenColouring() {
    Form1& w = openFromMatter();
    const PeriodicInside in(w);
    clickNext(w, 75);
    QLabel* ac = in.Label1[89];
    QVERIFY(ac && ac->isVisible());
    QVERIFY(ac->text().isEmpty());
    QCOMPARE(backOf(ac), QBColor(13));
    QCOMPARE(unitsOf(w, ac), QPoint(163, 303));
    QCOMPARE(in.Label3->text(), QStringLiteral("アクチノイド(89-103)："));
    QCOMPARE(unitsOf(w, in.Label3), QPoint(163, 360));
    QCOMPARE(in.Label4->text(), QStringLiteral("ラジウム"));
    QCOMPARE(visibleCells(w).size(), 75);
    // Each cell hides its atomic number whole: nothing of the digits shows in the sliver
    // between a group line and the cell right of it.
    for (const periodic::Element& e : periodic::kElements) {
        const int line = in.Picture1->toPixel(e.left - 1, 0).x(), cell = in.Label1[e.number]->x();
        for (int x = line + 1; x < cell; ++x)
            for (int y = in.Picture1->toPixel(0, e.top + 3).y(); y <= in.Picture1->toPixel(0, e.top + 20).y();
                 ++y)
                QVERIFY2(qGray(in.Picture1->image().pixel(x, y)) > 160,
                         qPrintable(QString::number(e.number)));
    }

    // The next click shows no cell 90: it colours the non-metals at once.
    clickNext(w, 1);
    QCOMPARE(visibleCells(w).size(), 75);
    for (int n : periodic::kNonMetals)
        QCOMPARE(backOf(in.Label1[n]), QBColor(9));
    QCOMPARE(backOf(in.Label1[3]), QBColor(11));
    QCOMPARE(backOf(in.Label1[21]), QBColor(11));
    QCOMPARE(in.Label4->text(), QStringLiteral("非金属"));
    QCOMPARE(unitsOf(w, in.Label4), QPoint(580, 200));
    QCOMPARE(backOf(in.Label4), QBColor(9));

    // Then the transition metals, the series cells with them, and their legend.
    const QRect legend(225, 180, 80, 25);
    QVERIFY(allOf(w, QBColor(15), legend));
    clickNext(w, 1);
    for (int n : {21, 30, 39, 48, 57, 72, 80, 89})
        QCOMPARE(backOf(in.Label1[n]), QBColor(14));
    QCOMPARE(backOf(in.Label1[81]), QBColor(11));
    QCOMPARE(backOf(in.Label1[1]), QBColor(9));
    QVERIFY(countNear(w, QBColor(6), legend) > 10);
}

void TestPeriodic::clearingAndClosingAfter79Clicks() {
    auto& m = form<frmMaterial>();
    Form1& w = openFromMatter();
    const PeriodicInside in(w);
    const QPointer<Form1> viewer(&w);
    clickNext(w, 78);
    // Cleared: the empty grid again, without the legend.
    QVERIFY(visibleCells(w).isEmpty());
    QVERIFY(!in.Label2->isVisible() && !in.Label3->isVisible() && !in.Label4->isVisible());
    // The legend is gone without a trace from the white blank.
    QVERIFY(allOf(w, QBColor(15), QRect(164, 153, 247, 58)));
    QVERIFY(w.isVisible() && !m.isVisible());

    clickNext(w, 1);
    harness::flush();
    QVERIFY(!viewer);
    QVERIFY(!loadedForm<Form1>());
    QVERIFY(m.isVisible());
    QVERIFY(m.picMenu->isVisible());
}

void TestPeriodic::closeBoxMidTableAndFreshOpening() {
    auto& m = form<frmMaterial>();
    {
        Form1& w = openFromMatter();
        const QPointer<Form1> viewer(&w);
        clickNext(w, 30);
        QVERIFY(w.close());
        harness::flush();
        QVERIFY(!viewer);
        QVERIFY(m.isVisible());
    }
    Form1& again = openFromMatter();
    const PeriodicInside inAgain(again);
    QVERIFY(!m.isVisible());
    QVERIFY(visibleCells(again).isEmpty());
    QVERIFY(!inAgain.Label4->isVisible());
    QCOMPARE(inAgain.Picture1->Point(300, 332), QBColor(0));
    clickNext(again, 1);
    QCOMPARE(inAgain.Label1[1]->text(), QStringLiteral("H"));
    QCOMPARE(inAgain.Label4->text(), QStringLiteral("水素"));
    QCOMPARE(visibleCells(again), QList<int>{1});
}

QTEST_MAIN(TestPeriodic)
#include "test_periodic.moc"

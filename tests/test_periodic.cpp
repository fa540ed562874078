// The periodic-table viewer: opened from the matter window's menu, one element per click
// of "次へ", the series cells and their notes, the colouring, the clearing and the return
// to the matter window, by its own end or by the close box.

#include "lesson/frmMaterial.h"
#include "periodic/Form1.h"
#include "periodic/elements.h"
#include "player/globals.h"
#include "tests/support/Harness.h"

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
        w.cmdNext->click();
}

QRgb backOf(const QLabel* l) {
    return l->palette().color(QPalette::Window).rgb() | 0xff000000;
}

// The top-left corner of a control in the units of the drawing area.
QPoint unitsOf(Form1& w, const QWidget* c) {
    return {qRound(c->x() * 640.0 / w.Picture1->width()), qRound(c->y() * 400.0 / w.Picture1->height())};
}

QList<int> visibleCells(Form1& w) {
    QList<int> cells;
    for (int n = 0; n < int(w.Label1.size()); ++n)
        if (w.Label1[n] && w.Label1[n]->isVisible()) cells.append(n);
    return cells;
}

// How many pixels in a rectangle of the drawing area, given in its units, come near a
// colour (text is drawn with soft edges, so its pixels only approach the colour).
int countNear(Form1& w, QRgb colour, QRect units, int tolerance = 48) {
    const QPoint a = w.Picture1->toPixel(units.left(), units.top());
    const QPoint b = w.Picture1->toPixel(units.right(), units.bottom());
    const QImage& img = w.Picture1->image();
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
    const QPoint a = w.Picture1->toPixel(units.left(), units.top());
    const QPoint b = w.Picture1->toPixel(units.right(), units.bottom());
    for (int y = a.y(); y <= b.y(); ++y)
        for (int x = a.x(); x <= b.x(); ++x)
            if ((w.Picture1->image().pixel(x, y) | 0xff000000) != (colour | 0xff000000)) return false;
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
    QVERIFY(w.isVisible());
    QVERIFY(!m.isVisible());
    QCOMPARE(w.windowTitle(), QStringLiteral("周期表"));
    QCOMPARE(w.focusWidget(), w.cmdNext);
    QCOMPARE(w.cmdNext->text(), QStringLiteral("次へ"));
    QCOMPARE(unitsOf(w, w.cmdNext), QPoint(560, 370));
    QCOMPARE(w.Picture1->pos(), QPoint(0, 0));
    QCOMPARE(w.Picture1->width(), w.width());
    QVERIFY(visibleCells(w).isEmpty());
    QVERIFY(!w.Label2->isVisible() && !w.Label3->isVisible() && !w.Label4->isVisible());

    // The grid is there at once: the frame, a group line, the white blanks of periods 1
    // to 3 and the merged head, and atomic numbers in black inside the cells.
    const QRgb black = QBColor(0), white = QBColor(15);
    QCOMPARE(w.Picture1->Point(300, 332), black);
    QCOMPARE(w.Picture1->Point(87 + 25 * 10, 250), black);
    QCOMPARE(w.Picture1->Point(300, 140), white);
    QCOMPARE(w.Picture1->Point(300, 200), white);
    QCOMPARE(w.Picture1->Point(300, 110), white);
    QVERIFY(countNear(w, black, QRect(113, 216, 23, 10)) > 0); // " 19"
    QVERIFY(countNear(w, black, QRect(188, 276, 23, 10)) > 0); // " 72"
    QCOMPARE(countNear(w, black, QRect(164, 276, 22, 20)), 0); // no number in the lanthanoid cell
    QCOMPARE(countNear(w, black, QRect(164, 306, 22, 20)), 0); // nor in the actinoid cell
}

void TestPeriodic::firstElementsAndTheirNames() {
    Form1& w = openFromMatter();
    clickNext(w, 1);
    QLabel* h = w.Label1[1];
    QVERIFY(h && h->isVisible());
    QCOMPARE(h->text(), QStringLiteral("H"));
    QCOMPARE(unitsOf(w, h), QPoint(113, 123));
    QCOMPARE(backOf(h), QBColor(11));
    QVERIFY(w.Label4->isVisible());
    QCOMPARE(w.Label4->text(), QStringLiteral("水素"));
    QCOMPARE(unitsOf(w, w.Label4), QPoint(10, 375));
    QCOMPARE(backOf(w.Label4), QBColor(12));

    clickNext(w, 1);
    QCOMPARE(w.Label1[2]->text(), QStringLiteral("He"));
    QCOMPARE(unitsOf(w, w.Label1[2]), QPoint(538, 123));
    QCOMPARE(w.Label4->text(), QStringLiteral("ヘリウム"));
    // The cell meets the group line on its right without covering it.
    const QRect he = w.Label1[2]->geometry();
    QCOMPARE(he.right() + 1, w.Picture1->toPixel(562, 0).x());
    QCOMPARE(visibleCells(w), (QList<int>{1, 2}));
}

void TestPeriodic::lanthanoidCellThenHafnium() {
    Form1& w = openFromMatter();
    clickNext(w, 56);
    QCOMPARE(w.Label1[56]->text(), QStringLiteral("Ba"));
    QCOMPARE(w.Label4->text(), QStringLiteral("バリウム"));
    QVERIFY(!w.Label2->isVisible());

    clickNext(w, 1);
    QLabel* la = w.Label1[57];
    QVERIFY(la && la->isVisible());
    QVERIFY(la->text().isEmpty());
    QCOMPARE(backOf(la), QBColor(10));
    QCOMPARE(unitsOf(w, la), QPoint(163, 274));
    QVERIFY(w.Label2->isVisible());
    QCOMPARE(w.Label2->text(), QStringLiteral("ランタノイド(57-71)："));
    QCOMPARE(unitsOf(w, w.Label2), QPoint(163, 335));
    QCOMPARE(backOf(w.Label2), QBColor(10));
    QCOMPARE(w.Label4->text(), QStringLiteral("バリウム"));

    // One click goes over the lanthanoids straight to hafnium.
    clickNext(w, 1);
    QCOMPARE(w.Label1[72]->text(), QStringLiteral("Hf"));
    QCOMPARE(unitsOf(w, w.Label1[72]), QPoint(188, 274));
    QCOMPARE(w.Label4->text(), QStringLiteral("ハフニウム"));
    QCOMPARE(visibleCells(w).size(), 58);
    QVERIFY(!visibleCells(w).contains(58));
}

void TestPeriodic::actinoidCellThenColouring() {
    Form1& w = openFromMatter();
    clickNext(w, 75);
    QLabel* ac = w.Label1[89];
    QVERIFY(ac && ac->isVisible());
    QVERIFY(ac->text().isEmpty());
    QCOMPARE(backOf(ac), QBColor(13));
    QCOMPARE(unitsOf(w, ac), QPoint(163, 303));
    QCOMPARE(w.Label3->text(), QStringLiteral("アクチノイド(89-103)："));
    QCOMPARE(unitsOf(w, w.Label3), QPoint(163, 360));
    QCOMPARE(w.Label4->text(), QStringLiteral("ラジウム"));
    QCOMPARE(visibleCells(w).size(), 75);
    // Each cell hides its atomic number whole: nothing of the digits shows in the sliver
    // between a group line and the cell right of it.
    for (const periodic::Element& e : periodic::kElements) {
        const int line = w.Picture1->toPixel(e.left - 1, 0).x(), cell = w.Label1[e.number]->x();
        for (int x = line + 1; x < cell; ++x)
            for (int y = w.Picture1->toPixel(0, e.top + 3).y(); y <= w.Picture1->toPixel(0, e.top + 20).y();
                 ++y)
                QVERIFY2(qGray(w.Picture1->image().pixel(x, y)) > 160, qPrintable(QString::number(e.number)));
    }

    // The next click shows no cell 90: it colours the non-metals at once.
    clickNext(w, 1);
    QCOMPARE(visibleCells(w).size(), 75);
    for (int n : periodic::kNonMetals)
        QCOMPARE(backOf(w.Label1[n]), QBColor(9));
    QCOMPARE(backOf(w.Label1[3]), QBColor(11));
    QCOMPARE(backOf(w.Label1[21]), QBColor(11));
    QCOMPARE(w.Label4->text(), QStringLiteral("非金属"));
    QCOMPARE(unitsOf(w, w.Label4), QPoint(580, 200));
    QCOMPARE(backOf(w.Label4), QBColor(9));

    // Then the transition metals, the series cells with them, and their legend.
    const QRect legend(225, 180, 80, 25);
    QVERIFY(allOf(w, QBColor(15), legend));
    clickNext(w, 1);
    for (int n : {21, 30, 39, 48, 57, 72, 80, 89})
        QCOMPARE(backOf(w.Label1[n]), QBColor(14));
    QCOMPARE(backOf(w.Label1[81]), QBColor(11));
    QCOMPARE(backOf(w.Label1[1]), QBColor(9));
    QVERIFY(countNear(w, QBColor(6), legend) > 10);
}

void TestPeriodic::clearingAndClosingAfter79Clicks() {
    auto& m = form<frmMaterial>();
    Form1& w = openFromMatter();
    const QPointer<Form1> viewer(&w);
    clickNext(w, 78);
    // Cleared: the empty grid again, without the legend.
    QVERIFY(visibleCells(w).isEmpty());
    QVERIFY(!w.Label2->isVisible() && !w.Label3->isVisible() && !w.Label4->isVisible());
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
    QVERIFY(!m.isVisible());
    QVERIFY(visibleCells(again).isEmpty());
    QVERIFY(!again.Label4->isVisible());
    QCOMPARE(again.Picture1->Point(300, 332), QBColor(0));
    clickNext(again, 1);
    QCOMPARE(again.Label1[1]->text(), QStringLiteral("H"));
    QCOMPARE(again.Label4->text(), QStringLiteral("水素"));
    QCOMPARE(visibleCells(again), QList<int>{1});
}

QTEST_MAIN(TestPeriodic)
#include "test_periodic.moc"

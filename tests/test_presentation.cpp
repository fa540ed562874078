// Presentation mode without a window manager: the canvases' large copies (the image every
// reader sees stays as it was, the copy is drawn at its own size), and the full-screen
// host on the offscreen screen: the shown window's clicks and keys pass through it, a
// dialog is enlarged with it and given back at its size, and the window comes back at
// its place.

#include "dialogs/frmInputLight.h"
#include "lesson/frmLight.h"
#include "player/PaintRegion.h"
#include "player/Presentation.h"
#include "player/Prompts.h"
#include "player/globals.h"
#include "tests/support/Harness.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// The same drawing on a canvas, with whatever factor it has.
void drawScene(Canvas& c) {
    c.resizeCanvas(200, 120);
    c.setBackColor(QBColor(15));
    c.Cls();
    c.Line(10, 10, 90, 60, QBColor(9), LineMode::Box);
    c.Line(20, 70, 180, 110, QBColor(12));
    c.DrawWidth = 3;
    c.Line(20, 100, 180, 80, QBColor(2));
    c.DrawWidth = 1;
    c.FillStyle = FillStyles::Solid;
    c.FillColor = QBColor(14);
    c.Circle(150, 30, 20, QBColor(1));
    c.FillStyle = FillStyles::Transparent;
    c.Circle(150, 30, 25, QBColor(4), 0.5, 2.5);
    for (int i = 0; i < 50; ++i)
        c.PSet(100 + i, 62 + (i % 7), QBColor(5));
    c.CurrentX = 20;
    c.CurrentY = 72;
    c.FontSize = 12;
    c.Print(QStringLiteral("光の性質 Wave"));
    PaintRegion(c, 50, 50, QBColor(10), QBColor(9));
}

int countColour(const QImage& img, QRgb c) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (img.pixel(x, y) | 0xff000000) == (c | 0xff000000);
    return n;
}

} // namespace

class PresentationTest : public QObject {
    Q_OBJECT
private slots:
    void init() { harness::setUp(1.5f); }
    void cleanup() {
        setModalHook(nullptr);
        presentation::leave();
        harness::closeAllWindows();
    }

    void theImageStaysAsItWasAndTheCopyIsDrawnAtItsSize() {
        Canvas plain, presented;
        presented.resizeCanvas(200, 120);
        presented.setPresentationFactor(2.0);
        drawScene(plain);
        drawScene(presented);
        // Every reader of pixels sees the same image, bit for bit.
        QCOMPARE(presented.image(), plain.image());
        QVERIFY(plain.presentationImage().isNull());
        const QImage& large = presented.presentationImage();
        QCOMPARE(large.size(), QSize(400, 240));
        // Drawn, not enlarged: it differs from the image blown up pixel for pixel, and
        // the colours are where the image has them, in proportion.
        QVERIFY(large != plain.image().scaled(400, 240, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        for (QRgb c : {QBColor(10), QBColor(14), QBColor(9)}) {
            const double ratio = countColour(large, c) / (4.0 * countColour(plain.image(), c));
            QVERIFY2(ratio > 0.8 && ratio < 1.25,
                     qPrintable(QStringLiteral("%1: %2").arg(c, 0, 16).arg(ratio)));
        }
        // The region fill stopped at the box on the copy too.
        QCOMPARE(large.pixel(100, 100) | 0xff000000, QBColor(10) | 0xff000000);
        QCOMPARE(large.pixel(10, 230) | 0xff000000, QBColor(15) | 0xff000000);
        // Back to the window: the copy goes, the image is untouched.
        presented.setPresentationFactor(1.0);
        QVERIFY(presented.presentationImage().isNull());
        QCOMPARE(presented.image(), plain.image());
    }

    void clicksAndKeysPassThroughTheHostAndTheWindowComesBack() {
        gCourseName = QStringLiteral("光とは");
        frmLight& w = form<frmLight>();
        const QRect place = w.geometry();
        presentation::toggle(&w);
        QVERIFY(presentation::active());
        QCOMPARE(presentation::shown(), static_cast<Form*>(&w));
        QWidget* host = presentation::host();
        const QRect content = presentation::contentRect();
        const double k = presentation::factor();
        QVERIFY(host->rect().contains(content));
        // A click on the host where the menu's third button is drawn starts wave optics.
        const QPoint button = content.topLeft() +
                              (QPointF(w.cmdMenu[3]->mapTo(&w, w.cmdMenu[3]->rect().center())) * k).toPoint();
        QTest::mouseClick(host, Qt::LeftButton, Qt::NoModifier, button);
        QCOMPARE(int(gMenuItem), 3);
        QCOMPARE(int(gSection), 1);
        QCOMPARE(int(gStep), 0);
        // Keys go to the window's focus: Next.
        QTest::keyClick(host, Qt::Key_Return);
        QCOMPARE(int(gStep), 1);
        // A click outside the window's picture (on the black) reaches nothing.
        if (content.left() > 2) QTest::mouseClick(host, Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
        QCOMPARE(int(gStep), 1);
        presentation::toggle(&w);
        QVERIFY(!presentation::active());
        QCOMPARE(w.geometry(), place);
        QCOMPARE(w.presentationFactor(), 1.0);
    }

    // The application quits by closing every window; a host that refused would keep it
    // running (a terminated application hung so). The learner's own close of the host
    // closes the window it shows.
    void theHostLetsTheApplicationQuit() {
        gCourseName = QStringLiteral("光とは");
        frmLight& w = form<frmLight>();
        presentation::toggle(&w);
        QCloseEvent quitting;
        QApplication::sendEvent(presentation::host(), &quitting);
        QVERIFY(quitting.isAccepted());
        QVERIFY(loadedForm<frmLight>());
    }

    void aDialogIsEnlargedWithTheHostAndGivenBackAtItsSize() {
        gCourseName = QStringLiteral("光とは");
        frmLight& w = form<frmLight>();
        gQuestion = 1;
        QSize windowed, presented;
        QFont windowedFont, presentedFont;
        setModalHook([&](QDialog& d) {
            auto* dlg = qobject_cast<frmInputLight*>(&d);
            if (!dlg) return;
            (presentation::active() ? presented : windowed) = dlg->size();
            (presentation::active() ? presentedFont : windowedFont) = dlg->txtInput->font();
            dlg->txtInput->setText(QStringLiteral("1"));
            dlg->OKbutton->click();
        });
        w.session.enter([&] {
            frmInputLight dialog(&w);
            dialog.showModal();
        });
        presentation::toggle(&w);
        const double k = presentation::factor();
        frmInputLight dialog(&w);
        w.session.enter([&] { dialog.showModal(); });
        harness::flush();
        const QSize after = dialog.size();
        QVERIFY(!windowed.isEmpty());
        QVERIFY(std::abs(presented.width() - windowed.width() * k) <= 1);
        QVERIFY(std::abs(presented.height() - windowed.height() * k) <= 1);
        QVERIFY(std::abs(presentedFont.pixelSize() - windowedFont.pixelSize() * k) <= 1);
        QCOMPARE(after, windowed); // given back once it closed
        // With the dialog open F11 leaves nothing: the mode stays as it is.
        QVERIFY(presentation::active());
    }
};

QTEST_MAIN(PresentationTest)
#include "test_presentation.moc"

// Throughput and timing figures of the lesson player, printed as a table. Not a test:
// the numbers depend on the machine, so nothing here passes or fails.

#include "app/Main.h"
#include "bench/bench.h"
#include "player/Canvas.h"
#include "player/PaintRegion.h"
#include "player/globals.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstring>

namespace {

void row(const char* what, int count, qint64 ns) {
    const double perOp = double(ns) / count;
    std::printf("%-40s %10d ops %12.1f ns/op %14.0f ops/s\n", what, count, perOp, 1e9 / perOp);
}

template <class F> qint64 timed(F&& f) {
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed();
}

void canvasThroughput() {
    std::printf("Canvas at 960 x 600\n");
    Canvas c;
    c.resizeCanvas(960, 600);
    const int points = 100000;
    row("PSet", points, timed([&] {
            for (int i = 0; i < points; ++i)
                c.PSet(i % 960, (i / 960) % 600, QBColor(i & 15));
        }));
    c.FillStyle = FillStyles::Solid;
    c.FillColor = QBColor(3);
    row("filled circle r=40", 1000, timed([&] {
            for (int i = 0; i < 1000; ++i)
                c.Circle((i * 37) % 960, (i * 53) % 600, 40, QBColor(i & 15));
        }));
    c.DrawWidth = 5;
    row("line width 5", 1000, timed([&] {
            for (int i = 0; i < 1000; ++i)
                c.Line((i * 7) % 960, 0, 959 - (i * 7) % 960, 599, QBColor(i & 15));
        }));
    c.DrawWidth = 1;
    c.setBackColor(QBColor(0));
    row("PaintRegion whole canvas", 20, timed([&] {
            for (int i = 0; i < 20; ++i)
                PaintRegion(c, 480, 300, QBColor(1 + (i & 7)), QBColor(15));
        }));
    c.FontSize = 14;
    row("Print line 14 pt", 100, timed([&] {
            for (int i = 0; i < 100; ++i) {
                if (i % 20 == 0) c.CurrentY = 0;
                c.Print(QStringLiteral("光は電磁波の一種であり、波としての性質を持つ。"));
            }
        }));
}

} // namespace

int main(int argc, char* argv[]) {
    // --platform xcb runs the same rows on a real display (Xvfb), where the X server adds
    // the cost of every repaint; offscreen unless asked.
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--platform") == 0) platform = argv[i + 1];
    qputenv("QT_QPA_PLATFORM", platform.isEmpty() ? QByteArray("offscreen") : platform);
    QApplication app(argc, argv);
    initApplication(app);
    // Every mode opens lesson windows, whose pictures live beside the program.
    gAppPath = appPathFor(QCoreApplication::applicationDirPath());
    bool pacing = false, clockOnly = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--pacing") == 0) pacing = true;
        if (std::strcmp(argv[i], "--clock") == 0) clockOnly = true;
    }
    if (pacing) return bench::pacing(argc, argv);
    if (!clockOnly) {
        canvasThroughput();
        benchCloud();
    }
    bench::clockAccuracy();
    return 0;
}

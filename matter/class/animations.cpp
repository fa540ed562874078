#include "matter/class/animations.h"

#include "lesson/Page.h"
#include "matter/figures.h"
#include "player/Random.h"

#include <cmath>

namespace matter::klass::animations {

using enum Control;

void Drop(Page& p) {
    p.place(Image1, 180, 100);
    p.load(Image1, QStringLiteral("Material\\drop.bmp"));
    p.show(Image1);
    // Each move is longer than the last: the drop accelerates.
    double top = p.devicePos(Image1).y();
    for (int i = 0; i <= 20; ++i) {
        p.cue(QStringLiteral("wave\\音.wav"));
        top += Coord(i).pixels();
        p.place(Image1, Device(p.devicePos(Image1).x()), Device(top));
        p.tick();
    }
}

void Zoom(Page& p) {
    p.fillStyle(FillStyles::Solid);
    double A = 20, B = 50;
    for (int d = 1; d <= 4; ++d) {
        for (int c = 14; c >= 2; --c) {
            p.fillColour(QBColor(c));
            p.circle(320, 200, c * A + B, p.foreColour());
            p.tick();
            p.Sleep(30);
            p.cls();
        }
        B = B - 5 * d;
        A = A / d;
    }
}

void Ruler(Page& p) {
    // Every mark spans the tube from x 251 to 299.
    auto mark = [&p](double y, int colour) { p.line(251, y, 299, y, QBColor(colour)); };
    for (int i = 1; i <= 3; ++i) {
        mark(175 - 55 * i, 0);
        p.Sleep(10);
    }
    for (int i = 1; i <= 3; ++i) {
        mark(175 - 55 * i, 7);
        p.Sleep(10);
    }
    // Three marks climb at three speeds and leave the tube.
    for (int i = 1; i <= 120; ++i) {
        mark(120 - i, 0);
        mark(75 - 2 * i, 0);
        mark(20 - 3 * i, 0);
        p.pause(10);
        mark(120 - i, 15);
        mark(75 - 2 * i, 15);
        mark(20 - 3 * i, 15);
        p.Sleep(10);
    }
    // A fine scale appears, then its marks spread apart as if magnified.
    for (int i = 1; i <= 10; ++i) {
        mark(175 - 2 * i, 6);
        p.Sleep(10);
    }
    for (int i = 1; i <= 10; ++i) {
        mark(175 - 2 * i, 7);
        p.Sleep(10);
    }
    for (int j = 1; j <= 100; ++j) {
        for (int i = 1; i <= 10; ++i) {
            mark(175 - i * j, 6);
            p.events();
        }
        if (j == 100) break;
        for (int i = 1; i <= 10; ++i) {
            mark(175 - i * j, 7);
            p.Sleep(10);
        }
    }
}

void BoxZoom(Page& p) {
    for (int i = 1; i <= 280; ++i) {
        const double x1 = 320 - i, y1 = 200 - 2.0 * i / 3, x2 = 320 + i, y2 = 200 + 2.0 * i / 3;
        p.box(x1, y1, x2, y2, QBColor(6));
        p.pause(5);
        if (i != 280) p.box(x1, y1, x2, y2, QBColor(15));
    }
}

void RandomBubbles(Page& p) {
    Randomize();
    p.fillStyle(FillStyles::Solid);
    for (int s = 1; s <= 5; ++s) {
        for (int k = 1; k <= 310 - 60 * s; ++k) {
            const QRgb colour = QBColor(int(15 * Rnd()));
            const double x = 640 * Rnd();
            const double y = 320 * Rnd();
            p.fillColour(colour);
            p.circle(x, y, 10 * s, colour);
            p.seconds(0.1);
        }
        p.cls();
    }
}

void Orbits(Page& p) {
    matter::Orbits(p, true, [&p] { p.tick(); });
}

void Explosion(Page& p) {
    // Rings, not discs: whatever fill the earlier drawings left must not fill them.
    p.fillStyle(FillStyles::Transparent);
    for (int shot = 0; shot < 2; ++shot) {
        p.cue(QStringLiteral("\\wave\\大砲.wav"));
        for (int r = 1; r <= 200; r += 4) {
            p.circle(320, 200, r, QBColor(14));
            p.circle(320, 200, r + 2, QBColor(14));
            p.seconds(0.005);
            p.circle(320, 200, r, QBColor(0));
            p.circle(320, 200, r + 2, QBColor(0));
        }
    }
}

} // namespace matter::klass::animations

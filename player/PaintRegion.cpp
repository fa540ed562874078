#include "player/PaintRegion.h"

#include "player/Canvas.h"

#include <QImage>
#include <QRect>
#include <vector>

QRect floodFillToBorder(QImage& image, int x, int y, QRgb fill, QRgb border) {
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    const int w = image.width(), h = image.height();
    if (x < 0 || y < 0 || x >= w || y >= h) return {};
    fill |= 0xff000000;
    border |= 0xff000000;
    auto row = [&](int yy) { return reinterpret_cast<QRgb*>(image.scanLine(yy)); };
    // A pixel is open while it is neither border nor already filled. Filling with the
    // border colour itself would never stop on its own, so filled pixels are remembered.
    std::vector<unsigned char> done(size_t(w) * size_t(h), 0);
    auto open = [&](int xx, int yy) {
        return !done[size_t(yy) * size_t(w) + size_t(xx)] && (row(yy)[xx] | 0xff000000) != border;
    };
    if (!open(x, y)) return {};
    QRect bounds;
    // Scanline fill: each stack entry is a seed; its whole run is filled at once and the
    // rows above and below are scanned for new runs.
    std::vector<QPoint> stack{{x, y}};
    while (!stack.empty()) {
        const QPoint s = stack.back();
        stack.pop_back();
        const int yy = s.y();
        if (!open(s.x(), yy)) continue;
        int l = s.x(), r = s.x();
        while (l > 0 && open(l - 1, yy))
            --l;
        while (r < w - 1 && open(r + 1, yy))
            ++r;
        QRgb* line = row(yy);
        for (int i = l; i <= r; ++i) {
            line[i] = fill;
            done[size_t(yy) * size_t(w) + size_t(i)] = 1;
        }
        bounds |= QRect(l, yy, r - l + 1, 1);
        for (int ny : {yy - 1, yy + 1}) {
            if (ny < 0 || ny >= h) continue;
            bool inRun = false;
            for (int i = l; i <= r; ++i) {
                const bool o = open(i, ny);
                if (o && !inRun) stack.push_back({i, ny});
                inRun = o;
            }
        }
    }
    return bounds;
}

void PaintRegion(Canvas& target, std::int16_t x, std::int16_t y, QRgb fillColor, QRgb borderColor) {
    target.FillStyle = FillStyles::Solid;
    target.FillColor = fillColor;
    const QRect filled = floodFillToBorder(target.image(), x, y, fillColor, borderColor);
    target.presentationFill(x, y, fillColor, borderColor, filled);
    target.touched(filled);
}

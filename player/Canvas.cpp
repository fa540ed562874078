#include "player/Canvas.h"

#include "player/PaintRegion.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>
#include <cmath>
#include <numbers>
#include <optional>

int pointsToPixels(double points) {
    return qRound(points * 96.0 / 72.0);
}

QFont uiFont(double points, bool bold, bool italic) {
    QFont f;
    f.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                   QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic")});
    f.setPixelSize(std::max(1, pointsToPixels(points)));
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

namespace {
TextRecorder textRecorder;
} // namespace

TextRecorder setTextRecorder(TextRecorder recorder) {
    return std::exchange(textRecorder, std::move(recorder));
}

void recordText(const QString& text, bool continues) {
    if (textRecorder && !text.trimmed().isEmpty()) textRecorder(text, continues);
}

namespace {
PrintObserver* printObserver = nullptr;
} // namespace

void setPrintObserver(PrintObserver* observer) {
    printObserver = observer;
}

namespace {
constexpr double kTwoPi = 2 * std::numbers::pi;
// Pixel coordinates are clamped far outside any canvas so that wild values neither
// overflow nor make the painter walk huge spans.
int clampPx(double v) {
    return int(std::lround(std::clamp(v, -100000.0, 100000.0)));
}

QPainter& setupPainter(QPainter& p, QRgb color, int width) {
    p.setRenderHint(QPainter::Antialiasing, false);
    QPen pen{QColor::fromRgb(color)};
    pen.setWidth(std::max(1, width));
    pen.setCapStyle(width > 1 ? Qt::RoundCap : Qt::SquareCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    return p;
}

// Painters on the large copy: in image pixels, scaled. A stroke of the image covers the
// pixels its aliased pen touches, whose centres lie half a pixel right of and below the
// point; the large copy's strokes are centred there too, so a box's outline and its fill,
// or a line and the region it bounds, meet as they do in the image.
void largeFills(QPainter& p, double f) {
    p.scale(f, f);
}
void largeStrokes(QPainter& p, double f) {
    p.scale(f, f);
    p.translate(0.5, 0.5);
}
} // namespace

Canvas::Canvas() : image_(1, 1, QImage::Format_RGB32) {
    image_.fill(back_);
}

void Canvas::resizeCanvas(int w, int h) {
    w = std::max(1, w);
    h = std::max(1, h);
    if (image_.width() == w && image_.height() == h) return;
    QImage next(w, h, QImage::Format_RGB32);
    next.fill(back_);
    {
        QPainter p(&next);
        p.drawImage(0, 0, image_);
    }
    image_ = std::move(next);
    if (user_) setScale(ox_, oy_, ox_ + uw_, oy_ + uh_);
    if (!large_.isNull()) seedLarge();
    changed(image_.rect());
}

void Canvas::setPresentationFactor(double factor) {
    if (!(factor > 1.0) || !std::isfinite(factor) || factor > 16) {
        large_ = QImage();
        factor_ = 1.0;
        return;
    }
    if (!large_.isNull() && factor == factor_) return;
    factor_ = factor;
    seedLarge();
}

void Canvas::seedLarge() {
    // Pixel for pixel enlarged, exact colours kept: region fills on the copy stop at the
    // same borders as on the image.
    const QSize size(int(std::ceil(image_.width() * factor_)), int(std::ceil(image_.height() * factor_)));
    large_ = image_.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QRect Canvas::largeBlock(const QRect& r) const {
    const double f = factor_;
    return QRect(QPoint(int(std::floor(r.left() * f)), int(std::floor(r.top() * f))),
                 QPoint(int(std::ceil((r.right() + 1) * f)) - 1, int(std::ceil((r.bottom() + 1) * f)) - 1));
}

void Canvas::presentationFill(int x, int y, QRgb fill, QRgb border, const QRect& filled) {
    if (large_.isNull() || filled.isEmpty()) return;
    const double f = factor_;
    // Where the copy's borders have a gap the image's lack, the fill would run beyond
    // them: then the image's filled pixels are copied instead, enlarged.
    const QImage before = large_.copy();
    const QRect big = floodFillToBorder(large_, int((x + 0.5) * f), int((y + 0.5) * f), fill, border);
    if (!largeBlock(filled).adjusted(-2, -2, 2, 2).contains(big)) {
        large_ = before;
        QPainter p(&large_);
        largeFills(p, f);
        const QRgb c = fill | 0xff000000;
        for (int yy = filled.top(); yy <= filled.bottom(); ++yy) {
            const QRgb* row = reinterpret_cast<const QRgb*>(image_.constScanLine(yy));
            for (int xx = filled.left(); xx <= filled.right(); ++xx)
                if ((row[xx] | 0xff000000) == c) p.fillRect(QRectF(xx, yy, 1, 1), QColor::fromRgb(c));
        }
    }
}

void Canvas::setBackColor(QRgb c) {
    c |= 0xff000000;
    if (c == back_) return;
    back_ = c;
    image_.fill(back_);
    if (!large_.isNull()) large_.fill(back_);
    if (printObserver) printObserver->cleared(*this);
    changed(image_.rect());
}

void Canvas::setScale(double x1, double y1, double x2, double y2) {
    if (x2 == x1 || y2 == y1) return;
    user_ = true;
    ox_ = x1;
    oy_ = y1;
    uw_ = x2 - x1;
    uh_ = y2 - y1;
    kx_ = image_.width() / uw_;
    ky_ = image_.height() / uh_;
}

void Canvas::setScalePixels() {
    user_ = false;
    ox_ = oy_ = 0;
    kx_ = ky_ = 1;
}

double Canvas::ScaleWidth() const {
    return user_ ? uw_ : image_.width();
}
double Canvas::ScaleHeight() const {
    return user_ ? uh_ : image_.height();
}

QPoint Canvas::toPixel(double x, double y) const {
    return {clampPx(sx(x)), clampPx(sy(y))};
}

void Canvas::Line(double x1, double y1, double x2, double y2, QRgb color, LineMode mode) {
    const QPoint a = toPixel(x1, y1), b = toPixel(x2, y2);
    CurrentX = x2;
    CurrentY = y2;
    const QRect box = QRect(a, b).normalized();
    const int w = DrawWidth;
    QPainter p(&image_);
    setupPainter(p, color, w);
    if (mode == LineMode::Line) {
        if (a == b)
            p.drawPoint(a);
        else
            p.drawLine(a, b);
    } else if (mode == LineMode::BoxFilled) {
        p.fillRect(box, QColor::fromRgb(color));
    } else {
        if (FillStyle == FillStyles::Solid) p.fillRect(box, QColor::fromRgb(FillColor));
        // An aliased outline of rect r covers r.width() + 1 pixels: give it the box less one.
        p.drawRect(QRect(box.topLeft(), box.size() - QSize(1, 1)));
    }
    if (!large_.isNull()) {
        QPainter q(&large_);
        setupPainter(q, color, w);
        if (mode == LineMode::Line) {
            largeStrokes(q, factor_);
            if (a == b)
                q.drawPoint(a);
            else
                q.drawLine(a, b);
        } else if (mode == LineMode::BoxFilled) {
            largeFills(q, factor_);
            q.fillRect(box, QColor::fromRgb(color));
        } else {
            largeFills(q, factor_);
            if (FillStyle == FillStyles::Solid) q.fillRect(box, QColor::fromRgb(FillColor));
            q.translate(0.5, 0.5);
            q.drawRect(QRect(box.topLeft(), box.size() - QSize(1, 1)));
        }
    }
    touched(box.adjusted(-w, -w, w, w));
}

void Canvas::Circle(double x, double y, double r, QRgb color, double start, double end, double aspect) {
    CurrentX = x;
    CurrentY = y;
    if (!(r > 0) || !(aspect > 0) || !std::isfinite(r)) return;
    const QPoint c = toPixel(x, y);
    double rx = r * std::fabs(kx_), ry = r * std::fabs(kx_);
    if (aspect > 1)
        rx = ry / aspect;
    else
        ry = rx * aspect;
    const int irx = clampPx(rx), iry = clampPx(ry);
    const QRect rect(c.x() - irx, c.y() - iry, 2 * irx, 2 * iry);
    const bool whole = start == NoAngle && end == NoAngle;
    const bool fill = FillStyle == FillStyles::Solid;
    auto draw = [&](QPainter& p) {
        setupPainter(p, color, DrawWidth);
        if (whole) {
            if (fill) p.setBrush(QColor::fromRgb(FillColor));
            if (irx == 0 && iry == 0)
                p.drawPoint(c);
            else
                p.drawEllipse(rect);
            return;
        }
        double a0 = start == NoAngle ? 0.0 : start;
        double a1 = end == NoAngle ? kTwoPi : end;
        const bool radius0 = a0 < 0, radius1 = a1 < 0;
        a0 = std::fabs(a0);
        a1 = std::fabs(a1);
        double span = a1 - a0;
        while (span < 0)
            span += kTwoPi;
        const int s16 = int(std::lround(a0 * 180.0 / std::numbers::pi * 16.0));
        const int span16 = int(std::lround(span * 180.0 / std::numbers::pi * 16.0));
        if (radius0 && radius1) {
            if (fill) p.setBrush(QColor::fromRgb(FillColor));
            p.drawPie(rect, s16, span16);
        } else {
            p.drawArc(rect, s16, span16);
            auto spoke = [&](double a) {
                p.drawLine(c, QPoint(clampPx(c.x() + irx * std::cos(a)), clampPx(c.y() - iry * std::sin(a))));
            };
            if (radius0) spoke(a0);
            if (radius1) spoke(a1);
        }
    };
    {
        QPainter p(&image_);
        draw(p);
    }
    if (!large_.isNull()) {
        QPainter q(&large_);
        largeStrokes(q, factor_);
        draw(q);
    }
    const int w = DrawWidth;
    touched(rect.adjusted(-w - 1, -w - 1, w + 1, w + 1));
}

void Canvas::PSet(double x, double y, QRgb color) {
    const QPoint pt = toPixel(x, y);
    CurrentX = x;
    CurrentY = y;
    if (DrawWidth <= 1) {
        // Written straight into the bits: clouds of thousands of dots stay cheap.
        if (image_.rect().contains(pt)) {
            reinterpret_cast<QRgb*>(image_.scanLine(pt.y()))[pt.x()] = color | 0xff000000;
            if (!large_.isNull()) {
                // The pixel's block of the copy, written straight into its bits too.
                const QRect b = largeBlock(QRect(pt, QSize(1, 1))).intersected(large_.rect());
                for (int yy = b.top(); yy <= b.bottom(); ++yy)
                    std::fill_n(reinterpret_cast<QRgb*>(large_.scanLine(yy)) + b.left(), b.width(),
                                color | 0xff000000);
            }
            touched(QRect(pt, QSize(1, 1)));
        }
        return;
    }
    QPainter p(&image_);
    setupPainter(p, color, DrawWidth);
    p.drawPoint(pt);
    if (!large_.isNull()) {
        QPainter q(&large_);
        setupPainter(q, color, DrawWidth);
        largeStrokes(q, factor_);
        q.drawPoint(pt);
    }
    touched(QRect(pt, QSize(1, 1)).adjusted(-DrawWidth, -DrawWidth, DrawWidth, DrawWidth));
}

QRgb Canvas::Point(double x, double y) const {
    const QPoint pt = toPixel(x, y);
    if (!image_.rect().contains(pt)) return 0;
    return image_.pixel(pt);
}

QFont Canvas::currentFont() const {
    QFont f = uiFont(FontSize, FontBold, FontItalic);
    // Exact colours on the canvas: no blended edge pixels that a region fill would stop at
    // or that reprinting in the background colour would leave behind.
    f.setStyleStrategy(QFont::NoAntialias);
    if (!FontName.isEmpty()) {
        QStringList families = f.families();
        families.prepend(FontName);
        f.setFamilies(families);
    }
    return f;
}

double Canvas::TextWidth(const QString& text) const {
    return QFontMetrics(currentFont()).horizontalAdvance(text) / std::fabs(kx_);
}

double Canvas::TextHeight(const QString&) const {
    return QFontMetrics(currentFont()).height() / std::fabs(ky_);
}

void Canvas::printText(const QString& text, bool newline) {
    // Text printed in the background colour erases what was printed there before: it
    // says nothing new.
    if ((ForeColor | 0xff000000) != back_)
        recordText(text, pieceEnded_ && CurrentX == pieceEndX_ && CurrentY == pieceEndY_);
    const QFont font = currentFont();
    const QFontMetrics fm(font);
    const QStringList lines = QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")).split('\n');
    QPainter p(&image_);
    p.setFont(font);
    p.setPen(QColor::fromRgb(ForeColor));
    // The large copy prints the same font at its own size: glyphs drawn for that size, not
    // enlarged.
    std::optional<QPainter> q;
    if (!large_.isNull()) {
        q.emplace(&large_);
        largeFills(*q, factor_);
        q->setFont(font);
        q->setPen(QColor::fromRgb(ForeColor));
    }
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const QPoint at = toPixel(CurrentX, CurrentY);
        if (!line.isEmpty()) {
            p.drawText(at.x(), at.y() + fm.ascent(), line);
            if (q) q->drawText(at.x(), at.y() + fm.ascent(), line);
            if (printObserver) printObserver->printed(*this, at, font, ForeColor | 0xff000000, line);
            touched(QRect(at, QSize(fm.horizontalAdvance(line) + fm.maxWidth(), fm.height())));
        }
        const bool last = i == lines.size() - 1;
        if (last && !newline) {
            CurrentX += fm.horizontalAdvance(line) / std::fabs(kx_);
        } else {
            // After a line break the next line starts at the left edge.
            CurrentX = ox_;
            CurrentY += fm.height() / std::fabs(ky_);
        }
    }
    pieceEnded_ = !newline;
    pieceEndX_ = CurrentX;
    pieceEndY_ = CurrentY;
}

void Canvas::Print(const QString& text) {
    printText(text, true);
}
void Canvas::PrintPiece(const QString& text) {
    printText(text, false);
}
void Canvas::Print() {
    printText(QString(), true);
}

void Canvas::Cls() {
    image_.fill(back_);
    if (!large_.isNull()) large_.fill(back_);
    if (printObserver) printObserver->cleared(*this);
    CurrentX = ox_;
    CurrentY = oy_;
    changed(image_.rect());
}

void Canvas::drawImage(int x, int y, const QImage& img) {
    if (img.isNull()) return;
    {
        QPainter p(&image_);
        p.drawImage(x, y, img);
    }
    if (!large_.isNull()) {
        // A picture has no more detail than it has pixels: enlarged smoothly.
        QPainter q(&large_);
        largeFills(q, factor_);
        q.setRenderHint(QPainter::SmoothPixmapTransform);
        q.drawImage(QRectF(x, y, img.width(), img.height()), img);
    }
    touched(QRect(QPoint(x, y), img.size()));
}

#include "driver/Layout.h"

#include <QHash>
#include <QLabel>
#include <QPainter>
#include <QWidget>

#include <vector>

namespace layout {

namespace {

quint64 key(QPoint p) {
    return (quint64(quint32(p.y())) << 32) | quint32(p.x());
}

QRect boundsOf(const QList<QPoint>& ink) {
    QRect r;
    for (QPoint p : ink)
        r |= QRect(p, QSize(1, 1));
    return r;
}

// The widgets drawn over `w` inside `top`: at every level up to `top`, the visible
// siblings stacked after it (later children are on top).
QList<const QWidget*> coveringWidgets(const QWidget& w, const QWidget& top) {
    QList<const QWidget*> over;
    for (const QWidget* at = &w; at && at != &top; at = at->parentWidget()) {
        const QWidget* parent = at->parentWidget();
        if (!parent) break;
        bool after = false;
        for (const QObject* o : parent->children()) {
            if (o == at) {
                after = true;
                continue;
            }
            const auto* sibling = qobject_cast<const QWidget*>(o);
            if (after && sibling && sibling->isVisible() && !sibling->isWindow()) over << sibling;
        }
    }
    return over;
}

// The pixels of a line's ink, as a mask over its bounds: looked up for every pixel.
class InkMask {
public:
    InkMask(const QList<QPoint>& ink, QRect bounds)
        : bounds_(bounds), set_(size_t(bounds.width()) * bounds.height()) {
        for (QPoint p : ink)
            set_[index(p)] = 1;
    }
    bool contains(QPoint p) const { return bounds_.contains(p) && set_[index(p)]; }

private:
    size_t index(QPoint p) const {
        return size_t(p.y() - bounds_.top()) * bounds_.width() + size_t(p.x() - bounds_.left());
    }
    QRect bounds_;
    std::vector<char> set_;
};

// An ink pixel stands out when a pixel beside it that is not ink of the same line has
// another colour; one inside a stroke (all four neighbours ink) stands out with its
// stroke.
bool standsOut(const QImage& picture, QPoint p, QRgb colour, const InkMask& ink) {
    bool inside = true;
    for (QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
        const QPoint q = p + d;
        if (ink.contains(q)) continue;
        inside = false;
        if (!picture.rect().contains(q) || (picture.pixel(q) | 0xff000000) != colour) return true;
    }
    return inside;
}

// The colour a line stands on: the commonest one of the pixels around its glyphs inside
// its bounds, as the canvas has them when it is printed.
QRgb groundOf(const QImage& image, const QList<QPoint>& ink, QRect bounds, QRgb fallback) {
    const InkMask glyphs(ink, bounds);
    QHash<QRgb, int> count;
    const QRect r = bounds & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (!glyphs.contains(QPoint(x, y))) ++count[image.pixel(x, y) | 0xff000000];
    QRgb best = fallback;
    int most = 0;
    for (auto it = count.cbegin(); it != count.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            best = it.key();
        }
    return best;
}

QRect inTop(const QWidget& w, const QWidget& top) {
    return QRect(w.mapTo(&top, QPoint(0, 0)), w.size());
}

// A label: the share of its text's area inside the client area and under no other widget.
Measure measureLabel(const QLabel& label, const QWidget& window) {
    const QRect all = inTop(label, window);
    // The text itself, as the label lays it out from its top-left corner.
    const QSize text = label.fontMetrics().size(0, label.text());
    const QRect r(all.topLeft(), text.boundedTo(all.size()));
    Measure m{r, 1.0, label.text()};
    if (r.isEmpty()) return m;
    const QList<const QWidget*> over = coveringWidgets(label, window);
    const QRect client = window.rect();
    qint64 seen = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QPoint p(x, y);
            if (!client.contains(p)) continue;
            bool covered = false;
            for (const QWidget* o : over)
                if (inTop(*o, window).contains(p)) {
                    covered = true;
                    break;
                }
            seen += !covered;
        }
    m.inkVisible = double(seen) / (qint64(r.width()) * r.height());
    return m;
}

QString csvField(QString s) {
    if (s.contains(QLatin1Char(',')) || s.contains(QLatin1Char('"')) || s.contains(QLatin1Char('\n'))) {
        s.replace(QLatin1String("\""), QLatin1String("\"\""));
        return QLatin1Char('"') + s + QLatin1Char('"');
    }
    return s;
}

} // namespace

Check::Check() {
    setPrintObserver(this);
}

Check::~Check() {
    setPrintObserver(nullptr);
}

void Check::beginStep() {
    lines_.clear();
}

void Check::printed(const Canvas& canvas, QPoint at, const QFont& font, QRgb colour, const QString& line) {
    if (line.trimmed().isEmpty()) return;
    const bool erases = colour == (canvas.backColor() | 0xff000000);
    QList<QPoint> ink = inkOf(at, font, line);
    const QRect bounds = boundsOf(ink);
    const QRgb ground = groundOf(canvas.image(), ink, bounds, canvas.backColor() | 0xff000000);
    lines_.append({&canvas, at, colour, line, std::move(ink), bounds, erases, ground});
}

void Check::cleared(const Canvas& canvas) {
    lines_.removeIf([&](const Line& l) { return l.canvas == &canvas; });
}

QList<QPoint> Check::inkOf(QPoint at, const QFont& font, const QString& line) {
    // The glyphs drawn again on their own, with the canvas's own unblended font, give
    // exactly the pixels the canvas got.
    const QFontMetrics fm(font);
    const QSize size(fm.horizontalAdvance(line) + fm.maxWidth(), fm.height());
    QImage mask(size, QImage::Format_RGB32);
    mask.fill(Qt::black);
    {
        QPainter p(&mask);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(0, fm.ascent(), line);
    }
    QList<QPoint> ink;
    for (int y = 0; y < mask.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = 0; x < mask.width(); ++x)
            if (row[x] & 0x00ffffff) ink << at + QPoint(x, y);
    }
    return ink;
}

QList<Measure> Check::measureLines(const Canvas& canvas, const QImage& picture) const {
    // Which line set each pixel last: a later line over an earlier one hides it.
    QHash<quint64, int> last;
    // Which line printed in the background colour went over each pixel last: a line
    // printed over that way is taken away even where a later line sets the same pixels
    // again ("You are wrong!" wiped, then "You are right!" on the same spot).
    QHash<quint64, int> lastErased;
    for (int i = 0; i < lines_.size(); ++i)
        if (lines_[i].canvas == &canvas)
            for (QPoint p : lines_[i].ink) {
                last.insert(key(p), i);
                if (lines_[i].erases) lastErased.insert(key(p), i);
            }
    const QImage& drawn = canvas.image();
    QList<Measure> out;
    for (int i = 0; i < lines_.size(); ++i) {
        const Line& l = lines_[i];
        if (l.canvas != &canvas || l.erases || l.ink.isEmpty()) continue;
        const InkMask ink(l.ink, l.bounds);
        // The same line printed again on the same spot is measured once, as it stands last.
        bool again = false;
        for (int j = i + 1; j < lines_.size() && !again; ++j)
            again = lines_[j].canvas == &canvas && !lines_[j].erases && lines_[j].text == l.text &&
                    lines_[j].origin == l.origin && lines_[j].colour == l.colour;
        if (again) continue;
        qint64 onCanvas = 0, kept = 0, seen = 0, wiped = 0, distinct = 0, grounded = 0;
        QHash<QRgb, qint64> lostTo;
        for (QPoint p : l.ink) {
            if (!drawn.rect().contains(p)) continue; // off the canvas: never seen
            ++onCanvas;
            wiped += lastErased.value(key(p), -1) > i;
            if ((drawn.pixel(p) | 0xff000000) != l.colour) {
                const QRgb now = drawn.pixel(p) | 0xff000000;
                grounded += now == l.ground || now == (canvas.backColor() | 0xff000000);
                ++lostTo[now];
                continue;
            }
            ++kept;
            distinct += standsOut(drawn, p, l.colour, ink);
            // Shown where no widget covers it and no later text was printed over it, and
            // told apart from what is around it: white ink on a white screen is not read.
            const bool shown = picture.rect().contains(p) && (picture.pixel(p) | 0xff000000) == l.colour;
            if (shown && last.value(key(p), i) == i && standsOut(picture, p, l.colour, ink)) ++seen;
        }
        // A text whose ink the canvas itself has mostly lost was taken away by the lesson:
        // printed over in the background colour, cleared, or wiped by a box of the strip
        // it stands in, or by a fill of its own colour around it. Over the text of another
        // colour the same box would be a drawing that hides it, but a text wiped whole is
        // gone, not hidden.
        // Lost under a drawing of another colour than its ground or the canvas's background
        // (a square drawn over the narration), it is hidden, not erased.
        // A strip repainted in a new colour for the next text on the same spot wipes the
        // old text too.
        QRgb covering = 0;
        for (auto it = lostTo.cbegin(); it != lostTo.cend(); ++it)
            if (it.value() > lostTo.value(covering, 0)) covering = it.key();
        bool restriped = false;
        for (int j = i + 1; j < lines_.size() && !restriped && kept * 2 < onCanvas; ++j)
            restriped = lines_[j].canvas == &canvas && !lines_[j].erases && lines_[j].ground == covering &&
                        lines_[j].bounds.intersects(l.bounds);
        const bool lostToGround = grounded * 2 >= onCanvas - kept || restriped;
        if (onCanvas > 0 && ((kept * 2 < onCanvas && lostToGround) || wiped * 2 > onCanvas ||
                             (kept * 2 >= onCanvas && distinct * 2 < onCanvas)))
            continue;
        const qint64 total = l.ink.size();
        out.append({l.bounds, double(seen) / double(total), l.text});
    }
    return out;
}

QList<Measure> Check::measure(const QWidget& window, const QImage& picture) const {
    QList<Measure> out;
    if (const auto* canvas = dynamic_cast<const Canvas*>(&window)) out = measureLines(*canvas, picture);
    const QList<QLabel*> labels = window.findChildren<QLabel*>();
    for (const QLabel* label : labels)
        if (label->isVisibleTo(&window) && !label->text().trimmed().isEmpty() && label->pixmap().isNull())
            out.append(measureLabel(*label, window));
    return out;
}

QString csvHeader() {
    return QStringLiteral("scale,picture,x,y,width,height,ink_visible,text");
}

QString csvRow(const QString& scale, const QString& picture, const Measure& m) {
    return QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8")
        .arg(scale, csvField(picture))
        .arg(m.rect.x())
        .arg(m.rect.y())
        .arg(m.rect.width())
        .arg(m.rect.height())
        .arg(m.inkVisible, 0, 'f', 3)
        .arg(csvField(m.text));
}

} // namespace layout

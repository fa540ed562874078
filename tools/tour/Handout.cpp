#include "tools/tour/Handout.h"

#include "player/Canvas.h"
#include "tools/tour/WholeFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTextStream>
#include <optional>

namespace tour {

QString scaleName(double s) {
    return QString::number(s);
}

QString itemHeading(const ItemReport& rep) {
    QString h = QStringLiteral("%1. %2")
                    .arg(rep.item.number)
                    .arg(driver::menuLabel(rep.item.course, rep.item.number));
    QStringList procedures = rep.run.procedures;
    // The item the introduction hands over to has its own section.
    if (rep.run.outcome == driver::Outcome::HandedOver && procedures.size() > 1) procedures.removeLast();
    if (!procedures.isEmpty()) h += QStringLiteral(" (%1)").arg(procedures.join(QStringLiteral(", ")));
    return h;
}

QString outcomeText(const driver::ItemRun& run) {
    switch (run.outcome) {
    case driver::Outcome::Ended: return QString();
    case driver::Outcome::HandedOver: return QStringLiteral("ここで次の項目に引き継ぎます。");
    case driver::Outcome::Failed: return QStringLiteral("エラー: ") + run.message;
    }
    return QString();
}

// ---- the index page ----

bool writeIndex(const QString& root, const Summary& summary, const QList<ItemReport>& reports) {
    QByteArray page;
    QTextStream out(&page, QIODevice::WriteOnly);
    out.setEncoding(QStringConverter::Utf8);
    auto esc = [](const QString& s) { return s.toHtmlEscaped(); };
    out << "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
        << "<title>" << esc(summary.title) << "</title>\n<style>\n"
        << "body { font-family: sans-serif; margin: 1.5em; color: #222; }\n"
        << "h1 { font-size: 1.5em; } h2 { margin-top: 2em; border-bottom: 2px solid #888; }\n"
        << "h3 { margin-top: 1.5em; } h4 { margin: 1.2em 0 0.4em; }\n"
        << ".grid { display: flex; flex-wrap: wrap; gap: 10px; }\n"
        << "figure { margin: 0; width: 240px; }\n"
        << "figure img { width: 240px; border: 1px solid #999; display: block; }\n"
        << "figcaption { font-size: 0.8em; line-height: 1.3; margin-top: 2px; }\n"
        << "figcaption b { font-family: monospace; }\n"
        << ".said { margin-top: 3px; color: #000; }\n"
        << ".note { font-size: 0.85em; color: #a40; }\n"
        << "@media print { body { margin: 0; } h2 { break-before: page; } figure { break-inside: avoid; } }\n"
        << "</style>\n</head>\n<body>\n";
    out << "<h1>" << esc(summary.title) << "</h1>\n<p>" << esc(summary.about)
        << "画像をクリックすると原寸で開きます。</p>\n";
    for (double scale : summary.scales) {
        out << "<h2>表示倍率 gScale " << esc(scaleName(scale)) << "</h2>\n";
        if (summary.ready.contains(scale)) {
            const QString r = summary.ready.value(scale);
            out << "<div class=\"grid\"><figure><a href=\"" << esc(r) << "\"><img src=\"" << esc(r)
                << "\" loading=\"lazy\" alt=\"\"></a><figcaption><b>frmStart</b> "
                   "スタート画面</figcaption></figure></div>\n";
        }
        std::optional<driver::Course> course;
        for (const ItemReport& rep : reports) {
            if (rep.scale != scale) continue;
            if (course != rep.item.course) {
                course = rep.item.course;
                out << "<h3>" << esc(driver::courseTitle(*course)) << "</h3>\n";
            }
            out << "<h4>" << esc(itemHeading(rep)) << "</h4>\n";
            const QString note = outcomeText(rep.run);
            if (!note.isEmpty()) out << "<p class=\"note\">" << esc(note) << "</p>\n";
            out << "<div class=\"grid\">\n";
            for (const Picture& p : rep.pictures) {
                out << "<figure><a href=\"" << esc(p.file) << "\"><img src=\"" << esc(p.file)
                    << "\" loading=\"lazy\" alt=\"" << esc(p.title) << "\"></a><figcaption><b>"
                    << esc(p.title) << "</b>";
                if (!p.details.isEmpty()) out << "<br>" << esc(p.details);
                if (!p.text.isEmpty()) {
                    QStringList lines;
                    for (const QString& line : p.text)
                        lines << esc(line);
                    out << "<div class=\"said\">" << lines.join(QStringLiteral("<br>")) << "</div>";
                }
                out << "</figcaption></figure>\n";
            }
            out << "</div>\n";
        }
    }
    out << "</body>\n</html>\n";
    out.flush();
    QString error;
    return out.status() == QTextStream::Ok &&
           writeWholeFile(root + QStringLiteral("/index.html"), page, &error);
}

// ---- the handout ----

namespace {

// A4 pages at 300 dots per inch; lengths are given in millimetres.
constexpr int kDpi = 300;
int mm(double v) {
    return int(v * kDpi / 25.4 + 0.5);
}

QFont handoutFont(double points, bool bold = false) {
    QFont f = uiFont(points, bold);
    f.setPointSizeF(points);
    return f;
}

// Lays out a page after another, top to bottom, inside the margins.
class Pages {
public:
    Pages(QPdfWriter& writer, QPainter& painter) : writer_(writer), p_(painter) {}
    int width() const { return writer_.width(); }
    int height() const { return writer_.height(); }
    int y = 0;

    void newPage() {
        writer_.newPage();
        y = 0;
    }
    // Starts a new page unless h more fits on this one (a fresh page takes anything).
    void need(int h) {
        if (y > 0 && y + h > height()) newPage();
    }
    // Wrapped text across the column from x of width w; returns its height.
    int paragraph(const QString& text, const QFont& font, int x, int w, QColor colour = Qt::black) {
        p_.setFont(font);
        p_.setPen(colour);
        const QRect r = p_.boundingRect(QRect(x, y, w, height()), Qt::TextWordWrap | Qt::AlignLeft, text);
        need(r.height());
        const QRect at(x, y, w, r.height());
        p_.drawText(at, Qt::TextWordWrap | Qt::AlignLeft, text);
        y += r.height();
        return r.height();
    }

private:
    QPdfWriter& writer_;
    QPainter& p_;
};

void drawPicture(QPainter& p, const QRect& box, const QImage& img) {
    // At about 200 dpi as printed: a page of pictures at full resolution would be huge.
    const QImage small = img.scaled(box.size() * 200 / kDpi, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // Lossless: the pictures are flat colours and thin lines, which JPEG would smear.
    p.setRenderHint(QPainter::LosslessImageRendering);
    p.drawImage(box, small);
    p.setPen(QPen(QColor(0x99, 0x99, 0x99), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box);
}

// The cover: what the handout is, how it was made, and the items it holds.
void writeCover(Pages& pages, const Summary& summary, const QList<ItemReport>& reports) {
    const int w = pages.width();
    pages.y = mm(30);
    pages.paragraph(summary.title, handoutFont(22, true), 0, w);
    pages.y += mm(4);
    pages.paragraph(QStringLiteral("教師用ハンドアウト — 各ステップの画面と、そのステップが表示した文"),
                    handoutFont(13), 0, w);
    pages.y += mm(6);
    pages.paragraph(summary.about, handoutFont(10), 0, w);
    pages.y += mm(8);
    for (double scale : summary.scales) {
        pages.paragraph(QStringLiteral("表示倍率 gScale %1").arg(scaleName(scale)), handoutFont(12, true), 0,
                        w);
        std::optional<driver::Course> course;
        for (const ItemReport& rep : reports) {
            if (rep.scale != scale) continue;
            if (course != rep.item.course) {
                course = rep.item.course;
                pages.y += mm(2);
                pages.paragraph(driver::courseTitle(*course), handoutFont(11, true), mm(5), w - mm(5));
            }
            pages.paragraph(QStringLiteral("%1 — %2 ステップ").arg(itemHeading(rep)).arg(rep.pictures.size()),
                            handoutFont(10), mm(10), w - mm(10));
        }
        pages.y += mm(4);
    }
}

// One step: its picture, and beside it the step's name and time, then everything it said.
// A step that printed nothing has its picture alone.
void writeStep(Pages& pages, QPainter& p, const QString& root, const Picture& pic) {
    const int picW = mm(80);
    const int gap = mm(5);
    const int textX = picW + gap;
    const int textW = pages.width() - textX;
    const QImage img(root + QLatin1Char('/') + pic.file);
    const int picH = img.isNull() ? mm(50) : picW * img.height() / std::max(1, img.width());
    pages.need(picH);
    const int top = pages.y;
    if (!img.isNull()) drawPicture(p, QRect(0, top, picW, picH), img);
    pages.paragraph(pic.title, handoutFont(9, true), textX, textW);
    if (!pic.details.isEmpty())
        pages.paragraph(pic.details, handoutFont(8), textX, textW, QColor(0x55, 0x55, 0x55));
    pages.y += mm(1);
    for (const QString& line : pic.text)
        pages.paragraph(line, handoutFont(10), textX, textW);
    // The text may have gone on to the next page; the next step starts below both.
    pages.y = (pages.y < top ? pages.y : std::max(pages.y, top + picH)) + gap;
}

// Every item from a fresh page, its heading first, then its steps.
void writeItems(Pages& pages, QPainter& p, const QString& root, const Summary& summary,
                const QList<ItemReport>& reports, const std::function<void(const QString&)>& onPicture) {
    const int w = pages.width();
    for (double scale : summary.scales) {
        for (const ItemReport& rep : reports) {
            if (rep.scale != scale) continue;
            pages.newPage();
            pages.paragraph(
                QStringLiteral("%1　gScale %2").arg(driver::courseTitle(rep.item.course), scaleName(scale)),
                handoutFont(10), 0, w, QColor(0x55, 0x55, 0x55));
            pages.paragraph(itemHeading(rep), handoutFont(16, true), 0, w);
            const QString note = outcomeText(rep.run);
            if (!note.isEmpty()) pages.paragraph(note, handoutFont(10), 0, w, QColor(0xaa, 0x44, 0x00));
            pages.y += mm(4);
            for (const Picture& pic : rep.pictures) {
                if (onPicture) onPicture(pic.file);
                writeStep(pages, p, root, pic);
            }
        }
    }
}

} // namespace

bool writeHandout(const QString& path, const QString& root, const Summary& summary,
                  const QList<ItemReport>& reports, QString* error,
                  const std::function<void(const QString&)>& onPicture) {
    // The PDF writer's painter keeps no write error of its device: the handout is made
    // in memory, and only the file's own writes decide whether it was written.
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(kDpi);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    writer.setTitle(summary.title);
    writer.setCreator(QStringLiteral("orvanth-tour"));
    QPainter p;
    if (!p.begin(&writer)) {
        *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    Pages pages(writer, p);
    writeCover(pages, summary, reports);
    writeItems(pages, p, root, summary, reports, onPicture);
    if (!p.end()) {
        *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    buffer.close();
    return writeWholeFile(path, pdf, error);
}

} // namespace tour

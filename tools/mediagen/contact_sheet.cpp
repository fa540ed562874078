#include "contact_sheet.h"

#include "paint_kit.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace mediagen {

namespace {

constexpr int kColumns = 5;
constexpr int kCellWidth = 260;
constexpr int kPictureCell = 200; // thumbnail area 240 x 160, label below
constexpr int kSoundCell = 120;
constexpr int kMargin = 10;
constexpr int kHeader = 44;

QString label(const MediaFile& file) {
    const QString path = QString::fromUtf8(file.path.data(), qsizetype(file.path.size()));
    if (file.isPicture()) return QStringLiteral("%1  %2×%3").arg(path).arg(file.width).arg(file.height);
    return QStringLiteral("%1  %2 s").arg(path).arg(file.millis / 1000.0, 0, 'f', 2);
}

void drawThumbnail(QPainter& p, const QRect& cell, const SheetEntry& entry) {
    const QRect area = cell.adjusted(10, 8, -10, -34);
    // A mid-grey mat shows where a black or white picture ends.
    p.fillRect(area, QColor(0x80, 0x80, 0x80));
    QSize size = entry.picture.size();
    // Small sprites are shown enlarged with hard pixels, so they can be judged.
    const bool sprite = size.width() <= 32 && size.height() <= 32;
    if (sprite)
        size *= std::min(area.width() / size.width(), area.height() / size.height()) / 2;
    else
        size.scale(area.size(), Qt::KeepAspectRatio);
    const QRect target(area.center().x() - size.width() / 2 + 1, area.center().y() - size.height() / 2 + 1,
                       size.width(), size.height());
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, !sprite);
    p.drawImage(target, entry.picture);
    p.restore();
    text(p, QRectF(cell.left() + 4, cell.bottom() - 32, cell.width() - 8, 28), label(*entry.file), gothic(12),
         ink::text, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextWordWrap);
}

void drawWaveform(QPainter& p, const QRect& cell, const SheetEntry& entry) {
    const QRect area = cell.adjusted(10, 8, -10, -34);
    p.fillRect(area, QColor(0x10, 0x18, 0x28));
    const std::vector<float>& s = entry.sound;
    const int columns = area.width();
    const qreal mid = area.center().y() + 0.5;
    const qreal half = area.height() / 2.0 - 2;
    p.setPen(QColor(0x7C, 0xD3, 0xFF));
    for (int x = 0; x < columns && !s.empty(); ++x) {
        const std::size_t from = s.size() * std::size_t(x) / std::size_t(columns);
        const std::size_t to = std::max(from + 1, s.size() * std::size_t(x + 1) / std::size_t(columns));
        float lo = 0, hi = 0;
        for (std::size_t i = from; i < to && i < s.size(); ++i) {
            lo = std::min(lo, s[i]);
            hi = std::max(hi, s[i]);
        }
        p.drawLine(QPointF(area.left() + x + 0.5, mid - hi * half),
                   QPointF(area.left() + x + 0.5, mid - lo * half));
    }
    text(p, QRectF(cell.left() + 4, cell.bottom() - 32, cell.width() - 8, 28), label(*entry.file), gothic(12),
         ink::text, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextWordWrap);
}

} // namespace

QImage contactSheet(const std::vector<SheetEntry>& entries) {
    const auto pictures =
        std::count_if(entries.begin(), entries.end(), [](auto& e) { return e.file->isPicture(); });
    const auto sounds = qsizetype(entries.size()) - pictures;
    const int pictureRows = int((pictures + kColumns - 1) / kColumns);
    const int soundRows = int((sounds + kColumns - 1) / kColumns);
    const int width = 2 * kMargin + kColumns * kCellWidth;
    const int height = kHeader + pictureRows * kPictureCell + soundRows * kSoundCell + 2 * kMargin;

    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(0xEC, 0xEC, 0xE8));
    QPainter p(&sheet);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    text(p, QRectF(kMargin, 0, width - 2 * kMargin, kHeader),
         QStringLiteral("Orvanth media: %1 pictures, %2 sounds").arg(pictures).arg(sounds), gothic(20, true),
         ink::text);

    int picture = 0;
    int sound = 0;
    for (const SheetEntry& entry : entries) {
        if (entry.file->isPicture()) {
            const QRect cell(kMargin + (picture % kColumns) * kCellWidth,
                             kHeader + (picture / kColumns) * kPictureCell, kCellWidth, kPictureCell);
            drawThumbnail(p, cell, entry);
            ++picture;
        } else {
            const int top = kHeader + pictureRows * kPictureCell;
            const QRect cell(kMargin + (sound % kColumns) * kCellWidth, top + (sound / kColumns) * kSoundCell,
                             kCellWidth, kSoundCell);
            drawWaveform(p, cell, entry);
            ++sound;
        }
    }
    return sheet;
}

} // namespace mediagen

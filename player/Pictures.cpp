#include "player/Pictures.h"

#include "player/Form.h"
#include "player/Sound.h"

#include <QFile>
#include <QImageReader>

QImage readPictureFile(const QString& path, QString* problem) {
    auto refuse = [&](const QString& why) {
        if (problem) *problem = why;
        return QImage();
    };
    // No decoder may allocate more than the largest picture accepted needs (4 bytes a
    // pixel), whatever a broken file claims further on.
    static const bool limited = [] {
        QImageReader::setAllocationLimit(int(qint64(kMaxPictureSide) * kMaxPictureSide * 4 / (1024 * 1024)));
        return true;
    }();
    (void)limited;
    QFile file;
    QString why;
    if (!openMediaFile(file, path, kMaxPictureFileBytes, &why)) return refuse(why);
    QImageReader reader(&file);
    reader.setAutoTransform(false);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) return refuse(QStringLiteral("no picture size in its header"));
    if (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide)
        return refuse(QStringLiteral("%1 x %2 pixels, more than %3 x %3")
                          .arg(size.width())
                          .arg(size.height())
                          .arg(kMaxPictureSide));
    QImage img = reader.read();
    if (img.isNull()) return refuse(reader.errorString());
    if (img.width() > kMaxPictureSide || img.height() > kMaxPictureSide)
        return refuse(QStringLiteral("larger than its header said"));
    return img.convertToFormat(QImage::Format_RGB32);
}

QImage loadMediaImage(const QString& relative) {
    if (relative.isEmpty()) return {};
    const QString path = mediaPath(relative);
    QString problem;
    QImage img = readPictureFile(path, &problem);
    if (img.isNull()) warnMediaOnce(path, problem);
    return img;
}

void LoadPicture(PictureBox& box, const QString& relative) {
    box.setPicture(loadMediaImage(relative));
}

void LoadPicture(PictureControl& control, const QString& relative) {
    control.setPicture(loadMediaImage(relative));
}

#include "player/Pictures.h"

#include "player/Form.h"
#include "player/Sound.h"

#include <QImageReader>

QImage loadMediaImage(const QString& relative) {
    if (relative.isEmpty()) return {};
    QImageReader reader(mediaPath(relative));
    reader.setAutoTransform(false);
    QImage img = reader.read();
    if (img.isNull()) return {};
    return img.convertToFormat(QImage::Format_RGB32);
}

void LoadPicture(PictureBox& box, const QString& relative) {
    box.setPicture(loadMediaImage(relative));
}

void LoadPicture(PictureControl& control, const QString& relative) {
    control.setPicture(loadMediaImage(relative));
}

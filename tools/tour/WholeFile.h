#pragma once
// Files the tour leaves are whole or absent: the bytes are made in memory first, then
// written beside the final name, every write checked, and renamed into place only once
// all of them went to disk. A full disk or a file-size limit leaves no file cut short.

#include <QByteArray>
#include <QString>

class QImage;

namespace tour {

// Writes bytes as the file at path. On failure nothing new is left under path and
// *error says why, in one line.
bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* error);

// The PNG encoding of an image, as QImage::save writes it to a file.
QByteArray pngBytes(const QImage& image);

} // namespace tour

#pragma once
// Pictures from the data folders. Names are written as the lessons write them, with
// "\" separators, relative to the application folder; a missing or unreadable file
// leaves the target empty, and an empty name clears it.

#include <QImage>
#include <QString>

class PictureBox;
class PictureControl;

// The largest picture file read, and the largest picture decoded. A file beyond either
// is used as missing; its header tells the size before anything is decoded.
inline constexpr qint64 kMaxPictureFileBytes = 32 * 1024 * 1024;
inline constexpr int kMaxPictureSide = 4096;

// Reads a picture file: only a regular file of at most kMaxPictureFileBytes whose header
// gives at most kMaxPictureSide pixels each way. A null image otherwise, with the reason
// in problem.
QImage readPictureFile(const QString& path, QString* problem = nullptr);

QImage loadMediaImage(const QString& relative);
void LoadPicture(PictureBox& box, const QString& relative);
void LoadPicture(PictureControl& control, const QString& relative);

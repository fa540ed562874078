#pragma once
// Pictures from the data folders. Names are written as the lessons write them, with
// "\" separators, relative to the application folder; a missing or unreadable file
// leaves the target empty, and an empty name clears it.

#include <QImage>
#include <QString>

class PictureBox;
class PictureControl;

QImage loadMediaImage(const QString& relative);
void LoadPicture(PictureBox& box, const QString& relative);
void LoadPicture(PictureControl& control, const QString& relative);

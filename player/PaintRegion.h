#pragma once
#include <QRgb>
#include <cstdint>

class Canvas;

// Fills the region around the seed pixel (x, y) that is bounded by pixels of the border
// colour, and leaves the canvas's fill style solid with the fill colour set, so shapes
// drawn later with filling come out in that colour. Never fails: a seed outside the
// canvas or on the border fills nothing.
void PaintRegion(Canvas& target, std::int16_t x, std::int16_t y, QRgb fillColor, QRgb borderColor);

// The fill itself on an image: every pixel connected to the seed that does not have the
// border colour gets the fill colour. Returns the bounding box of what changed.
class QImage;
class QRect;
QRect floodFillToBorder(QImage& image, int x, int y, QRgb fill, QRgb border);

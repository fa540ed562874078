// One PNG showing every picture as a labelled thumbnail and every sound as a
// labelled waveform, for reviewing the media at a glance.
#pragma once

#include "media.h"

#include <QImage>
#include <vector>

namespace mediagen {

struct SheetEntry {
    const MediaFile* file;
    QImage picture;           // pictures
    std::vector<float> sound; // sounds
};

QImage contactSheet(const std::vector<SheetEntry>& entries);

} // namespace mediagen

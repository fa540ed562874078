// The course media: one table row per file the lessons load, and the two
// ways a row turns into bytes (a picture drawn with QPainter, a sound
// synthesised sample by sample).
#pragma once

#include <QImage>
#include <span>
#include <string_view>
#include <vector>

class QPainter;

namespace mediagen {

// Draws a whole picture; the painter's device is width x height pixels and
// already filled white.
using DrawPicture = void (*)(QPainter& p, int width, int height);

// Returns exactly `samples` mono samples in [-1, 1] at kSampleRate.
using SynthSound = std::vector<float> (*)(int samples);

inline constexpr int kSampleRate = 22050;
// Fixed so that two runs write the same bytes.
inline constexpr int kJpegQuality = 90;

struct MediaFile {
    std::string_view path; // relative to the output folder, '/'-separated, UTF-8
    int width = 0;         // pictures: size in pixels
    int height = 0;
    int millis = 0; // sounds: length in milliseconds
    DrawPicture draw = nullptr;
    SynthSound synth = nullptr;

    constexpr bool isPicture() const { return draw != nullptr; }
    constexpr int sampleCount() const { return millis * kSampleRate / 1000; }
};

constexpr MediaFile picture(std::string_view path, int width, int height, DrawPicture draw) {
    return {path, width, height, 0, draw, nullptr};
}

constexpr MediaFile sound(std::string_view path, int millis, SynthSound synth) {
    return {path, 0, 0, millis, nullptr, synth};
}

// Every file of the data folders, in the order the courses meet them.
std::span<const MediaFile> mediaFiles();

QImage renderPicture(const MediaFile& file);
std::vector<float> renderSound(const MediaFile& file);

} // namespace mediagen

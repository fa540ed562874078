#include "wav.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace mediagen {

namespace {

void appendU32(QByteArray& out, std::uint32_t v) {
    char bytes[4];
    qToLittleEndian(v, bytes);
    out.append(bytes, 4);
}

void appendU16(QByteArray& out, std::uint16_t v) {
    char bytes[2];
    qToLittleEndian(v, bytes);
    out.append(bytes, 2);
}

} // namespace

QByteArray encodeWav(const std::vector<float>& samples, int sampleRate) {
    constexpr std::uint16_t channels = 1;
    constexpr std::uint16_t bitsPerSample = 16;
    constexpr std::uint16_t blockAlign = channels * bitsPerSample / 8;
    const auto dataBytes = std::uint32_t(samples.size() * blockAlign);

    QByteArray out;
    out.reserve(int(44 + dataBytes));
    out.append("RIFF", 4);
    appendU32(out, 36 + dataBytes);
    out.append("WAVE", 4);
    out.append("fmt ", 4);
    appendU32(out, 16);
    appendU16(out, 1); // PCM
    appendU16(out, channels);
    appendU32(out, std::uint32_t(sampleRate));
    appendU32(out, std::uint32_t(sampleRate) * blockAlign);
    appendU16(out, blockAlign);
    appendU16(out, bitsPerSample);
    out.append("data", 4);
    appendU32(out, dataBytes);
    for (float s : samples) {
        const float clipped = std::clamp(s, -1.0f, 1.0f);
        appendU16(out, std::uint16_t(std::int16_t(std::lround(clipped * 32767.0f))));
    }
    return out;
}

} // namespace mediagen

// Writing sounds as the simplest WAV the courses' sound player reads:
// 16-bit PCM, one channel.
#pragma once

#include <QByteArray>
#include <vector>

namespace mediagen {

// Encodes samples in [-1, 1] (clipped outside) as a complete WAV file.
QByteArray encodeWav(const std::vector<float>& samples, int sampleRate);

} // namespace mediagen

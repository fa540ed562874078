#pragma once
// Hostile media files for the fault tests: odd WAV formats, pictures whose header lies,
// and the files a broken or tampered data folder holds.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace faultfiles {

// A PCM WAV file: the given format and data length; dataBytesClaimed (when not -1) is
// what the data chunk's header says, whatever follows.
QByteArray wav(int channels, int rate, int bits, qint64 dataBytes, qint64 dataBytesClaimed = -1, int tag = 1);

// A BMP header claiming width x height pixels, followed by a few bytes only.
QByteArray bmpHeader(int width, int height);
// A JPEG start claiming width x height pixels, followed by nothing of substance.
QByteArray jpegHeader(int width, int height);

// The ways a media file is spoiled, each applied by spoil().
QStringList variants();
// Replaces the file at path (a copy of a good one) by the variant; true when done.
bool spoil(const QString& path, const QString& variant, quint32 seed);

// Peak resident memory of this process in kB since the last resetPeak() (VmHWM).
qint64 peakKb();
// Resets the peak to the current size, where the kernel allows it.
bool resetPeak();

} // namespace faultfiles

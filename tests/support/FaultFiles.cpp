#include "tests/support/FaultFiles.h"

#include <QFile>
#include <QRandomGenerator>
#include <QtEndian>

#include <sys/stat.h>
#include <unistd.h>

namespace faultfiles {

namespace {
void u16(QByteArray& b, quint16 v) {
    char c[2];
    qToLittleEndian(v, c);
    b.append(c, 2);
}
void u32(QByteArray& b, quint32 v) {
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}
} // namespace

QByteArray wav(int channels, int rate, int bits, qint64 dataBytes, qint64 dataBytesClaimed, int tag) {
    QByteArray b("RIFF");
    u32(b, quint32(36 + dataBytes));
    b.append("WAVEfmt ");
    u32(b, 16);
    u16(b, quint16(tag));
    u16(b, quint16(channels));
    u32(b, quint32(rate));
    u32(b, quint32(rate * channels * bits / 8));
    u16(b, quint16(channels * bits / 8));
    u16(b, quint16(bits));
    b.append("data");
    u32(b, quint32(dataBytesClaimed >= 0 ? dataBytesClaimed : dataBytes));
    QByteArray data(dataBytes, Qt::Uninitialized);
    for (qint64 i = 0; i < dataBytes; ++i)
        data[i] = char((i * 37) & 0x7f); // a rough tone, never silence
    b.append(data);
    return b;
}

QByteArray bmpHeader(int width, int height) {
    QByteArray b("BM");
    u32(b, 54 + 16);
    u32(b, 0);
    u32(b, 54);
    u32(b, 40);
    u32(b, quint32(width));
    u32(b, quint32(height));
    u16(b, 1);
    u16(b, 24);
    u32(b, 0);
    u32(b, 0);
    u32(b, 2835);
    u32(b, 2835);
    u32(b, 0);
    u32(b, 0);
    b.append(16, char(0x40));
    return b;
}

QByteArray jpegHeader(int width, int height) {
    QByteArray b;
    b.append("\xff\xd8", 2); // start of image
    // JFIF APP0
    b.append("\xff\xe0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 18);
    // start of frame, baseline: precision 8, height, width, 3 components
    b.append("\xff\xc0\x00\x11\x08", 5);
    b.append(char(height >> 8)).append(char(height & 0xff));
    b.append(char(width >> 8)).append(char(width & 0xff));
    b.append("\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01", 10);
    b.append(64, char(0x55));
    return b;
}

QStringList variants() {
    return {QStringLiteral("empty"),   QStringLiteral("truncated"), QStringLiteral("random"),
            QStringLiteral("devzero"), QStringLiteral("fifo"),      QStringLiteral("sparse2g"),
            QStringLiteral("folder"),  QStringLiteral("oddwav"),    QStringLiteral("hugeheader")};
}

bool spoil(const QString& path, const QString& v, quint32 seed) {
    QFile f(path);
    QByteArray good;
    if (f.open(QIODevice::ReadOnly)) good = f.readAll();
    f.close();
    QFile::remove(path);
    const QByteArray native = QFile::encodeName(path);
    auto write = [&](const QByteArray& bytes) {
        QFile out(path);
        return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
    };
    const bool isWav = path.endsWith(QLatin1String(".wav"), Qt::CaseInsensitive);
    const bool isBmp = path.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive);
    if (v == QLatin1String("empty")) return write({});
    if (v == QLatin1String("truncated")) return write(good.left(std::max<qsizetype>(1, good.size() / 3)));
    if (v == QLatin1String("random")) {
        QRandomGenerator rng(seed);
        QByteArray b(std::max<qsizetype>(64, good.size()), Qt::Uninitialized);
        for (char& c : b)
            c = char(rng.generate());
        return write(b);
    }
    if (v == QLatin1String("devzero")) return ::symlink("/dev/zero", native.constData()) == 0;
    if (v == QLatin1String("fifo")) return ::mkfifo(native.constData(), 0600) == 0;
    if (v == QLatin1String("sparse2g")) {
        QFile out(path);
        return out.open(QIODevice::WriteOnly) && out.write(good.left(512)) >= 0 &&
               out.resize(qint64(2) << 30);
    }
    if (v == QLatin1String("folder")) return ::mkdir(native.constData(), 0700) == 0;
    if (v == QLatin1String("oddwav")) {
        // Formats that once took the sound output down, one per seed.
        switch (seed % 5) {
        case 0: return write(wav(2, 8000, 8, 8000));              // 8 kHz 8-bit stereo: played
        case 1: return write(wav(1, 192000, 16, 19200));          // 192 kHz
        case 2: return write(wav(1, 22050, 16, 1));               // half a frame
        case 3: return write(wav(2, 22050, 16, 3));               // less than a frame
        default: return write(wav(1, 22050, 16, 64, 0xfffffff0)); // claims 4 GB
        }
    }
    if (v == QLatin1String("hugeheader")) {
        if (isWav) return write(wav(1, 22050, 16, 64, 0x7ffffff0));
        return write(isBmp ? bmpHeader(20000, 20000) : jpegHeader(20000, 20000));
    }
    return false;
}

qint64 peakKb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

bool resetPeak() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1;
}

} // namespace faultfiles

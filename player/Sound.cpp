#include "player/Sound.h"

#include "player/Clock.h"
#include "player/globals.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMutex>
#include <QSet>
#include <QThread>
#include <QtEndian>
#include <algorithm>
#include <cstring>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

QString mediaPath(const QString& relative) {
    QString rel = relative;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (rel.startsWith(QLatin1Char('/')))
        rel.remove(0, 1);
    QString base = gAppPath;
    if (!base.isEmpty() && !base.endsWith(QLatin1Char('/')) && !base.endsWith(QDir::separator()))
        base += QDir::separator();
    return QDir::cleanPath(base + rel);
}

void warnMediaOnce(const QString& path, const QString& problem) {
    static QSet<QString> warned;
    if (warned.contains(path)) return;
    warned.insert(path);
    qWarning("orvanth: %s: %s; used as missing", qUtf8Printable(QDir::toNativeSeparators(path)),
             qUtf8Printable(problem));
}

bool openMediaFile(QFile& file, const QString& path, qint64 maxBytes, QString* problem) {
    auto refuse = [&](const QString& why) {
        if (problem) *problem = why;
        return false;
    };
#ifdef Q_OS_UNIX
    // Opened without blocking, so a named pipe with no writer cannot hold the thread, and
    // checked on the descriptor itself, so the file cannot change between check and read.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return refuse(QString::fromLocal8Bit(std::strerror(errno)));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return refuse(QStringLiteral("not a regular file"));
    }
    if (st.st_size > maxBytes) {
        ::close(fd);
        return refuse(QStringLiteral("larger than %1 MB").arg(maxBytes / (1024 * 1024)));
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return refuse(file.errorString());
    }
    return true;
#else
    const QFileInfo info(path);
    if (!info.exists()) return refuse(QStringLiteral("no such file"));
    if (!info.isFile() || info.isSymLink() && !QFileInfo(info.symLinkTarget()).isFile())
        return refuse(QStringLiteral("not a regular file"));
    if (info.size() > maxBytes)
        return refuse(QStringLiteral("larger than %1 MB").arg(maxBytes / (1024 * 1024)));
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) return refuse(file.errorString());
    return true;
#endif
}

namespace {

struct WavFormat {
    int channels = 0;
    int sampleRate = 0;
    int bits = 0;
    int frameBytes() const { return channels * bits / 8; }
};

quint16 u16(const char* p) {
    return qFromLittleEndian<quint16>(p);
}
quint32 u32(const char* p) {
    return qFromLittleEndian<quint32>(p);
}

bool fail(QString* problem, const char* why) {
    if (problem) *problem = QString::fromLatin1(why);
    return false;
}

// The format chunk's first 16 bytes and the length of the data chunk, checked against
// what the course plays.
bool checkFormat(const char* fmt, quint32 dataBytes, WavFormat* out, QString* problem) {
    static constexpr int rates[] = {8000, 11025, 16000, 22050, 32000, 44100, 48000};
    WavFormat f;
    const quint16 tag = u16(fmt);
    f.channels = u16(fmt + 2);
    f.sampleRate = int(std::min<quint32>(u32(fmt + 4), 1u << 30));
    const quint16 blockAlign = u16(fmt + 12);
    f.bits = u16(fmt + 14);
    if (tag != 1) return fail(problem, "not PCM");
    if (f.bits != 8 && f.bits != 16) return fail(problem, "neither 8 nor 16 bits a sample");
    if (f.channels != 1 && f.channels != 2) return fail(problem, "neither mono nor stereo");
    if (std::find(std::begin(rates), std::end(rates), f.sampleRate) == std::end(rates))
        return fail(problem, "an unusual sample rate");
    if (blockAlign != f.frameBytes()) return fail(problem, "a frame size that does not fit its format");
    if (dataBytes == 0 || dataBytes % quint32(f.frameBytes()) != 0)
        return fail(problem, "no whole number of frames");
    if (out) *out = f;
    return true;
}

// Walks the chunks of a WAV file in memory; on success, the data chunk's place.
bool parseWav(const QByteArray& file, WavFormat* format, qsizetype* dataAt, qsizetype* dataBytes,
              QString* problem) {
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return fail(problem, "not a RIFF/WAVE file");
    const char* b = file.constData();
    qsizetype at = 12;
    const char* fmt = nullptr;
    while (at + 8 <= file.size()) {
        const quint32 size = u32(b + at + 4);
        const qsizetype body = at + 8;
        if (size > quint64(file.size() - body)) return fail(problem, "a chunk runs past the end of the file");
        if (std::memcmp(b + at, "fmt ", 4) == 0) {
            if (size < 16) return fail(problem, "a short format chunk");
            fmt = b + body;
        } else if (std::memcmp(b + at, "data", 4) == 0) {
            if (!fmt) return fail(problem, "data before the format");
            if (!checkFormat(fmt, size, format, problem)) return false;
            if (dataAt) *dataAt = body;
            if (dataBytes) *dataBytes = size;
            return true;
        }
        at = body + qsizetype(size) + (size & 1);
    }
    return fail(problem, "no data chunk");
}

void putU32(QByteArray& out, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

// ---- the real output ----

// Every cue is converted to this one format, so one audio output serves them all.
constexpr int kOutRate = 44100;
constexpr int kOutChannels = 2;

// 16-bit stereo at kOutRate from any accepted format, by linear interpolation; at most
// kMaxCueSeconds of it.
QByteArray toOutputFormat(const QByteArray& wav) {
    WavFormat f;
    qsizetype at = 0, bytes = 0;
    if (!parseWav(wav, &f, &at, &bytes, nullptr)) return {};
    const char* d = wav.constData() + at;
    const qint64 frames = std::min<qint64>(bytes / f.frameBytes(), qint64(f.sampleRate) * kMaxCueSeconds);
    auto sample = [&](qint64 frame, int channel) -> int {
        const char* p = d + frame * f.frameBytes() + (f.channels == 1 ? 0 : channel) * (f.bits / 8);
        return f.bits == 8 ? (int(quint8(*p)) - 128) * 256 : int(qint16(u16(p)));
    };
    const qint64 outFrames = std::max<qint64>(1, frames * kOutRate / f.sampleRate);
    QByteArray out(outFrames * kOutChannels * 2, Qt::Uninitialized);
    char* o = out.data();
    for (qint64 i = 0; i < outFrames; ++i) {
        const qint64 num = i * f.sampleRate;
        const qint64 i0 = num / kOutRate;
        const qint64 i1 = std::min(i0 + 1, frames - 1);
        const qint64 frac = num % kOutRate;
        for (int c = 0; c < kOutChannels; ++c) {
            const int s0 = sample(i0, c), s1 = sample(i1, c);
            qToLittleEndian(qint16(s0 + (s1 - s0) * frac / kOutRate), o);
            o += 2;
        }
    }
    return out;
}

// What the audio output pulls: the current cue, then silence without end. The output is
// started once and never stopped between cues; a new cue replaces the old one here.
// Stopping and restarting outputs, one per cue, is where the sound server's client
// library once held the interface thread for good.
class CueStream : public QIODevice {
public:
    void setCue(QByteArray pcm) {
        QMutexLocker lock(&mutex_);
        pcm_ = std::move(pcm);
        pos_ = 0;
    }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return (1 << 20) + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char* out, qint64 max) override {
        max -= max % (kOutChannels * 2);
        QMutexLocker lock(&mutex_);
        const qint64 n = std::min<qint64>(max, pcm_.size() - pos_);
        if (n > 0) std::memcpy(out, pcm_.constData() + pos_, size_t(n));
        pos_ += std::max<qint64>(n, 0);
        if (pos_ >= pcm_.size()) {
            pcm_.clear();
            pos_ = 0;
        }
        std::memset(out + std::max<qint64>(n, 0), 0, size_t(max - std::max<qint64>(n, 0)));
        return max;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QMutex mutex_;
    QByteArray pcm_;
    qint64 pos_ = 0;
};

// Lives on the sound thread, which alone talks to the multimedia library: whatever the
// sound server does, the interface thread never waits for it.
class AudioOutput : public QObject {
public:
    explicit AudioOutput(CueStream* stream) : stream_(stream) {}

    // Makes the output if there is none or the last one failed.
    void ensure() {
        if (sink_ && sink_->error() == QAudio::NoError && sink_->state() != QAudio::StoppedState) return;
        sink_.reset();
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) {
            warnOnce("no audio output: sounds are silent");
            return;
        }
        QAudioFormat format;
        format.setSampleRate(kOutRate);
        format.setChannelCount(kOutChannels);
        format.setSampleFormat(QAudioFormat::Int16);
        sink_ = std::make_unique<QAudioSink>(device, format);
        // A short buffer: the silence queued ahead of a cue delays it by this much.
        sink_->setBufferSize(format.bytesForDuration(100000));
        if (!stream_->isOpen()) stream_->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        sink_->start(stream_);
        if (sink_->error() != QAudio::NoError) {
            warnOnce("the audio output does not start: sounds are silent");
            sink_.reset(); // made afresh by the next cue
        }
    }
    void close() {
        if (sink_) sink_->stop();
        sink_.reset();
        stream_->close();
    }

private:
    void warnOnce(const char* what) {
        if (warned_) return;
        warned_ = true;
        qWarning("orvanth: %s", what);
    }
    CueStream* stream_;
    std::unique_ptr<QAudioSink> sink_;
    bool warned_ = false;
};

class QtSoundBackend : public SoundBackend {
public:
    QtSoundBackend() {
        thread_.setObjectName(QStringLiteral("sound"));
        stream_.moveToThread(&thread_);
        output_.moveToThread(&thread_);
        thread_.start();
    }
    ~QtSoundBackend() override { shutDown(); }

    void play(const QString&, const QByteArray& wavFile) override {
        QByteArray pcm = toOutputFormat(wavFile);
        if (pcm.isEmpty()) return;
        stream_.setCue(std::move(pcm));
        QMetaObject::invokeMethod(
            &output_, [this] { output_.ensure(); }, Qt::QueuedConnection);
    }
    void stop() override { stream_.setCue({}); }

    // Ends the sound thread; false when it did not end in time.
    bool shutDown() {
        if (!thread_.isRunning()) return true;
        stream_.setCue({});
        QMetaObject::invokeMethod(
            &output_,
            [this] {
                output_.close();
                QThread::currentThread()->quit();
            },
            Qt::QueuedConnection);
        return thread_.wait(QDeadlineTimer(2000));
    }

private:
    QThread thread_;
    CueStream stream_;
    AudioOutput output_{&stream_};
};

class SilentSoundBackend : public SoundBackend {
public:
    void play(const QString&, const QByteArray&) override {}
    void stop() override {}
};

bool outputReleased = false;

std::unique_ptr<SoundBackend>& backendSlot() {
    static std::unique_ptr<SoundBackend> b;
    return b;
}

void releaseAtExit() {
    releaseSoundOutput();
}

} // namespace

bool releaseSoundOutput() {
    auto& b = backendSlot();
    outputReleased = true;
    auto* real = dynamic_cast<QtSoundBackend*>(b.get());
    if (!real) return true;
    if (!real->shutDown()) {
        qWarning("orvanth: the sound output did not stop; leaving it to the end of the process");
        (void)b.release(); // its thread still runs: never destroy it
        b = std::make_unique<SilentSoundBackend>();
        return false;
    }
    b = std::make_unique<SilentSoundBackend>();
    return true;
}

bool isPlayableWav(const QByteArray& file, QString* problem) {
    return parseWav(file, nullptr, nullptr, nullptr, problem);
}

QByteArray readCueFile(const QString& path, QString* problem) {
    QFile f;
    if (!openMediaFile(f, path, kMaxCueFileBytes, problem)) return {};
    const qint64 size = f.size();
    const QByteArray head = f.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE") {
        fail(problem, "not a RIFF/WAVE file");
        return {};
    }
    // The chunk headers first; the samples only once the format has passed.
    QByteArray fmt;
    qint64 at = 12;
    for (;;) {
        if (at + 8 > size || !f.seek(at)) {
            fail(problem, "no data chunk");
            return {};
        }
        const QByteArray chunk = f.read(8);
        if (chunk.size() < 8) {
            fail(problem, "no data chunk");
            return {};
        }
        const quint32 bytes = u32(chunk.constData() + 4);
        const qint64 body = at + 8;
        if (qint64(bytes) > size - body) {
            fail(problem, "a chunk runs past the end of the file");
            return {};
        }
        if (chunk.startsWith("fmt ")) {
            if (bytes < 16) {
                fail(problem, "a short format chunk");
                return {};
            }
            fmt = f.read(16);
            if (fmt.size() < 16) {
                fail(problem, "a short format chunk");
                return {};
            }
        } else if (chunk.startsWith("data")) {
            if (fmt.isEmpty()) {
                fail(problem, "data before the format");
                return {};
            }
            if (!checkFormat(fmt.constData(), bytes, nullptr, problem)) return {};
            const QByteArray data = f.read(bytes);
            if (data.size() != qsizetype(bytes)) {
                fail(problem, "the data cannot be read");
                return {};
            }
            QByteArray out;
            out.reserve(44 + data.size());
            out.append("RIFF");
            putU32(out, quint32(36 + data.size()));
            out.append("WAVEfmt ");
            putU32(out, 16);
            out.append(fmt);
            out.append("data");
            putU32(out, quint32(data.size()));
            out.append(data);
            return out;
        }
        at = body + bytes + (bytes & 1);
    }
}

void RecordingSoundBackend::play(const QString& path, const QByteArray&) {
    cues.append({QFileInfo(path).fileName(), appClock().msNow()});
}

QStringList RecordingSoundBackend::files() const {
    QStringList out;
    for (const Cue& c : cues)
        out << c.file;
    return out;
}

std::unique_ptr<SoundBackend> setSoundBackend(std::unique_ptr<SoundBackend> b) {
    auto old = std::move(backendSlot());
    backendSlot() = std::move(b);
    return old;
}

SoundBackend& soundBackend() {
    auto& b = backendSlot();
    if (!b) {
        if (outputReleased || !QCoreApplication::instance()) {
            b = std::make_unique<SilentSoundBackend>();
        } else {
            b = std::make_unique<QtSoundBackend>();
            // Released before the application object goes, whichever way the program ends.
            QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &releaseAtExit);
            qAddPostRoutine(&releaseAtExit);
        }
    }
    return *b;
}

void MMControl::Command(const QString& command) {
    if (command == QLatin1String("Close")) {
        if (!data_.isEmpty()) soundBackend().stop();
        data_.clear();
        openPath_.clear();
    } else if (command == QLatin1String("Open")) {
        data_.clear();
        openPath_.clear();
        if (DeviceType != QLatin1String("WaveAudio")) return;
        QString problem;
        QByteArray bytes = readCueFile(FileName, &problem);
        if (bytes.isEmpty()) {
            // A missing or broken file opens nothing and plays nothing.
            warnMediaOnce(FileName, problem);
            return;
        }
        data_ = std::move(bytes);
        openPath_ = FileName;
    } else if (command == QLatin1String("Play")) {
        if (!data_.isEmpty()) soundBackend().play(openPath_, data_);
    }
}

MMControl& soundPlayer() {
    static MMControl player;
    return player;
}

void PlaySound(const QString& relative) {
    MMControl& mm = soundPlayer();
    mm.Command(QStringLiteral("Close"));
    mm.DeviceType = QStringLiteral("WaveAudio");
    mm.FileName = mediaPath(relative);
    mm.Command(QStringLiteral("Open"));
    mm.Command(QStringLiteral("Play"));
}

#include "player/Sound.h"

#include "app/globals.h"
#include "player/Clock.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QtEndian>

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

namespace {

struct WavInfo {
    QAudioFormat format;
    QByteArray pcm;
};

quint16 u16(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}
quint32 u32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}

bool parseWav(const QByteArray& file, WavInfo* out) {
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE") return false;
    qsizetype at = 12;
    bool haveFormat = false;
    WavInfo info;
    while (at + 8 <= file.size()) {
        const QByteArray id = file.mid(at, 4);
        const quint32 size = u32(file, at + 4);
        const qsizetype body = at + 8;
        if (size > quint32(file.size() - body)) return false;
        if (id == "fmt " && size >= 16) {
            const quint16 tag = u16(file, body);
            const quint16 channels = u16(file, body + 2);
            const quint32 rate = u32(file, body + 4);
            const quint16 bits = u16(file, body + 14);
            if (tag != 1 || channels < 1 || channels > 2 || rate < 1000 || rate > 192000) return false;
            if (bits != 8 && bits != 16) return false;
            info.format.setSampleRate(int(rate));
            info.format.setChannelCount(channels);
            info.format.setSampleFormat(bits == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
            haveFormat = true;
        } else if (id == "data" && haveFormat) {
            info.pcm = file.mid(body, size);
            if (info.pcm.isEmpty()) return false;
            if (out) *out = info;
            return true;
        }
        at = body + size + (size & 1);
    }
    return false;
}

// Plays through QAudioSink from memory. A short cue is padded with silence: the sink
// stops its stream before the sound server has played the last couple of hundred
// milliseconds, which would swallow a cue of 200 ms whole.
class QtSoundBackend : public SoundBackend {
public:
    void play(const QString&, const QByteArray& wavFile) override {
        stop();
        WavInfo info;
        if (!parseWav(wavFile, &info)) return;
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) {
            if (!warned_) qWarning("No audio output: sounds are silent.");
            warned_ = true;
            return;
        }
        const int silence = info.format.bytesForDuration(400000);
        buffer_.close();
        data_ = info.pcm +
                QByteArray(silence, info.format.sampleFormat() == QAudioFormat::UInt8 ? char(0x80) : 0);
        buffer_.setData(data_);
        buffer_.open(QIODevice::ReadOnly);
        sink_ = std::make_unique<QAudioSink>(device, info.format);
        sink_->start(&buffer_);
        if (sink_->error() != QAudio::NoError) sink_.reset(); // made afresh by the next cue
    }
    void stop() override {
        if (sink_) {
            sink_->stop();
            sink_.reset();
        }
    }

private:
    std::unique_ptr<QAudioSink> sink_;
    QBuffer buffer_;
    QByteArray data_;
    bool warned_ = false;
};

std::unique_ptr<SoundBackend>& backendSlot() {
    static std::unique_ptr<SoundBackend> b;
    return b;
}

} // namespace

bool isPlayableWav(const QByteArray& file) {
    return parseWav(file, nullptr);
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
    if (!b) b = std::make_unique<QtSoundBackend>();
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
        QFile f(FileName);
        if (DeviceType != QLatin1String("WaveAudio") || !f.open(QIODevice::ReadOnly)) return;
        QByteArray bytes = f.readAll();
        if (!isPlayableWav(bytes)) return; // a broken file opens nothing and plays nothing
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

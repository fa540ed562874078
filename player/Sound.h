#pragma once
// The application's one sound player. Lessons drive it with the command sequence
// "Close", device type "WaveAudio", file name, "Open", "Play"; what actually makes the
// sound is a backend: Qt Multimedia in the application, a recorder in tests.

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>

class SoundBackend {
public:
    virtual ~SoundBackend() = default;
    // Starts playing 16-bit PCM samples; returns at once.
    virtual void play(const QString& path, const QByteArray& wavFile) = 0;
    virtual void stop() = 0;
};

// Records every cue with the clock's time instead of playing it.
class RecordingSoundBackend : public SoundBackend {
public:
    struct Cue {
        QString file; // file name without folder, e.g. "Applause.wav"
        qint64 atMs;
    };
    QList<Cue> cues;
    int stops = 0;
    void play(const QString& path, const QByteArray& wavFile) override;
    void stop() override { ++stops; }
    QStringList files() const;
};

// Installs the backend (null: the real one); returns the previous one.
std::unique_ptr<SoundBackend> setSoundBackend(std::unique_ptr<SoundBackend> b);
SoundBackend& soundBackend();

class MMControl {
public:
    QString DeviceType;
    QString FileName;
    // "Close" stops and closes whatever is open; "Open" reads FileName; "Play" starts it.
    void Command(const QString& command);
    bool isOpen() const { return !data_.isEmpty(); }

private:
    QByteArray data_;
    QString openPath_;
};

// The sound player of the start window, which lives as long as the application.
MMControl& soundPlayer();

// Checks a WAV file: RIFF/WAVE with a PCM format chunk and a data chunk.
bool isPlayableWav(const QByteArray& file);

// A media file named as the lessons write it ("wave\\Boing.wav", "\\wave\\Boing.wav",
// "Light\\photon.bmp"), turned into a path under the application folder.
QString mediaPath(const QString& relative);

// The sound cue: plays the file through the start window's sound player and returns.
void PlaySound(const QString& relative);

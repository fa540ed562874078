#pragma once
// The application's one sound player. Lessons drive it with the command sequence
// "Close", device type "WaveAudio", file name, "Open", "Play"; what actually makes the
// sound is a backend: Qt Multimedia in the application, a recorder in tests.

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>

class QFile;

class SoundBackend {
public:
    virtual ~SoundBackend() = default;
    // Starts playing a checked WAV file (see isPlayableWav); returns at once.
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

// Stops and destroys the real sound output, if one was made. The application calls it
// once its event loop has ended and before its application object goes: the output
// holds state of the multimedia library that does not outlive the application object.
// Later cues are silent. Returns false when the output did not stop within two seconds
// (a sound server that hangs); it is then left alone, and the process should end
// without running its static destructors.
bool releaseSoundOutput();

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

// The largest sound file a cue reads, and the longest stretch of it that plays.
inline constexpr qint64 kMaxCueFileBytes = 16 * 1024 * 1024;
inline constexpr int kMaxCueSeconds = 60;

// Checks a WAV file in memory: RIFF/WAVE, a PCM format chunk of 8 or 16 bits, mono or
// stereo, at one of the common sample rates (8000 to 48000 Hz), and a data chunk that
// holds a whole number of frames, at least one. Anything else is not played.
bool isPlayableWav(const QByteArray& file, QString* problem = nullptr);

// Reads a sound file for a cue: only a regular file of at most kMaxCueFileBytes, its
// headers first, and its samples only when the format passes isPlayableWav. Returns the
// file reduced to its RIFF header, format chunk and data chunk, or nothing (with the
// reason in problem).
QByteArray readCueFile(const QString& path, QString* problem = nullptr);

// Opens a media file for reading only if it is a regular file of at most maxBytes:
// named pipes, devices, folders and larger files are refused, so reading one can neither
// block nor grow without bound. False with the reason in problem.
bool openMediaFile(QFile& file, const QString& path, qint64 maxBytes, QString* problem);

// One line on standard error for a media file that is used as missing, once per file.
void warnMediaOnce(const QString& path, const QString& problem);

// A media file named as the lessons write it ("wave\\Boing.wav", "\\wave\\Boing.wav",
// "Light\\photon.bmp"), turned into a path under the application folder.
QString mediaPath(const QString& relative);

// The sound cue: plays the file through the start window's sound player and returns.
void PlaySound(const QString& relative);

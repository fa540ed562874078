#pragma once
// The web edition's videos. While the tour plays a step on the virtual clock it is handed
// the window as a display would show it, 60 frames a second of virtual time; a step whose
// frames all look alike stays a picture, one that moves becomes an H.264 video in MP4,
// encoded by FFmpeg's command-line encoder on the other end of a pipe while the tour
// plays on, so no frame is ever stored.

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <sys/types.h>

namespace tour {

// One run of ffmpeg reading raw frames from a pipe. The video is written beside its
// final name and renamed into place once ffmpeg has ended well: whole or absent.
class Encoder {
public:
    Encoder() = default;
    ~Encoder() { abandon(); }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    // The ffmpeg found on the PATH, or empty.
    static QString program();
    // Starts ffmpeg on frames of this size, writing to a file of its own in folder.
    bool start(const QString& folder, QSize size, QString* error);
    bool write(const QImage& frame);
    // Ends the input, waits for ffmpeg and puts the video in place at path.
    bool finish(const QString& path, QString* error);
    // Stops ffmpeg and removes what it wrote.
    void abandon();
    bool running() const { return pid_ > 0; }

private:
    QString failure(const QString& what) const;
    pid_t pid_ = -1;
    int fd_ = -1;
    QSize size_;
    QString part_, log_;
    bool broken_ = false;
};

// The frames of one step, from the end of the step before to its own end.
class Film {
public:
    explicit Film(QString root) : root_(std::move(root)) {}
    void frame(const QImage& img);
    // Where a viewer's stage may end: the viewer's stage picture is its look before the
    // learner's next action, so the frames of that action may begin the next stage.
    // Frames after a mark are held back until the next mark or the end of the step.
    void mark();
    // Ends the step with its picture, which becomes the last frame. When the step moved,
    // its video is written at rel (relative to the root) and *made is set; *frames is the
    // number of frames. False with the reason when the video could not be written.
    // cutAtMark: the frames after the last mark go to the next step instead.
    bool finish(const QImage& picture, const QString& rel, bool* made, int* frames, QString* error,
                bool cutAtMark = false);
    // Forgets the frames so far (a title card is a picture; a failed run ends here).
    void drop();
    int videos() const { return videos_; }
    qint64 bytes() const { return bytes_; }

private:
    bool finishHere(const QImage& picture, const QString& rel, bool* made, int* frames, QString* error);
    bool flushHeld(int times);
    void take(const QImage& f);
    void commitTail();
    struct Run {
        QImage img;
        int count;
    };
    QList<Run> tail_; // frames since the last mark, alike ones counted once
    bool marked_ = false;
    QString root_;
    Encoder encoder_;
    QString error_;
    QImage fitted(const QImage& img) const;
    QImage held_; // the last frame, not yet written
    QSize size_;
    int heldCount_ = 0;
    int frames_ = 0;
    int videos_ = 0;
    qint64 bytes_ = 0;
};

} // namespace tour

#include "tools/tour/WebFilm.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryFile>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace tour {

namespace {
QStringList encoderArguments(QSize size, const QString& part) {
    // H.264 in MP4 plays in every current browser, Safari on iPad included; yuv420p is the
    // chroma layout they all decode; faststart puts the index first, so a video starts
    // before it has been read whole. The frames are the window's pixels as they are
    // (BGRA in memory); an odd size is padded by one pixel, as yuv420p needs even sides.
    QStringList args =
        QStringLiteral("ffmpeg -hide_banner -loglevel error -f rawvideo -pix_fmt bgr0 "
                       "-video_size %1x%2 -framerate 60 -i pipe:0 -an "
                       "-vf pad=ceil(iw/2)*2:ceil(ih/2)*2 -c:v libx264 -preset veryfast "
                       "-tune animation -crf 24 -pix_fmt yuv420p -movflags +faststart -f mp4 -y")
            .arg(size.width())
            .arg(size.height())
            .split(QLatin1Char(' '));
    return args << part;
}

} // namespace

QString Encoder::program() {
    return QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
}

QString Encoder::failure(const QString& what) const {
    // ffmpeg's own last words say why, when it said anything.
    QFile log(log_);
    QString last;
    if (log.open(QIODevice::ReadOnly)) {
        const QStringList lines =
            QString::fromLocal8Bit(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (!lines.isEmpty()) last = lines.last().trimmed();
    }
    return last.isEmpty() ? what : what + QStringLiteral(": ") + last;
}

bool Encoder::start(const QString& folder, QSize size, QString* error) {
    abandon();
    const QString ffmpeg = program();
    if (ffmpeg.isEmpty()) {
        *error = QStringLiteral("ffmpeg is not installed (apt-get install ffmpeg)");
        return false;
    }
    {
        QTemporaryFile part(folder + QStringLiteral("/.film-XXXXXX.mp4"));
        part.setAutoRemove(false);
        QTemporaryFile log(QDir::tempPath() + QStringLiteral("/orvanth-ffmpeg-XXXXXX.log"));
        log.setAutoRemove(false);
        if (!part.open() || !log.open()) {
            *error = QStringLiteral("cannot write in %1").arg(folder);
            part.remove();
            log.remove();
            return false;
        }
        part_ = part.fileName();
        log_ = log.fileName();
    }
    size_ = size;
    const QStringList args = encoderArguments(size, part_);
    std::vector<QByteArray> bytes;
    for (const QString& a : args)
        bytes.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);

    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        *error = QStringLiteral("cannot start ffmpeg: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[0], 0);
    const QByteArray logPath = log_.toLocal8Bit();
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, logPath.constData(), O_WRONLY | O_TRUNC, 0600);
    pid_t pid = -1;
    const QByteArray path = ffmpeg.toLocal8Bit();
    const int rc = posix_spawn(&pid, path.constData(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[0]);
    if (rc != 0) {
        ::close(pipeFds[1]);
        QFile::remove(part_);
        *error = QStringLiteral("cannot start ffmpeg: %1").arg(QString::fromLocal8Bit(std::strerror(rc)));
        return false;
    }
    pid_ = pid;
    fd_ = pipeFds[1];
    broken_ = false;
    return true;
}

bool Encoder::write(const QImage& frame) {
    if (fd_ < 0 || broken_) return false;
    const QImage img = frame.convertToFormat(QImage::Format_RGB32);
    const qsizetype rowBytes = qsizetype(img.width()) * 4;
    for (int y = 0; y < img.height(); ++y) {
        const char* row = reinterpret_cast<const char*>(img.constScanLine(y));
        for (qsizetype done = 0; done < rowBytes;) {
            const ssize_t n = ::write(fd_, row + done, size_t(rowBytes - done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                // ffmpeg has gone (the pipe is broken): finish tells why.
                broken_ = true;
                return false;
            }
            done += n;
        }
    }
    return true;
}

bool Encoder::finish(const QString& path, QString* error) {
    if (pid_ <= 0) {
        *error = QStringLiteral("ffmpeg was not running");
        return false;
    }
    ::close(std::exchange(fd_, -1));
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    const bool ok = !broken_ && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!ok) {
        *error = failure(QStringLiteral("ffmpeg failed on %1").arg(path));
    } else {
        QFile::remove(path);
        if (!QFile::rename(part_, path)) {
            *error = QStringLiteral("cannot write %1").arg(path);
        } else {
            QFile::remove(log_);
            return true;
        }
    }
    QFile::remove(part_);
    QFile::remove(log_);
    return false;
}

void Encoder::abandon() {
    if (fd_ >= 0) ::close(std::exchange(fd_, -1));
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        pid_ = -1;
        QFile::remove(part_);
        QFile::remove(log_);
    }
}

// ---- a step's frames ----

QImage Film::fitted(const QImage& img) const {
    const QImage rgb = img.convertToFormat(QImage::Format_RGB32);
    if (!size_.isValid() || rgb.size() == size_) return rgb;
    // A step that opens another window (a viewer) keeps the size it began with.
    QImage out(size_, QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter p(&out);
    p.drawImage(0, 0, rgb);
    return out;
}

bool Film::flushHeld(int times) {
    for (int i = 0; i < times; ++i)
        if (!encoder_.write(held_)) return false;
    frames_ += times;
    return true;
}

void Film::frame(const QImage& img) {
    if (!error_.isEmpty() || img.isNull()) return;
    if (!size_.isValid()) size_ = img.size();
    QImage f = fitted(img);
    if (!marked_) return take(f);
    if (!tail_.isEmpty() && tail_.last().img == f)
        ++tail_.last().count;
    else
        tail_.append({std::move(f), 1});
}

void Film::take(const QImage& f) {
    if (held_.isNull()) {
        held_ = f;
        heldCount_ = 1;
        return;
    }
    if (f == held_) {
        ++heldCount_;
        return;
    }
    // The step moves: from here on its frames go to ffmpeg as they come.
    if (!encoder_.running() && !encoder_.start(root_, size_, &error_)) return;
    flushHeld(heldCount_);
    held_ = f;
    heldCount_ = 1;
}

void Film::commitTail() {
    for (const Run& r : std::exchange(tail_, {}))
        for (int i = 0; i < r.count && error_.isEmpty(); ++i)
            take(r.img);
}

void Film::mark() {
    commitTail();
    marked_ = true;
}

bool Film::finish(const QImage& picture, const QString& rel, bool* made, int* frames, QString* error,
                  bool cutAtMark) {
    const QSize size = size_;
    QList<Run> next;
    if (cutAtMark)
        next = std::exchange(tail_, {});
    else
        commitTail();
    const bool ok = finishHere(picture, rel, made, frames, error);
    // The frames held back begin the next step.
    drop();
    if (!next.isEmpty()) {
        size_ = size;
        for (const Run& r : next)
            for (int i = 0; i < r.count; ++i)
                take(r.img);
    }
    return ok;
}

bool Film::finishHere(const QImage& picture, const QString& rel, bool* made, int* frames, QString* error) {
    *made = false;
    *frames = frames_ + heldCount_;
    if (!error_.isEmpty()) {
        *error = error_;
        drop();
        return false;
    }
    const QImage last = fitted(picture);
    const bool moved = encoder_.running() || (*frames >= 2 && last != held_);
    if (!moved) {
        drop();
        return true;
    }
    bool ok = (encoder_.running() || encoder_.start(root_, size_, error)) && flushHeld(heldCount_ - 1);
    if (ok) {
        held_ = last; // the last frame is the step's picture
        ok = flushHeld(1);
    }
    const QString path = root_ + QLatin1Char('/') + rel;
    if (ok || encoder_.running()) {
        QString why;
        const bool encoded = encoder_.finish(path, &why);
        // A write that failed because ffmpeg has gone is told in ffmpeg's own words.
        if (!encoded && error->isEmpty()) *error = why;
        ok = ok && encoded;
    }
    if (ok) {
        *made = true;
        ++videos_;
        bytes_ += QFileInfo(path).size();
    } else if (error->isEmpty()) {
        *error = QStringLiteral("cannot encode %1").arg(path);
    }
    drop();
    return ok;
}

void Film::drop() {
    encoder_.abandon();
    tail_.clear();
    marked_ = false;
    error_.clear();
    held_ = QImage();
    heldCount_ = 0;
    frames_ = 0;
    size_ = QSize();
}

} // namespace tour

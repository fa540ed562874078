#include "tools/tour/WholeFile.h"

#include <QBuffer>
#include <QImage>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

namespace tour {

bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    const auto fail = [&](QString why) {
        // The file device does not always keep the system's reason; errno still has it.
        if (errno != 0 && (why.isEmpty() || why == QLatin1String("Unknown error")))
            why = QString::fromLocal8Bit(std::strerror(errno));
        *error = QStringLiteral("cannot write %1: %2").arg(path, why);
        file.cancelWriting();
        return false;
    };
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) return fail(file.errorString());
    // Flushed here, so the system's reason ("No space left on device", "File too large")
    // is the one reported.
    if (file.write(bytes) != bytes.size() || !file.flush()) return fail(file.errorString());
    // The commit flushes, syncs and renames; a write that failed on the way refuses it.
    if (!file.commit()) return fail(file.errorString());
    return true;
}

QByteArray pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return QByteArray();
    return bytes;
}

} // namespace tour

// mediagen: draws every picture and synthesises every sound the courses load,
// and writes them into the data folders beside the application.
//
//   mediagen --out DIR [--contact-sheet FILE.png]
//   mediagen --list
//
// Output is byte-for-byte the same on every run: all randomness comes from
// fixed seeds and the JPEG quality is fixed.

#include "contact_sheet.h"
#include "media.h"
#include "wav.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>

namespace mediagen {

QImage renderPicture(const MediaFile& file) {
    QImage image(file.width, file.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    file.draw(p, file.width, file.height);
    return image;
}

std::vector<float> renderSound(const MediaFile& file) {
    std::vector<float> samples = file.synth(file.sampleCount());
    samples.resize(std::size_t(file.sampleCount()), 0.0f); // the table's length is the contract
    return samples;
}

} // namespace mediagen

namespace {

using namespace mediagen;

QString pathOf(const MediaFile& file) {
    return QString::fromUtf8(file.path.data(), qsizetype(file.path.size()));
}

QByteArray encodePicture(const QImage& image, const QString& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const bool jpeg = path.endsWith(QLatin1String(".jpg"));
    QImageWriter writer(&buffer, jpeg ? "jpeg" : "bmp");
    if (jpeg) writer.setQuality(kJpegQuality);
    if (!writer.write(image)) return {};
    return bytes;
}

bool writeFile(const QString& path, const QByteArray& bytes, QTextStream& err) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        err << "mediagen: cannot create the folder of " << path << "\n";
        return false;
    }
    QSaveFile file(path);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
        !file.commit()) {
        err << "mediagen: cannot write " << path << "\n";
        return false;
    }
    return true;
}

void printTable(QTextStream& out) {
    for (const MediaFile& file : mediaFiles()) {
        if (file.isPicture())
            out << "picture\t" << pathOf(file) << '\t' << file.width << '\t' << file.height << '\n';
        else
            out << "sound\t" << pathOf(file) << '\t' << file.millis << '\n';
    }
}

} // namespace

int main(int argc, char* argv[]) {
    // Text needs a GUI application, but the generator never opens a window
    // and must run on build machines without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("mediagen"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Draws the pictures and synthesises the sounds of the courses."));
    parser.addHelpOption();
    const QCommandLineOption outOption(
        QStringLiteral("out"), QStringLiteral("Write the folders Material, Light and wave into <dir>."),
        QStringLiteral("dir"));
    const QCommandLineOption sheetOption(
        QStringLiteral("contact-sheet"),
        QStringLiteral("Write every picture and sound as a labelled thumbnail "
                       "into <png>, for reviewing them at a glance."),
        QStringLiteral("png"));
    const QCommandLineOption listOption(QStringLiteral("list"),
                                        QStringLiteral("Print the media table (kind, path, size) and stop."));
    parser.addOptions({outOption, sheetOption, listOption});
    parser.process(app);

    QTextStream out(stdout);
    QTextStream err(stderr);
    if (parser.isSet(listOption)) {
        printTable(out);
        return 0;
    }
    if (!parser.isSet(outOption) && !parser.isSet(sheetOption)) {
        err << "mediagen: nothing to do; give --out DIR and/or --contact-sheet FILE.png\n";
        return 2;
    }

    QElapsedTimer clock;
    clock.start();
    const QString outDir = parser.value(outOption);
    qint64 totalBytes = 0;
    int written = 0;
    bool ok = true;
    std::vector<SheetEntry> sheet;
    for (const MediaFile& file : mediaFiles()) {
        SheetEntry entry{&file, {}, {}};
        QByteArray bytes;
        if (file.isPicture()) {
            entry.picture = renderPicture(file);
            if (!outDir.isEmpty()) bytes = encodePicture(entry.picture, pathOf(file));
        } else {
            entry.sound = renderSound(file);
            if (!outDir.isEmpty()) bytes = encodeWav(entry.sound, kSampleRate);
        }
        if (!outDir.isEmpty()) {
            ok = writeFile(QDir(outDir).filePath(pathOf(file)), bytes, err) && ok;
            totalBytes += bytes.size();
            ++written;
        }
        if (parser.isSet(sheetOption)) sheet.push_back(std::move(entry));
    }
    if (parser.isSet(sheetOption)) {
        const QString sheetPath = parser.value(sheetOption);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        contactSheet(sheet).save(&buffer, "PNG");
        ok = writeFile(sheetPath, png, err) && ok;
    }
    if (!outDir.isEmpty())
        out << "mediagen: " << written << " files, " << QString::number(totalBytes / 1048576.0, 'f', 2)
            << " MB, in " << clock.elapsed() << " ms\n";
    return ok ? 0 : 1;
}

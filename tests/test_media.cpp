// The course media: the generator writes the same bytes on every run, every
// file of its table lies beside the application after a build and can be
// read, and every picture or sound a lesson names is one the generator makes.

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <algorithm>

namespace {

// One row of the generator's media table, as `mediagen --list` prints it.
struct MediaEntry {
    bool picture = false;
    QString path; // '/'-separated, relative to the application folder
    int width = 0;
    int height = 0;
    int millis = 0;
};

constexpr int kSampleRate = 22050;

QString generatorPath() {
    const QString fromEnv = qEnvironmentVariable("ORVANTH_MEDIAGEN");
    if (!fromEnv.isEmpty()) return fromEnv;
    // The build puts the generator in tools/ beside the bin/ folder of the tests.
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../tools/mediagen"));
}

// Runs the generator to completion; on failure says why in `problem`.
QByteArray runGenerator(const QStringList& arguments, QString* problem) {
    QProcess process;
    process.start(generatorPath(), arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        *problem = QStringLiteral("%1 %2 failed: %3 %4")
                       .arg(generatorPath(), arguments.join(' '), process.errorString(),
                            QString::fromLocal8Bit(process.readAllStandardError()));
        return {};
    }
    return process.readAllStandardOutput();
}

QList<MediaEntry> parseTable(const QByteArray& listing) {
    QList<MediaEntry> table;
    for (const QString& line : QString::fromUtf8(listing).split('\n', Qt::SkipEmptyParts)) {
        const QStringList f = line.split('\t');
        MediaEntry e;
        e.picture = f.value(0) == QLatin1String("picture");
        e.path = f.value(1);
        if (e.picture) {
            e.width = f.value(2).toInt();
            e.height = f.value(3).toInt();
        } else {
            e.millis = f.value(2).toInt();
        }
        table.append(e);
    }
    return table;
}

// Every file under `root`, relative to it.
QStringList filesUnder(const QString& root) {
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(root).relativeFilePath(it.next()));
    files.sort();
    return files;
}

struct WavInfo {
    QString problem; // empty when the file is a well-formed WAV
    int format = 0;
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    QList<qint16> samples;
};

// Reads a RIFF/WAVE file chunk by chunk (a reader that assumed the usual
// 44-byte header would accept files a sound player rejects).
WavInfo readWav(const QByteArray& bytes) {
    WavInfo info;
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") {
        info.problem = QStringLiteral("not a RIFF/WAVE file");
        return info;
    }
    if (qFromLittleEndian<quint32>(bytes.constData() + 4) != quint32(bytes.size() - 8)) {
        info.problem = QStringLiteral("RIFF size does not match the file size");
        return info;
    }
    bool haveFormat = false;
    bool haveData = false;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        const char* body = bytes.constData() + at + 8;
        if (at + 8 + qsizetype(size) > bytes.size()) {
            info.problem = QStringLiteral("chunk '%1' runs past the end").arg(QString::fromLatin1(id));
            return info;
        }
        if (id == "fmt " && size >= 16) {
            info.format = qFromLittleEndian<quint16>(body);
            info.channels = qFromLittleEndian<quint16>(body + 2);
            info.sampleRate = int(qFromLittleEndian<quint32>(body + 4));
            info.bitsPerSample = qFromLittleEndian<quint16>(body + 14);
            haveFormat = true;
        } else if (id == "data") {
            for (quint32 i = 0; i + 1 < size; i += 2)
                info.samples.append(qFromLittleEndian<qint16>(body + i));
            haveData = true;
        }
        at += 8 + qsizetype(size) + (size & 1);
    }
    if (!haveFormat || !haveData) info.problem = QStringLiteral("missing fmt or data chunk");
    return info;
}

// A media file named in a source file: where, and the name as written.
struct MediaReference {
    QString path; // normalised to '/' separators, without a leading separator
    QString where;
};

// Finds string literals that name a media file, as the lessons write them:
// "Material\\bs-01.jpg", "Light\\photon.bmp", "wave\\Boing.wav", "\\wave\\Boing.wav"
// (the backslash doubled in C++ source), or with forward slashes.
QList<MediaReference> mediaReferencesIn(const QString& source, const QString& fileName) {
    static const QRegularExpression literal(
        // In the pattern: a quote, an optional leading separator, the folder, a
        // separator (a doubled backslash or a slash), the file name, a quote.
        QStringLiteral(
            "\"(?:\\\\\\\\|/)?(Material|Light|wave)(?:\\\\\\\\|/)([^\"\\\\/]+\\.(?:jpg|bmp|wav))\""),
        QRegularExpression::CaseInsensitiveOption);
    QList<MediaReference> found;
    auto it = literal.globalMatch(source);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const int line = int(source.left(m.capturedStart()).count('\n')) + 1;
        found.append({m.captured(1) + '/' + m.captured(2), QStringLiteral("%1:%2").arg(fileName).arg(line)});
    }
    return found;
}

QList<MediaReference> mediaReferencesInSources(const QString& root) {
    QList<MediaReference> found;
    const QStringList folders = {QStringLiteral("app"),     QStringLiteral("player"),
                                 QStringLiteral("dialogs"), QStringLiteral("lesson"),
                                 QStringLiteral("matter"),  QStringLiteral("light"),
                                 QStringLiteral("cloud"),   QStringLiteral("periodic")};
    for (const QString& folder : folders) {
        QDirIterator it(QDir(root).filePath(folder), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            QFile f(file);
            if (!f.open(QIODevice::ReadOnly)) continue;
            found += mediaReferencesIn(QString::fromUtf8(f.readAll()), QDir(root).relativeFilePath(file));
        }
    }
    return found;
}

} // namespace

class TestMedia : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void generatorIsDeterministic();
    void builtPicturesLoad_data();
    void builtPicturesLoad();
    void builtSoundsArePcmWav_data();
    void builtSoundsArePcmWav();
    void scannerFindsMediaLiterals();
    void lessonsNameOnlyGeneratedFiles();
    void everyGeneratedFileIsNamedByALesson();

private:
    QList<MediaEntry> table_;
    QString appDir_;
};

void TestMedia::initTestCase() {
    QVERIFY2(QFileInfo(generatorPath()).isExecutable(), qPrintable(generatorPath() + " is not built"));
    QString problem;
    const QByteArray listing = runGenerator({QStringLiteral("--list")}, &problem);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    table_ = parseTable(listing);
    QVERIFY(!table_.isEmpty());
    appDir_ = QCoreApplication::applicationDirPath();

    QSet<QString> seen;
    for (const MediaEntry& e : table_) {
        QVERIFY2(!seen.contains(e.path), qPrintable("listed twice: " + e.path));
        seen.insert(e.path);
        QVERIFY2(e.path.startsWith(QLatin1String("Material/")) ||
                     e.path.startsWith(QLatin1String("Light/")) || e.path.startsWith(QLatin1String("wave/")),
                 qPrintable("outside the three media folders: " + e.path));
    }
}

void TestMedia::generatorIsDeterministic() {
    QTemporaryDir first;
    QTemporaryDir second;
    QVERIFY(first.isValid() && second.isValid());
    for (const QTemporaryDir* dir : {&first, &second}) {
        QString problem;
        runGenerator({QStringLiteral("--out"), dir->path()}, &problem);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    QStringList expected;
    for (const MediaEntry& e : table_)
        expected.append(e.path);
    expected.sort();
    QCOMPARE(filesUnder(first.path()), expected);
    QCOMPARE(filesUnder(second.path()), expected);

    qint64 total = 0;
    for (const QString& path : expected) {
        QFile a(QDir(first.path()).filePath(path));
        QFile b(QDir(second.path()).filePath(path));
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        const QByteArray bytesA = a.readAll();
        QVERIFY2(bytesA == b.readAll(), qPrintable(path + " differs between two runs"));
        total += bytesA.size();
    }
    // The application folder ships with these; keep it small.
    QVERIFY2(total < 10 * 1024 * 1024, qPrintable(QStringLiteral("media take %1 bytes").arg(total)));
}

void TestMedia::builtPicturesLoad_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    for (const MediaEntry& e : table_)
        if (e.picture) QTest::newRow(qPrintable(e.path)) << e.path << QSize(e.width, e.height);
}

void TestMedia::builtPicturesLoad() {
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QImageReader reader(QDir(appDir_).filePath(path));
    QVERIFY2(reader.canRead(), qPrintable(reader.errorString()));
    // The lessons load JPEG and BMP by name; the content must match the suffix.
    QCOMPARE(QString::fromLatin1(reader.format()),
             path.endsWith(QLatin1String(".bmp")) ? QStringLiteral("bmp") : QStringLiteral("jpeg"));
    QCOMPARE(reader.size(), size);
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));

    // A drawing function that drew nothing leaves one flat colour.
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += std::max(1, image.height() / 40))
        for (int x = 0; x < image.width(); x += std::max(1, image.width() / 40))
            colours.insert(image.pixel(x, y));
    QVERIFY2(colours.size() >= 3, qPrintable(path + " is nearly blank"));
}

void TestMedia::builtSoundsArePcmWav_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("millis");
    for (const MediaEntry& e : table_)
        if (!e.picture) QTest::newRow(qPrintable(e.path)) << e.path << e.millis;
}

void TestMedia::builtSoundsArePcmWav() {
    QFETCH(QString, path);
    QFETCH(int, millis);
    QFile file(QDir(appDir_).filePath(path));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    const WavInfo wav = readWav(file.readAll());
    QVERIFY2(wav.problem.isEmpty(), qPrintable(path + ": " + wav.problem));
    QCOMPARE(wav.format, 1); // PCM
    QCOMPARE(wav.channels, 1);
    QCOMPARE(wav.sampleRate, kSampleRate);
    QCOMPARE(wav.bitsPerSample, 16);
    QCOMPARE(wav.samples.size(), qsizetype(millis) * kSampleRate / 1000);

    // Cues are short: long enough to be heard, short enough not to run into
    // the next step.
    QVERIFY2(millis >= 50 && millis <= 6000,
             qPrintable(QStringLiteral("%1 lasts %2 ms").arg(path).arg(millis)));
    int peak = 0;
    for (qint16 s : wav.samples)
        peak = std::max(peak, std::abs(int(s)));
    QVERIFY2(peak > 3000, qPrintable(path + " is almost silent"));
    QVERIFY2(peak < 32700, qPrintable(path + " clips"));
    // No click when the sound starts or is cut off at its end.
    QVERIFY(std::abs(int(wav.samples.first())) < 1000);
    QVERIFY(std::abs(int(wav.samples.last())) < 1000);
}

void TestMedia::scannerFindsMediaLiterals() {
    const QString source =
        QStringLiteral("loadPicture(Picture1, \"Material\\\\bs-01.jpg\");\n"
                       "cue(u\"\\\\wave\\\\Boing.wav\"); cue(QStringLiteral(\"wave\\\\お疲れ.wav\"));\n"
                       "Image1.load(gAppPath + \"Light\\\\サイエンス - 壁紙.jpg\");\n"
                       "const char* folder = \"Material\\\\\"; // a folder alone names no file\n"
                       "play(\"wave/Rain02.wav\");\n");
    QStringList names;
    for (const MediaReference& r : mediaReferencesIn(source, QStringLiteral("x.cpp")))
        names.append(r.path);
    QCOMPARE(names,
             QStringList({QStringLiteral("Material/bs-01.jpg"), QStringLiteral("wave/Boing.wav"),
                          QStringLiteral("wave/お疲れ.wav"), QStringLiteral("Light/サイエンス - 壁紙.jpg"),
                          QStringLiteral("wave/Rain02.wav")}));
    QCOMPARE(mediaReferencesIn(source, QStringLiteral("x.cpp")).at(3).where, QStringLiteral("x.cpp:3"));
}

void TestMedia::lessonsNameOnlyGeneratedFiles() {
    const QString root = qEnvironmentVariable("ORVANTH_SOURCE_DIR");
    if (root.isEmpty()) QSKIP("ORVANTH_SOURCE_DIR is not set");
    QSet<QString> generated;
    for (const MediaEntry& e : table_)
        generated.insert(e.path);

    QStringList missing;
    for (const MediaReference& r : mediaReferencesInSources(root)) {
        if (!generated.contains(r.path))
            missing.append(r.where + ": " + r.path + " is not made by the media generator");
        else if (!QFileInfo::exists(QDir(appDir_).filePath(r.path)))
            missing.append(r.where + ": " + r.path + " is missing beside the application");
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join('\n')));
}

// Files made for lessons whose sections are not written yet. The list shrinks as they
// land: a file on it that a lesson names now must leave it.
const QStringList kAwaitingTheirLessons = {};

void TestMedia::everyGeneratedFileIsNamedByALesson() {
    // A file nobody loads is dead weight, unless its lesson is still to be written.
    const QString root = qEnvironmentVariable("ORVANTH_SOURCE_DIR");
    if (root.isEmpty()) QSKIP("ORVANTH_SOURCE_DIR is not set");
    QSet<QString> named;
    for (const MediaReference& r : mediaReferencesInSources(root))
        named.insert(r.path);
    QStringList problems;
    for (const MediaEntry& e : table_) {
        const bool awaiting = kAwaitingTheirLessons.contains(e.path);
        if (!named.contains(e.path) && !awaiting)
            problems.append(e.path + QStringLiteral(" is made but no lesson names it"));
        else if (named.contains(e.path) && awaiting)
            problems.append(e.path +
                            QStringLiteral(" is named by a lesson now: take it off the awaiting list"));
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    if (!kAwaitingTheirLessons.isEmpty())
        qInfo("%d media files await their lessons", int(kAwaitingTheirLessons.size()));
}

QTEST_GUILESS_MAIN(TestMedia)
#include "test_media.moc"

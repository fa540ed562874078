// Hostile media. The sound and picture readers on their own: odd WAV formats, and files
// that are empty, truncated, random bytes, a link to /dev/zero, a named pipe, a 2 GB
// sparse file, a folder, or a header that claims 20000 x 20000 pixels or 2 GB of samples;
// none may block, grow without bound or crash, and each is used as missing. Then the
// course: every item of both courses plays through on data folders in which every file
// is spoiled, one way per round, each file a different way, until every file has met
// every way; the step goes on, and the peak memory of each round stays within 200 MB of
// the peak of a round on good media.

#include "driver/Learner.h"
#include "player/Pictures.h"
#include "player/Prompts.h"
#include "player/Random.h"
#include "player/Sound.h"
#include "player/globals.h"
#include "tests/support/FaultFiles.h"
#include "tests/support/Harness.h"

#include <QApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

using driver::Course;
using driver::Learner;
using driver::Outcome;

namespace {

int tried = 0, failures = 0;
qint64 worstExtraKb = 0;
QElapsedTimer wallClock;

const QStringList kFolders = {QStringLiteral("Material"), QStringLiteral("Light"), QStringLiteral("wave")};

QStringList mediaFiles(const QString& root) {
    QStringList out;
    for (const QString& folder : kFolders) {
        QDirIterator it(QDir(root).filePath(folder), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            out << QDir(root).relativeFilePath(it.next());
    }
    out.sort();
    return out;
}

bool copyMedia(const QString& from, const QString& to) {
    for (const QString& rel : mediaFiles(from)) {
        QDir().mkpath(QFileInfo(QDir(to).filePath(rel)).path());
        if (!QFile::copy(QDir(from).filePath(rel), QDir(to).filePath(rel))) return false;
    }
    return true;
}

// Plays every item of both courses once; returns what went wrong.
QStringList playCourses(float scale) {
    QStringList problems;
    for (Course c : {Course::Light, Course::Matter})
        for (int item = 2; item <= 5; ++item) {
            SeedRandom(7);
            Learner::Options o;
            o.cloudCounts[0] = QStringLiteral("30");
            o.cloudCounts[1] = QStringLiteral("20");
            Learner learner(o);
            const driver::ItemRun run = learner.playItem(c, item);
            if (run.outcome == Outcome::Failed) problems << run.message;
            Learner::closeAll();
        }
    (void)scale;
    return problems;
}

struct Counted {
    int warnings = 0;
    QHash<QString, int> perFile;
};
Counted* counting = nullptr;
QtMessageHandler previousHandler = nullptr;

void countWarnings(QtMsgType type, const QMessageLogContext& ctx, const QString& msg) {
    if (counting && type == QtWarningMsg && msg.startsWith(QLatin1String("orvanth: "))) {
        ++counting->warnings;
        ++counting->perFile[msg.section(QStringLiteral(": "), 1, 1)];
        return; // counted, not printed: a round spoils every file
    }
    previousHandler(type, ctx, msg);
}

} // namespace

class TestFaultsMedia : public QObject {
    Q_OBJECT
    QString built_;
    QTemporaryDir tmp_;

private slots:
    void initTestCase() {
        wallClock.start();
        built_ = QCoreApplication::applicationDirPath();
        QVERIFY2(!mediaFiles(built_).isEmpty(), "no media beside the test program");
        previousHandler = qInstallMessageHandler(countWarnings);
    }
    void cleanupTestCase() { qInstallMessageHandler(previousHandler); }
    void cleanup() {
        setModalHook(nullptr);
        Learner::closeAll();
    }

    void wavFormats_data() {
        using faultfiles::wav;
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("played");
        QTest::newRow("22050 Hz 16-bit mono") << wav(1, 22050, 16, 44100) << true;
        QTest::newRow("44100 Hz 16-bit stereo") << wav(2, 44100, 16, 17640) << true;
        QTest::newRow("8000 Hz 8-bit stereo") << wav(2, 8000, 8, 8000) << true;
        QTest::newRow("11025 Hz 8-bit mono, one frame") << wav(1, 11025, 8, 1) << true;
        QTest::newRow("192000 Hz") << wav(1, 192000, 16, 38400) << false;
        QTest::newRow("96000 Hz") << wav(2, 96000, 16, 38400) << false;
        QTest::newRow("12345 Hz") << wav(1, 12345, 16, 200) << false;
        QTest::newRow("data of 1 byte, 16-bit") << wav(1, 22050, 16, 1) << false;
        QTest::newRow("data of 3 bytes, 16-bit stereo") << wav(2, 22050, 16, 3) << false;
        QTest::newRow("no data") << wav(1, 22050, 16, 0) << false;
        QTest::newRow("claims 4 GB") << wav(1, 22050, 16, 64, 0xfffffff0) << false;
        QTest::newRow("claims more than it holds") << wav(1, 22050, 16, 64, 128) << false;
        QTest::newRow("24-bit") << wav(1, 22050, 24, 300) << false;
        QTest::newRow("3 channels") << wav(3, 22050, 16, 600) << false;
        QTest::newRow("float samples") << wav(1, 22050, 32, 400, -1, 3) << false;
        QTest::newRow("only a RIFF header") << QByteArray("RIFF\x04\x00\x00\x00WAVE", 12) << false;
        QByteArray dataFirst = wav(1, 22050, 16, 8);
        dataFirst.replace(12, 4, "junk");
        QTest::newRow("data without format") << dataFirst << false;
        QByteArray badAlign = wav(1, 22050, 16, 8);
        badAlign[32] = 3;
        QTest::newRow("frame size that does not fit") << badAlign << false;
    }
    void wavFormats() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, played);
        const QString path = tmp_.filePath(QStringLiteral("cue.wav"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        ++tried;
        QString problem;
        const QByteArray read = readCueFile(path, &problem);
        const bool ok = !read.isEmpty() == played && isPlayableWav(bytes) == played &&
                        (read.isEmpty() || isPlayableWav(read));
        if (!ok) ++failures;
        QVERIFY2(ok, qPrintable(QStringLiteral("read %1 bytes (%2)").arg(read.size()).arg(problem)));
    }

    void hostileFilesAreMissing_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("variant");
        for (const char* kind : {"wave", "jpg", "bmp"})
            for (const QString& v : faultfiles::variants())
                QTest::addRow("%s, %s", kind, qPrintable(v)) << QString::fromLatin1(kind) << v;
        QTest::newRow("jpg, 4097 wide") << "jpg"
                                        << "wide";
        QTest::newRow("bmp, 4097 high") << "bmp"
                                        << "high";
    }
    void hostileFilesAreMissing() {
        QFETCH(QString, kind);
        QFETCH(QString, variant);
        QString source;
        for (const QString& rel : mediaFiles(built_))
            if (rel.endsWith(kind == QLatin1String("wave") ? QStringLiteral(".wav") : QLatin1Char('.') + kind,
                             Qt::CaseInsensitive)) {
                source = rel;
                break;
            }
        if (source.isEmpty()) QSKIP("no media file of this kind");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("f.") + QFileInfo(source).suffix());
        QVERIFY(QFile::copy(QDir(built_).filePath(source), path));
        if (variant == QLatin1String("wide") || variant == QLatin1String("high")) {
            QFile::remove(path);
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            const int w = variant == QLatin1String("wide") ? 4097 : 16,
                      h = variant == QLatin1String("wide") ? 16 : 4097;
            f.write(kind == QLatin1String("bmp") ? faultfiles::bmpHeader(w, h)
                                                 : faultfiles::jpegHeader(w, h));
        } else {
            QVERIFY(faultfiles::spoil(path, variant, 1)); // seed 1: a 192 kHz WAV
        }
        ++tried;
        faultfiles::resetPeak();
        const qint64 before = faultfiles::peakKb();
        QString problem;
        const bool missing = kind == QLatin1String("wave") ? readCueFile(path, &problem).isEmpty()
                                                           : readPictureFile(path, &problem).isNull();
        const qint64 extra = faultfiles::peakKb() - before;
        worstExtraKb = std::max(worstExtraKb, extra);
        // A truncated picture may show what it holds; everything else is missing.
        const bool mayShow = variant == QLatin1String("truncated") && kind != QLatin1String("wave");
        const bool ok = (mayShow || (missing && !problem.isEmpty())) && extra < 200 * 1024;
        if (!ok) ++failures;
        QVERIFY2(ok, qPrintable(QStringLiteral("missing %1, reason \"%2\", %3 kB more at peak")
                                    .arg(missing)
                                    .arg(problem)
                                    .arg(extra)));
    }

    // The good media themselves all pass the readers.
    void builtMediaPass() {
        for (const QString& rel : mediaFiles(built_)) {
            const QString path = QDir(built_).filePath(rel);
            QString problem;
            const bool ok = rel.endsWith(QLatin1String(".wav")) ? !readCueFile(path, &problem).isEmpty()
                                                                : !readPictureFile(path, &problem).isNull();
            QVERIFY2(ok, qPrintable(rel + QStringLiteral(": ") + problem));
        }
    }

    void courseOnSpoiledMedia() {
        harness::setUp(1.0f);
        QTemporaryDir good;
        QVERIFY(copyMedia(built_, good.path()));
        gAppPath = appPathFor(good.path());
        faultfiles::resetPeak();
        QStringList problems = playCourses(1.0f);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        const qint64 normalPeak = faultfiles::peakKb();

        const QStringList files = mediaFiles(built_);
        const QStringList variants = faultfiles::variants();
        qint64 worstRound = 0;
        int spoiled = 0;
        Counted counted;
        for (int round = 0; round < variants.size(); ++round) {
            harness::setUp(1.0f);
            QTemporaryDir dir;
            QVERIFY(copyMedia(built_, dir.path()));
            for (int i = 0; i < files.size(); ++i) {
                const QString v = variants.at((i + round) % variants.size());
                QVERIFY2(
                    faultfiles::spoil(QDir(dir.path()).filePath(files.at(i)), v, quint32(i * 31 + round)),
                    qPrintable(files.at(i) + QStringLiteral(" ") + v));
                ++spoiled;
            }
            gAppPath = appPathFor(dir.path());
            counted = {};
            counting = &counted;
            faultfiles::resetPeak();
            const QStringList p = playCourses(1.0f);
            const qint64 peak = faultfiles::peakKb();
            counting = nullptr;
            ++tried;
            worstRound = std::max(worstRound, peak - normalPeak);
            bool ok = p.isEmpty() && peak - normalPeak < 200 * 1024;
            for (auto it = counted.perFile.cbegin(); it != counted.perFile.cend(); ++it)
                if (it.value() > 1) {
                    ok = false;
                    problems << QStringLiteral("round %1: %2 warnings for %3")
                                    .arg(round)
                                    .arg(it.value())
                                    .arg(it.key());
                }
            if (!ok) ++failures;
            for (const QString& s : p)
                problems
                    << QStringLiteral("round %1 (%2 first): %3").arg(round).arg(variants.at(round)).arg(s);
            if (peak - normalPeak >= 200 * 1024)
                problems << QStringLiteral("round %1: peak %2 MB above the normal peak")
                                .arg(round)
                                .arg((peak - normalPeak) / 1024);
            qInfo("round %d: %d files spoiled, %d warnings, peak %lld MB (%+lld MB)", round,
                  int(files.size()), counted.warnings, peak / 1024, (peak - normalPeak) / 1024);
        }
        worstExtraKb = std::max(worstExtraKb, worstRound);
        qInfo("normal peak %lld MB, worst round %+lld MB, %d files spoiled in all", normalPeak / 1024,
              worstRound / 1024, spoiled);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.mid(0, 12).join('\n')));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TestFaultsMedia test;
    const int status = QTest::qExec(&test, argc, argv);
    std::printf("test_faults_media: %d cases tried, %d failures, worst peak +%lld MB, %.1f s\n", tried,
                failures, worstExtraKb / 1024, wallClock.elapsed() / 1000.0);
    return status;
}

#include "test_faults_media.moc"

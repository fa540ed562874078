// The tour's handout: orvanth-tour --pdf plays an item and writes handout.pdf, whose text
// (read back with pdftotext) holds what the lesson printed, and an index page with the
// same text; a folder that cannot be written fails at once and leaves nothing behind; a
// file-size limit, a full file system or a file in the folder's way ends the tour with one
// line and status 1, and no file cut short stays under its name.

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

struct Run {
    int exitCode = -1;
    QString out, err;
};

Run tour(const QStringList& args, rlim_t fileSizeLimit = RLIM_INFINITY) {
    QProcess p;
    if (fileSizeLimit != RLIM_INFINITY) {
        p.setChildProcessModifier([fileSizeLimit] {
            // As a shell's ulimit -f: writes beyond the limit fail with EFBIG, the signal
            // that would end the writer is ignored.
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            std::signal(SIGXFSZ, SIG_IGN);
        });
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    p.setProcessEnvironment(env);
    p.start(QCoreApplication::applicationDirPath() + QStringLiteral("/orvanth-tour"), args);
    Run r;
    if (!p.waitForStarted() || !p.waitForFinished(300000)) return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// Text as a search finds it: without the spaces a PDF reader may or may not put between
// characters, full-width ones included.
QString squeezed(QString s) {
    s.remove(QRegularExpression(QStringLiteral("[\\s\\x{3000}]")));
    return s;
}

// What a failed tour must leave: no handout, no index, every picture that is there whole,
// and nothing but pictures and folders.
void checkNothingCutShort(const QString& out) {
    QVERIFY(!QFile::exists(out + QStringLiteral("/handout.pdf")));
    QVERIFY(!QFile::exists(out + QStringLiteral("/index.html")));
    QDirIterator it(out, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        QVERIFY2(file.endsWith(QLatin1String(".png")), qPrintable(QStringLiteral("left behind: ") + file));
        QImageReader reader(file);
        QVERIFY2(!reader.read().isNull(), qPrintable(QStringLiteral("a picture cut short: ") + file));
    }
}

void checkOneErrorLine(const Run& r, const QString& needle) {
    QCOMPARE(r.exitCode, 1);
    const QStringList lines = r.err.split(QLatin1Char('\n')).filter(QStringLiteral("error"));
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().startsWith(QStringLiteral("orvanth-tour: error: cannot write ")),
             qPrintable(r.err));
    QVERIFY2(lines.first().contains(needle), qPrintable(r.err));
}

} // namespace

class HandoutTest : public QObject {
    Q_OBJECT
private slots:
    void handoutHoldsWhatTheLessonPrinted() {
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        QVERIFY2(!pdftotext.isEmpty(), "pdftotext (poppler-utils) is not installed");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString out = dir.filePath(QStringLiteral("handout"));
        const Run r = tour({QStringLiteral("--out"), out, QStringLiteral("--pdf"), QStringLiteral("--items"),
                            QStringLiteral("L2"), QStringLiteral("--scale"), QStringLiteral("1")});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        // One progress line for the item on standard error, the summary last.
        QVERIFY2(r.err.contains(QStringLiteral("1/1 gScale 1 光とは 2. 幾何光学 (Kika):")),
                 qPrintable(r.err));
        QVERIFY(r.err.contains(QStringLiteral("so far")));
        QVERIFY2(r.out.contains(QStringLiteral("handout.pdf")), qPrintable(r.out));

        QProcess text;
        text.start(pdftotext, {QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                               out + QStringLiteral("/handout.pdf"), QStringLiteral("-")});
        QVERIFY(text.waitForFinished(60000));
        QCOMPARE(text.exitCode(), 0);
        const QString pdf = squeezed(QString::fromUtf8(text.readAllStandardOutput()));
        QFile indexFile(out + QStringLiteral("/index.html"));
        QVERIFY(indexFile.open(QIODevice::ReadOnly));
        const QString index = squeezed(QString::fromUtf8(indexFile.readAll()));

        // The item's heading, the heading the lesson prints on its first page and a line
        // of its narration; the step's name names the picture they go with.
        const QStringList expected = {
            QStringLiteral("教師用ハンドアウト"),
            QStringLiteral("2.幾何光学(Kika)"),
            QStringLiteral("Kika1-01"),
            QStringLiteral("光の性質"),
            QStringLiteral("光は真空中や一様な物質の中をまっすぐに進みます。"),
        };
        for (const QString& e : expected) {
            QVERIFY2(pdf.contains(e), qPrintable(QStringLiteral("the handout lacks ") + e));
            if (e != expected.first())
                QVERIFY2(index.contains(e), qPrintable(QStringLiteral("index.html lacks ") + e));
        }
        // Nothing of a failed write stays behind.
        QVERIFY(QDir(out)
                    .entryList({QStringLiteral(".orvanth-tour-*"), QStringLiteral("*.tmp")},
                               QDir::Files | QDir::Hidden)
                    .isEmpty());
    }

    void aFolderThatCannotBeWritten_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("readOnlyCopy"); // a fresh folder made read-only
        // /proc takes no new files, not even from the superuser.
        QTest::newRow("cannot be made") << QStringLiteral("/proc/orvanth-handout/out") << false;
        QTest::newRow("there, but read-only to everyone") << QStringLiteral("/proc/self") << false;
        QTest::newRow("there, but read-only to us") << QString() << true;
    }
    void aFolderThatCannotBeWritten() {
        QFETCH(QString, folder);
        QFETCH(bool, readOnlyCopy);
        QTemporaryDir dir;
        if (readOnlyCopy) {
            if (::geteuid() == 0) QSKIP("the superuser writes into read-only folders");
            folder = dir.filePath(QStringLiteral("ro"));
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        }
        const Run r =
            tour({QStringLiteral("--out"), folder, QStringLiteral("--pdf"), QStringLiteral("--items"),
                  QStringLiteral("L5"), QStringLiteral("--scale"), QStringLiteral("1")});
        if (readOnlyCopy)
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(r.exitCode > 0);
        const QStringList lines = r.err.trimmed().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().startsWith(QStringLiteral("orvanth-tour: error: ")), qPrintable(r.err));
        QVERIFY2(lines.first().contains(folder), qPrintable(r.err));
        QVERIFY(!QFile::exists(folder + QStringLiteral("/index.html")));
        QVERIFY(!QFile::exists(folder + QStringLiteral("/handout.pdf")));
        if (readOnlyCopy)
            QVERIFY(QDir(folder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    }

    // The handout (about 1.4 MB) is larger than the limit, every picture smaller.
    void aFileSizeLimit() {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("limited"));
        const Run r = tour({QStringLiteral("--out"), out, QStringLiteral("--pdf"), QStringLiteral("--items"),
                            QStringLiteral("L2"), QStringLiteral("--scale"), QStringLiteral("1")},
                           1024 * 1024);
        checkOneErrorLine(r, QStringLiteral("handout.pdf: File too large"));
        if (QTest::currentTestFailed()) return;
        checkNothingCutShort(out);
        QVERIFY(!QDir(out + QStringLiteral("/1/Kika")).isEmpty());
    }

    // A 5 MB file system: once with the pictures fitting and the handout not, once with
    // the pictures running out of room.
    void aFullFileSystem_data() {
        QTest::addColumn<QStringList>("scales");
        QTest::addColumn<QString>("where");
        QTest::newRow("handout") << QStringList{QStringLiteral("1"), QStringLiteral("1.5")}
                                 << QStringLiteral("handout.pdf: No space left on device");
        QTest::newRow("pictures") << QStringList{QStringLiteral("1"), QStringLiteral("1.2"),
                                                 QStringLiteral("1.5")}
                                  << QStringLiteral(".png: No space left on device");
    }
    void aFullFileSystem() {
        QFETCH(QStringList, scales);
        QFETCH(QString, where);
        QTemporaryDir dir;
        const QByteArray mountPoint = QFile::encodeName(dir.path());
        if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=5m,mode=0700") != 0)
            QSKIP(qPrintable(QStringLiteral("cannot mount a small file system here: ") +
                             QString::fromLocal8Bit(std::strerror(errno))));
        QStringList args{QStringLiteral("--out"), dir.filePath(QStringLiteral("t")), QStringLiteral("--pdf"),
                         QStringLiteral("--items"), QStringLiteral("L2,L5")};
        for (const QString& s : scales)
            args << QStringLiteral("--scale") << s;
        const Run r = tour(args);
        checkOneErrorLine(r, where);
        if (QTest::currentTestFailed()) return;
        checkNothingCutShort(dir.filePath(QStringLiteral("t")));
        ::umount2(mountPoint.constData(), MNT_DETACH);
    }

    // A file where the tour puts a scale's folder.
    void aFileInTheFoldersWay() {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("t"));
        QVERIFY(QDir().mkpath(out));
        QFile blocker(out + QStringLiteral("/1"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const Run r = tour({QStringLiteral("--out"), out, QStringLiteral("--pdf"), QStringLiteral("--items"),
                            QStringLiteral("L2"), QStringLiteral("--scale"), QStringLiteral("1")});
        checkOneErrorLine(r, out + QStringLiteral("/1/"));
        if (QTest::currentTestFailed()) return;
        QVERIFY(!QFile::exists(out + QStringLiteral("/handout.pdf")));
        QVERIFY(!QFile::exists(out + QStringLiteral("/index.html")));
        QCOMPARE(QFileInfo(out + QStringLiteral("/1")).size(), 0);
    }
};

QTEST_GUILESS_MAIN(HandoutTest)
#include "test_handout.moc"

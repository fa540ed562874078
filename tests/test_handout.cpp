// The tour's handout: orvanth-tour --pdf plays an item and writes handout.pdf, whose text
// (read back with pdftotext) holds what the lesson printed, and an index page with the
// same text; a folder that cannot be written fails at once and leaves nothing behind.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

namespace {

struct Run {
    int exitCode = -1;
    QString out, err;
};

Run tour(const QStringList& args) {
    QProcess p;
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
};

QTEST_GUILESS_MAIN(HandoutTest)
#include "test_handout.moc"

// The single-instance check and what the application leaves behind, on the real program
// (build/bin/orvanth) started as a process: five starts at once give one running copy; a
// start after the first was killed with SIGKILL runs; nothing the environment holds
// (no USER, an unwritable temporary folder, an old lock file with garbage in it) stops
// it; and under strace, the application writes no file and opens no network socket.

#include "tests/support/AppProcess.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <memory>

namespace {
int tried = 0, failures = 0;
QElapsedTimer wallClock;

QString orvanth() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("orvanth"));
}

// Ends a copy that is still running with SIGTERM; its status must be 0.
bool terminatesCleanly(QProcess& p, QString* why) {
    ::kill(pid_t(p.processId()), SIGTERM);
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished(5000);
        *why = QStringLiteral("did not end on SIGTERM");
        return false;
    }
    const QByteArray err = p.readAllStandardError();
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0 || appprocess::sanitizerReport(err)) {
        *why = QStringLiteral("ended with status %1: %2")
                   .arg(p.exitCode())
                   .arg(QString::fromLocal8Bit(err.right(800)));
        return false;
    }
    return true;
}

#define COUNTED_VERIFY(cond, msg)                                                                            \
    do {                                                                                                     \
        ++tried;                                                                                             \
        if (!(cond)) {                                                                                       \
            ++failures;                                                                                      \
            QFAIL(qPrintable(msg));                                                                          \
        }                                                                                                    \
    } while (0)

} // namespace

class TestFaultsInstance : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> home_;

private slots:
    void initTestCase() {
        wallClock.start();
        if (!QFileInfo(orvanth()).isExecutable()) QSKIP("the orvanth program is not built");
    }
    void init() { home_ = std::make_unique<QTemporaryDir>(); }

    void fiveStartsGiveOneCopy() {
        const QProcessEnvironment env = appprocess::childEnvironment(home_->path());
        std::vector<std::unique_ptr<QProcess>> copies;
        for (int i = 0; i < 5; ++i) {
            copies.push_back(std::make_unique<QProcess>());
            copies.back()->setProcessEnvironment(env);
            copies.back()->start(orvanth(), {});
        }
        for (auto& p : copies)
            QVERIFY(p->waitForStarted(10000));
        // The four that lose end at once; the one that wins shows its window and stays.
        QProcess* winner = nullptr;
        int ended = 0;
        for (auto& p : copies) {
            if (p->waitForFinished(p.get() == copies.front().get() ? 8000 : 2000)) {
                ++ended;
                COUNTED_VERIFY(p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0,
                               QStringLiteral("a second copy ended with status %1").arg(p->exitCode()));
                COUNTED_VERIFY(p->readAllStandardError().isEmpty() && p->readAllStandardOutput().isEmpty(),
                               QStringLiteral("a second copy said something"));
            } else {
                winner = p.get();
            }
        }
        // Everyone else had time to end while we waited on the first ones.
        for (auto& p : copies)
            if (p.get() != winner && p->state() != QProcess::NotRunning) ended += p->waitForFinished(8000);
        COUNTED_VERIFY(ended == 4, QStringLiteral("%1 copies ended, not 4").arg(ended));
        COUNTED_VERIFY(winner && winner->state() == QProcess::Running,
                       QStringLiteral("no copy kept running"));
        QString why;
        COUNTED_VERIFY(terminatesCleanly(*winner, &why), why);
    }

    void startAfterKillRuns() {
        const QProcessEnvironment env = appprocess::childEnvironment(home_->path());
        QProcess first;
        first.setProcessEnvironment(env);
        first.start(orvanth(), {});
        QVERIFY(first.waitForStarted(10000));
        COUNTED_VERIFY(!first.waitForFinished(1500), QStringLiteral("the first copy ended by itself"));
        ::kill(pid_t(first.processId()), SIGKILL);
        QVERIFY(first.waitForFinished(10000));
        QProcess second;
        second.setProcessEnvironment(env);
        second.start(orvanth(), {});
        QVERIFY(second.waitForStarted(10000));
        COUNTED_VERIFY(
            !second.waitForFinished(4000),
            QStringLiteral("the start after SIGKILL was refused (status %1)").arg(second.exitCode()));
        QString why;
        COUNTED_VERIFY(terminatesCleanly(second, &why), why);
    }

    void environmentCannotRefuseTheStart_data() {
        QTest::addColumn<QString>("what");
        QTest::newRow("no USER") << "no-user";
        QTest::newRow("unwritable temporary folder") << "bad-tmp";
        QTest::newRow("old lock file with garbage") << "garbage-lock";
    }
    void environmentCannotRefuseTheStart() {
        QFETCH(QString, what);
        QProcessEnvironment env = appprocess::childEnvironment(home_->path());
        if (what == QLatin1String("no-user")) {
            env.remove(QStringLiteral("USER"));
            env.remove(QStringLiteral("LOGNAME"));
        } else if (what == QLatin1String("bad-tmp")) {
            env.insert(QStringLiteral("TMPDIR"), home_->filePath(QStringLiteral("no/such/folder")));
        } else {
            QFile lock(QDir::temp().filePath(QStringLiteral("orvanth-.lock")));
            const bool existed = lock.exists();
            if (!existed && lock.open(QIODevice::WriteOnly)) lock.write("\x01\xff garbage\n");
            lock.close();
            env.remove(QStringLiteral("USER"));
        }
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(orvanth(), {});
        QVERIFY(p.waitForStarted(10000));
        COUNTED_VERIFY(!p.waitForFinished(4000), QStringLiteral("the application refused to start"));
        QString why;
        COUNTED_VERIFY(terminatesCleanly(p, &why), why);
        if (what == QLatin1String("garbage-lock"))
            QFile::remove(QDir::temp().filePath(QStringLiteral("orvanth-.lock")));
    }

    // Under strace: no file opened for writing or created, nothing renamed or removed,
    // and no socket but local ones, over a whole run that opens a lesson and ends.
    void writesNoFileAndOpensNoNetworkSocket_data() {
        QTest::addColumn<QString>("road");
        QTest::addColumn<bool>("withServer");
        QTest::newRow("play-item, no sound server") << "play-item" << false;
        QTest::newRow("exit-button, sound server") << "exit-button" << true;
    }
    void writesNoFileAndOpensNoNetworkSocket() {
        QFETCH(QString, road);
        QFETCH(bool, withServer);
        const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
        if (strace.isEmpty()) QSKIP("strace is not installed");
        appprocess::SoundServer server;
        if (withServer && !server.start()) QSKIP("no sound server can run here");
        QProcessEnvironment env = appprocess::childEnvironment(home_->path());
        if (withServer) server.addTo(env);
        const QString log = home_->filePath(QStringLiteral("strace.log"));
        const appprocess::Result r = appprocess::run(
            strace,
            {QStringLiteral("-f"), QStringLiteral("-qq"), QStringLiteral("-o"), log, QStringLiteral("-e"),
             QStringLiteral("trace=open,openat,creat,mkdir,mkdirat,rename,renameat,renameat2,unlink,unlinkat,"
                            "link,linkat,symlink,symlinkat,truncate,socket,connect,bind"),
             QCoreApplication::applicationFilePath(), QStringLiteral("--single-instance"),
             QStringLiteral("--child"), road},
            env, 180000);
        COUNTED_VERIFY(r.status == 0 && !r.timedOut && !r.crashed, r.describe());
        QFile f(log);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QStringList writes, sockets;
        static const QRegularExpression writeCall(
            QStringLiteral("\\b(open|openat|creat)\\(.*\"([^\"]*)\".*(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC)"));
        static const QRegularExpression changeCall(
            QStringLiteral("\\b(mkdir|mkdirat|rename|renameat2?|unlink|unlinkat|link|linkat|symlink|"
                           "symlinkat|truncate)\\("));
        static const QRegularExpression netCall(
            QStringLiteral("\\bsocket\\((AF_INET|AF_INET6|AF_PACKET|AF_NETLINK)"));
        for (const QByteArray& raw : f.readAll().split('\n')) {
            const QString line = QString::fromLocal8Bit(raw);
            if (line.contains(QLatin1String("= -1"))) continue; // refused: nothing happened
            const QRegularExpressionMatch w = writeCall.match(line);
            if (w.hasMatch()) {
                const QString path = w.captured(2);
                // Devices (the terminal, /dev/null) and the sanitizer's own reports are
                // not files the application writes.
                if (path.startsWith(QLatin1String("/dev/")) || path.startsWith(QLatin1String("/proc/")))
                    continue;
                writes << line;
            } else if (changeCall.match(line).hasMatch()) {
                writes << line;
            } else if (netCall.match(line).hasMatch()) {
                sockets << line;
            }
        }
        COUNTED_VERIFY(writes.isEmpty(), QStringLiteral("files written:\n") + writes.mid(0, 20).join('\n'));
        COUNTED_VERIFY(sockets.isEmpty(),
                       QStringLiteral("network sockets:\n") + sockets.mid(0, 20).join('\n'));
    }
};

int main(int argc, char** argv) {
    const int child = appprocess::childMain(argc, argv);
    if (child >= 0) return child;
    QApplication app(argc, argv);
    TestFaultsInstance test;
    const int status = QTest::qExec(&test, argc, argv);
    std::printf("test_faults_instance: %d checks, %d failures, %.1f s\n", tried, failures,
                wallClock.elapsed() / 1000.0);
    return status;
}

#include "test_faults_instance.moc"

// The single-instance check and what the application leaves behind, on the real program
// (build/bin/orvanth) started as a process: five starts at once give one running copy, the
// others answered by it; a start after the first was killed with SIGKILL runs; another
// user's sockets and folders under the mark's names never keep it out; a frozen first
// copy is reported, not obeyed in silence; a first copy inside a step's wait comes forward
// and goes on; nothing the environment holds (no USER, an unwritable temporary folder, a
// missing or foreign runtime folder) stops it; and under strace, the application writes
// nothing but its mark and opens no network socket.

#include "tests/support/AppProcess.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <pwd.h>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

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

// The squatter, run as another user: listens on the abstract name the mark once had and
// on a socket in a folder of its own under the mark's folder name in tmp, prints READY
// and holds them until its standard input closes.
int squat(const char* tmp, unsigned victimUid) {
    std::vector<int> held;
    const auto listenOn = [&](const sockaddr_un& addr, socklen_t len) {
        const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (s < 0 || ::bind(s, reinterpret_cast<const sockaddr*>(&addr), len) != 0 || ::listen(s, 4) != 0) {
            // The abstract name may be held already (a copy of an older build): held all
            // the same, by someone this start must not take for itself.
            if (errno == EADDRINUSE && addr.sun_path[0] == '\0') return true;
            std::perror("squat");
            return false;
        }
        held.push_back(s);
        return true;
    };
    sockaddr_un abstractName{};
    abstractName.sun_family = AF_UNIX;
    const int n =
        std::snprintf(abstractName.sun_path + 1, sizeof abstractName.sun_path - 1, "orvanth-%u", victimUid);
    if (!listenOn(abstractName, socklen_t(offsetof(sockaddr_un, sun_path) + 1 + n))) return 1;
    for (const char* suffix : {"", "-1"}) {
        const std::string dir = std::string(tmp) + "/orvanth-" + std::to_string(victimUid) + suffix;
        if (::mkdir(dir.c_str(), 0700) != 0) {
            std::perror("squat: mkdir");
            return 1;
        }
        sockaddr_un inFolder{};
        inFolder.sun_family = AF_UNIX;
        std::snprintf(inFolder.sun_path, sizeof inFolder.sun_path, "%s/orvanth-instance", dir.c_str());
        if (!listenOn(inFolder, sizeof inFolder)) return 1;
    }
    std::puts("READY");
    std::fflush(stdout);
    char c;
    while (::read(0, &c, 1) > 0) {
    }
    return 0;
}

// Waits until a process prints READY.
bool waitForReady(QProcess& p, int ms = 20000) {
    QElapsedTimer t;
    t.start();
    QByteArray out;
    while (!out.contains("READY\n") && p.state() == QProcess::Running && t.elapsed() < ms) {
        p.waitForReadyRead(200);
        out += p.readAllStandardOutput();
    }
    return out.contains("READY\n");
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
        // The killed copy's socket stays behind; the next start takes it over.
        const QString mark =
            env.value(QStringLiteral("XDG_RUNTIME_DIR")) + QStringLiteral("/orvanth-instance");
        COUNTED_VERIFY(QFileInfo(mark).exists(), QStringLiteral("no mark in the runtime folder"));
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

    // Another user (nobody) holds the abstract name the mark once was and a socket in a
    // folder of its own under the mark's folder name: the first start runs, a second is
    // answered by it.
    void anotherUsersSocketsNeverKeepUsOut() {
        if (::geteuid() != 0) QSKIP("running the squatter as another user needs the superuser");
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (setpriv.isEmpty()) QSKIP("setpriv (util-linux) is not installed");
        const passwd* nobody = ::getpwnam("nobody");
        if (!nobody) QSKIP("there is no user nobody");
        // A temporary folder like /tmp: everyone may make folders in it.
        const QString tmp = home_->filePath(QStringLiteral("tmp"));
        QVERIFY(QDir().mkpath(tmp));
        QVERIFY(::chmod(QFile::encodeName(tmp).constData(), 01777) == 0);
        QVERIFY(::chmod(QFile::encodeName(home_->path()).constData(), 0755) == 0);
        QProcess squatter;
        squatter.start(setpriv, {QStringLiteral("--reuid=%1").arg(nobody->pw_uid),
                                 QStringLiteral("--regid=%1").arg(nobody->pw_gid),
                                 QStringLiteral("--clear-groups"), QCoreApplication::applicationFilePath(),
                                 QStringLiteral("--squat"), tmp, QString::number(::getuid())});
        QVERIFY(squatter.waitForStarted(10000));
        QVERIFY2(waitForReady(squatter), squatter.readAllStandardError().constData());

        QProcessEnvironment env = appprocess::childEnvironment(home_->path());
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        env.insert(QStringLiteral("TMPDIR"), tmp);
        QProcess first, second;
        first.setProcessEnvironment(env);
        first.start(orvanth(), {});
        QVERIFY(first.waitForStarted(10000));
        COUNTED_VERIFY(
            !first.waitForFinished(4000),
            QStringLiteral("another user's socket kept the start out (status %1)").arg(first.exitCode()));
        second.setProcessEnvironment(env);
        second.start(orvanth(), {});
        QVERIFY(second.waitForStarted(10000));
        COUNTED_VERIFY(second.waitForFinished(8000) && second.exitCode() == 0,
                       QStringLiteral("the second start did not end with 0 beside the first: %1")
                           .arg(QString::fromLocal8Bit(second.readAllStandardError())));
        squatter.closeWriteChannel();
        squatter.waitForFinished(5000);
        QString why;
        COUNTED_VERIFY(terminatesCleanly(first, &why), why);
    }

    // A first copy that is stopped cannot answer: the second start says so and fails.
    void aFrozenCopyIsReported() {
        const QProcessEnvironment env = appprocess::childEnvironment(home_->path());
        QProcess first;
        first.setProcessEnvironment(env);
        first.start(orvanth(), {});
        QVERIFY(first.waitForStarted(10000));
        COUNTED_VERIFY(!first.waitForFinished(2000), QStringLiteral("the first copy ended by itself"));
        ::kill(pid_t(first.processId()), SIGSTOP);
        QProcess second;
        second.setProcessEnvironment(env);
        second.start(orvanth(), {});
        const bool ended = second.waitForStarted(10000) && second.waitForFinished(10000);
        ::kill(pid_t(first.processId()), SIGCONT);
        COUNTED_VERIFY(ended, QStringLiteral("the start beside a frozen copy did not end"));
        const QString err = QString::fromLocal8Bit(second.readAllStandardError());
        COUNTED_VERIFY(second.exitStatus() == QProcess::NormalExit && second.exitCode() == 1,
                       QStringLiteral("the start beside a frozen copy ended with %1").arg(second.exitCode()));
        COUNTED_VERIFY(err.contains(QLatin1String("another copy is running but does not answer")),
                       QStringLiteral("the start beside a frozen copy said: ") + err);
        QString why;
        COUNTED_VERIFY(terminatesCleanly(first, &why), why);
    }

    // A first copy inside a step's wait answers, and its step goes on to its orderly end.
    void aCopyInsideAStepComesForward() {
        const QProcessEnvironment env = appprocess::childEnvironment(home_->path());
        QProcess first;
        first.setProcessEnvironment(env);
        first.start(
            QCoreApplication::applicationFilePath(),
            {QStringLiteral("--single-instance"), QStringLiteral("--child"), QStringLiteral("sigterm-step")});
        QVERIFY(first.waitForStarted(10000));
        QVERIFY(waitForReady(first, 60000));
        QProcess second;
        second.setProcessEnvironment(env);
        second.start(orvanth(), {});
        COUNTED_VERIFY(second.waitForStarted(10000) && second.waitForFinished(10000) &&
                           second.exitStatus() == QProcess::NormalExit && second.exitCode() == 0,
                       QStringLiteral("the start beside a copy in a step ended with %1: %2")
                           .arg(second.exitCode())
                           .arg(QString::fromLocal8Bit(second.readAllStandardError())));
        COUNTED_VERIFY(first.state() == QProcess::Running, QStringLiteral("the first copy ended when asked"));
        QString why;
        COUNTED_VERIFY(terminatesCleanly(first, &why), why);
    }

    // On a desktop with a window manager: a second start brings a minimised first copy
    // back, active.
    void aSecondStartRaisesAMinimisedCopy() {
        for (const char* tool : {"Xvfb", "openbox", "xdotool", "xprop"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(QLatin1String(tool))));
        const QString source = qEnvironmentVariable("ORVANTH_SOURCE_DIR");
        if (source.isEmpty()) QSKIP("ORVANTH_SOURCE_DIR is not set");
        QProcessEnvironment env = appprocess::childEnvironment(home_->path());
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        const appprocess::Result r = appprocess::run(
            QStringLiteral("bash"),
            {source + QStringLiteral("/tools/desktop-session.sh"), QStringLiteral("1024x768"),
             QStringLiteral("bash"), source + QStringLiteral("/tests/support/raise-minimised.sh"), orvanth()},
            env, 120000);
        COUNTED_VERIFY(r.status == 0 && !r.timedOut && !r.crashed, r.describe());
    }

    void environmentCannotRefuseTheStart_data() {
        QTest::addColumn<QString>("what");
        QTest::newRow("no USER") << "no-user";
        QTest::newRow("unwritable temporary folder") << "bad-tmp";
        QTest::newRow("old lock file with garbage") << "garbage-lock";
        QTest::newRow("runtime folder missing") << "no-runtime";
        QTest::newRow("runtime folder of another user") << "foreign-runtime";
        QTest::newRow("no runtime folder and no temporary folder") << "nowhere";
    }
    void environmentCannotRefuseTheStart() {
        QFETCH(QString, what);
        QProcessEnvironment env = appprocess::childEnvironment(home_->path());
        if (what == QLatin1String("no-user")) {
            env.remove(QStringLiteral("USER"));
            env.remove(QStringLiteral("LOGNAME"));
        } else if (what == QLatin1String("bad-tmp")) {
            env.insert(QStringLiteral("TMPDIR"), home_->filePath(QStringLiteral("no/such/folder")));
        } else if (what == QLatin1String("no-runtime")) {
            env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home_->filePath(QStringLiteral("no/such/run")));
        } else if (what == QLatin1String("foreign-runtime")) {
            // Someone else's folder (here: the superuser's with an owner changed); the start
            // does not put its mark there, where that user could take it.
            const QString run = home_->filePath(QStringLiteral("foreign-run"));
            QVERIFY(QDir().mkpath(run));
            if (::chown(QFile::encodeName(run).constData(), 65534, 65534) != 0)
                QSKIP("cannot give a folder to another user here");
            env.insert(QStringLiteral("XDG_RUNTIME_DIR"), run);
        } else if (what == QLatin1String("nowhere")) {
            env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
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
        // The one thing written: the mark, a socket in the runtime folder, made and removed.
        const QString mark =
            env.value(QStringLiteral("XDG_RUNTIME_DIR")) + QStringLiteral("/orvanth-instance");
        static const QRegularExpression bindCall(QStringLiteral("\\bbind\\(.*sun_path=\"([^\"]*)\""));
        for (const QByteArray& raw : f.readAll().split('\n')) {
            const QString line = QString::fromLocal8Bit(raw);
            if (line.contains(QLatin1String("= -1"))) continue; // refused: nothing happened
            if (line.contains(QLatin1Char('"') + mark + QLatin1Char('"'))) continue;
            if (const QRegularExpressionMatch b = bindCall.match(line); b.hasMatch()) {
                writes << line; // a socket file anywhere else
                continue;
            }
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
    if (argc == 4 && std::strcmp(argv[1], "--squat") == 0)
        return squat(argv[2], unsigned(std::atoi(argv[3])));
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

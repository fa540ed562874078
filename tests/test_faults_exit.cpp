// Ends of the application with a sound server running, and the sound path fed with odd
// files. The application runs as a process of its own (this program, re-run with
// "--child ROAD"), on the real clock with the real sound output, so its exit status
// includes what happens after main returns. A PulseAudio server with a null sink is
// started for the test when pulseaudio is installed; without one those rows are skipped.

#include "app/Main.h"
#include "player/Sound.h"
#include "player/globals.h"
#include "tests/support/AppProcess.h"
#include "tests/support/FaultFiles.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace {
int tried = 0, failures = 0;
QElapsedTimer wallClock;

// Ends the test program when the interface thread stays blocked: a hang must fail the
// test, not stall the suite.
class Watchdog {
public:
    Watchdog(int seconds, const char* what)
        : thread_([this, seconds, what] {
              std::unique_lock<std::mutex> lock(m_);
              if (!cv_.wait_for(lock, std::chrono::seconds(seconds), [this] { return done_; })) {
                  std::fprintf(stderr, "FAIL: %s: the interface thread is blocked for %d s\n", what, seconds);
                  std::fflush(stderr);
                  ::_exit(1);
              }
          }) {}
    ~Watchdog() {
        {
            std::lock_guard<std::mutex> lock(m_);
            done_ = true;
        }
        cv_.notify_all();
        thread_.join();
    }

private:
    std::mutex m_;
    std::condition_variable cv_;
    bool done_ = false;
    std::thread thread_;
};
} // namespace

class TestFaultsExit : public QObject {
    Q_OBJECT
    appprocess::SoundServer server_;
    bool haveServer_ = false;

private slots:
    void initTestCase() {
        wallClock.start();
        haveServer_ = server_.start();
        if (!haveServer_) qWarning("no sound server for this test: %s", qPrintable(server_.why()));
    }

    // Every way out ends with status 0, with and without a sound server, after a cue.
    void everyRoadEndsWithStatusZero_data() {
        QTest::addColumn<QString>("road");
        QTest::addColumn<bool>("withServer");
        for (const QString& road : appprocess::roads()) {
            QTest::newRow(qPrintable(road + QStringLiteral(", sound server"))) << road << true;
            QTest::newRow(qPrintable(road + QStringLiteral(", no sound server"))) << road << false;
        }
    }
    void everyRoadEndsWithStatusZero() {
        QFETCH(QString, road);
        QFETCH(bool, withServer);
        if (withServer && !haveServer_) QSKIP("no sound server can run here");
        QTemporaryDir home;
        QProcessEnvironment env = appprocess::childEnvironment(home.path());
        if (withServer) server_.addTo(env);
        ++tried;
        const bool sigterm = road.startsWith(QLatin1String("sigterm"));
        const appprocess::Result r = appprocess::run(QCoreApplication::applicationFilePath(),
                                                     {QStringLiteral("--child"), road}, env, 90000, sigterm);
        const bool ok = !r.timedOut && !r.crashed && r.status == 0 && !appprocess::sanitizerReport(r.err) &&
                        (!sigterm || r.out.contains("READY"));
        if (!ok) ++failures;
        QVERIFY2(ok, qPrintable(r.describe()));
    }

    // The application starts, plays an item and ends with status 0 whatever its
    // surroundings lack: its media folders, read access to its own folder, a sound
    // server, a Japanese font.
    void environments_data() {
        QTest::addColumn<QString>("what");
        QTest::newRow("no media folders") << "no-media";
        QTest::newRow("unreadable application folder") << "unreadable";
        QTest::newRow("no sound server") << "no-server";
        QTest::newRow("a running sound server") << "server";
        QTest::newRow("no Japanese font") << "no-font";
    }
    void environments() {
        QFETCH(QString, what);
        if (what == QLatin1String("server") && !haveServer_) QSKIP("no sound server can run here");
        QTemporaryDir home;
        QProcessEnvironment env = appprocess::childEnvironment(home.path());
        QString program = QCoreApplication::applicationFilePath();
        const QString folder = home.filePath(QStringLiteral("app"));
        if (what == QLatin1String("no-media") || what == QLatin1String("unreadable")) {
            // A copy of this program in a folder of its own, with nothing beside it.
            QVERIFY(QDir().mkpath(folder));
            program = QDir(folder).filePath(QFileInfo(program).fileName());
            QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), program));
            if (what == QLatin1String("unreadable"))
                QFile::setPermissions(folder,
                                      QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther);
        } else if (what == QLatin1String("server")) {
            server_.addTo(env);
        } else if (what == QLatin1String("no-font")) {
            // A font configuration that knows no font at all.
            QVERIFY(QDir().mkpath(home.filePath(QStringLiteral("fonts"))));
            QFile conf(home.filePath(QStringLiteral("fonts.conf")));
            QVERIFY(conf.open(QIODevice::WriteOnly));
            conf.write(
                QStringLiteral("<?xml version=\"1.0\"?><fontconfig><dir>%1</dir><cachedir>%2</cachedir>"
                               "</fontconfig>\n")
                    .arg(home.filePath(QStringLiteral("fonts")), home.filePath(QStringLiteral("cache")))
                    .toUtf8());
            conf.close();
            env.insert(QStringLiteral("FONTCONFIG_FILE"), conf.fileName());
        }
        ++tried;
        const appprocess::Result r =
            appprocess::run(program, {QStringLiteral("--child"), QStringLiteral("play-item")}, env);
        QFile::setPermissions(folder,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        const bool ok = !r.timedOut && !r.crashed && r.status == 0 && !appprocess::sanitizerReport(r.err);
        if (!ok) ++failures;
        QVERIFY2(ok, qPrintable(r.describe()));
    }

    // Odd files on the real output, then a good cue: none of it may hold the interface
    // thread, and the output still stops when asked.
    void oddCuesNeverHoldTheInterface() {
        if (!haveServer_) QSKIP("no sound server can run here");
        qputenv("PULSE_SERVER", server_.server().toLocal8Bit());
        QTemporaryDir dir;
        gAppPath = appPathFor(dir.path());
        QDir().mkpath(dir.filePath(QStringLiteral("wave")));
        auto put = [&](const QString& name, const QByteArray& bytes) {
            QFile f(dir.filePath(QStringLiteral("wave/") + name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        };
        using faultfiles::wav;
        put(QStringLiteral("8k8bitstereo.wav"), wav(2, 8000, 8, 16000));
        put(QStringLiteral("192k.wav"), wav(1, 192000, 16, 38400));
        put(QStringLiteral("onebyte.wav"), wav(1, 22050, 16, 1));
        put(QStringLiteral("threebytes.wav"), wav(1, 22050, 16, 3));
        put(QStringLiteral("claims4g.wav"), wav(1, 22050, 16, 64, 0xfffffff0));
        put(QStringLiteral("good.wav"), wav(1, 22050, 16, 22050));
        const QStringList order = {"8k8bitstereo.wav", "192k.wav",     "onebyte.wav", "good.wav",
                                   "threebytes.wav",   "claims4g.wav", "good.wav",    "8k8bitstereo.wav",
                                   "good.wav",         "192k.wav",     "good.wav"};
        setSoundBackend(nullptr); // the real output
        {
            Watchdog dog(20, "odd cues on the real sound output");
            for (int round = 0; round < 3; ++round)
                for (const QString& name : order) {
                    ++tried;
                    PlaySound(QStringLiteral("wave\\") + name);
                }
            ++tried;
            const bool stopped = releaseSoundOutput();
            if (!stopped) ++failures;
            QVERIFY2(stopped, "the sound output did not stop");
        }
        setSoundBackend(std::make_unique<RecordingSoundBackend>());
    }

    void cleanupTestCase() {}
};

int main(int argc, char** argv) {
    const int child = appprocess::childMain(argc, argv);
    if (child >= 0) return child;
    int status = 0;
    {
        QApplication app(argc, argv);
        TestFaultsExit test;
        status = QTest::qExec(&test, argc, argv);
    }
    std::printf("test_faults_exit: %d cases tried, %d failures, %.1f s\n", tried, failures,
                wallClock.elapsed() / 1000.0);
    // The real sound output was used: end as the application ends.
    endProcess(status);
}

#include "test_faults_exit.moc"

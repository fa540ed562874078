#include "tests/support/AppProcess.h"

#include "app/Main.h"
#include "app/SingleInstance.h"
#include "app/frmStart.h"
#include "cloud/cloudfrm.h"
#include "lesson/frmLight.h"
#include "lesson/frmMaterial.h"
#include "player/Clock.h"
#include "player/Prompts.h"
#include "player/Sound.h"
#include "tests/support/ViewerInside.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <csignal>
#include <cstdio>
#include <functional>
#include <unistd.h>

namespace appprocess {

QStringList roads() {
    return {QStringLiteral("exit-button"), QStringLiteral("close-box"),    QStringLiteral("cloud-end"),
            QStringLiteral("sigterm"),     QStringLiteral("sigterm-step"), QStringLiteral("play-item")};
}

namespace {

// A road is a list of actions, each run once its condition holds; the conditions are
// looked at every 50 ms on the application's own (real) clock.
struct Action {
    QString what;
    std::function<bool()> ready;
    std::function<void()> act;
};

struct Script {
    QList<Action> actions;
    int next = 0;
    qint64 lastAt = 0;
    qint64 startedAt = 0;

    void poll() {
        const qint64 now = appClock().msNow();
        if (next < actions.size() && actions[next].ready()) {
            lastAt = now;
            const Action a = actions[next++];
            // The action may wait inside (the farewell, a step): the next look is
            // scheduled first, so the script goes on during that wait.
            appClock().at(now + 50, [this] { poll(); });
            a.act();
            return;
        }
        if (next >= actions.size()) return;
        if (now - startedAt > 60000) {
            std::fprintf(stderr, "child: stuck before \"%s\"\n", qPrintable(actions[next].what));
            std::fflush(stderr);
            ::_exit(3);
        }
        appClock().at(now + 50, [this] { poll(); });
    }
    qint64 sinceLast() const { return appClock().msNow() - lastAt; }
};

bool shown(QWidget* w) {
    return w && w->isVisible() && w->isEnabled();
}

bool startReady() {
    frmStart* s = loadedForm<frmStart>();
    return s && s->isVisible() && shown(s->cmdExit);
}

template <class W> bool menuReady(int item) {
    W* w = loadedForm<W>();
    return w && w->isVisible() && shown(w->cmdMenu[item]);
}

void ready() {
    std::fputs("READY\n", stdout);
    std::fflush(stdout);
}

void cue() {
    PlaySound(QStringLiteral("wave\\Applause.wav"));
}

Script* scriptFor(const QString& road) {
    auto* s = new Script;
    auto add = [s](const char* what, std::function<bool()> ready, std::function<void()> act) {
        s->actions.append({QString::fromLatin1(what), std::move(ready), std::move(act)});
    };
    auto after = [s](qint64 ms) { return [s, ms] { return s->sinceLast() >= ms; }; };
    if (road == QLatin1String("exit-button")) {
        add("exit", startReady, [] { loadedForm<frmStart>()->cmdExit->click(); });
    } else if (road == QLatin1String("close-box")) {
        add("cue", startReady, cue);
        add("close box", after(300), [] { loadedForm<frmStart>()->close(); });
    } else if (road == QLatin1String("cloud-end")) {
        add("matter course", startReady, [] { loadedForm<frmStart>()->cmdItem[2]->click(); });
        add(
            "cloud item", [] { return menuReady<frmMaterial>(4); },
            [] { loadedForm<frmMaterial>()->cmdMenu[4]->click(); });
        add(
            "cue",
            [] {
                cloudfrm* v = loadedForm<cloudfrm>();
                return v && shown(CloudInside(*v).InputText) && shown(CloudInside(*v).cmdCancel);
            },
            cue);
        add("cancel", after(300), [] { CloudInside(*loadedForm<cloudfrm>()).cmdCancel->click(); });
    } else if (road == QLatin1String("sigterm")) {
        add("cue", startReady, cue);
        add("ready", after(300), ready);
    } else if (road == QLatin1String("sigterm-step")) {
        add("light course", startReady, [] { loadedForm<frmStart>()->cmdItem[1]->click(); });
        add(
            "item 2", [] { return menuReady<frmLight>(2); },
            [] { loadedForm<frmLight>()->cmdMenu[2]->click(); });
        add("ready", after(300), ready);
    } else if (road == QLatin1String("play-item")) {
        add("light course", startReady, [] { loadedForm<frmStart>()->cmdItem[1]->click(); });
        add(
            "item 2", [] { return menuReady<frmLight>(2); },
            [] { loadedForm<frmLight>()->cmdMenu[2]->click(); });
        add("close box", after(1000), [] { loadedForm<frmLight>()->close(); });
        add("exit", startReady, [] { loadedForm<frmStart>()->cmdExit->click(); });
    } else {
        delete s;
        return nullptr;
    }
    return s;
}

} // namespace

int childMain(int argc, char** argv) {
    QString road;
    bool single = false;
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--child" && i + 1 < argc) road = QString::fromLocal8Bit(argv[i + 1]);
        if (QByteArray(argv[i]) == "--single-instance") single = true;
    }
    if (road.isEmpty()) return -1;
    // As main() does; only on request, so that a copy of the application the developer
    // runs meanwhile cannot turn a child into a silent success.
    if (single && !acquireSingleInstance()) return 0;
    std::unique_ptr<Script> script(scriptFor(road));
    if (!script) {
        std::fprintf(stderr, "child: no road %s\n", qPrintable(road));
        return 2;
    }
    int status = 0;
    {
        QApplication app(argc, argv);
        // 終了しますか？ and every other box: OK, as the learner who wants to leave.
        setModalHook([](QDialog& d) {
            if (auto* box = qobject_cast<QMessageBox*>(&d)) {
                if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
                    ok->click();
                    return;
                }
            }
            d.accept();
        });
        script->startedAt = appClock().msNow();
        appClock().at(0, [s = script.get()] { s->poll(); });
        status = runApplication(app);
        setModalHook(nullptr);
    }
    endProcess(status); // as main() ends
}

// ---- sound server ----

SoundServer::SoundServer() = default;

SoundServer::~SoundServer() {
    if (process_ && process_->state() != QProcess::NotRunning) {
        process_->terminate();
        if (!process_->waitForFinished(3000)) {
            process_->kill();
            process_->waitForFinished(3000);
        }
    }
}

QString SoundServer::server() const {
    return dir_ ? QStringLiteral("unix:") + dir_->filePath(QStringLiteral("native")) : QString();
}

bool SoundServer::running() const {
    return process_ && process_->state() == QProcess::Running;
}

bool SoundServer::start() {
    const QString exe = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    if (exe.isEmpty()) {
        why_ = QStringLiteral("pulseaudio is not installed");
        return false;
    }
    dir_ = std::make_unique<QTemporaryDir>();
    const QString socket = dir_->filePath(QStringLiteral("native"));
    process_ = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), dir_->path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir_->path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir_->path());
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    process_->setProcessEnvironment(env);
    process_->setProcessChannelMode(QProcess::MergedChannels);
    process_->start(exe,
                    {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                     QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
                     QStringLiteral("--disable-shm=yes"), QStringLiteral("--log-target=stderr"),
                     QStringLiteral("-L"), QStringLiteral("module-null-sink"), QStringLiteral("-L"),
                     QStringLiteral("module-native-protocol-unix socket=%1 auth-anonymous=1").arg(socket)});
    if (!process_->waitForStarted(5000)) {
        why_ = QStringLiteral("pulseaudio does not start: ") + process_->errorString();
        return false;
    }
    // The server is up once its socket is there; it dies at once when it cannot run.
    for (int i = 0; i < 100 && !QFileInfo::exists(socket); ++i)
        if (process_->waitForFinished(100)) break;
    if (!running() || !QFileInfo::exists(socket)) {
        why_ = QStringLiteral("pulseaudio ends at once: ") +
               QString::fromLocal8Bit(process_->readAll().right(400));
        return false;
    }
    return true;
}

void SoundServer::addTo(QProcessEnvironment& env) const {
    env.insert(QStringLiteral("PULSE_SERVER"), server());
}

QProcessEnvironment childEnvironment(const QString& home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    env.insert(QStringLiteral("HOME"), home);
    const QString run = home + QStringLiteral("/run");
    QDir().mkpath(run);
    QFile::setPermissions(run, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), run);
    // The sound library's client creates its cookie file when the user has none; on a
    // desktop the sound server has left one there long before.
    QDir().mkpath(home + QStringLiteral("/.config/pulse"));
    QFile cookie(home + QStringLiteral("/.config/pulse/cookie"));
    if (!cookie.exists() && cookie.open(QIODevice::WriteOnly)) cookie.write(QByteArray(256, char(0x5a)));
    cookie.close();
    QFile conf(home + QStringLiteral("/client.conf"));
    if (conf.open(QIODevice::WriteOnly)) conf.write("autospawn = no\n");
    env.insert(QStringLiteral("PULSE_CLIENTCONFIG"), conf.fileName());
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + home + QStringLiteral("/no-server"));
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return env;
}

QString Result::describe() const {
    QString s = timedOut  ? QStringLiteral("timed out")
                : crashed ? QStringLiteral("crashed")
                          : QStringLiteral("status %1").arg(status);
    s += QStringLiteral(" after %1 s").arg(seconds, 0, 'f', 1);
    const QByteArray tail = err.right(1500);
    if (!tail.isEmpty()) s += QStringLiteral("; stderr ends:\n") + QString::fromLocal8Bit(tail);
    return s;
}

bool sanitizerReport(const QByteArray& err) {
    return err.contains("ERROR: AddressSanitizer") || err.contains("runtime error:") ||
           err.contains("ERROR: LeakSanitizer");
}

Result run(const QString& program, const QStringList& args, const QProcessEnvironment& env, int limitMs,
           bool sigtermAfterReady) {
    Result r;
    QProcess p;
    p.setProcessEnvironment(env);
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    if (!p.waitForStarted(10000)) {
        r.err = p.errorString().toLocal8Bit();
        return r;
    }
    if (sigtermAfterReady) {
        while (!r.out.contains("READY\n") && p.state() == QProcess::Running && t.elapsed() < limitMs) {
            p.waitForReadyRead(200);
            r.out += p.readAllStandardOutput();
        }
        if (r.out.contains("READY\n")) ::kill(pid_t(p.processId()), SIGTERM);
    }
    if (!p.waitForFinished(int(std::max<qint64>(1000, limitMs - t.elapsed())))) {
        r.timedOut = true;
        p.kill();
        p.waitForFinished(5000);
    }
    r.seconds = t.elapsed() / 1000.0;
    r.out += p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    r.crashed = p.exitStatus() == QProcess::CrashExit && !r.timedOut;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return r;
}

} // namespace appprocess

#pragma once
// The application as a process of its own, for the fault tests that need a real end of
// a real program: its exit status, its static destructors, its signals, its sound output.
//
// A test program re-runs itself with "--child ROAD": the child does what the application
// does (runApplication on the real clock, the real sound output) and plays one scripted
// road through it, clicking the real buttons. The parent watches its status and output.

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class QProcess;

namespace appprocess {

// Roads a child plays, each ending the application one way after a sound cue:
//   exit-button   the start window's 終了 (its farewell is the cue)
//   close-box     a cue, then the start window's close box
//   cloud-end     the matter course, the electron-cloud viewer, a cue, Cancel at the first
//                 count prompt and OK to 終了しますか？
//   sigterm       a cue, "READY" on standard output, then it waits for SIGTERM
//   sigterm-step  the light course, item 2, "READY" during its title card, SIGTERM
//   play-item     the light course, item 2 for a second, the close box of the lesson
//                 window, then the start window's 終了
QStringList roads();

// When argv holds "--child ROAD", plays it and returns the exit status; otherwise -1.
// With "--single-instance" the child first takes the single-instance mark, as main() does.
int childMain(int argc, char** argv);

// A PulseAudio server of our own with one null sink, in a private folder. start() is
// false when none can run here (no pulseaudio installed): the caller skips.
class SoundServer {
public:
    SoundServer();
    ~SoundServer();
    bool start();
    bool running() const;
    // Points a client at this server.
    void addTo(QProcessEnvironment& env) const;
    QString server() const; // "unix:/…/native"
    QString why() const { return why_; }

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<QProcess> process_;
    QString why_;
};

// A client environment for the children: offscreen, no leak reports, a private HOME and
// runtime folder with what a desktop keeps there (the sound library's cookie), and a
// sound server that does not exist unless one is added.
QProcessEnvironment childEnvironment(const QString& home);

struct Result {
    int status = -1;
    bool crashed = false;  // ended by a signal
    bool timedOut = false; // killed after the time limit
    QByteArray out, err;
    double seconds = 0;
    QString describe() const;
};

// Runs program with args and env to its end (at most limitMs); with sigtermAfterReady,
// sends SIGTERM once the child has printed READY.
Result run(const QString& program, const QStringList& args, const QProcessEnvironment& env,
           int limitMs = 90000, bool sigtermAfterReady = false);

// True when the output holds a sanitizer report.
bool sanitizerReport(const QByteArray& err);

} // namespace appprocess

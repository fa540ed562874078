#include "app/SingleInstance.h"

#include "player/Form.h"
#include "player/Prompts.h"

#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr char kAsk[] = "show\n";
constexpr char kAnswer[] = "shown\n";

// The copy that holds the mark: its listening socket until the application object
// exists, then the server that answers on it.
int listening = -1;
std::string markFolder, markPath;
// A second start: the connection to the running copy.
int toRunningCopy = -1;
QPointer<QLocalServer> server;

// A folder of this user's that no other user can enter or write into.
bool isPrivateFolder(const std::string& dir) {
    struct stat st {};
    if (::lstat(dir.c_str(), &st) != 0) return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 077) == 0;
}

// The private folder of this user under base, made when missing. A folder of that name
// that belongs to someone else is passed over for the next name.
std::string privateFolderUnder(const std::string& base) {
    if (base.empty() || base.front() != '/') return {};
    for (int k = 0; k < 4; ++k) {
        std::string dir = base + "/orvanth-" + std::to_string(::getuid());
        if (k > 0) dir += "-" + std::to_string(k);
        if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return {};
        struct stat st {};
        if (::lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
            (st.st_mode & 077) != 0)
            ::chmod(dir.c_str(), 0700); // ours, but made open by hand: ours alone again
        if (isPrivateFolder(dir)) return dir;
    }
    return {};
}

// The private folder under the temporary folder (TMPDIR, else /tmp), made when missing.
std::string temporaryMarkFolder() {
    const char* tmp = std::getenv("TMPDIR");
    for (const std::string& base : {std::string(tmp ? tmp : ""), std::string("/tmp")}) {
        const std::string dir = privateFolderUnder(base);
        if (!dir.empty()) return dir;
    }
    return {};
}

bool addressFor(const std::string& path, sockaddr_un* addr) {
    *addr = {};
    addr->sun_family = AF_UNIX;
    if (path.size() >= sizeof addr->sun_path) return false;
    std::memcpy(addr->sun_path, path.c_str(), path.size() + 1);
    return true;
}

// The milliseconds left until deadline, at least 0.
int msUntil(std::chrono::steady_clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return int(std::max<long long>(0, left.count()));
}

enum class Found { Ours, Nobody, Foreign, Unknown };

// Connects to the socket at path. Ours: a copy of this user listens there (fd is the
// connection); Nobody: no socket, or one nobody listens on (left by a crash).
Found connectTo(const sockaddr_un& addr, int* fd) {
    *fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (*fd < 0) return Found::Unknown;
    if (::connect(*fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
        const int err = errno;
        ::close(*fd);
        *fd = -1;
        if (err == ECONNREFUSED || err == ENOENT) return Found::Nobody;
        // A full queue of connections: a copy listens but takes none (stopped, hung).
        return err == EAGAIN ? Found::Ours : Found::Unknown;
    }
    ucred peer{};
    socklen_t len = sizeof peer;
    if (::getsockopt(*fd, SOL_SOCKET, SO_PEERCRED, &peer, &len) != 0 || peer.uid != ::getuid()) {
        ::close(*fd);
        *fd = -1;
        return Found::Foreign;
    }
    return Found::Ours;
}

// In one private folder: finds the running copy, or takes the mark there. Starts at the
// same moment take turns on the folder's lock, so exactly one of them becomes the first.
enum class Outcome { First, Second, Elsewhere };

Outcome takeMarkIn(const std::string& folder) {
    const std::string path = folder + "/orvanth-instance";
    sockaddr_un addr{};
    if (!addressFor(path, &addr)) return Outcome::Elsewhere;
    const int lock = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (lock < 0) return Outcome::Elsewhere;
    ::flock(lock, LOCK_EX); // held for a few system calls by whoever has it
    Outcome outcome = Outcome::Elsewhere;
    int fd = -1;
    switch (connectTo(addr, &fd)) {
    case Found::Ours:
        toRunningCopy = fd;
        outcome = Outcome::Second;
        break;
    case Found::Nobody: {
        ::unlink(path.c_str()); // a socket left by a copy that crashed
        const int s = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (s >= 0 && ::bind(s, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0 &&
            ::listen(s, 16) == 0) {
            listening = s;
            markFolder = folder;
            markPath = path;
            outcome = Outcome::First;
        } else if (s >= 0) {
            ::close(s);
        }
        break;
    }
    case Found::Foreign:
    case Found::Unknown: break;
    }
    ::flock(lock, LOCK_UN);
    ::close(lock);
    return outcome;
}

} // namespace

bool acquireSingleInstance() {
    if (listening >= 0 || server) return true;
    // The runtime folder first; a folder under the temporary folder is made only when that
    // cannot hold the mark.
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    Outcome outcome = Outcome::Elsewhere;
    if (runtime && runtime[0] == '/' && isPrivateFolder(runtime)) outcome = takeMarkIn(runtime);
    if (outcome == Outcome::Elsewhere) {
        const std::string folder = temporaryMarkFolder();
        if (!folder.empty()) outcome = takeMarkIn(folder);
    }
    // No private place for a mark: run unmarked rather than not at all.
    return outcome != Outcome::Second;
}

namespace {

// Sends the request and waits for the answer. False when the running copy took none
// within the time, or went away without answering.
bool askToShow(int fd, bool* wentAway) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kInstanceAnswerMs);
    size_t sent = 0;
    std::string got;
    while (true) {
        pollfd p{fd, short(sent < sizeof kAsk - 1 ? POLLOUT : POLLIN), 0};
        const int n = ::poll(&p, 1, msUntil(deadline));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        if (sent < sizeof kAsk - 1) {
            const ssize_t w = ::send(fd, kAsk + sent, sizeof kAsk - 1 - sent, MSG_NOSIGNAL);
            if (w < 0 && (errno == EAGAIN || errno == EINTR)) continue;
            if (w < 0) {
                *wentAway = true;
                return false;
            }
            sent += size_t(w);
            continue;
        }
        char buf[32];
        const ssize_t r = ::recv(fd, buf, sizeof buf, 0);
        if (r < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (r <= 0) {
            *wentAway = true;
            return false;
        }
        got.append(buf, size_t(r));
        if (got.find('\n') != std::string::npos) return got == kAnswer;
    }
}

bool screenToShowOn() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const std::string name = platform ? platform : "";
    if (name.rfind("offscreen", 0) == 0 || name.rfind("minimal", 0) == 0) return false;
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || !name.empty();
}

} // namespace

int bringRunningCopyForward(int& argc, char** argv) {
    // A copy that was ending as we asked has closed its mark by now: this start runs in
    // its place. Two tries; a copy that keeps going away and coming back is not waited on.
    for (int attempt = 0; attempt < 2 && toRunningCopy >= 0; ++attempt) {
        bool wentAway = false;
        const bool answered = askToShow(toRunningCopy, &wentAway);
        ::close(toRunningCopy);
        toRunningCopy = -1;
        if (answered) return 0;
        if (!wentAway) break;
        if (acquireSingleInstance()) return -1;
    }
    std::fprintf(stderr, "orvanth: another copy is running but does not answer; end it and start again\n");
    std::fflush(stderr);
    if (screenToShowOn()) {
        QApplication app(argc, argv);
        MsgBox(QStringLiteral("Orvanth はすでに起動していますが、応答がありません。\n"
                              "起動中の Orvanth を終了してから、もう一度起動してください。"),
               MsgButtons::OK, MsgIcon::Exclamation);
    }
    return 1;
}

void serveSingleInstance(std::function<void()> bringForward) {
    if (listening < 0 || server) return;
    server = new QLocalServer(qApp);
    if (!server->listen(qintptr(listening))) {
        delete server;
        return;
    }
    listening = -1; // the server owns it now
    QObject::connect(server, &QLocalServer::newConnection, server, [bringForward] {
        while (QLocalSocket* s = server->nextPendingConnection()) {
            QObject::connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            QObject::connect(s, &QLocalSocket::readyRead, s, [s, bringForward] {
                if (!s->canReadLine()) return;
                const QByteArray ask = s->readLine();
                if (ask == kAsk) {
                    bringForward();
                    s->write(kAnswer);
                    s->flush();
                }
                s->disconnectFromServer();
            });
        }
    });
}

void releaseSingleInstance() {
    if (markPath.empty()) return;
    // Under the folder's lock, so that a start taking over in between does not lose its
    // fresh socket to this removal.
    const int lock = ::open(markFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (lock >= 0) ::flock(lock, LOCK_EX);
    if (server) {
        server->close();
        delete server;
    } else if (listening >= 0) {
        ::close(listening);
        listening = -1;
    }
    // Without the name a start that comes now runs at once, instead of asking a copy that
    // will not answer any more.
    ::unlink(markPath.c_str());
    markPath.clear();
    if (lock >= 0) ::close(lock);
}

void bringWindowsForward() {
    // The front window: the last loaded window that is shown (a viewer over its lesson
    // window, a lesson window over the start window).
    Form* front = nullptr;
    for (Form* f : Form::all())
        if (f->isVisible()) front = f;
    const auto forward = [](QWidget* w) {
        if (w->isMinimized()) w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
        w->show();
        w->raise();
        w->activateWindow();
    };
    if (front) forward(front);
    // A modal dialog (an answer dialog, a message box, an input box) stays on top and
    // keeps the keyboard; its step goes on waiting for it.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        if (QWidget* parent = modal->parentWidget(); parent && parent->window() != front)
            forward(parent->window());
        forward(modal);
    }
}

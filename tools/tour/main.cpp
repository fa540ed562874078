// orvanth-tour: plays every item of both courses as a learner would and saves what the
// learner sees after each step as a PNG, with one index page to browse or print. Teachers
// review a course with it; we open the pictures and look. With --pdf it also writes the
// teacher's handout, handout.pdf: every step's picture with what the step printed, as
// text that can be searched and copied.
//
//   orvanth-tour --out DIR [--pdf] [--scale 1|1.2|1.5 ...] [--seed N] [--wrong-first]
//                [--items L1,L2,...,M5] [--platform NAME] [--verbose]
//   orvanth-tour --help | --version

#include "app/Main.h"
#include "app/CommandLine.h"
#include "app/frmStart.h"
#include "driver/Learner.h"
#include "player/Clock.h"
#include "player/Random.h"
#include "player/Sound.h"
#include "player/globals.h"
#include "tools/tour/Handout.h"
#include "tools/tour/WholeFile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryFile>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>
#include <unistd.h>

using driver::Course;
using tour::Item;
using tour::ItemReport;
using tour::Picture;
using tour::scaleName;

namespace {

// ---- where the tour is, for a crash or a hang ----

char whereNow[512] = "starting";
std::atomic<quint64> progress{0};

void noteWhere(const QString& where) {
    const QByteArray utf8 = where.toUtf8();
    const size_t n = std::min(sizeof whereNow - 1, size_t(utf8.size()));
    std::memcpy(whereNow, utf8.constData(), n);
    whereNow[n] = '\0';
    progress.fetch_add(1, std::memory_order_relaxed);
}

void writeStderr(const char* s) {
    ssize_t ignored = ::write(2, s, std::strlen(s));
    (void)ignored;
}

extern "C" void onCrash(int sig) {
    writeStderr("orvanth-tour: crashed (");
    writeStderr(strsignal(sig));
    writeStderr(") at ");
    writeStderr(whereNow);
    writeStderr("\n");
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

// A step that loops without ever waiting would hang the tour for good: a watchdog on its
// own thread ends the process, naming the step, once nothing has moved for a long while.
class HangWatch {
public:
    explicit HangWatch(std::chrono::seconds limit) : thread_([this, limit] { watch(limit); }) {}
    ~HangWatch() {
        {
            std::lock_guard<std::mutex> lock(m_);
            stop_ = true;
        }
        cv_.notify_all();
        thread_.join();
    }

private:
    void watch(std::chrono::seconds limit) {
        std::unique_lock<std::mutex> lock(m_);
        quint64 seen = progress.load();
        while (!cv_.wait_for(lock, limit, [this] { return stop_; })) {
            const quint64 now = progress.load();
            if (now == seen) {
                writeStderr("orvanth-tour: hangs at ");
                writeStderr(whereNow);
                writeStderr("\n");
                _exit(3);
            }
            seen = now;
        }
    }
    std::mutex m_;
    std::condition_variable cv_;
    bool stop_ = false;
    std::thread thread_;
};

// ---- options ----

struct Options {
    QString out;
    QList<double> scales;
    quint32 seed = 1;
    bool wrongFirst = false;
    bool verbose = false;
    bool pdf = false;
    QString platform;
    QStringList items; // "L1".."L5", "M2".."M5"
};

constexpr const char* kUsage =
    "usage: orvanth-tour --out DIR [--pdf] [--scale 1|1.2|1.5 ...] [--seed N] [--wrong-first]\n"
    "                    [--items L1,L2,L3,L4,L5,M2,M3,M4,M5] [--platform NAME] [--verbose]\n"
    "       orvanth-tour --help | --version\n";

constexpr const char* kHelp =
    "Plays every item of both courses as a learner would and saves each step as a PNG,\n"
    "with DIR/index.html to browse or print.\n"
    "\n"
    "Options:\n"
    "  --out DIR        the folder for the pictures, the index and the handout (required)\n"
    "  --pdf            also write DIR/handout.pdf: each step's picture with its text\n"
    "  --scale S        the display scale factor, 1, 1.2 or 1.5 (default 1.5); repeatable\n"
    "  --seed N         the seed of the random numbers (default 1)\n"
    "  --wrong-first    answer every question wrongly once before answering it rightly\n"
    "  --items LIST     only these items: L1..L5 (light), M2..M5 (matter), comma-separated\n"
    "  --platform NAME  the Qt platform to draw on (default offscreen)\n"
    "  --verbose        one more line for each item, with its virtual time\n"
    "  --help           print this help and exit\n"
    "  --version        print the version and exit\n";

// A bad command line: the problem and the usage on standard error, exit status 2.
[[noreturn]] void usage(const char* problem) {
    std::fprintf(stderr, "orvanth-tour: %s\n%s", problem, kUsage);
    std::exit(2);
}

Options parse(int argc, char* argv[]) {
    Options o;
    auto value = [&](int& i) -> const char* {
        if (i + 1 >= argc) usage("an option lacks its value");
        return argv[++i];
    };
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (!std::strcmp(a, "--out")) {
            o.out = QString::fromLocal8Bit(value(i));
        } else if (!std::strcmp(a, "--scale")) {
            const QString s = QString::fromLatin1(value(i));
            if (s != QLatin1String("1") && s != QLatin1String("1.2") && s != QLatin1String("1.5") &&
                s != QLatin1String("1.0"))
                usage("--scale takes 1, 1.2 or 1.5");
            const double v = s.toDouble();
            if (!o.scales.contains(v)) o.scales << v;
        } else if (!std::strcmp(a, "--seed")) {
            bool ok = false;
            o.seed = QString::fromLatin1(value(i)).toUInt(&ok);
            if (!ok) usage("--seed takes a whole number");
        } else if (!std::strcmp(a, "--wrong-first")) {
            o.wrongFirst = true;
        } else if (!std::strcmp(a, "--pdf")) {
            o.pdf = true;
        } else if (!std::strcmp(a, "--verbose")) {
            o.verbose = true;
        } else if (!std::strcmp(a, "--platform")) {
            o.platform = QString::fromLocal8Bit(value(i));
        } else if (!std::strcmp(a, "--items")) {
            o.items = QString::fromLatin1(value(i)).toUpper().split(QLatin1Char(','), Qt::SkipEmptyParts);
        } else if (!std::strcmp(a, "--help") || !std::strcmp(a, "-h")) {
            std::fputs(kUsage, stdout);
            std::fputs(kHelp, stdout);
            std::exit(0);
        } else if (!std::strcmp(a, "--version")) {
            std::printf("orvanth-tour %s\n", cli::version());
            std::exit(0);
        } else {
            usage(QByteArray("unknown option: ").append(a).constData());
        }
    }
    if (o.out.isEmpty()) usage("--out is required");
    if (o.scales.isEmpty()) o.scales << 1.5;
    return o;
}

// ---- what the tour plays ----

QList<Item> plan(const QStringList& only) {
    QList<Item> items = {{Course::Light, 1, true},   {Course::Light, 2, false},  {Course::Light, 3, false},
                         {Course::Light, 4, false},  {Course::Light, 5, false},  {Course::Matter, 2, false},
                         {Course::Matter, 3, false}, {Course::Matter, 4, false}, {Course::Matter, 5, false}};
    if (only.isEmpty()) return items;
    QList<Item> chosen;
    for (const Item& it : items)
        if (only.contains(QStringLiteral("%1%2").arg(it.course == Course::Light ? 'L' : 'M').arg(it.number)))
            chosen << it;
    return chosen;
}

// ---- pictures ----

QString replyText(const driver::Reply& r) {
    return r.asked + QStringLiteral(" → ") + r.given + (r.wrong ? QStringLiteral(" ✗") : QString());
}

QString seconds(qint64 ms) {
    return QString::number(ms / 1000.0, 'f', 1) + QStringLiteral(" s");
}

class Album {
public:
    explicit Album(QString root) : root_(std::move(root)) {}

    // Saves a picture under a name not used before in this tour.
    QString save(const QImage& img, const QString& folder, const QString& name) {
        QDir().mkpath(root_ + QLatin1Char('/') + folder);
        QString rel = folder + QLatin1Char('/') + name + QStringLiteral(".png");
        for (int n = 2; used_.contains(rel); ++n)
            rel = folder + QLatin1Char('/') + name + QStringLiteral("_%1.png").arg(n);
        used_.insert(rel);
        const QString path = root_ + QLatin1Char('/') + rel;
        QString error;
        const QByteArray png = tour::pngBytes(img);
        if (png.isEmpty()) error = QStringLiteral("cannot encode %1").arg(path);
        if (!error.isEmpty() || !tour::writeWholeFile(path, png, &error)) {
            std::fprintf(stderr, "orvanth-tour: error: %s\n", qPrintable(error));
            std::exit(1);
        }
        ++count_;
        return rel;
    }
    int count() const { return count_; }

private:
    QString root_;
    QSet<QString> used_;
    int count_ = 0;
};

// The offscreen platform cannot raise windows and complains about it for every window
// shown; that, and the missing runtime folder it does not need, is noise here.
QtMessageHandler standardMessages = nullptr;

void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    if (msg.startsWith(QLatin1String("This plugin does not support")) ||
        msg.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    if (standardMessages) standardMessages(type, context, msg);
}

} // namespace

int main(int argc, char* argv[]) {
    const Options o = parse(argc, argv);
    standardMessages = qInstallMessageHandler(quietMessages);
    // Offscreen unless told otherwise: the tour needs no display and looks the same anywhere.
    qputenv("QT_QPA_PLATFORM", o.platform.isEmpty() ? QByteArray("offscreen") : o.platform.toLocal8Bit());
    QApplication app(argc, argv);
    initApplication(app);
    gAppPath = appPathFor(QCoreApplication::applicationDirPath());
    setSoundBackend(std::make_unique<RecordingSoundBackend>()); // silent

    for (int sig : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL})
        std::signal(sig, onCrash);
    // Beyond a file-size limit a write is to fail with an error the tour reports, not to
    // end the process half way through a file.
    std::signal(SIGXFSZ, SIG_IGN);
    HangWatch watch(std::chrono::seconds(120));

    const QString root = QDir(o.out).absolutePath();
    if (!QDir().mkpath(root)) {
        std::fprintf(stderr, "orvanth-tour: error: cannot create %s\n", qPrintable(root));
        return 1;
    }
    {
        // A folder that cannot be written is found before the long run, not after it.
        QTemporaryFile probe(root + QStringLiteral("/.orvanth-tour-XXXXXX"));
        if (!probe.open()) {
            std::fprintf(stderr, "orvanth-tour: error: cannot write in %s\n", qPrintable(root));
            return 1;
        }
    }
    // The index and the handout of an earlier tour go first: a run that stops half way
    // must not leave them beside pictures they no longer describe.
    const QString indexPath = root + QStringLiteral("/index.html");
    const QString handoutPath = root + QStringLiteral("/handout.pdf");
    for (const QString& old : {indexPath, handoutPath}) {
        if (QFileInfo::exists(old) && !QFile::remove(old)) {
            std::fprintf(stderr, "orvanth-tour: error: cannot replace %s\n", qPrintable(old));
            return 1;
        }
    }
    QElapsedTimer timer;
    timer.start();
    Album album(root);
    QList<ItemReport> reports;
    QMap<double, QString> ready;
    int stepsSoFar = 0;
    const QList<Item> items = plan(o.items);
    const int itemCount = int(items.size() * o.scales.size());

    for (double scale : o.scales) {
        gScale = float(scale);
        const QString folder = scaleName(scale);
        bool startShown = false;
        for (const Item& item : items) {
            // Each item starts on a fresh clock with the same seed, so its pictures do not
            // depend on what was played before it.
            setClock(std::make_unique<VirtualClock>());
            SeedRandom(o.seed);
            driver::Learner::Options lo;
            lo.pictures = true;
            lo.wrongFirst = o.wrongFirst;
            lo.stopAtHandOver = item.stopAtHandOver;
            lo.text = true;
            driver::Learner learner(lo);
            learner.onAction = [](const QString& w) { noteWhere(w); };
            if (!startShown) {
                noteWhere(QStringLiteral("the start window"));
                frmStart& start = learner.openStart();
                ready.insert(scale, album.save(start.grab().toImage(), folder + QStringLiteral("/frmStart"),
                                               QStringLiteral("ready")));
                startShown = true;
            }
            ItemReport rep{scale, item, {}, {}};
            learner.onStep = [&](const driver::Step& s) {
                QString name, title;
                switch (s.shot) {
                case driver::Shot::Title:
                case driver::Shot::Step:
                    name = s.procedure == QLatin1String("cloudfrm")
                               ? QStringLiteral("title")
                               : QStringLiteral("%1-%2").arg(s.section).arg(s.step, 2, 10, QLatin1Char('0'));
                    title = s.procedure + QLatin1Char(' ') + name;
                    if (s.shot == driver::Shot::Title) title += QStringLiteral(" タイトル");
                    break;
                case driver::Shot::Stage:
                    name = QStringLiteral("stage-%1").arg(s.section, 2, 10, QLatin1Char('0'));
                    title = s.procedure + QLatin1Char(' ') + name;
                    break;
                case driver::Shot::Click:
                    name = QStringLiteral("click-%1").arg(s.section, 3, 10, QLatin1Char('0'));
                    title = s.procedure + QLatin1Char(' ') + name;
                    break;
                }
                if (s.picture.isNull()) return;
                Picture p;
                p.file = album.save(s.picture, folder + QLatin1Char('/') + s.procedure, name);
                p.title = title;
                QStringList details;
                for (const driver::Reply& r : s.replies)
                    details << replyText(r);
                if (s.shot != driver::Shot::Title && s.endMs - s.startMs >= 100)
                    details << seconds(s.endMs - s.startMs);
                p.details = details.join(QStringLiteral(" · "));
                p.text = s.text;
                rep.pictures << p;
            };
            rep.run = learner.playItem(item.course, item.number);
            if (o.verbose)
                std::fprintf(stderr, "gScale %s %s item %d: %d steps, %s virtual%s%s\n", qPrintable(folder),
                             qPrintable(driver::courseCaption(item.course)), item.number, rep.run.steps,
                             qPrintable(seconds(rep.run.virtualMs)), rep.run.message.isEmpty() ? "" : ": ",
                             qPrintable(rep.run.message));
            // Progress, one line an item: a whole tour takes minutes.
            stepsSoFar += rep.run.steps;
            std::fprintf(stderr, "orvanth-tour: %d/%d gScale %s %s %s: %d steps, %d so far, %.1f s\n",
                         int(reports.size()) + 1, itemCount, qPrintable(folder),
                         qPrintable(driver::courseTitle(item.course)), qPrintable(tour::itemHeading(rep)),
                         rep.run.steps, stepsSoFar, timer.elapsed() / 1000.0);
            std::fflush(stderr);
            if (rep.run.outcome == driver::Outcome::Failed) {
                std::fprintf(stderr, "orvanth-tour: error at gScale %s: %s\n", qPrintable(folder),
                             qPrintable(rep.run.message));
                return 1;
            }
            reports << rep;
        }
        noteWhere(QStringLiteral("closing the windows"));
        driver::Learner::closeAll();
    }
    tour::Summary summary;
    summary.title = QStringLiteral("Orvanth 計算化学 — 授業の全ステップ");
    summary.about = QStringLiteral("各ステップの画面を学習者が見る通りに並べています。seed %1%2")
                        .arg(o.seed)
                        .arg(o.wrongFirst ? QStringLiteral("、設問には一度まちがえてから正しく答えています。")
                                          : QStringLiteral("、設問には正しく答えています。"));
    summary.scales = o.scales;
    summary.ready = ready;
    if (o.pdf) {
        noteWhere(QStringLiteral("writing the handout"));
        std::fprintf(stderr, "orvanth-tour: writing %s, %.1f s\n", qPrintable(handoutPath),
                     timer.elapsed() / 1000.0);
        std::fflush(stderr);
        QString error;
        if (!tour::writeHandout(handoutPath, root, summary, reports, &error, [](const QString& file) {
                noteWhere(QStringLiteral("the handout at ") + file);
            })) {
            std::fprintf(stderr, "orvanth-tour: error: %s\n", qPrintable(error));
            return 1;
        }
    }
    noteWhere(QStringLiteral("writing the index"));
    if (!tour::writeIndex(root, summary, reports)) {
        std::fprintf(stderr, "orvanth-tour: error: cannot write %s\n", qPrintable(indexPath));
        if (o.pdf) QFile::remove(handoutPath);
        return 1;
    }
    QStringList scales;
    for (double s : o.scales)
        scales << scaleName(s);
    std::printf("orvanth-tour: %d pictures for gScale %s in %s/index.html%s, %.1f s\n", album.count(),
                qPrintable(scales.join(QStringLiteral(", "))), qPrintable(root),
                o.pdf ? " and handout.pdf" : "", timer.elapsed() / 1000.0);
    return 0;
}

// orvanth-tour: plays every item of both courses as a learner would and saves what the
// learner sees after each step as a PNG, with one index page to browse or print. Teachers
// review a course with it; we open the pictures and look. With --pdf it also writes the
// teacher's handout, handout.pdf: every step's picture with what the step printed, as
// text that can be searched and copied. With --web it writes the course itself as a
// static site instead: every step with its picture or video and its text, and the
// questions answered in the browser. Beside the index it writes layout.csv, how much of
// every text each picture shows, and prints how many texts cannot be read whole.
//
//   orvanth-tour --out DIR [--pdf] [--scale 1|1.2|1.5 ...] [--seed N] [--wrong-first]
//                [--items L1,L2,...,M5] [--platform NAME] [--verbose]
//   orvanth-tour --web DIR [--scale 1|1.2|1.5] [--seed N] [--items ...] [--platform NAME]

#include "app/Main.h"
#include "app/CommandLine.h"
#include "app/frmStart.h"
#include "driver/Learner.h"
#include "player/Clock.h"
#include "player/Random.h"
#include "player/Sound.h"
#include "player/globals.h"
#include "tools/tour/Handout.h"
#include "tools/tour/LayoutReport.h"
#include "tools/tour/Tour.h"
#include "tools/tour/Web.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>
#include <unistd.h>

using tour::Item;
using tour::ItemReport;
using tour::noteWhere;
using tour::Options;
using tour::scaleName;
using tour::seconds;

namespace {

// ---- where the tour is, for a crash or a hang ----

void writeStderr(const char* s) {
    ssize_t ignored = ::write(2, s, std::strlen(s));
    (void)ignored;
}

extern "C" void onCrash(int sig) {
    writeStderr("orvanth-tour: crashed (");
    writeStderr(strsignal(sig));
    writeStderr(") at ");
    writeStderr(tour::whereNow());
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
        quint64 seen = tour::progressCount();
        while (!cv_.wait_for(lock, limit, [this] { return stop_; })) {
            const quint64 now = tour::progressCount();
            if (now == seen) {
                writeStderr("orvanth-tour: hangs at ");
                writeStderr(tour::whereNow());
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

constexpr const char* kUsage =
    "usage: orvanth-tour --out DIR [--pdf] [--scale 1|1.2|1.5 ...] [--seed N] [--wrong-first]\n"
    "                    [--items L1,L2,L3,L4,L5,M2,M3,M4,M5] [--platform NAME] [--verbose]\n"
    "       orvanth-tour --web DIR [--scale 1|1.2|1.5] [--seed N] [--items ...] [--platform NAME]\n"
    "       orvanth-tour --help | --version\n";

constexpr const char* kHelp =
    "Plays every item of both courses as a learner would and saves each step as a PNG,\n"
    "with DIR/index.html to browse or print; or writes the course as a static web site.\n"
    "\n"
    "Options:\n"
    "  --out DIR        the folder for the pictures, the index and the handout\n"
    "  --web DIR        write the web edition into DIR instead: pictures, videos, text, questions\n"
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

double scaleValue(const char* text) {
    const QString s = QString::fromLatin1(text);
    if (s != QLatin1String("1") && s != QLatin1String("1.2") && s != QLatin1String("1.5") &&
        s != QLatin1String("1.0"))
        usage("--scale takes 1, 1.2 or 1.5");
    return s.toDouble();
}

// The web edition is one site at one scale, its questions answered right and wrong by
// the tour itself.
void checkWeb(const Options& o) {
    if (!o.out.isEmpty() || o.pdf) usage("--web writes a site of its own: give it without --out and --pdf");
    if (o.scales.size() > 1) usage("--web takes one --scale");
    if (o.wrongFirst) usage("--web answers every judged question wrong and right by itself");
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
        } else if (!std::strcmp(a, "--web")) {
            o.web = QString::fromLocal8Bit(value(i));
        } else if (!std::strcmp(a, "--scale")) {
            const double v = scaleValue(value(i));
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
    if (!o.web.isEmpty())
        checkWeb(o);
    else if (o.out.isEmpty())
        usage("--out is required");
    if (o.scales.isEmpty()) o.scales << 1.5;
    return o;
}

// The offscreen platform cannot raise windows and complains about it for every window
// shown; that, and the missing runtime folder it does not need, is noise here.
QtMessageHandler standardMessages = nullptr;

void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    if (msg.startsWith(QLatin1String("This plugin does not support")) ||
        msg.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    if (standardMessages) standardMessages(type, context, msg);
}

// ---- the tour of pictures ----

// The output folder, made and found writable; the index and the handout of an earlier
// tour removed, so a run that stops half way does not leave them beside pictures they no
// longer describe. False after the error has been told.
bool prepareFolder(const QString& root) {
    if (!QDir().mkpath(root)) return tour::failWith(QStringLiteral("cannot create %1").arg(root)), false;
    {
        // A folder that cannot be written is found before the long run, not after it.
        QTemporaryFile probe(root + QStringLiteral("/.orvanth-tour-XXXXXX"));
        if (!probe.open()) return tour::failWith(QStringLiteral("cannot write in %1").arg(root)), false;
    }
    for (const QString& old : {root + QStringLiteral("/index.html"), root + QStringLiteral("/handout.pdf"),
                               root + QStringLiteral("/layout.csv")}) {
        if (QFileInfo::exists(old) && !QFile::remove(old))
            return tour::failWith(QStringLiteral("cannot replace %1").arg(old)), false;
    }
    return true;
}

struct TourState {
    const Options& o;
    tour::Album album;
    tour::LayoutReport layout;
    QList<ItemReport> reports;
    QMap<double, QString> ready;
    int stepsSoFar = 0;
    int itemCount = 0;
    QElapsedTimer timer;
};

// Plays one item on a fresh clock with the same seed, so its pictures do not depend on
// what was played before it. The start window's picture is taken before the first item.
ItemReport playItem(TourState& t, double scale, const Item& item, bool& startShown) {
    const QString folder = scaleName(scale);
    setClock(std::make_unique<VirtualClock>());
    SeedRandom(t.o.seed);
    driver::Learner::Options lo;
    lo.pictures = true;
    lo.wrongFirst = t.o.wrongFirst;
    lo.stopAtHandOver = item.stopAtHandOver;
    lo.text = true;
    driver::Learner learner(lo);
    learner.onAction = [&t](const QString& w) {
        noteWhere(w);
        t.layout.beginStep();
    };
    if (!startShown) {
        noteWhere(QStringLiteral("the start window"));
        frmStart& start = learner.openStart();
        t.ready.insert(scale, t.album.save(start.grab().toImage(), folder + QStringLiteral("/frmStart"),
                                           QStringLiteral("ready")));
        startShown = true;
    }
    ItemReport rep{scale, item, {}, {}};
    learner.onStep = [&](const driver::Step& s) {
        if (auto p = tour::keepStep(s, t.album, folder)) {
            if (s.window) t.layout.add(scale, p->file, *s.window, s.picture);
            rep.pictures << *p;
        }
    };
    rep.run = learner.playItem(item.course, item.number);
    return rep;
}

void tellItem(TourState& t, const QString& folder, const ItemReport& rep) {
    if (t.o.verbose)
        std::fprintf(stderr, "gScale %s %s item %d: %d steps, %s virtual%s%s\n", qPrintable(folder),
                     qPrintable(driver::courseCaption(rep.item.course)), rep.item.number, rep.run.steps,
                     qPrintable(seconds(rep.run.virtualMs)), rep.run.message.isEmpty() ? "" : ": ",
                     qPrintable(rep.run.message));
    // Progress, one line an item: a whole tour takes minutes.
    t.stepsSoFar += rep.run.steps;
    std::fprintf(stderr, "orvanth-tour: %d/%d gScale %s %s %s: %d steps, %d so far, %.1f s\n",
                 int(t.reports.size()) + 1, t.itemCount, qPrintable(folder),
                 qPrintable(driver::courseTitle(rep.item.course)), qPrintable(tour::itemHeading(rep)),
                 rep.run.steps, t.stepsSoFar, t.timer.elapsed() / 1000.0);
    std::fflush(stderr);
}

bool playAll(TourState& t) {
    const QList<Item> items = tour::plan(t.o.items);
    t.itemCount = int(items.size() * t.o.scales.size());
    for (double scale : t.o.scales) {
        gScale = float(scale);
        const QString folder = scaleName(scale);
        bool startShown = false;
        for (const Item& item : items) {
            ItemReport rep = playItem(t, scale, item, startShown);
            tellItem(t, folder, rep);
            if (rep.run.outcome == driver::Outcome::Failed) {
                std::fprintf(stderr, "orvanth-tour: error at gScale %s: %s\n", qPrintable(folder),
                             qPrintable(rep.run.message));
                return false;
            }
            t.reports << rep;
        }
        noteWhere(QStringLiteral("closing the windows"));
        driver::Learner::closeAll();
    }
    return true;
}

tour::Summary summaryOf(const TourState& t) {
    tour::Summary summary;
    summary.title = QStringLiteral("Orvanth 計算化学 — 授業の全ステップ");
    summary.about =
        QStringLiteral("各ステップの画面を学習者が見る通りに並べています。seed %1%2")
            .arg(t.o.seed)
            .arg(t.o.wrongFirst ? QStringLiteral("、設問には一度まちがえてから正しく答えています。")
                                : QStringLiteral("、設問には正しく答えています。"));
    summary.scales = t.o.scales;
    summary.ready = t.ready;
    return summary;
}

bool writeOutputs(TourState& t, const QString& root) {
    const tour::Summary summary = summaryOf(t);
    const QString handoutPath = root + QStringLiteral("/handout.pdf");
    if (t.o.pdf) {
        noteWhere(QStringLiteral("writing the handout"));
        std::fprintf(stderr, "orvanth-tour: writing %s, %.1f s\n", qPrintable(handoutPath),
                     t.timer.elapsed() / 1000.0);
        std::fflush(stderr);
        QString error;
        if (!tour::writeHandout(handoutPath, root, summary, t.reports, &error, [](const QString& file) {
                noteWhere(QStringLiteral("the handout at ") + file);
            }))
            return tour::failWith(error), false;
    }
    noteWhere(QStringLiteral("writing the index"));
    if (!tour::writeIndex(root, summary, t.reports)) {
        tour::failWith(QStringLiteral("cannot write %1").arg(root + QStringLiteral("/index.html")));
        if (t.o.pdf) QFile::remove(handoutPath);
        return false;
    }
    const QString layoutPath = root + QStringLiteral("/layout.csv");
    if (!t.layout.write(layoutPath))
        return tour::failWith(QStringLiteral("cannot write %1").arg(layoutPath)), false;
    std::printf("orvanth-tour: %s\n", qPrintable(t.layout.summary()));
    return true;
}

int runTour(const Options& o) {
    const QString root = QDir(o.out).absolutePath();
    if (!prepareFolder(root)) return 1;
    TourState t{o, tour::Album(root), {}, {}, {}, 0, 0, {}};
    t.timer.start();
    if (!playAll(t) || !writeOutputs(t, root)) return 1;
    QStringList scales;
    for (double s : o.scales)
        scales << scaleName(s);
    std::printf("orvanth-tour: %d pictures for gScale %s in %s/index.html%s, %.1f s\n", t.album.count(),
                qPrintable(scales.join(QStringLiteral(", "))), qPrintable(root),
                o.pdf ? " and handout.pdf" : "", t.timer.elapsed() / 1000.0);
    return 0;
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
    return o.web.isEmpty() ? runTour(o) : tour::runWeb(o);
}

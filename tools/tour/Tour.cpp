#include "tools/tour/Tour.h"
#include "tools/tour/WholeFile.h"

#include <QDir>
#include <atomic>
#include <cstdio>
#include <cstring>

namespace tour {

namespace {
char whereText[512] = "starting";
std::atomic<quint64> progress{0};
std::function<void()> cleanUpSlot;

QString replyText(const driver::Reply& r) {
    return r.asked + QStringLiteral(" → ") + r.given + (r.wrong ? QStringLiteral(" ✗") : QString());
}
} // namespace

void noteWhere(const QString& where) {
    const QByteArray utf8 = where.toUtf8();
    const size_t n = std::min(sizeof whereText - 1, size_t(utf8.size()));
    std::memcpy(whereText, utf8.constData(), n);
    whereText[n] = '\0';
    progress.fetch_add(1, std::memory_order_relaxed);
}

const char* whereNow() {
    return whereText;
}

quint64 progressCount() {
    return progress.load();
}

void setCleanUp(std::function<void()> cleanUp) {
    cleanUpSlot = std::move(cleanUp);
}

int failWith(const QString& message) {
    std::fprintf(stderr, "orvanth-tour: error: %s\n", qPrintable(message));
    std::fflush(stderr);
    if (auto cleanUp = std::exchange(cleanUpSlot, nullptr)) cleanUp();
    return 1;
}

QString seconds(qint64 ms) {
    return QString::number(ms / 1000.0, 'f', 1) + QStringLiteral(" s");
}

QList<Item> plan(const QStringList& only) {
    using driver::Course;
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

QString Album::save(const QImage& img, const QString& folder, const QString& name) {
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
        failWith(error);
        std::exit(1);
    }
    ++count_;
    return rel;
}

StepName stepName(const driver::Step& s) {
    StepName n;
    switch (s.shot) {
    case driver::Shot::Title:
    case driver::Shot::Step:
        n.name = s.procedure == QLatin1String("cloudfrm")
                     ? QStringLiteral("title")
                     : QStringLiteral("%1-%2").arg(s.section).arg(s.step, 2, 10, QLatin1Char('0'));
        n.title = s.procedure + QLatin1Char(' ') + n.name;
        if (s.shot == driver::Shot::Title) n.title += QStringLiteral(" タイトル");
        break;
    case driver::Shot::Stage:
        n.name = QStringLiteral("stage-%1").arg(s.section, 2, 10, QLatin1Char('0'));
        n.title = s.procedure + QLatin1Char(' ') + n.name;
        break;
    case driver::Shot::Click:
        n.name = QStringLiteral("click-%1").arg(s.section, 3, 10, QLatin1Char('0'));
        n.title = s.procedure + QLatin1Char(' ') + n.name;
        break;
    }
    return n;
}

std::optional<Picture> keepStep(const driver::Step& s, Album& album, const QString& folder) {
    if (s.picture.isNull()) return std::nullopt;
    const StepName n = stepName(s);
    Picture p;
    p.file = album.save(s.picture, folder + QLatin1Char('/') + s.procedure, n.name);
    p.title = n.title;
    QStringList details;
    for (const driver::Reply& r : s.replies)
        details << replyText(r);
    if (s.shot != driver::Shot::Title && s.endMs - s.startMs >= 100) details << seconds(s.endMs - s.startMs);
    p.details = details.join(QStringLiteral(" · "));
    p.text = s.text;
    return p;
}

} // namespace tour

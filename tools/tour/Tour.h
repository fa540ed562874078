#pragma once
// What the tour's two editions share: the options, the items it plays, the album of
// pictures it keeps and the names it gives the steps.

#include "driver/Learner.h"
#include "tools/tour/Handout.h"

#include <QImage>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace tour {

struct Options {
    QString out;
    QString web; // the folder of the web edition; empty: none
    QList<double> scales;
    quint32 seed = 1;
    bool wrongFirst = false;
    bool verbose = false;
    bool pdf = false;
    QString platform;
    QStringList items; // "L1".."L5", "M2".."M5"
};

// The items of both courses in the order the tour plays them, or only those named.
QList<Item> plan(const QStringList& only);

// Notes where the tour is, for a crash or a hang report; counts as progress.
void noteWhere(const QString& where);
// Where the tour is, as a C string a signal handler may write; the progress count.
const char* whereNow();
quint64 progressCount();

// Prints "orvanth-tour: error: ..." once, runs the clean-up set for a failed run and
// returns 1, the exit code of a failed run.
int failWith(const QString& message);
// What a failed run takes away (the half-written web edition); none by default.
void setCleanUp(std::function<void()> cleanUp);

QString seconds(qint64 ms);

class Album {
public:
    explicit Album(QString root) : root_(std::move(root)) {}
    // Saves a picture under a name not used before in this tour; exits when it cannot.
    QString save(const QImage& img, const QString& folder, const QString& name);
    int count() const { return count_; }
    const QString& root() const { return root_; }

private:
    QString root_;
    QSet<QString> used_;
    int count_ = 0;
};

// The file name and the title a step's picture has: "1-05" and "Kika 1-05", "title",
// "stage-02", "click-003".
struct StepName {
    QString name;
    QString title;
};
StepName stepName(const driver::Step& s);

// The step's picture saved in the album with its title, answers, time and text; none
// when the step has no picture.
std::optional<Picture> keepStep(const driver::Step& s, Album& album, const QString& folder);

} // namespace tour

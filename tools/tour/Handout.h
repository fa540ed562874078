#pragma once
// What the tour saw, item by item, and the two ways it is written out: the index page
// beside the pictures and the teacher's handout as one PDF.

#include "driver/Learner.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

namespace tour {

struct Item {
    driver::Course course;
    int number;
    bool stopAtHandOver; // the introduction: up to its hand-over into geometric optics
};

struct Picture {
    QString file;     // relative to the output folder
    QString title;    // "Kika 1-05"
    QString details;  // answers and time
    QStringList text; // what the step printed and showed in labels, line by line
};

struct ItemReport {
    double scale;
    Item item;
    driver::ItemRun run;
    QList<Picture> pictures;
};

// What the whole tour is about, for the top of the index and the handout's cover.
struct Summary {
    QString title;               // "Orvanth 計算化学 — 授業の全ステップ"
    QString about;               // how the questions were answered, the seed
    QList<double> scales;        // in the order they were played
    QMap<double, QString> ready; // the start window's picture per scale
};

QString scaleName(double s);
// "2. 幾何光学 (Kika)": the menu item and the procedures that drew it.
QString itemHeading(const ItemReport& rep);
// A note for an item that did not simply end: handed over or failed.
QString outcomeText(const driver::ItemRun& run);

// Writes index.html in root: false when it cannot be written. A reader never finds a half
// written page: it is written beside and renamed into place.
bool writeIndex(const QString& root, const Summary& summary, const QList<ItemReport>& reports);
// Writes the handout PDF at path: a cover page, then each item from a fresh page with its
// steps in order, each step's picture beside everything it printed, as text. The pictures
// are read back from root. False, with the reason in error, when it cannot be written;
// nothing is left at path then.
// onPicture, when set, hears of every picture placed: the tour's watchdog sees progress.
bool writeHandout(const QString& path, const QString& root, const Summary& summary,
                  const QList<ItemReport>& reports, QString* error,
                  const std::function<void(const QString&)>& onPicture = {});

} // namespace tour

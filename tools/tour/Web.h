#pragma once
// The web edition: the course itself as a static site, written by the tour as it plays
// every step on the virtual clock. index.html with both courses and their menus, every
// step's picture (or its video, when it moves) with the text it printed as real text, and
// the questions answered in the browser with the dialogs' prompts, key rules and range
// checks, the feedback pictures the tour captured by answering wrong and right.

#include "tools/tour/Tour.h"

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

namespace tour {

// A question a step asks, as the browser asks it.
struct WebAsk {
    // Input: a part of a quiz asked in the plain input box, asked again until right;
    // Again: "once more?", answered yes or no.
    enum class Kind { UntilRight, Once, Free, Count, Input, Again };
    Kind kind = Kind::Free;
    QString key;          // where it is asked: "Kika/1-06/1"
    int question = 0;     // the answer dialog's question number; 0 for the cloud's counts
    QString prompt;       // the dialog's text, lines broken by \n
    char16_t lastKey = 0; // one field takes "1" up to this key; 0: the two numbers, or free
    bool twoNumbers = false;
    QString right;        // the accepted answer (judged questions)
    QStringList given;    // what the tour answered (the drawing shows these)
    QString asking;       // the picture while the dialog is open
    int textBefore = -1;  // the lines of the step's text printed before it is asked
    QString wrongPicture; // the step's feedback to a wrong answer (right: the step's picture)
    // Again: a message box's title (none: the box is typed into, "y" or anything else).
    QString title;
    bool typed = false;
    // Asked on the way into the step by Next: the step before moved on when answered.
    bool onArrival = false;
    // Again, answered yes: the step it goes to (-1: it stays and draws anew, with the
    // questions it asks and the picture it ends with).
    QString againProcedure;
    int againSection = -1, againStep = -1;
    QStringList againPrompts, againGiven;
    QString againPicture;
};

struct WebStep {
    QString id;    // "Kika/1-06": the procedure and the picture's name
    QString title; // "Kika 1-06"
    bool titleCard = false;
    QString picture; // relative to the site
    QString video;   // empty when the step does not move
    int frames = 0;
    qint64 ms = 0; // the step's waits
    QStringList text;
    QList<WebAsk> asks;
    // Back one from here: where the lesson window lands and what it shows there (the
    // window clears first, so a step drawn over the one before shows only its own part).
    QString backProcedure;
    int backSection = -1, backStep = -1;
    QString backPicture;
};

struct WebItem {
    driver::Course course = driver::Course::Light;
    int number = 0;
    QString label;
    QList<WebStep> steps;
    int sameAs = 0; // plays the steps of this item ("はじめから" of the matter course)
    int next = 0;   // in "はじめから": the item that follows; 0: none
    bool nextSkipsTitle = false;
    bool played = false; // the tour played it (--items may leave some out)
};

struct WebSite {
    QString title;
    double scale = 1.5;
    QSize size; // the lesson window's client area
    QList<WebItem> items;
};

// Plays the items, writes the site into o.web; the exit code.
int runWeb(const Options& o);

// The menus of both courses from the registry: labels, what "はじめから" plays, its chain.
QList<WebItem> webMenus();
// Writes index.html, the page's script and style and course.js into root: false with the
// reason when something cannot be written.
bool writeSite(const QString& root, const WebSite& site, QString* error);

} // namespace tour

// The web edition's files: the menus read from the registry, the course as data for the
// page's script, and the page itself (index.html, orvanth.js, orvanth.css, kept in the
// tour as resources), all written whole or not at all.

#include "lesson/Course.h"
#include "tools/tour/Web.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace tour {

namespace {

const course::Course& registryOf(driver::Course c) {
    return course::of(c == driver::Course::Light ? course::Id::Light : course::Id::Matter);
}

// The menu item whose own procedure (GetMenu's dispatch) is p; 0 for none.
int itemPlaying(const course::Course& c, const lesson::Procedure* p) {
    for (int i = 2; i <= 5; ++i)
        if (p && c.dispatch[i - 2] == p) return i;
    return 0;
}

QString kindName(WebAsk::Kind k) {
    switch (k) {
    case WebAsk::Kind::UntilRight: return QStringLiteral("until");
    case WebAsk::Kind::Once: return QStringLiteral("once");
    case WebAsk::Kind::Free: return QStringLiteral("free");
    case WebAsk::Kind::Count: return QStringLiteral("count");
    case WebAsk::Kind::Input: return QStringLiteral("input");
    case WebAsk::Kind::Again: return QStringLiteral("again");
    }
    return QString();
}

QJsonObject askJson(const WebAsk& a) {
    QJsonObject o;
    o[QStringLiteral("kind")] = kindName(a.kind);
    o[QStringLiteral("q")] = a.question;
    o[QStringLiteral("prompt")] = a.prompt;
    if (a.lastKey) o[QStringLiteral("lastKey")] = QString(QChar(a.lastKey));
    if (a.twoNumbers) o[QStringLiteral("two")] = true;
    if (!a.right.isEmpty()) o[QStringLiteral("right")] = a.right;
    o[QStringLiteral("given")] = QJsonArray::fromStringList(a.given);
    if (!a.asking.isEmpty()) o[QStringLiteral("asking")] = a.asking;
    if (a.textBefore >= 0) o[QStringLiteral("textBefore")] = a.textBefore;
    if (!a.wrongPicture.isEmpty()) o[QStringLiteral("wrong")] = a.wrongPicture;
    if (!a.title.isEmpty()) o[QStringLiteral("title")] = a.title;
    if (a.typed) o[QStringLiteral("typed")] = true;
    if (a.onArrival) o[QStringLiteral("onArrival")] = true;
    if (a.againSection >= 0)
        o[QStringLiteral("againTo")] = QJsonObject{{QStringLiteral("proc"), a.againProcedure},
                                                   {QStringLiteral("section"), a.againSection},
                                                   {QStringLiteral("step"), a.againStep}};
    if (!a.againPicture.isEmpty()) {
        o[QStringLiteral("againImg")] = a.againPicture;
        o[QStringLiteral("againPrompts")] = QJsonArray::fromStringList(a.againPrompts);
        o[QStringLiteral("againGiven")] = QJsonArray::fromStringList(a.againGiven);
    }
    return o;
}

QJsonObject stepJson(const WebStep& s) {
    QJsonObject o;
    o[QStringLiteral("id")] = s.id;
    o[QStringLiteral("title")] = s.title;
    if (s.titleCard) o[QStringLiteral("card")] = true;
    o[QStringLiteral("img")] = s.picture;
    if (!s.video.isEmpty()) {
        o[QStringLiteral("video")] = s.video;
        o[QStringLiteral("frames")] = s.frames;
    }
    o[QStringLiteral("ms")] = double(s.ms);
    o[QStringLiteral("text")] = QJsonArray::fromStringList(s.text);
    QJsonArray asks;
    for (const WebAsk& a : s.asks)
        asks << askJson(a);
    if (!asks.isEmpty()) o[QStringLiteral("asks")] = asks;
    if (!s.backPicture.isEmpty())
        o[QStringLiteral("back1")] = QJsonObject{{QStringLiteral("proc"), s.backProcedure},
                                                 {QStringLiteral("section"), s.backSection},
                                                 {QStringLiteral("step"), s.backStep},
                                                 {QStringLiteral("img"), s.backPicture}};
    return o;
}

QJsonObject courseJson(const WebSite& site, driver::Course c) {
    const course::Course& reg = registryOf(c);
    QJsonObject o;
    o[QStringLiteral("id")] = c == driver::Course::Light ? QStringLiteral("light") : QStringLiteral("matter");
    o[QStringLiteral("caption")] = QString::fromUtf8(reg.caption);
    o[QStringLiteral("button")] = QString::fromUtf8(reg.button);
    QJsonArray items;
    for (const WebItem& w : site.items) {
        if (w.course != c) continue;
        QJsonObject i;
        i[QStringLiteral("n")] = w.number;
        i[QStringLiteral("label")] = w.label;
        i[QStringLiteral("played")] = w.played;
        if (w.sameAs) i[QStringLiteral("sameAs")] = w.sameAs;
        if (w.next) i[QStringLiteral("next")] = w.next;
        if (w.nextSkipsTitle) i[QStringLiteral("skipTitle")] = true;
        QJsonArray steps;
        for (const WebStep& s : w.steps)
            steps << stepJson(s);
        i[QStringLiteral("steps")] = steps;
        items << i;
    }
    o[QStringLiteral("items")] = items;
    return o;
}

bool writeWhole(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
}

} // namespace

QList<WebItem> webMenus() {
    QList<WebItem> items;
    for (driver::Course c : {driver::Course::Light, driver::Course::Matter}) {
        const course::Course& reg = registryOf(c);
        for (int i = 1; i <= 5; ++i) {
            const course::MenuItem& m = reg.item(i);
            WebItem w;
            w.course = c;
            w.number = i;
            w.label = QString::fromUtf8(m.label);
            // "はじめから" of a course whose first procedure is also an item of its own
            // plays that item's steps; either way it goes on along the procedures' chain.
            if (i == 1 && m.procedure && itemPlaying(reg, m.procedure))
                w.sameAs = itemPlaying(reg, m.procedure);
            const lesson::Procedure* p = i == 1 || m.procedure ? m.procedure : reg.dispatch[i - 2];
            if (!p && i >= 2) p = reg.dispatch[i - 2];
            if (p && p->end.next) {
                w.next = itemPlaying(reg, p->end.next);
                w.nextSkipsTitle = p->end.nextSection == 1;
            }
            items << w;
        }
    }
    return items;
}

bool writeSite(const QString& root, const WebSite& site, QString* error) {
    QJsonObject data;
    data[QStringLiteral("title")] = site.title;
    data[QStringLiteral("scale")] = site.scale;
    data[QStringLiteral("width")] = site.size.width();
    data[QStringLiteral("height")] = site.size.height();
    data[QStringLiteral("courses")] =
        QJsonArray{courseJson(site, driver::Course::Light), courseJson(site, driver::Course::Matter)};
    const QByteArray js =
        "// The course as the tour played it: written by orvanth-tour --web.\nwindow.ORVANTH_COURSE = " +
        QJsonDocument(data).toJson(QJsonDocument::Compact) + ";\n";
    if (!writeWhole(root + QStringLiteral("/course.js"), js, error)) return false;
    // The page comes last: a site whose index is there is complete.
    for (const char* name : {"orvanth.css", "orvanth.js", "index.html"}) {
        QFile res(QStringLiteral(":/web/") + QLatin1String(name));
        if (!res.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("the tour lacks its page %1").arg(QLatin1String(name));
            return false;
        }
        if (!writeWhole(root + QLatin1Char('/') + QLatin1String(name), res.readAll(), error)) return false;
    }
    return true;
}

} // namespace tour

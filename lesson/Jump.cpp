#include "lesson/Jump.h"

#include "lesson/JumpDialog.h"
#include "lesson/LessonWindow.h"
#include "player/Prompts.h"
#include "player/globals.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStringList>

namespace jump {

QList<Target> itemsOf(const course::Course& c) {
    QList<Target> items;
    for (int i = 1; i <= 5; ++i) {
        const course::MenuItem& m = c.item(i);
        if (m.action == course::MenuAction::Viewer) continue;
        const lesson::Procedure* p = m.procedure;
        if (!p || p->sections.empty()) continue;
        // "はじめから" and the item of its first procedure start the same lesson: the
        // item's own button is the one that ends at the menu.
        bool replaced = false;
        for (Target& t : items)
            if (t.procedure == p) {
                t.menuIndex = i;
                replaced = true;
            }
        if (!replaced) items.append({c.id, i, p, p->sections.front()->number});
    }
    return items;
}

std::optional<Target> parse(const QString& spec, QString* error) {
    auto fail = [error](const QString& message) -> std::optional<Target> {
        if (error) *error = message;
        return std::nullopt;
    };
    QList<Target> all = itemsOf(course::light());
    all += itemsOf(course::matter());
    QStringList names;
    for (const Target& t : all)
        names << QString::fromLatin1(t.procedure->name);
    const QString known = names.join(QStringLiteral(", "));

    const qsizetype slash = spec.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return fail(
            QStringLiteral("'%1' is not PROCEDURE/SECTION (for example Wave/5); the procedures are %2")
                .arg(spec, known));
    const QString name = spec.left(slash).trimmed();
    const QString number = spec.mid(slash + 1).trimmed();
    const Target* item = nullptr;
    for (const Target& t : all)
        if (name.compare(QLatin1String(t.procedure->name), Qt::CaseInsensitive) == 0) item = &t;
    if (!item) {
        if (course::findProcedure(name))
            return fail(
                QStringLiteral("%1 is not an item of a menu; the procedures are %2").arg(name, known));
        return fail(QStringLiteral("there is no procedure %1; the procedures are %2").arg(name, known));
    }
    QStringList sections;
    for (const lesson::Section* s : item->procedure->sections)
        sections << QString::number(s->number);
    const QString procName = QString::fromLatin1(item->procedure->name);
    bool ok = false;
    const int n = number.toInt(&ok);
    const lesson::Section* section = ok ? item->procedure->section(n) : nullptr;
    if (!section)
        return fail(QStringLiteral("%1 has no section %2; its sections are %3")
                        .arg(procName, number, sections.join(QStringLiteral(", "))));
    Target t = *item;
    t.section = n;
    return t;
}

void startAt(LessonWindow& w, const Target& t) {
    // From a step, the item is left as by the exit button: the menu shows, and the
    // chosen item starts from it as its menu button starts it.
    if (w.cmdExit->text() != LessonWindow::kMainMenu) w.cmdExit_Click();
    w.titleCardEnters = t.section;
    w.cmdMenu_Click(t.menuIndex);
    w.titleCardEnters = 0; // an item without a title card leaves it unused
}

bool isJumpKey(const QKeyEvent* e) {
    return e->key() == Qt::Key_G && (e->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

bool offer(LessonWindow& w) {
    if (w.gate.busy() || !w.isVisible() || w.isUnloading() || QApplication::activeModalWidget()) return false;
    bool shown = false;
    w.learnerRun([&] {
        const bool atMenu = w.picMenu->isVisible();
        JumpDialog dialog(w.courseDecl(), atMenu ? nullptr : w.currentProcedure(), gSection, &w);
        shown = true;
        if (runModal(dialog, &w.session) != QDialog::Accepted) return;
        if (const std::optional<Target> t = dialog.chosen()) startAt(w, *t);
    });
    return shown;
}

} // namespace jump

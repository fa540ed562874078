#include "lesson/Course.h"

namespace course {

const lesson::Procedure* Course::procedure(const QString& name) const {
    for (const lesson::Procedure* p : procedures)
        if (name == QLatin1String(p->name)) return p;
    return nullptr;
}

const lesson::Procedure* Course::dispatchFor(int menuItem, const QString& tag) const {
    if (menuItem == 1) {
        for (const TagRoute& r : routes)
            if (tag == QString::fromUtf8(r.tag)) return r.procedure;
        return nullptr;
    }
    if (menuItem < 2 || menuItem > 5 || !dispatch[menuItem - 2]) return nullptr;
    return dispatch[menuItem - 2];
}

const Course& of(Id id) {
    return id == Id::Light ? light() : matter();
}

const lesson::Procedure* findProcedure(const QString& name) {
    if (const lesson::Procedure* p = light().procedure(name)) return p;
    return matter().procedure(name);
}

const lesson::QuizRow* findQuiz(const QString& procedure, int section, int step, int question) {
    const lesson::Procedure* p = findProcedure(procedure);
    const lesson::Section* s = p ? p->section(section) : nullptr;
    if (!s) return nullptr;
    for (const lesson::QuizRow& q : s->quizzes)
        if (q.step == step && q.question == question) return &q;
    return nullptr;
}

} // namespace course

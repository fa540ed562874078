#include "lesson/Course.h"
#include "matter/procedures.h"

// The matter course: its menu, the dispatcher of the whole-course run and its procedures.

namespace course {

namespace {

constexpr TagRoute kRoutes[] = {
    {"物質の階層構造について", &matter::Class},
    {"原子の構造について", &matter::Gensi},
    {"電子雲の表示", &matter::Cloud},
};

constexpr const lesson::Procedure* kProcedures[] = {&matter::Class, &matter::Gensi, &matter::Cloud};

} // namespace

const Course& matter() {
    static const Course c{
        Id::Matter,
        "物質",
        "物質とは",
        {
            {"はじめから", "物質の階層構造について", MenuAction::Procedure, &matter::Class, true},
            {"物質の階層構造", "物質の階層構造について", MenuAction::Procedure, &matter::Class, true},
            {"原子の構造について", "原子の構造について", MenuAction::Procedure, &matter::Gensi, true},
            {"電子雲", "電子雲の表示", MenuAction::Viewer, nullptr, false, viewer::openCloud, "cloudfrm"},
            {"周期表", "周期表", MenuAction::Viewer, nullptr, false, viewer::openPeriodic, "Form1"},
        },
        {&matter::Class, &matter::Gensi, &matter::Cloud, nullptr},
        kRoutes,
        kProcedures,
    };
    return c;
}

} // namespace course

#include "player/Course.h"
#include "matter/procedures.h"

// The matter course: its menu, the dispatcher of the whole-course run and its procedures.

namespace course {

namespace {

constexpr TagRoute kRoutes[] = {
    {"物質の階層構造について", "Class"},
    {"原子の構造について", "Gensi"},
    {"電子雲の表示", "Cloud"},
};

constexpr const lesson::Procedure* kProcedures[] = {&matter::Class, &matter::Gensi, &matter::Cloud};

} // namespace

const Course& matter() {
    static const Course c{
        Id::Matter,
        "物質",
        "物質とは",
        {
            {"はじめから", "物質の階層構造について", MenuAction::Procedure, "Class", true},
            {"物質の階層構造", "物質の階層構造について", MenuAction::Procedure, "Class", true},
            {"原子の構造について", "原子の構造について", MenuAction::Procedure, "Gensi", true},
            {"電子雲", "電子雲の表示", MenuAction::Viewer, "cloudfrm", false},
            {"周期表", "周期表", MenuAction::Viewer, "Form1", false},
        },
        {"Class", "Gensi", "Cloud", nullptr},
        kRoutes,
        kProcedures,
    };
    return c;
}

} // namespace course

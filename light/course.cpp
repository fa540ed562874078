#include "player/Course.h"
#include "light/procedures.h"

// The light course: its menu, the dispatcher of the whole-course run and its procedures.

namespace course {

namespace {

constexpr TagRoute kRoutes[] = {
    {"導入", "Intro"},           {"幾何光学", "Kika"},  {"波動光学", "Wave"},
    {"量子論的解釈", "Quantum"}, {"色の感じ方", "Iro"},
};

constexpr const lesson::Procedure* kProcedures[] = {&light::Intro, &light::Kika, &light::Wave,
                                                    &light::Quantum, &light::Iro};

} // namespace

const Course& light() {
    static const Course c{
        Id::Light,
        "光とは",
        "光とは",
        {
            {"はじめから", "導入", MenuAction::TitleCard, "Intro", true},
            {"幾何光学", "幾何光学", MenuAction::Procedure, "Kika", true},
            {"波動光学", "波動光学", MenuAction::Procedure, "Wave", true},
            {"量子論的解釈", "量子論的解釈", MenuAction::Procedure, "Quantum", true},
            {"色の感じ方", "色の感じ方", MenuAction::Procedure, "Iro", true},
        },
        {"Kika", "Wave", "Quantum", "Iro"},
        kRoutes,
        kProcedures,
    };
    return c;
}

} // namespace course

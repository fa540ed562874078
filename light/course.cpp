#include "lesson/Course.h"
#include "light/procedures.h"

// The light course: its menu, the dispatcher of the whole-course run and its procedures.

namespace course {

namespace {

constexpr TagRoute kRoutes[] = {
    {"導入", &light::Intro},           {"幾何光学", &light::Kika},  {"波動光学", &light::Wave},
    {"量子論的解釈", &light::Quantum}, {"色の感じ方", &light::Iro},
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
            {"はじめから", "導入", MenuAction::TitleCard, &light::Intro, true},
            {"幾何光学", "幾何光学", MenuAction::Procedure, &light::Kika, true},
            {"波動光学", "波動光学", MenuAction::Procedure, &light::Wave, true},
            {"量子論的解釈", "量子論的解釈", MenuAction::Procedure, &light::Quantum, true},
            {"色の感じ方", "色の感じ方", MenuAction::Procedure, &light::Iro, true},
        },
        {&light::Kika, &light::Wave, &light::Quantum, &light::Iro},
        kRoutes,
        kProcedures,
    };
    return c;
}

} // namespace course

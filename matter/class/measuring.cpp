#include "lesson/Page.h"
#include "matter/class/sections.h"
#include "matter/figures.h"

// What measuring means: the right vessel and the right ruler for the job, and what a
// unit is.

namespace matter::klass {

using enum Control;

namespace {

// The measuring questions print their verdict near the bottom edge. The y is a device
// pixel: at the smallest scales it would fall off the window's edge or under the
// navigation row, so there the verdict stands just above the row.
AskOptions verdictAtFoot(const Page& p) {
    return feedbackAt(300, p.aboveButtons(Device(400)));
}

void heading(Page& p) {
    lesson::heading(p);
    p.removePicture(Picture1);
    p.removePicture(Picture2);
}

void whichCup(Page& p) {
    p.cls();
    p.fore(QBColor(0));
    p.back(QBColor(15));
    p.fontSize(14);
    matter::Cups(p);
    p.narrate(20, 10,
              {QStringLiteral("　赤い液体と青い液体では，量が違うかもしれません．"),
               QStringLiteral("　液体の量をなるべく正確に計るのには次のどちらのコップを使いますか？")});
    p.print(10, 150, QStringLiteral("1)"));
    p.print(10, 280, QStringLiteral("2)"));
}

// Asked over the cups the previous step drew with its narration.
void cupQuiz(Page& p) {
    matter::Cups(p);
    p.ask(1, verdictAtFoot(p));
}

void person(Page& p) {
    p.cls();
    p.fillStyle(FillStyles::Transparent);
    p.fore(QBColor(0));
    matter::PersonAndRulers(p);
}

void rulerQuiz(Page& p) {
    person(p);
    p.ask(1, verdictAtFoot(p));
}

void finerThanTheThing(Page& p) {
    p.hide(Picture1);
    p.cls();
    p.narrate(20, 10,
              {QStringLiteral("　物差しの目盛りは，計る物よりも細かくなければなりません．"),
               QStringLiteral("　計るとは，基準となる単位がいくつ分あるかを数えることです．")});
}

void units(Page& p) {
    p.cls();
    p.showPicture(Picture1, 20, 10, 1000, 300, QStringLiteral("Material\\bs-01.jpg"));
}

void prefixes(Page& p) {
    p.cls();
    p.showPicture(Picture1, 20, 0, 1000, 500, QStringLiteral("Material\\bs-02.jpg"));
}

void prefixQuiz(Page& p) {
    p.cls();
    p.showPicture(Picture1, 20, 0, 1000, 550, QStringLiteral("Material\\bs-02.jpg"));
    p.ask(2);
}

void sizes(Page& p) {
    p.cls();
    p.showPicture(Picture1, 20, 0, 1000, 550, QStringLiteral("Material\\bs-03.jpg"));
}

// The next table over the previous one, without clearing.
void smallerSizes(Page& p) {
    p.showPicture(Picture1, 20, 0, 1000, 550, QStringLiteral("Material\\bs-032.jpg"));
}

void removePicture1(Page& p) {
    p.removePicture(Picture1);
}

// clang-format off
constexpr lesson::StepRow kSteps[] = {
    {0, heading},
    {1, whichCup},
    {2, cupQuiz, lesson::DrawnOver},
    {3, person},
    {4, rulerQuiz},
    {5, finerThanTheThing},
    {6, units},
    {7, prefixes},
    {8, prefixQuiz},
    {9, sizes},
    {10, smallerSizes},
};
// clang-format on

// clang-format off
constexpr lesson::QuizRow kQuizzes[] = {
    {2, 1, "2", "1"},
    {4, 1, "1", "2"},
    {8, 2, "1", "2"},
};
// clang-format on

} // namespace

// Step 11 closes the section.
const lesson::Section measuring{.number = 1,
                                .topic = "物をはかる",
                                .steps = kSteps,
                                .beforeClosing = removePicture1,
                                .quizzes = kQuizzes,
                                .heading = {"物 を　はかる", 220}};

} // namespace matter::klass

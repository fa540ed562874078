#include "lesson/Page.h"
#include "lesson/Viewer.h"
#include "matter/frame.h"
#include "matter/procedures.h"

// The electron-cloud item: a title card, then the learner moves on to the viewer.

namespace matter {

namespace {

void openViewer(Page& p) {
    p.openViewer(viewer::openCloud);
}

// The viewer has the learner now: the exit button leads back to the start window.
void exitToStart(Page& p) {
    p.exitLeadsToStart();
}

// clang-format off
constexpr lesson::StepRow kViewer[] = {
    {0, openViewer},
};
// clang-format on
const lesson::Section viewer{1, "電子雲", kViewer};
constexpr const lesson::Section* kSections[] = {&viewer};

} // namespace

const lesson::Procedure Cloud{
    .name = "Cloud",
    .title = "電　子　雲",
    .beforeTitle = titleColours,
    .sections = kSections,
    .endOfCall = lesson::EndOfCall::EnableAll,
    .onExit = exitToStart,
};

} // namespace matter

#include "lesson/Page.h"
#include "light/intro/sections.h"
#include "light/procedures.h"

// The introduction to light: the first item of the whole course.

namespace light {

using enum Control;

namespace {

void entry(Page& p) {
    p.hide(Picture1);
}

constexpr const lesson::Section* kSections[] = {&intro::scenes};

} // namespace

// The end of the item: in the whole course geometric optics follows with its own title
// card; otherwise the menu panel comes back over the last scene. Every call leaves the
// four buttons enabled.
const lesson::Procedure Intro{
    .name = "Intro",
    .title = "導　　入",
    .heading = {.fore = 14, .back = 0}, // yellow on black
    .onEntry = entry,
    .sections = kSections,
    .end = {.chainTag = "幾何光学", .separator = "      ", .next = &Kika, .menuPanelOnly = true},
    .endOfCall = lesson::EndOfCall::EnableAll,
};

} // namespace light

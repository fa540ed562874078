#include "lesson/Page.h"
#include "matter/class/sections.h"
#include "matter/frame.h"
#include "matter/procedures.h"

// The hierarchy of matter: how measuring works (section 1), a drop of water magnified
// step by step down to the quarks (section 2), and the macro world up to the galaxies
// with the forces of nature (section 3).

namespace matter {

namespace {

constexpr const lesson::Section* kSections[] = {&klass::measuring, &klass::micro, &klass::macro};

} // namespace

// The end of the item, step 20 of section 3: in the whole course the atomic structure
// follows at its first step, without its title card, the caption written with no
// separator.
const lesson::Procedure Class{
    .name = "Class",
    .title = "物質の 階層構造",
    .heading = {.fore = 14, .back = 0}, // yellow on black
    .beforeTitle = titleColours,
    .sections = kSections,
    .end = {.chainTag = "原子の構造について", .separator = "", .next = &Gensi, .nextSection = 1},
};

} // namespace matter

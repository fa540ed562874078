#include "lesson/Page.h"
#include "light/kika/sections.h"
#include "light/procedures.h"

// Geometric optics: straight propagation, reflection and refraction with Snell's law
// (section 1), Fermat's principle (section 2), Newton's prism and scattering (section 3).

namespace light {

using enum Control;

namespace {

// Every call starts from a hidden Picture1 and the grey text of the lesson.
void entry(Page& p) {
    p.hide(Picture1);
    p.fore(QBColor(7));
}

void titleColours(Page& p) {
    p.back(QBColor(0));
}

constexpr const lesson::Section* kSections[] = {&kika::properties, &kika::fermat, &kika::newton};

} // namespace

// The end of the item, step 21 of section 3: in the whole course wave optics follows
// with its own title card.
const lesson::Procedure Kika{
    .name = "Kika",
    .title = "幾　何　光　学",
    .heading = {.fore = 7, .back = 0}, // grey on black; Fermat's principle has its own yellow heading
    .onEntry = entry,
    .beforeTitle = titleColours,
    .sections = kSections,
    .end = {.clears = false, .chainTag = "波動光学", .separator = "     ", .next = &Wave},
};

} // namespace light

#include "lesson/Page.h"
#include "light/frame.h"
#include "light/iro/sections.h"
#include "light/procedures.h"

// How we perceive colour: colour recognition, adaptation, photopic and scotopic vision
// (sections 1 to 4); sensitivity curves, colour mixing, the retina and the vision of the
// bee (sections 5 to 8). The last item of the light course.

namespace light {

namespace {

constexpr const lesson::Section* kSections[] = {&iro::recognition, &iro::lightAndDark, &iro::colourAdaptation,
                                                &iro::photopic,    &iro::sensitivity,  &iro::mixing,
                                                &iro::retina,      &iro::bee};

} // namespace

// The end of the light course, step 9 of section 8: cleared, Picture1 hidden, and always
// back to the menu, whether the course ran from the start or the item was chosen.
const lesson::Procedure Iro{
    .name = "Iro",
    .title = "色の感じ方（色覚）",
    .heading = {.fore = 14, .back = 0}, // yellow on black
    .onEntry = hidePicture1,
    .sections = kSections,
    .end = {.clears = true, .before = hidePicture1},
    .beforeClosing = hidePicture1,
    .focusAfterClosing = true,
    .endOfCall = lesson::EndOfCall::FinalStepRuleKeepFocus,
};

} // namespace light

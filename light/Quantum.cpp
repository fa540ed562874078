#include "lesson/Page.h"
#include "light/frame.h"
#include "light/procedures.h"
#include "light/quantum/sections.h"

// The quantum interpretation of light: black-body radiation and the Compton effect
// (sections 1 and 2), the photoelectric effect, wave-particle duality and matter waves
// (sections 3 to 5).

namespace light {

namespace {

constexpr const lesson::Section* kSections[] = {&quantum::blackBody, &quantum::compton,
                                                &quantum::photoelectric, &quantum::duality,
                                                &quantum::matterWaves};

} // namespace

// The end of the item, step 10 of section 5: the window is cleared; in the whole course
// colour perception follows with its own title card.
const lesson::Procedure Quantum{
    .name = "Quantum",
    .title = "量子論的解釈",
    .heading = {.fore = 14, .back = 0}, // yellow on black
    .onEntry = hidePicture1,
    .sections = kSections,
    .end = {.before = hidePicture1, .chainTag = "色の感じ方", .separator = "     ", .next = &Iro},
    .beforeClosing = hidePicture1,
    .focusAfterClosing = true,
    .endOfCall = lesson::EndOfCall::FinalStepRuleKeepFocus,
};

} // namespace light

#include "light/frame.h"
#include "light/procedures.h"
#include "player/Page.h"
#include "player/frmLight.h"

// How we perceive colour: colour recognition, adaptation, photopic and scotopic vision
// (sections 1 to 4); sensitivity curves, colour mixing, the retina and the vision of the
// bee (sections 5 to 8). The last item of the light course.

namespace light {

namespace iro {
// Sections still to be drawn: their steps draw nothing, their closing steps move on.
const lesson::Section recognition{1, "色の認識", {}, 7};
const lesson::Section lightAndDark{2, "明順応と暗順応", {}, 8};
const lesson::Section colourAdaptation{3, "色順応", {}, 7};
const lesson::Section photopic{4, "明所視と暗所視", {}, 7};
const lesson::Section sensitivity{5, "感度曲線", {}, 7};
const lesson::Section mixing{6, "光と色の混合", {}, 5};
const lesson::Section retina{7, "網膜の分子過程", {}, 4};
const lesson::Section bee{8, "ミツバチの視覚", {}, 9};
} // namespace iro

namespace {

constexpr const lesson::Section* kSections[] = {&iro::recognition, &iro::lightAndDark, &iro::colourAdaptation,
                                                &iro::photopic,    &iro::sensitivity,  &iro::mixing,
                                                &iro::retina,      &iro::bee};

} // namespace

// The end of the light course, step 9 of section 8: always back to the menu.
const lesson::Procedure Iro{
    .name = "Iro",
    .title = "色の感じ方（色覚）",
    .onEntry = hidePicture1,
    .sections = kSections,
    .end = {.clears = false},
    .beforeClosing = hidePicture1,
    .focusAfterClosing = true,
    .endOfCall = lesson::EndOfCall::FinalStepRuleKeepFocus,
};

} // namespace light

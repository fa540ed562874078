#include "lesson/Page.h"
#include "light/frame.h"
#include "light/procedures.h"
#include "light/wave/sections.h"

// Wave optics: the properties of waves, superposition, Huygens' principle, reflection and
// refraction of waves (sections 1 to 4), diffraction at one and two slits and light as
// an electromagnetic wave (sections 5 to 7).

namespace light {

namespace {

void transparentFill(Page& p) {
    p.fillStyle(FillStyles::Transparent);
}

constexpr const lesson::Section* kSections[] = {
    &wave::properties, &wave::superposition, &wave::huygens,        &wave::reflection,
    &wave::singleSlit, &wave::doubleSlit,    &wave::electromagnetic};

} // namespace

// The end of the item, step 14 of section 7: in the whole course the quantum
// interpretation follows with its own title card.
const lesson::Procedure Wave{
    .name = "Wave",
    .title = "波　動　光　学",
    .heading = {.fore = 14, .back = 0}, // yellow on black
    .onEntry = hidePicture1,
    .afterTitle = transparentFill,
    .sections = kSections,
    .end = {.clears = false, .chainTag = "量子論的解釈", .separator = "     ", .next = &Quantum},
    .beforeClosing = hidePicture1,
    .focusAfterClosing = true,
};

} // namespace light

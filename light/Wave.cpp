#include "light/frame.h"
#include "light/procedures.h"
#include "player/Page.h"
#include "player/frmLight.h"

// Wave optics: the properties of waves, superposition, Huygens' principle, reflection and
// refraction of waves (sections 1 to 4), diffraction at one and two slits and light as
// an electromagnetic wave (sections 5 to 7).

namespace light {

namespace wave {
// Sections still to be drawn: their steps draw nothing, their closing steps move on.
const lesson::Section properties{1, "波の性質", {}, 6};
const lesson::Section superposition{2, "波の重ね合わせ", {}, 6};
const lesson::Section huygens{3, "ホイヘンスの原理", {}, 8};
const lesson::Section reflection{4, "波の反射と屈折", {}, 4};
const lesson::Section singleSlit{5, "回折（１）", {}, 10};
const lesson::Section doubleSlit{6, "回折（２）", {}, 6};
const lesson::Section electromagnetic{7, "電磁波としての光", {}, 14};
} // namespace wave

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
    .onEntry = hidePicture1,
    .afterTitle = transparentFill,
    .sections = kSections,
    .end = {.clears = false, .chainTag = "量子論的解釈", .separator = "     ", .next = "Quantum"},
    .beforeClosing = hidePicture1,
    .focusAfterClosing = true,
};

} // namespace light

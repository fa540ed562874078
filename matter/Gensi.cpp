#include "matter/procedures.h"
#include "player/Page.h"
#include "player/frmMaterial.h"

// The structure of the atom: what it is made of (section 1), the solar-system model
// (section 2) and the uncertainty principle (section 3).

namespace matter {

namespace gensi {
// Sections still to be drawn: their steps draw nothing, their closing steps move on.
const lesson::Section makeUp{1, "原子の構成", {}, 11};
const lesson::Section solarSystemModel{2, "太陽系模型", {}, 13};
const lesson::Section uncertainty{3, "不確定性原理", {}, 6};
} // namespace gensi

namespace {

void titleColours(Page& p) {
    p.back(RGB(255, 224, 192));
}

void removePicture2(Page& p) {
    p.removePicture(*p.matter().Picture2);
}

// In the whole course the electron-cloud item follows: the matter window goes, its menu
// is ready for when the viewer closes.
void handOverToTheViewer(Page& p) {
    frmMaterial& w = p.matter();
    w.hide();
    w.picMenu->show();
    w.cmdNext->setEnabled(false);
    w.cmdReturn->setEnabled(false);
}

constexpr const lesson::Section* kSections[] = {&gensi::makeUp, &gensi::solarSystemModel,
                                                &gensi::uncertainty};

} // namespace

// The end of the item, step 6 of section 3.
const lesson::Procedure Gensi{
    .name = "Gensi",
    .title = "原子の構造について",
    .beforeTitle = titleColours,
    .sections = kSections,
    .end = {.before = removePicture2,
            .chainTag = "電　　子　　雲",
            .next = "Cloud",
            .nextSection = 1,
            .beforeChain = handOverToTheViewer},
};

} // namespace matter

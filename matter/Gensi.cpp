#include "lesson/Page.h"
#include "matter/frame.h"
#include "matter/gensi/sections.h"
#include "matter/procedures.h"
#include "player/Random.h"

// The structure of the atom: what it is made of (section 1), the solar-system model
// (section 2) and the uncertainty principle (section 3).

namespace matter {

using enum Control;

namespace {

// Every call seeds the generator afresh from the seconds clock.
void reseed(Page&) {
    Randomize();
}

void removePicture2(Page& p) {
    p.removePicture(Picture2);
}

// In the whole course the electron-cloud item follows: the matter window goes, its menu
// is ready for when the viewer closes.
void handOverToTheViewer(Page& p) {
    p.handOverToViewer();
}

constexpr const lesson::Section* kSections[] = {&gensi::makeUp, &gensi::solarSystemModel,
                                                &gensi::uncertainty};

} // namespace

// The end of the item, step 6 of section 3.
const lesson::Procedure Gensi{
    .name = "Gensi",
    .title = "原子の構造について",
    .heading = {.fore = 14, .back = 0}, // yellow on black
    .onEntry = reseed,
    .beforeTitle = titleColours,
    .sections = kSections,
    .end = {.before = removePicture2,
            .chainTag = "電　　子　　雲",
            .next = &Cloud,
            .nextSection = 1,
            .beforeChain = handOverToTheViewer},
};

} // namespace matter

#pragma once
// What the frames of the light lessons share: every call, and every closing step, starts
// from a hidden Picture1.

#include "lesson/Page.h"
#include "lesson/frmLight.h"

namespace light {

inline void hidePicture1(Page& p) {
    p.light().Picture1->hide();
}

} // namespace light

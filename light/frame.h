#pragma once
// What the frames of the light lessons share: every call, and every closing step, starts
// from a hidden Picture1.

#include "lesson/Page.h"

namespace light {

inline void hidePicture1(Page& p) {
    p.hide(Control::Picture1);
}

} // namespace light

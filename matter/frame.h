#pragma once
// What the frames of the matter lessons share: the title cards stand on the same warm
// background.

#include "lesson/Page.h"

namespace matter {

inline void titleColours(Page& p) {
    p.back(RGB(255, 224, 192));
}

} // namespace matter

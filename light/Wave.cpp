#include "app/globals.h"
#include "player/frmLight.h"

// Wave optics: waves, superposition, Huygens' construction, diffraction.
void frmLight::Wave() {
    StepBegin();
    switch (gSection) {
    case 0:
        Picture1->hide();
        GetItemTitle(QStringLiteral("波　動　光　学"));
        break;
    default: break; // sections are drawn as the lesson grows
    }
    StepEnd(7, 14);
}

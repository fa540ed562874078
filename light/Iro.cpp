#include "app/globals.h"
#include "player/frmLight.h"

// How we perceive colour.
void frmLight::Iro() {
    StepBegin();
    switch (gSection) {
    case 0:
        Picture1->hide();
        GetItemTitle(QStringLiteral("色の感じ方（色覚）"));
        break;
    default: break; // sections are drawn as the lesson grows
    }
    StepEnd(8, 9);
}

#include "app/globals.h"
#include "player/frmLight.h"

// The quantum interpretation of light: black-body radiation to matter waves.
void frmLight::Quantum() {
    StepBegin();
    switch (gSection) {
    case 0:
        Picture1->hide();
        GetItemTitle(QStringLiteral("量子論的解釈"));
        break;
    default: break; // sections are drawn as the lesson grows
    }
    StepEnd(5, 10);
}

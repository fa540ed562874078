#include "app/globals.h"
#include "player/frmLight.h"

// Geometric optics: reflection, refraction, Fermat's principle and Newton's prism.
void frmLight::Kika() {
    StepBegin();
    switch (gSection) {
    case 0:
        Picture1->hide();
        ForeColor = QBColor(7);
        setBackColor(QBColor(0));
        GetItemTitle(QStringLiteral("幾　何　光　学"));
        break;
    default: break; // sections are drawn as the lesson grows
    }
    StepEnd(3, 21);
}

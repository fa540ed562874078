#include "app/globals.h"
#include "player/frmMaterial.h"

// The hierarchy of matter, from quarks to galaxies.
void frmMaterial::Class() {
    StepBegin();
    switch (gSection) {
    case 0:
        setBackColor(RGB(255, 224, 192));
        GetItemTitle(QStringLiteral("物質の 階層構造"));
        break;
    default: break; // sections are drawn as the lesson grows
    }
    StepEnd(3, 20);
}

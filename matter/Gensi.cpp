#include "app/globals.h"
#include "player/frmMaterial.h"

// The structure of the atom.
void frmMaterial::Gensi() {
    StepBegin();
    switch (gSection) {
    case 0:
        setBackColor(RGB(255, 224, 192));
        GetItemTitle(QStringLiteral("原子の構造について"));
        break;
    default: break; // sections are drawn as the lesson grows
    }
    StepEnd(3, 6);
}

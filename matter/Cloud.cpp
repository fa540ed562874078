#include "app/globals.h"
#include "cloud/cloudfrm.h"
#include "player/frmMaterial.h"

// The electron-cloud item: a title card, then the learner moves on to the viewer.
void frmMaterial::Cloud() {
    CommandButton_Enabled(false);
    if (gSection == 0) {
        setBackColor(RGB(255, 224, 192));
        GetItemTitle(QStringLiteral("電　子　雲"));
    } else if (gSection == 1) {
        hide();
        form<cloudfrm>().Show();
    }
    cmdExit->setText(kMainMenu);
    CommandButton_Enabled(true);
}

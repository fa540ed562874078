#include "cloud/cloudfrm.h"

#include "app/globals.h"
#include "player/frmMaterial.h"

cloudfrm::cloudfrm() {
    setWindowTitle(QStringLiteral("電子雲"));
}

void cloudfrm::Form_Load() {
    resize(int(550 * gScale), int(400 * gScale));
}

void cloudfrm::Form_Unload() {
    if (auto* m = loadedForm<frmMaterial>()) m->Show();
}

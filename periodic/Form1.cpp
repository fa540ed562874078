#include "periodic/Form1.h"

#include "player/frmMaterial.h"

Form1::Form1() {
    setWindowTitle(QStringLiteral("周期表"));
}

void Form1::Form_Load() {
    resize(14080 / 15, 9100 / 15);
}

void Form1::Form_Unload() {
    if (auto* m = loadedForm<frmMaterial>()) m->Show();
}

#include "app/globals.h"
#include "player/frmLight.h"

// The introduction to light: scenes of nature from the night sky to the rainbow.
void frmLight::Intro() {
    Picture1->hide();
    CommandButton_Enabled(false);
    if (gSection == 0) GetItemTitle(QStringLiteral("導　　入"));
    CommandButton_Enabled(true);
}

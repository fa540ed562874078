// Pictures of the light course (folder Light/). The lessons show them on
// their black canvas, so most of them are drawn on black.
#pragma once

class QPainter;

namespace mediagen {

void drawScienceWallpaper(QPainter& p, int w, int h);
void drawLightSpeedStrip(QPainter& p, int w, int h);
void drawPhoton(QPainter& p, int w, int h);
void drawElectron(QPainter& p, int w, int h);
void drawPhotoelectron(QPainter& p, int w, int h);
void drawSingleSlitFactor(QPainter& p, int w, int h);
void drawDoubleSlitFactor(QPainter& p, int w, int h);
void drawSpectrumStrip(QPainter& p, int w, int h);
void drawPlanckLaw(QPainter& p, int w, int h);
void drawDualityQuestion(QPainter& p, int w, int h);
void drawElectronDiffraction(QPainter& p, int w, int h);
void drawWalkerWavelength(QPainter& p, int w, int h);

} // namespace mediagen

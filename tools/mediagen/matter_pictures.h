// Pictures of the matter course (folder Material/). Each function draws the
// whole picture into a painter of the size the media table gives.
#pragma once

class QPainter;

namespace mediagen {

// Title card and the measuring section.
void drawStarTitle(QPainter& p, int w, int h);
void drawMeasuringUnits(QPainter& p, int w, int h);
void drawMicroscopes(QPainter& p, int w, int h);
void drawLengthScale(QPainter& p, int w, int h);
void drawInstrumentRanges(QPainter& p, int w, int h);

// The micro world: from a drop of water down to quarks.
void drawDrop(QPainter& p, int w, int h);
void drawDropMagnified(QPainter& p, int w, int h);
void drawWaterFacts(QPainter& p, int w, int h);
void drawOxygenCaption(QPainter& p, int w, int h);
void drawOxygenSymbol(QPainter& p, int w, int h);
void drawOxygenElectrons(QPainter& p, int w, int h);
void drawOxygenInnerShell(QPainter& p, int w, int h);
void drawOxygenOuterShell(QPainter& p, int w, int h);
void drawOxygenCloud(QPainter& p, int w, int h);
void drawOxygenSize(QPainter& p, int w, int h);
void drawOxygenNucleusSize(QPainter& p, int w, int h);
void drawAngstromLabel(QPainter& p, int w, int h);
void drawNucleusScale(QPainter& p, int w, int h);
void drawHadronBanner(QPainter& p, int w, int h);
void drawQuarkBanner(QPainter& p, int w, int h);
void drawElementaryBanner(QPainter& p, int w, int h);

// The macro world.
void drawInnerPlanets(QPainter& p, int w, int h);

// Atomic structure: the atom beside the solar system.
void drawSolarSystemModel(QPainter& p, int w, int h);
void drawAtomModel(QPainter& p, int w, int h);
void drawSolarAtomTable(QPainter& p, int w, int h);
void drawInverseSquareLaws(QPainter& p, int w, int h);
void drawSizeRatios(QPainter& p, int w, int h);
void drawElectronSprite(QPainter& p, int w, int h);
void drawLikeness(QPainter& p, int w, int h);
void drawDifferences(QPainter& p, int w, int h);
void drawEmptyAtom(QPainter& p, int w, int h);
void drawOrbitSpeeds(QPainter& p, int w, int h);
void drawPlanckConstant(QPainter& p, int w, int h);

} // namespace mediagen

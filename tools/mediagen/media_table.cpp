// Every picture and sound the courses load, one row per file.
//
// Sizes follow where the lessons show a picture. Picture boxes show their
// picture at its natural size from the top-left corner and cut off the rest,
// and the lessons give them sizes in unscaled pixels (often wider than the
// window), so a picture is made as large as the part of its box that a
// window of 960 x 600 (display scale 1.5) shows, with what matters most in
// the part that a 640 x 400 window (scale 1.0) still shows. Title-card
// backgrounds are stretched over the whole window. Sprites are small and
// drawn on the colour of the canvas they move over.

#include "light_pictures.h"
#include "matter_pictures.h"
#include "media.h"
#include "sounds.h"

#include <array>

namespace mediagen {

namespace {

constexpr std::array kMediaFiles{
    // ---- Matter course: title card ----
    // Night sky behind the item titles (white text on its own opaque label).
    picture("Material/star_title0.jpg", 960, 600, drawStarTitle),

    // ---- Matter course: measuring ----
    // Measuring means counting reference units: a ruler against a pencil. Box 1000 x 300 at (20, 10).
    picture("Material/bs-01.jpg", 920, 300, drawMeasuringUnits),
    // Optical, electron and X-ray microscopes, for the X-ray microscope question. Box up to 1000 x 550 at
    // (20, 0).
    picture("Material/bs-02.jpg", 920, 540, drawMicroscopes),
    // Sizes of things from a proton to the universe, in powers of ten. Box 1000 x 550 at (20, 0).
    picture("Material/bs-03.jpg", 920, 540, drawLengthScale),
    // Which instrument measures which range of sizes; shown over the previous one. Box 1000 x 550 at (20, 0).
    picture("Material/bs-032.jpg", 920, 540, drawInstrumentRanges),

    // ---- Matter course: the micro world ----
    // The drop falling from the tap, on the white canvas.
    picture("Material/drop.bmp", 14, 20, drawDrop),
    // A drop magnified step by step to the limit of the optical microscope. Box 1000 x 300 at (220, 150).
    picture("Material/bs-04.jpg", 620, 300, drawDropMagnified),
    // Water molecule facts beside the molecule drawing. Box 650 x 250 at (200, 150).
    picture("Material/bs-08.jpg", 650, 250, drawWaterFacts),
    // Caption strip under the oxygen atom's scale bar. Box 400 x 30 at (20, 300).
    picture("Material/bs-09-0.jpg", 400, 30, drawOxygenCaption),
    // Seven cards shown one after another beside the oxygen atom. Box 1000 x 300 at (280, 140).
    picture("Material/bs-09-1.jpg", 520, 300, drawOxygenSymbol),
    picture("Material/bs-09-2.jpg", 520, 300, drawOxygenElectrons),
    picture("Material/bs-09-3.jpg", 520, 300, drawOxygenInnerShell),
    picture("Material/bs-09-5.jpg", 520, 300, drawOxygenOuterShell),
    picture("Material/bs-09-6.jpg", 520, 300, drawOxygenCloud),
    picture("Material/bs-09-7.jpg", 520, 300, drawOxygenSize),
    picture("Material/bs-09-8.jpg", 520, 300, drawOxygenNucleusSize),
    // Small label under the atom once the ruler reads in ångström. Box 80 x 30 at (20, 300).
    picture("Material/bs-10.jpg", 80, 30, drawAngstromLabel),
    // The nucleus is a hundred thousand times smaller than the atom. Box 1000 x 200 at (20, 200).
    picture("Material/bs-11.jpg", 920, 200, drawNucleusScale),
    // Banner over the particle clouds on the quark plane (black). Box 800 x 70 at (10, 10).
    picture("Material/bs-12.jpg", 800, 70, drawHadronBanner),
    // Banner over the hadrons opened up into quarks (white). Box 1000 x 100 at (10, 10).
    picture("Material/bs-13.jpg", 940, 100, drawQuarkBanner),
    // Banner of the elementary particles (black). Box 700 x 100 at (10, 10).
    picture("Material/bs-14.jpg", 700, 100, drawElementaryBanner),

    // ---- Matter course: the macro world ----
    // Strip of the Sun and the planets at the top right of the orbit diagram (black). Box 600 x 50 at (350,
    // 10).
    picture("Material/bs-150.jpg", 600, 50, drawInnerPlanets),

    // ---- Matter course: atomic structure ----
    // The solar system: a heavy centre and planets held by gravity. Box 800 x 150 at (20, 20).
    picture("Material/bs-1519.jpg", 800, 150, drawSolarSystemModel),
    // The atom drawn the same way: nucleus and electrons. Box 800 x 150 at (20, 20).
    picture("Material/bs-1518.jpg", 800, 150, drawAtomModel),
    // Side-by-side table of the two. Box 800 x 200 / 220 at (20, 20).
    picture("Material/bs-1511.jpg", 800, 200, drawSolarAtomTable),
    // Gravity and the Coulomb force, both falling off with the square of distance. Box 800 x 100 at (20,
    // 160).
    picture("Material/bs-16.jpg", 800, 100, drawInverseSquareLaws),
    // Centre-to-orbit size ratios of the two systems. Box 700 x 300 at (20, 160).
    picture("Material/bs-17.jpg", 700, 300, drawSizeRatios),
    // The electron sprites: fast (small), slow and orbiting, on the white canvas.
    picture("Material/ball0.bmp", 10, 10, drawElectronSprite),
    picture("Material/ball1.bmp", 12, 12, drawElectronSprite),
    picture("Material/ball2.bmp", 14, 14, drawElectronSprite),
    // What the two systems have in common. Box 1000 x 150 at (20, 10).
    picture("Material/bs-18.jpg", 920, 150, drawLikeness),
    // Where they differ. Box 1000 x 150 at (20, 150).
    picture("Material/bs-19.jpg", 920, 150, drawDifferences),
    // The atom is almost empty: both systems scaled to the same orbit. Box 1000 x 500 at (20, 10).
    picture("Material/bs-20.jpg", 920, 500, drawEmptyAtom),
    // How fast the Earth goes round, leading to how fast an electron does. Box 1000 x 200 at (20, 10).
    picture("Material/bs-21.jpg", 920, 200, drawOrbitSpeeds),
    // Planck's constant with its value. Box 600 x 50 at (20, 290).
    picture("Material/bs-22.jpg", 600, 50, drawPlanckConstant),

    // ---- Light course ----
    // Light wallpaper behind the item titles (black text on a transparent label).
    picture("Light/サイエンス - 壁紙.jpg", 960, 600, drawScienceWallpaper),
    // The speed of light, above the photon flying straight. Box 550 x 35 at (100, 30).
    picture("Light/r-1.jpg", 550, 35, drawLightSpeedStrip),
    // The photon sprite; flies over the black canvas.
    picture("Light/photon.bmp", 16, 16, drawPhoton),
    // Single-slit intensity factor with a sketch of it. Box 1000 x 80 at (20, 60).
    picture("Light/r-2.jpg", 620, 80, drawSingleSlitFactor),
    // Double-slit intensity factor. Box 450 x 80 at (20, 80).
    picture("Light/r-4.jpg", 450, 80, drawDoubleSlitFactor),
    // The visible spectrum, violet on the left and red on the right (the quiz's answer is
    // "the right side is red"); stretched to 300 x 50 and 500 x 50.
    picture("Light/rainbow.jpg", 600, 60, drawSpectrumStrip),
    // Planck's radiation law. Box 450 x 45 at (1, 280).
    picture("Light/r-3.jpg", 450, 45, drawPlanckLaw),
    // The electron sprite of the Compton scene.
    picture("Light/electron.bmp", 16, 16, drawElectron),
    // The electron knocked out of the metal in the photoelectric scene.
    picture("Light/photelec.bmp", 16, 16, drawPhotoelectron),
    // Light is wave and particle; is the electron too? Box 600 x 250 at (20, 30).
    picture("Light/r-7.jpg", 600, 250, drawDualityQuestion),
    // Electron diffraction: electrons behave as waves. Box 600 x 400 at (20, 30).
    picture("Light/r-8.jpg", 600, 400, drawElectronDiffraction),
    // The de Broglie wavelength of a walking person worked out. Box 500 x 40 at (20, 120).
    picture("Light/r-6.jpg", 500, 40, drawWalkerWavelength),

    // ---- Sounds (both courses) ----
    // Right answer.
    sound("wave/Applause.wav", 1800, synthApplause),
    // Wrong answer (matter questions, refraction quiz).
    sound("wave/Doing.wav", 800, synthDoing),
    // Wrong answer (Fermat and prism quizzes).
    sound("wave/Boing.wav", 800, synthBoing),
    // Water drop from the tap; also ticks while light crosses the solar system (every 0.1 s).
    sound("wave/音.wav", 90, synthDrip),
    // The explosion after the quarks.
    sound("wave/大砲.wav", 1600, synthCannon),
    // Lightning and thunder in the introduction's storm.
    sound("wave/雷1.wav", 4500, synthThunder),
    // The downpour after the storm.
    sound("wave/Rain02.wav", 5000, synthRain),
    // Right and wrong answers of the spectrum quiz.
    sound("wave/正解.wav", 1000, synthSeikai),
    sound("wave/残念.wav", 1150, synthZannen),
    // Farewell when the application closes (it waits 2 s for it).
    sound("wave/お疲れ.wav", 1800, synthFarewell),
};

} // namespace

std::span<const MediaFile> mediaFiles() {
    return kMediaFiles;
}

} // namespace mediagen

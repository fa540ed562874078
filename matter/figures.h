#pragma once
// Figures of the hierarchy-of-matter lesson that more than one step draws. Each draws on
// a canvas in the 640 x 400 system, scaled for the display, in the colours it names; the
// canvas's fore colour is used where a figure is simply black.

#include <functional>

class Canvas;

namespace figures {

// Two cups of coloured liquid (blue and red, each liquid filled to its surface) and two
// empty measuring vessels (green and a narrow cyan one). Leaves the fill solid.
void Cups(Canvas& c);

// A standing person beside two rulers: ruler 1 with 37 fine ticks, ruler 2 with 19 coarse
// ones, labelled "1)" and "2)", under the question about which ruler to use.
void PersonAndRulers(Canvas& c);

// A water tap in the area x 100..190, y 10..95; the drawing position ends at (100, 75).
void Tap(Canvas& c);

// A water molecule: the oxygen ball with two hydrogen balls, the bond angle and the bond
// length with their values.
void WaterMolecule(Canvas& c);

// The nucleus of the oxygen atom as a dot with the scale bar below it (ticks at both ends
// and in the middle).
void NucleusAndScale(Canvas& c);

// Electron orbits around the nucleus at (150, 175): nine ellipses turned in steps of an
// eighth of a half turn. With eachFromItsStart, every ellipse starts with a green dot;
// otherwise only the first does and each further ellipse is joined to the last point of
// the previous one. afterPoint, when given, runs after every point (the animated orbits
// wait there).
void Orbits(Canvas& c, bool eachFromItsStart, const std::function<void()>& afterPoint = {});

// The oxygen nucleus as a cluster of balls with the labels "陽子" and "中性子".
void OxygenNucleus(Canvas& c);

} // namespace figures

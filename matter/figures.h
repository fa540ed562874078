#pragma once
// Figures of the hierarchy-of-matter lesson that more than one step draws. Each draws on
// a canvas in the 640 x 400 system, scaled for the display, in the colours it names; the
// canvas's fore colour is used where a figure is simply black.

#include <cstdint>
#include <functional>

class Page;

namespace matter {

// Two cups of coloured liquid (blue and red, each liquid filled to its surface) and two
// empty measuring vessels (green and a narrow cyan one). Leaves the fill solid.
void Cups(Page& p);

// A standing person beside two rulers: ruler 1 with 37 fine ticks, ruler 2 with 19 coarse
// ones, labelled "1)" and "2)", under the question about which ruler to use.
void PersonAndRulers(Page& p);

// A water tap in the area x 100..190, y 10..95; the drawing position ends at (100, 75).
void Tap(Page& p);

// A water molecule: the oxygen ball with two hydrogen balls, the bond angle and the bond
// length with their values.
void WaterMolecule(Page& p);

// The nucleus of the oxygen atom as a dot with the scale bar below it (ticks at both ends
// and in the middle).
void NucleusAndScale(Page& p);

// Electron orbits around the nucleus at (150, 175): nine ellipses turned in steps of an
// eighth of a half turn. With eachFromItsStart, every ellipse starts with a green dot;
// otherwise only the first does and each further ellipse is joined to the last point of
// the previous one. afterPoint, when given, runs after every point (the animated orbits
// wait there).
void Orbits(Page& p, bool eachFromItsStart, const std::function<void()>& afterPoint = {});

// The oxygen nucleus as a cluster of balls with the labels "陽子" and "中性子".
void OxygenNucleus(Page& p);

// A particle: a grey disc around (dx, dy) of radius R with a crescent of dots in palette
// colour col along its rim, turned by deg degrees (0: along the lower rim). Leaves the
// fill solid and grey.
void Particle(Page& p, std::int16_t dx, std::int16_t dy, std::int16_t R, std::int16_t col, std::int16_t deg);

// A spiral galaxy of five arms, 1890 dots in palette colour, centred at (cx, cy). Each
// arm is an Archimedean spiral scattered by up to a tenth of its distance from the
// centre and growing to about 6.9 x size; p1 flattens the disc (cos p1), p2 shears and
// narrows it (angles in radians). Mode 1 draws point by point, 5 ms after each dot; mode
// 0 at once. Only dots: fill, text and colours stay as they are.
void galaxy(Page& p, double p1, double p2, double cx, double cy, double size, int colour, int mode);

// The quark floor: a magenta plane in perspective with rays and receding lines in
// palette colour col, and black above the horizon.
void Plane(Page& p, std::int16_t col);

} // namespace matter

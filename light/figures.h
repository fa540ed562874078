#pragma once
// Figures of the light course that more than one step draws: every step that shows one
// calls the same function, so a step entered with the Back buttons draws exactly what the
// step reached by Next drew. The figures draw in the window's current state unless they
// say otherwise.

class Page;

namespace light {

// The air/water figure of the refraction steps: air (grey) over water (light blue) from
// (100, 100) to (450, 300) in a dark-blue frame, with the two media named on the right.
// The frame is a box outline, which a solid fill style fills as well; the water is drawn
// once more after the labels so it always ends up light blue.
void AirWaterFigure(Page& p);

// The incident ray: a thick dotted yellow line from (150, 100) down to the entry point
// (270, 200), four device pixels per position, with a busy count before each position
// and, when pauseMs is above 0, Pause(pauseMs) after it.
void IncidentRay(Page& p, double pauseMs = 0);

// A row of numbers, one for each of several lines of a figure, spaced out with blanks as
// it was laid out for the scale 1.5. The font keeps its size while the picture scales, so
// at another scale the row printed as it stands would put its numbers under the wrong
// lines: there each number is printed on its own, at the logical place it has at 1.5.
struct LabelRow {
    const char* text; // the row as printed at the scale 1.5
    double x, y;      // where the row starts
};
void NumberRow(Page& p, const LabelRow& row);

// The three candidate paths from the entry point to the bottom of the water, in magenta,
// and their numbers below the figure in grey.
void CandidatePaths(Page& p);

// The angle marks of the reflection figure, in the window's fore colour: the arcs of
// radius 30 about the reflection point (300, 250) on both sides of the normal and the
// small arrowheads at their ends.
void ReflectionAngleMarks(Page& p);

// The eyeball in cross-section, seen from the side with the cornea to the left, about
// the centre (x, y) of the 640 x 400 system: sixteen arcs in white, red (iris), green
// (ciliary muscle) and brown (fovea). Arcs run counter-clockwise from their start to their
// end angle, through angle 0 where the end is the smaller. Draws nothing else and clears
// nothing; leaves the fore colour white (15), which the colour lessons go on printing in.
void medama(Page& p, int x, int y);

} // namespace light

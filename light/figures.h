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

// The three candidate paths from the entry point to the bottom of the water, in magenta,
// and their numbers below the figure in grey.
void CandidatePaths(Page& p);

// The angle marks of the reflection figure, in the window's fore colour: the arcs of
// radius 30 about the reflection point (300, 250) on both sides of the normal and the
// small arrowheads at their ends.
void ReflectionAngleMarks(Page& p);

} // namespace light

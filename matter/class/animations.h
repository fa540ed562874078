#pragma once
// The animations of the micro world. Each plays on the matter window's canvas, paced by
// the window's waits, and returns when it has finished.

class Page;

namespace matter::klass::animations {

// A drop falls from the tap: 21 ever longer moves of Image1, a drip cue and one clock
// tick each.
void Drop(Page& p);
// Concentric coloured discs shrink towards the centre four times over, ever smaller.
void Zoom(Page& p);
// Scale marks stream up the tube and spread apart, like a ruler being magnified.
void Ruler(Page& p);
// The electron orbits drawn point by point, one clock tick per point.
void Orbits(Page& p);
// A yellow rectangle grows from the centre to beyond the window.
void BoxZoom(Page& p);
// Five passes of random bubbles, fewer and larger each time; reseeds the generator.
void RandomBubbles(Page& p);
// Two shots of expanding yellow rings, each with the cannon cue.
void Explosion(Page& p);

} // namespace matter::klass::animations

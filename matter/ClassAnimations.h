#pragma once
// The animations of the hierarchy-of-matter lesson. Each plays on the matter window's
// canvas, paced by the window's waits, and returns when it has finished.

class frmMaterial;

namespace animations {

// A drop falls from the tap: 21 ever longer moves of Image1, a drip cue and one clock
// tick each.
void Drop(frmMaterial& w);
// Concentric coloured discs shrink towards the centre four times over, ever smaller.
void Zoom(frmMaterial& w);
// Scale marks stream up the tube and spread apart, like a ruler being magnified.
void Ruler(frmMaterial& w);
// The electron orbits drawn point by point, one clock tick per point.
void Orbits(frmMaterial& w);
// A yellow rectangle grows from the centre to beyond the window.
void BoxZoom(frmMaterial& w);
// Five passes of random bubbles, fewer and larger each time; reseeds the generator.
void RandomBubbles(frmMaterial& w);
// Two shots of expanding yellow rings, each with the cannon cue.
void Explosion(frmMaterial& w);

} // namespace animations

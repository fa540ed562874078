#pragma once
// The application's one uniform random source. Every drawing that scatters stars, dots
// or bubbles takes its numbers from here, so a test or the tour can fix the sequence
// with SeedRandom and see the same picture every time.

#include <QtGlobal>

// A uniform number in [0, 1) with 24 significant bits: exactly representable as a float,
// so it never rounds up to 1.
float Rnd();
// Seeds the generator from the seconds-since-midnight clock of the clock service (a
// virtual clock therefore gives a repeatable sequence).
void Randomize();
// Seeds the generator with a fixed value.
void SeedRandom(quint32 seed);

// For tests that compare two visits of a step: while set, Randomize seeds with this value
// instead of the clock, so a figure a lesson makes "at random" comes out the same twice.
void FixRandomize(bool on, quint32 seed = 0);

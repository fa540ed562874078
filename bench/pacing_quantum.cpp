// Pacing rows of the quantum interpretation and of colour perception. The Compton
// collision, the colour lesson's dot fields and its sensitivity curves let events in
// between their frames but never wait, so they have no nominal to keep and no row.

#include "bench/pacing.h"

namespace pacing {

void quantumRows(std::vector<Row>& rows) {
    // Eight curves of 330 points (nu = 10 down to 0.1 by 0.03 in single precision),
    // Pause(4) after each point and Pause(0.5), a tick, after each curve.
    rows.push_back(lessonStep("black body (Q1.5)", 8 * (330 * 4 + 1), lightWindow, "Quantum", 1, 5));
    // Two emissions: the photon's 1321 moves with Pause(0.0001) each and the electron's
    // 991 with Pause(0.05) each, every one a tick.
    rows.push_back(lessonStep("photoelectric (Q3.1)", 2 * (1321 + 991), lightWindow, "Quantum", 3, 1));
    // The photographic plate's 300 pairs of grains, Pause(0.01), a tick, after each.
    rows.push_back(lessonStep("plate (Q4.2)", 300 * 1, lightWindow, "Quantum", 4, 2));
}

void iroRows(std::vector<Row>& rows) {
    // The two mixing diagrams: twelve region fills followed by Pause(1.5) and a Pause(1.5)
    // after each diagram's name; each lasts until the clock reads 2 ms on.
    rows.push_back(lessonStep("mixing (I6.3)", 14 * 2, lightWindow, "Iro", 6, 3));
}

} // namespace pacing

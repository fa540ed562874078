#pragma once
// Presentation mode: the window in front of the class, full screen on a projector. F11
// in any window of the application (or `orvanth --fullscreen`) shows the current window
// on the whole screen it stands on: its client area scaled up uniformly to the largest
// size that fits, centred on black. The window itself stays where it is, at its size,
// with its controls, focus and input gate; a full-screen host draws it at the larger size
// (the canvases from large copies drawn at that size, the controls by their own painting)
// and passes the learner's clicks and keys on to it. Dialogs open over the host, their
// text and controls enlarged by the same factor. F11 again, or Escape when no dialog is
// open, gives the window back. The mode follows the application from one window to the
// next (the menu, a chain, a viewer) until it is left.

class Form;
class QWidget;
class QRect;

namespace presentation {

// Watches the application's keys and windows; every window calls it when it is made.
void install();
// Full screen from the first window shown on (orvanth --fullscreen).
void request();
// Full screen for window w, or back to the window if the mode is on.
void toggle(Form* w);
void leave();
bool active();

// For tests: the full-screen host, the window it shows, the factor and where the
// window's client area lies on the host.
QWidget* host();
Form* shown();
double factor();
QRect contentRect();

} // namespace presentation

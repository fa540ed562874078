#pragma once
// The viewers that hang off the matter course: the electron-cloud viewer and the
// periodic-table viewer. The matter registry names them and the lesson windows open them
// through these functions; the viewers live in the layer above the courses, which
// defines them (cloud/cloudfrm.cpp, periodic/Form1.cpp).

class Form;

namespace viewer {

// Shows the viewer; when it closes it shows `returnTo` again (if that window still exists).
using Open = void (*)(Form& returnTo);

void openCloud(Form& returnTo);
void openPeriodic(Form& returnTo);

} // namespace viewer

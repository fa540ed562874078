// The sounds of both courses, synthesised. Each function returns exactly the
// number of samples asked for, at kSampleRate, peaking below full scale.
#pragma once

#include <vector>

namespace mediagen {

std::vector<float> synthApplause(int samples); // right answer: a short burst of clapping
std::vector<float> synthDoing(int samples);    // wrong answer: two soft falling notes
std::vector<float> synthBoing(int samples);    // wrong answer: a springy boing
std::vector<float> synthDrip(int samples);     // a water drop; also the tick of light travelling
std::vector<float> synthCannon(int samples);   // a cannon shot for the explosion scene
std::vector<float> synthThunder(int samples);  // a lightning crack and rolling thunder
std::vector<float> synthRain(int samples);     // a downpour
std::vector<float> synthFarewell(int samples); // a three-note chime when the application closes
std::vector<float> synthSeikai(int samples);   // right answer: a bright rising jingle
std::vector<float> synthZannen(int samples);   // wrong answer: a gentle falling jingle

} // namespace mediagen

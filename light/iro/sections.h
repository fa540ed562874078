#pragma once
// The sections of the colour lesson (Iro), one file each, and what their pages share.

#include "lesson/Lesson.h"
#include "lesson/Page.h"
#include "player/globals.h"

#include <initializer_list>

namespace light::iro {

extern const lesson::Section recognition;      // 1: colour recognition, the eyeball and its quiz
extern const lesson::Section lightAndDark;     // 2: light and dark adaptation
extern const lesson::Section colourAdaptation; // 3: colour adaptation and after-images
extern const lesson::Section photopic;         // 4: photopic and scotopic vision
extern const lesson::Section sensitivity;      // 5: cone sensitivity and the mixing exercise
extern const lesson::Section mixing;           // 6: mixing of light and of pigments
extern const lesson::Section retina;           // 7: the molecular process in the retina
extern const lesson::Section bee;              // 8: the vision of the bee, the end of the course

// A content page: cleared, the narration font, white on black.
inline void contentPage(Page& p) {
    p.cls();
    p.fontSize(14);
    p.fore(QBColor(15));
    p.back(QBColor(0));
}

// The two mixed colours of the lesson that the palette lacks.
inline QRgb magenta() {
    return RGB(239, 5, 127);
}
inline QRgb cyan() {
    return RGB(0, 159, 197);
}

// The wavelength axes of the lesson's graphs run from x 200 to 500 for 380 to 720 nm.
inline double wavelengthX(double nm) {
    return 200 + (nm - 380) * 300 / 340;
}

// A label centred on x at every scale (the text's width is in device pixels).
inline void centredLabel(Page& p, double x, double y, const QString& text) {
    p.print(x - p.textWidth(text) / p.scale() / 2, y, text);
}

// The labels of a wavelength axis at their ticks, "(nm)" after the last one.
inline void wavelengthLabels(Page& p, double y, std::initializer_list<int> nms) {
    double right = 0;
    for (int nm : nms) {
        const QString text = QString::number(nm);
        centredLabel(p, wavelengthX(nm), y, text);
        right = wavelengthX(nm) + p.textWidth(text) / p.scale() / 2;
    }
    p.print(right + 5, y, QStringLiteral("(nm)"));
}

} // namespace light::iro

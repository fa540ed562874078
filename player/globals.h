#pragma once
// State that every window of the application shares. It lives for the whole run;
// numbers start at 0 and strings empty until something sets them.

#include <QRgb>
#include <QSize>
#include <QString>
#include <cstdint>

extern float gScale;           // display scale factor: 1.0, 1.2 or 1.5
extern QString gAppPath;       // application folder, always ending in the platform separator
extern QString gCourseName;    // "光とは" or "物質"
extern std::int16_t gMenuItem; // menu item of the open lesson window (1..5)
extern std::int16_t gSection;  // section counter inside the running item
extern std::int16_t gStep;     // step counter inside the current section
extern std::int16_t gQuestion; // question number the answer dialog asks
extern QString gAnswers[2];    // typed answers: [0] the answer or first number, [1] the second number

// The scale factor for a screen of the given width in pixels. A screen exactly 1000
// pixels wide gets 1.0: the middle band is open at both ends.
float scaleForScreenWidth(double widthPixels);

// Room a window manager's frame may take around a window, borders and title bar: the
// scale is chosen before any window has been framed.
inline constexpr QSize kFrameAllowance(16, 48);

// The scale factor for a screen of the given width whose available area (taskbars
// excluded) is of the given size, both in Qt's logical pixels: the width rule, then the
// next smaller factor of 1.5, 1.2 and 1.0 as long as a lesson window would not fit,
// frame included. An unknown area leaves the width rule alone.
float scaleForScreen(double widthPixels, QSize available);

// The folder of the executable with one platform separator at its end; a root folder
// already ends with one and is kept as it is.
QString appPathFor(const QString& folder);

// Logical coordinate or length of the 640 x 400 drawing system, scaled for the display.
inline double S(double v) {
    return v * gScale;
}

// Colours as the lessons name them: the sixteen-colour palette and plain RGB triples.
QRgb QBColor(int index);
inline QRgb RGB(int r, int g, int b) {
    return qRgb(r, g, b);
}

// A number as the lessons print it: a non-negative number is preceded by a blank,
// single precision shows up to seven significant digits, a fraction has no leading zero.
QString Str(double value);

#include "player/globals.h"

#include <QDir>
#include <cmath>

float gScale = 1.0f;
QString gAppPath;
QString gCourseName;
std::int16_t gMenuItem = 0;
std::int16_t gSection = 0;
std::int16_t gStep = 0;
std::int16_t gQuestion = 0;
QString gAnswers[2];

float scaleForScreenWidth(double w) {
    if (!(w > 0)) return 1.0f; // an unreadable screen size
    if (w > 1000) return 1.5f;
    if (w > 780 && w < 1000) return 1.2f;
    return 1.0f;
}

float scaleForScreen(double widthPixels, QSize available) {
    const float byWidth = scaleForScreenWidth(widthPixels);
    if (available.isEmpty()) return byWidth;
    for (const float s : {1.5f, 1.2f, 1.0f}) {
        if (s > byWidth) continue;
        const bool fits = 640 * s + kFrameAllowance.width() <= available.width() &&
                          400 * s + kFrameAllowance.height() <= available.height();
        if (fits) return s;
    }
    return 1.0f;
}

QString appPathFor(const QString& folder) {
    const QString sep = QDir::separator();
    if (folder.endsWith(sep) || folder.endsWith(QLatin1Char('/'))) return folder;
    return folder + sep;
}

QRgb QBColor(int index) {
    static constexpr QRgb palette[16] = {
        0xff000000, // 0 black
        0xff000080, // 1 blue
        0xff008000, // 2 green
        0xff008080, // 3 cyan
        0xff800000, // 4 red
        0xff800080, // 5 magenta
        0xff808000, // 6 yellow (dark)
        0xffc0c0c0, // 7 white (light grey)
        0xff808080, // 8 grey
        0xff0000ff, // 9 light blue
        0xff00ff00, // 10 light green
        0xff00ffff, // 11 light cyan
        0xffff0000, // 12 light red
        0xffff00ff, // 13 light magenta
        0xffffff00, // 14 light yellow
        0xffffffff, // 15 bright white
    };
    return palette[index & 15];
}

QString Str(double value) {
    if (!std::isfinite(value)) return value < 0 ? QStringLiteral("-1.#INF") : QStringLiteral(" 1.#INF");
    QString digits = QString::number(std::fabs(value), 'g', 7);
    if (digits.startsWith(QLatin1String("0."))) digits.remove(0, 1);
    if (digits.contains(QLatin1Char('e'))) {
        // 1e+20 prints as 1E+20, with at least two exponent digits.
        digits = digits.toUpper();
    }
    return (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + digits;
}

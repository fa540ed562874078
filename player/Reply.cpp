#include "player/Reply.h"

QString asciiReply(const QString& text) {
    QString out = text;
    for (QChar& ch : out) {
        const char16_t c = ch.unicode();
        if (c >= 0xFF01 && c <= 0xFF5E)
            ch = QChar(char16_t(c - 0xFF01 + 0x21));
        else if (c == 0x3000)
            ch = QLatin1Char(' ');
        else if (c == 0x2212 || c == 0x30FC || c == 0xFF70)
            ch = QLatin1Char('-');
    }
    return out;
}

#pragma once
// How the answer dialogs and the lessons read a typed number.

#include <QString>

// The numeric value of a typed answer: blanks are skipped, then the leading number (sign,
// digits, decimal point, exponent) counts; no number gives 0, a number too large for a
// double gives infinity. Lessons read numeric answers with it ("5x" is 5, "" is 0).
double answerNumber(const QString& text);

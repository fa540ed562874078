#pragma once
// One reading of what a learner typed. With a Japanese input method on, digits, signs and
// letters arrive in their full-width forms ("８", "－", "ｙ"); every box of this system that
// expects digits or y/n reads them as the ASCII characters they stand for.

#include <QString>

// The text with full-width ASCII forms (U+FF01 to U+FF5E) turned into ASCII, the
// ideographic space into a space, and the minus sign and the long-vowel mark that the
// input method gives for the minus key into "-". Everything else stays as it is.
QString asciiReply(const QString& text);

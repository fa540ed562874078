// A very small formula typesetter: enough for the physics formulas of the
// courses (variables in italics, fractions with a bar, raised smaller
// exponents, lowered indices, parentheses that grow with their contents).
//
//   auto f = row({var("I"), op("="), var("I"), sub(num("0")), ...});
//   drawFormula(p, f, QPointF(20, 50), 28);
#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QtCore/qnamespace.h>
#include <vector>

class QPainter;

namespace mediagen {

struct Formula {
    enum class Kind { Text, Space, Row, Fraction, Script, Parens };
    enum class Style { Italic, Upright, Japanese };
    Kind kind = Kind::Text;
    Style style = Style::Upright;
    QString text;
    qreal space = 0;            // Space: width in ems
    QColor colour;              // invalid: the painter's pen colour
    std::vector<Formula> parts; // Row: items; Fraction: numerator, denominator;
                                // Script: base, superscript (may be empty Row), subscript (may be empty Row)
};

// Leaves.
Formula var(const QString& s); // an italic variable: x, λ, ν
Formula num(const QString& s); // upright: digits, units, sin, cos
Formula jp(const QString& s);  // Japanese words inside a formula
Formula op(const QString& s);  // an operator with thin space on both sides: =, +, ×
Formula coloured(Formula f, const QColor& colour);

// Structure.
Formula row(std::vector<Formula> items);
Formula frac(Formula numerator, Formula denominator);
Formula sup(Formula base, Formula exponent);
Formula sub(Formula base, Formula index);
Formula subsup(Formula base, Formula index, Formula exponent);
Formula parens(Formula inside);

struct FormulaBox {
    qreal width = 0;
    qreal ascent = 0; // above the baseline
    qreal descent = 0;
    qreal height() const { return ascent + descent; }
};

FormulaBox measureFormula(const Formula& f, qreal pixelSize);
// Draws with the baseline of the outermost row starting at `baselineLeft`,
// in `colour` where the formula does not colour its parts itself.
void drawFormula(QPainter& p, const Formula& f, QPointF baselineLeft, qreal pixelSize,
                 const QColor& colour = QColor(0x22, 0x22, 0x22));
// Draws vertically centred in `box` (horizontally according to `align`:
// left, centre or right edge) and returns the area it covers.
QRectF drawFormulaIn(QPainter& p, const Formula& f, const QRectF& box, qreal pixelSize,
                     Qt::Alignment align = Qt::AlignCenter, const QColor& colour = QColor(0x22, 0x22, 0x22));

} // namespace mediagen

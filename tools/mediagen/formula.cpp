#include "formula.h"

#include "paint_kit.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace mediagen {

namespace {

// Proportions of the layout, in ems of the current size.
constexpr qreal kScriptScale = 0.68;
constexpr qreal kMathAxis = 0.30; // height of the fraction bar above the baseline
constexpr qreal kSupRaise = 0.42;
constexpr qreal kSubDrop = 0.22;
constexpr qreal kMinScriptPx = 7;

QFont fontFor(Formula::Style style, qreal px) {
    switch (style) {
    case Formula::Style::Italic: return serif(px, true);
    case Formula::Style::Upright: return serif(px, false);
    case Formula::Style::Japanese: return gothic(px);
    }
    return serif(px);
}

qreal scriptSize(qreal px) {
    return std::max(kMinScriptPx, px * kScriptScale);
}

Formula leaf(const QString& s, Formula::Style style) {
    Formula f;
    f.kind = Formula::Kind::Text;
    f.style = style;
    f.text = s;
    return f;
}

Formula spacer(qreal ems) {
    Formula f;
    f.kind = Formula::Kind::Space;
    f.space = ems;
    return f;
}

bool isEmpty(const Formula& f) {
    return f.kind == Formula::Kind::Row && f.parts.empty();
}

FormulaBox measureText(const Formula& f, qreal px) {
    const QFontMetricsF fm(fontFor(f.style, px));
    const QRectF ink = fm.tightBoundingRect(f.text);
    FormulaBox box;
    box.width = fm.horizontalAdvance(f.text);
    if (f.style == Formula::Style::Italic) box.width += px * 0.05; // room for the slant
    box.ascent = std::max(-ink.top(), fm.xHeight());
    box.descent = std::max(ink.bottom(), 0.0);
    return box;
}

struct ParenGeometry {
    qreal width;
    qreal margin;
};

ParenGeometry parenGeometry(const FormulaBox& inner, qreal px) {
    const qreal height = inner.height();
    return {px * 0.28 + height * 0.06, px * 0.12 + height * 0.04};
}

// One parenthesis as a filled crescent, thicker in the middle like a printed one.
void drawParen(QPainter& p, qreal x, qreal top, qreal bottom, qreal width, qreal px, bool left) {
    const qreal thick = std::max(1.0, px * 0.07 + (bottom - top) * 0.015);
    const qreal mid = (top + bottom) / 2;
    const qreal tipX = left ? x + width * 0.85 : x + width * 0.15;
    const qreal bulge =
        left ? x + width * 0.05 - (bottom - top) * 0.06 : x + width * 0.95 + (bottom - top) * 0.06;
    const qreal inward = left ? thick * 2 : -thick * 2;
    QPainterPath path;
    path.moveTo(tipX, top);
    path.quadTo(bulge, mid, tipX, bottom);
    path.quadTo(bulge + inward, mid, tipX, top);
    p.save();
    p.setPen(QPen(p.pen().color(), 0.6));
    p.setBrush(p.pen().color());
    p.drawPath(path);
    p.restore();
}

} // namespace

Formula var(const QString& s) {
    return leaf(s, Formula::Style::Italic);
}
Formula num(const QString& s) {
    return leaf(s, Formula::Style::Upright);
}
Formula jp(const QString& s) {
    return leaf(s, Formula::Style::Japanese);
}
Formula op(const QString& s) {
    return row({spacer(0.22), num(s), spacer(0.22)});
}

Formula coloured(Formula f, const QColor& colour) {
    f.colour = colour;
    return f;
}

Formula row(std::vector<Formula> items) {
    Formula f;
    f.kind = Formula::Kind::Row;
    f.parts = std::move(items);
    return f;
}

Formula frac(Formula numerator, Formula denominator) {
    Formula f;
    f.kind = Formula::Kind::Fraction;
    f.parts = {std::move(numerator), std::move(denominator)};
    return f;
}

Formula subsup(Formula base, Formula index, Formula exponent) {
    Formula f;
    f.kind = Formula::Kind::Script;
    f.parts = {std::move(base), std::move(exponent), std::move(index)};
    return f;
}

Formula sup(Formula base, Formula exponent) {
    return subsup(std::move(base), row({}), std::move(exponent));
}
Formula sub(Formula base, Formula index) {
    return subsup(std::move(base), std::move(index), row({}));
}

Formula parens(Formula inside) {
    Formula f;
    f.kind = Formula::Kind::Parens;
    f.parts = {std::move(inside)};
    return f;
}

FormulaBox measureFormula(const Formula& f, qreal px) {
    switch (f.kind) {
    case Formula::Kind::Text: return measureText(f, px);
    case Formula::Kind::Space: return {f.space * px, 0, 0};
    case Formula::Kind::Row: {
        FormulaBox box;
        for (const Formula& part : f.parts) {
            const FormulaBox b = measureFormula(part, px);
            box.width += b.width;
            box.ascent = std::max(box.ascent, b.ascent);
            box.descent = std::max(box.descent, b.descent);
        }
        return box;
    }
    case Formula::Kind::Fraction: {
        const FormulaBox n = measureFormula(f.parts[0], px);
        const FormulaBox d = measureFormula(f.parts[1], px);
        const qreal rule = std::max(1.0, px / 15);
        const qreal gap = std::max(1.5, px * 0.12);
        const qreal axis = px * kMathAxis;
        FormulaBox box;
        box.width = std::max(n.width, d.width) + px * 0.3;
        box.ascent = axis + rule / 2 + gap + n.height();
        box.descent = std::max(0.0, -axis + rule / 2 + gap + d.height());
        return box;
    }
    case Formula::Kind::Script: {
        const FormulaBox base = measureFormula(f.parts[0], px);
        const qreal spx = scriptSize(px);
        const FormulaBox up = measureFormula(f.parts[1], spx);
        const FormulaBox down = measureFormula(f.parts[2], spx);
        const qreal raise = std::max(px * kSupRaise, base.ascent - up.ascent * 0.6);
        const qreal drop = std::max(px * kSubDrop, base.descent - down.ascent * 0.3);
        FormulaBox box = base;
        box.width += std::max(up.width, down.width) + px * 0.04;
        if (!isEmpty(f.parts[1])) box.ascent = std::max(box.ascent, raise + up.ascent);
        if (!isEmpty(f.parts[2])) box.descent = std::max(box.descent, drop + down.descent);
        return box;
    }
    case Formula::Kind::Parens: {
        const FormulaBox inner = measureFormula(f.parts[0], px);
        const ParenGeometry g = parenGeometry(inner, px);
        return {inner.width + 2 * g.width, inner.ascent + g.margin, inner.descent + g.margin};
    }
    }
    return {};
}

namespace {

void drawPart(QPainter& p, const Formula& f, QPointF at, qreal px) {
    p.save();
    if (f.colour.isValid()) p.setPen(f.colour);
    switch (f.kind) {
    case Formula::Kind::Text:
        p.setFont(fontFor(f.style, px));
        p.drawText(at, f.text);
        break;
    case Formula::Kind::Space: break;
    case Formula::Kind::Row: {
        qreal x = at.x();
        for (const Formula& part : f.parts) {
            drawPart(p, part, QPointF(x, at.y()), px);
            x += measureFormula(part, px).width;
        }
        break;
    }
    case Formula::Kind::Fraction: {
        const FormulaBox box = measureFormula(f, px);
        const FormulaBox n = measureFormula(f.parts[0], px);
        const FormulaBox d = measureFormula(f.parts[1], px);
        const qreal rule = std::max(1.0, px / 15);
        const qreal gap = std::max(1.5, px * 0.12);
        const qreal barY = at.y() - px * kMathAxis;
        p.fillRect(QRectF(at.x() + px * 0.08, barY - rule / 2, box.width - px * 0.16, rule), p.pen().color());
        drawPart(p, f.parts[0],
                 QPointF(at.x() + (box.width - n.width) / 2, barY - rule / 2 - gap - n.descent), px);
        drawPart(p, f.parts[1], QPointF(at.x() + (box.width - d.width) / 2, barY + rule / 2 + gap + d.ascent),
                 px);
        break;
    }
    case Formula::Kind::Script: {
        const FormulaBox base = measureFormula(f.parts[0], px);
        const qreal spx = scriptSize(px);
        const FormulaBox up = measureFormula(f.parts[1], spx);
        const FormulaBox down = measureFormula(f.parts[2], spx);
        const qreal raise = std::max(px * kSupRaise, base.ascent - up.ascent * 0.6);
        const qreal drop = std::max(px * kSubDrop, base.descent - down.ascent * 0.3);
        drawPart(p, f.parts[0], at, px);
        const qreal x = at.x() + base.width + px * 0.04;
        drawPart(p, f.parts[1], QPointF(x, at.y() - raise), spx);
        drawPart(p, f.parts[2], QPointF(x, at.y() + drop), spx);
        break;
    }
    case Formula::Kind::Parens: {
        const FormulaBox inner = measureFormula(f.parts[0], px);
        const ParenGeometry g = parenGeometry(inner, px);
        const qreal top = at.y() - inner.ascent - g.margin;
        const qreal bottom = at.y() + inner.descent + g.margin;
        drawParen(p, at.x(), top, bottom, g.width, px, true);
        drawPart(p, f.parts[0], QPointF(at.x() + g.width, at.y()), px);
        drawParen(p, at.x() + g.width + inner.width, top, bottom, g.width, px, false);
        break;
    }
    }
    p.restore();
}

} // namespace

void drawFormula(QPainter& p, const Formula& f, QPointF baselineLeft, qreal px, const QColor& colour) {
    p.save();
    p.setPen(colour);
    drawPart(p, f, baselineLeft, px);
    p.restore();
}

QRectF drawFormulaIn(QPainter& p, const Formula& f, const QRectF& box, qreal px, Qt::Alignment align,
                     const QColor& colour) {
    const FormulaBox m = measureFormula(f, px);
    qreal x = box.left() + (box.width() - m.width) / 2;
    if (align & Qt::AlignLeft)
        x = box.left();
    else if (align & Qt::AlignRight)
        x = box.right() - m.width;
    const qreal baseline = box.top() + (box.height() - m.height()) / 2 + m.ascent;
    drawFormula(p, f, QPointF(x, baseline), px, colour);
    return QRectF(x, baseline - m.ascent, m.width, m.height());
}

} // namespace mediagen

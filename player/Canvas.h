#pragma once
// The drawing surface of a window or a picture box, with exactly the state and the
// operations the lessons use. It draws into a QImage without antialiasing, so colours
// are exact and a region fill stops exactly at its border colour; the widget that
// shows it only copies the parts that changed.

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <functional>

enum class FillStyles { Solid = 0, Transparent = 1 };
enum class LineMode { Line, Box, BoxFilled };

class Canvas {
public:
    Canvas();
    virtual ~Canvas() = default;

    // ---- state ----
    QRgb ForeColor = 0xff000000;
    FillStyles FillStyle = FillStyles::Transparent;
    QRgb FillColor = 0xff000000;
    int DrawWidth = 1; // pixels
    double CurrentX = 0, CurrentY = 0;
    QString FontName;    // empty: the application's Japanese gothic
    double FontSize = 9; // points at 96 dpi
    bool FontBold = false;
    bool FontItalic = false;
    bool AutoRedraw = true; // drawings always persist in the image; kept for the lessons' sake

    QRgb backColor() const { return back_; }
    // Another colour repaints the whole canvas and erases every drawing; the colour it
    // already has changes nothing.
    void setBackColor(QRgb c);

    // User coordinates: the canvas maps (x1, y1)-(x2, y2) onto its pixels. Without them
    // one unit is one pixel.
    void setScale(double x1, double y1, double x2, double y2);
    void setScalePixels();
    double ScaleWidth() const;
    double ScaleHeight() const;

    // ---- operations ----
    void Line(double x1, double y1, double x2, double y2, QRgb color, LineMode mode = LineMode::Line);
    void Line(double x1, double y1, double x2, double y2, LineMode mode = LineMode::Line) {
        Line(x1, y1, x2, y2, ForeColor, mode);
    }
    void LineTo(double x2, double y2, QRgb color) { Line(CurrentX, CurrentY, x2, y2, color); }
    void LineTo(double x2, double y2) { LineTo(x2, y2, ForeColor); }
    // Circle, arc or pie. Angles in radians, counter-clockwise on the screen; NoAngle for
    // both draws the whole circle. A negative angle also draws the radius to that end, and
    // with both negative the pie is closed and filled. An aspect other than 1 makes an
    // ellipse: above 1 the vertical radius is r, below 1 the horizontal one. The interior
    // of a closed shape is filled by FillStyle and FillColor.
    static constexpr double NoAngle = 1e300;
    void Circle(double x, double y, double r, QRgb color, double start = NoAngle, double end = NoAngle,
                double aspect = 1.0);
    void Circle(double x, double y, double r) { Circle(x, y, r, ForeColor); }
    void PSet(double x, double y, QRgb color);
    void PSet(double x, double y) { PSet(x, y, ForeColor); }
    QRgb Point(double x, double y) const;
    // Print as a line (the position moves to the start of the next line), as a continued
    // piece (the position stays just right of the text), or an empty line.
    void Print(const QString& text);
    void PrintPiece(const QString& text);
    void Print();
    double TextWidth(const QString& text) const;
    double TextHeight(const QString& text = QStringLiteral("A")) const;
    void Cls();

    // The font Print uses now, with its size in pixels at 96 dpi.
    QFont currentFont() const;
    QImage& image() { return image_; }
    const QImage& image() const { return image_; }
    // Resizes the drawing surface to w x h pixels, keeping what fits.
    void resizeCanvas(int w, int h);
    // Device pixel of a point in canvas units.
    QPoint toPixel(double x, double y) const;
    // Marks a rectangle of pixels as changed so the widget shows it.
    void touched(const QRect& r) {
        if (!r.isEmpty()) changed(r.intersected(image_.rect()));
    }
    // Draws an image with its top-left corner at pixel (x, y), clipped.
    void drawImage(int x, int y, const QImage& img);

    // ---- the large copy for a full-screen window ----
    // Shown full screen, the canvas draws every operation twice: into its image, which
    // stays what every reader of pixels sees (region fills, Point, the tour), and into a
    // copy `factor` times as large, drawn at that size, which the widget shows instead.
    // The copy starts as the image enlarged; what is drawn from then on is sharp. A factor
    // of 1 or below drops the copy.
    void setPresentationFactor(double factor);
    double presentationFactor() const { return large_.isNull() ? 1.0 : factor_; }
    // The large copy, `factor` pixels for each pixel of the image; null when none.
    const QImage& presentationImage() const { return large_; }
    // A region fill of the image at pixel (x, y), repeated on the large copy.
    void presentationFill(int x, int y, QRgb fill, QRgb border, const QRect& filled);

protected:
    // Called with the pixels that changed; the widget repaints just them.
    virtual void changed(const QRect&) {}

private:
    double sx(double x) const { return (x - ox_) * kx_; }
    double sy(double y) const { return (y - oy_) * ky_; }
    void printText(const QString& text, bool newline);
    // Where the last piece of text ended, so a piece printed right after it is known to
    // continue it (a sentence printed in coloured parts).
    bool pieceEnded_ = false;
    double pieceEndX_ = 0, pieceEndY_ = 0;
    QImage image_;
    QImage large_; // the large copy, while shown full screen
    double factor_ = 1.0;
    void seedLarge();
    // The pixels of the large copy that cover pixels r of the image.
    QRect largeBlock(const QRect& r) const;
    QRgb back_ = 0xffffffff;
    double ox_ = 0, oy_ = 0, kx_ = 1, ky_ = 1;
    bool user_ = false;
    double uw_ = 0, uh_ = 0;
};

// Pixel size of a font of the given points at 96 dpi, whatever the screen.
int pointsToPixels(double points);
// The application's proportional Japanese gothic at the given size.
QFont uiFont(double points, bool bold = false, bool italic = false);

// What the lessons say in words: every text printed on a canvas and every caption a lesson
// shows in a label goes to this listener when one is set. Tools that keep a written record
// of a run set it (the tour's handout); the application never does. `continues` is true
// when the text was printed right where the previous piece ended on the same canvas.
using TextRecorder = std::function<void(const QString& text, bool continues)>;
// Returns the recorder it replaces, so a second listener can pass the text on.
TextRecorder setTextRecorder(TextRecorder recorder);
// Passes a text to the listener, if there is one; blank texts are not passed.
void recordText(const QString& text, bool continues = false);

// Where text lands on a canvas: every line printed, at its pixel position (the top-left
// of the line), in its font and colour, and every erasure of the whole canvas (Cls, a new
// background colour). The tour's layout check listens, to measure how much of each text
// stays visible; the application never sets it.
class PrintObserver {
public:
    virtual ~PrintObserver() = default;
    virtual void printed(const Canvas& canvas, QPoint at, const QFont& font, QRgb colour,
                         const QString& line) = 0;
    virtual void cleared(const Canvas& canvas) = 0;
};
// Sets the one observer (null: none).
void setPrintObserver(PrintObserver* observer);

#pragma once
// Windows of the application. Each exists at most once: form<W>() creates it, and runs
// its load handler, on first use; unloading destroys it, and the next use creates it
// afresh. Every entry from Qt into a window's code goes through its session, so a window
// closed while its code waits is destroyed only once that code has unwound.

#include "player/Canvas.h"
#include "player/Clock.h"

#include <QPointer>
#include <QWidget>

class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(QWidget* parent = nullptr);
    ~Form() override;

    Session session;

    // Runs the load handler once.
    void Load();
    // Loads if needed and shows the window without modality.
    void Show();
    // Unloads the window: the same road as the close box.
    void Unload();
    bool isUnloading() const { return unloading_; }

    // Runs handler code as one entry from the event loop.
    template <class F> void run(F&& f) { session.enter(std::forward<F>(f)); }

    // Outer size (frame included) and position, in pixels.
    void setOuterSize(int w, int h);
    QSize outerSize() const;
    // Centres the window on the screen.
    void centre();

    // Every window that is loaded now.
    static QList<Form*> all();
    // When on (the application), the application ends once the last window is gone.
    static void setQuitWhenLastUnloaded(bool on);

protected:
    virtual void Form_Load() {}
    // Return false to refuse the close request.
    virtual bool Form_QueryUnload() { return true; }
    virtual void Form_Unload() {}
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void applyOuterSize();
    QSize wantedOuter_; // the outer size asked for; the frame is known only once shown
    bool loaded_ = false;
    bool unloading_ = false;
};

template <class W> QPointer<W>& formSlot() {
    static QPointer<W> slot;
    return slot;
}

// The one window of type W, created and loaded on first use.
template <class W> W& form() {
    QPointer<W>& slot = formSlot<W>();
    if (!slot || slot->isUnloading()) {
        slot = new W;
        slot->Load();
    }
    return *slot;
}

// The window of type W if it is loaded, else null; never creates it.
template <class W> W* loadedForm() {
    QPointer<W>& slot = formSlot<W>();
    return slot && !slot->isUnloading() ? slot.data() : nullptr;
}

// A window whose client area is a drawing canvas.
class CanvasForm : public Form, public Canvas {
    Q_OBJECT
public:
    explicit CanvasForm(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changed(const QRect& r) override { update(r); }
};

// A picture box: a child control with a canvas of its own and an optional picture drawn
// at its natural size in the top-left corner.
class PictureBox : public QWidget, public Canvas {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent);
    // Shows the picture at its natural size at the top-left, clipped; a null image clears.
    void setPicture(const QImage& img);
    const QImage& picture() const { return picture_; }
    void Cls();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changed(const QRect& r) override { update(r); }

private:
    QImage picture_;
};

// A picture control: shows a picture at its natural size (the control takes that size)
// or stretched to the control when Stretch is on.
class PictureControl : public QWidget {
    Q_OBJECT
public:
    explicit PictureControl(QWidget* parent);
    bool Stretch = false;
    void setPicture(const QImage& img);
    const QImage& picture() const { return picture_; }
    // The position with its fractions, in device pixels: a sprite that moves a tenth of a
    // unit a frame keeps every tenth and shows the nearest pixel. A plain move(x, y)
    // since the last moveTo counts as the whole-pixel position it sets.
    QPointF position() const { return QWidget::pos() == shown_ ? position_ : QPointF(QWidget::pos()); }
    void moveTo(QPointF at) {
        position_ = at;
        shown_ = QPoint(qRound(at.x()), qRound(at.y()));
        move(shown_);
    }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QImage picture_;
    QPointF position_;
    QPoint shown_;
};

// Twips to pixels, 15 twips a pixel at 96 dpi. The window designer's whole-twips sizes
// and positions drop the fraction, as the designer's own pixel grid does; a position
// computed in twips at run time (scaled by gScale) is rounded to the nearest pixel.
constexpr int twips(int designerTwips) {
    return designerTwips / 15;
}
int scaledTwips(double twipsValue);

#pragma once
// Windows of the application. Each exists at most once: form<W>() creates it, and runs
// its load handler, on first use; unloading destroys it, and the next use creates it
// afresh. Every entry from Qt into a window's code goes through its session, so a window
// closed while its code waits is destroyed only once that code has unwound.

#include "player/Canvas.h"
#include "player/Clock.h"
#include "player/InputGate.h"

#include <QPointer>
#include <QWidget>

class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(QWidget* parent = nullptr);
    ~Form() override;

    Session session;
    // Refuses the learner's clicks and keys while code of this window runs.
    InputGate gate;

    // Runs the load handler once.
    void Load();
    // Loads if needed and shows the window without modality.
    void Show();
    // Unloads the window: the same road as the close box.
    void Unload();
    bool isUnloading() const { return unloading_; }

    // Runs handler code as one entry from the event loop.
    template <class F> void run(F&& f) { session.enter(std::forward<F>(f)); }
    // Runs handler code for a click or key of the learner, through the gate: refused
    // while code of this window runs.
    template <class F> void learnerRun(F&& f) {
        gate.admit([&] { session.enter(std::forward<F>(f)); });
    }

    // A fixed frame around a client area of w x h pixels: the learner can neither resize
    // nor maximise the window. The window's layout measures everything from this size
    // (what its design calls the outer size); a window manager's frame lies outside it,
    // so nothing placed along the bottom or right edge is covered.
    void setFixedClientSize(int w, int h);
    QSize outerSize() const;
    // Centres the window, frame included, on the available area of its screen (taskbars
    // excluded); a window larger than that area goes to its top left. The frame of a
    // window manager is known only once the window is framed: the window is centred
    // again then.
    void centre();
    // The frame of this window as the window manager draws it; before it is framed, the
    // frame last seen around a window of the application, else none.
    QMargins frameMarginsGuess() const;
    // The factor, at most 1, by which a window with a client area of the given size must
    // shrink to fit, frame included, the available area of the screen; 1 on the offscreen
    // platform.
    static double shrinkToFit(QSize client);

    // Every window that is loaded now.
    static QList<Form*> all();
    // When on (the application), the application ends once the last window is gone.
    static void setQuitWhenLastUnloaded(bool on);

protected:
    virtual void Form_Load() {}
    // Return false to refuse the close request.
    virtual bool Form_QueryUnload() { return true; }
    virtual void Form_Unload() {}
    // Activation: the window became the active window again, or a modal dialog that
    // blocked it has closed.
    virtual void Form_Activate() {}
    void closeEvent(QCloseEvent* e) override;
    bool event(QEvent* e) override;

private:
    void placeCentred();
    void keepCentred();
    // Where the frame's top-left goes for the window to stand centred.
    QPoint centredPlace() const;
    QSize clientSize_;           // the fixed client area, once set
    bool centring_ = false;      // centred, and to be centred again once the frame is known
    int centreChecks_ = 0;       // corrections of the centred place still allowed
    QMargins centredWith_;       // the frame the centring last counted with
    bool centredFramed_ = false; // centred since the window manager framed the window
    // A modal dialog closed while the window was not active: its activation, which the
    // window system delivers later, has been handled already.
    bool activationHandled_ = false;
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

// The start window, which stays loaded while a course is open: the lesson windows show it
// again when they close, and the farewell unloads it last. The application defines it
// (app/frmStart.cpp); the engine only needs to reach it as a window.
Form& homeForm();
// The start window if it is loaded, else null; never creates it.
Form* loadedHomeForm();

// The changes of one canvas widget, shown at the display's pace: while an animation of
// 1 ms waits draws, the widget is repainted once a frame, not once a point (Form.cpp).
class PacedRepaint {
public:
    explicit PacedRepaint(QWidget* w) : widget_(w) {}
    ~PacedRepaint();
    PacedRepaint(const PacedRepaint&) = delete;
    PacedRepaint& operator=(const PacedRepaint&) = delete;
    void changed(const QRect& r);
    // Passes the changes held so far on to the widget's repaint.
    void show();

private:
    QWidget* widget_;
    QRect pending_;
    // What this open frame has already asked the widget to repaint, and the frame it
    // belongs to.
    QRect passed_;
    quint64 passedFrame_ = 0;
};

// A window whose client area is a drawing canvas.
class CanvasForm : public Form, public Canvas {
    Q_OBJECT
public:
    explicit CanvasForm(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changed(const QRect& r) override { repaint_.changed(r); }

private:
    PacedRepaint repaint_{this};
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
    void changed(const QRect& r) override { repaint_.changed(r); }

private:
    QImage picture_;
    PacedRepaint repaint_{this};
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

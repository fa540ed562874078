#pragma once
// What the two answer dialogs share: a fixed frame owned by a lesson window, the answer
// boxes with their key filter, the close request that waits for an answer, and the
// modal show on behalf of the lesson window's session; each is answered as a Replyable.

#include "dialogs/Replyable.h"
#include "player/Clock.h"

#include <QDialog>
#include <QString>

class Form;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

class AnswerDialog : public QDialog, public Replyable {
    Q_OBJECT
public:
    // owner: the lesson window that asks (may be null for a dialog on its own); the
    // dialog is its child, placed relative to it, and modal on behalf of its session.
    AnswerDialog(Form* owner, const QString& caption, int clientWidth, int clientHeight);

    // Shows the dialog modally; returns once it has closed. Throws Aborted when the
    // owner's session is cancelled meanwhile (the lesson window closed).
    int showModal();

    // The close box and Escape end here: refused while no answer is stored, unless the
    // owner is closing, which must be able to end the dialog.
    void reject() override;

    // The key a key press stands for, as a character code (Enter 13, Backspace 8, Tab 9,
    // Escape 27, otherwise the typed character), or -1 for a key that types nothing
    // (arrows, Delete, shortcuts with Ctrl or Alt): those are never filtered, so editing
    // works as in any text box. Pasted text is typed in through the filter.
    static int keyAscii(const QKeyEvent* e);

    // The close box, as the learner clicks it: the close request ends in reject().
    void closeBox() override { close(); }

protected:
    Form* owner() const { return owner_; }
    Session* session() const;

    // The close request of OK: closes when Form_QueryUnload allows it.
    void Unload();
    // Return false to refuse the close request.
    virtual bool Form_QueryUnload() = 0;
    // The key filter of a text box: return false to discard the key.
    virtual bool KeyPress(QLineEdit* box, int keyAscii) = 0;

    // Runs handler code as one entry from the event loop on behalf of the owner.
    template <class F> void run(F&& f);

    // The one-field rule: "1" to lastKey, Enter, Backspace and Tab pass; any other key
    // beeps and is discarded. A lastKey of 0 filters nothing.
    static bool oneFieldKeyPasses(int keyAscii, char16_t lastKey);

    // Outer top-left of the dialog on the screen: centred over the owner, 1000 twips from
    // the top of the screen.
    void placeCentred();
    // Outer top-left at (x, y) pixels from the top-left of the owner's screen.
    void placeOnScreen(int x, int y);
    // The outer width the dialog will have once framed.
    int outerWidth() const;

    QLineEdit* makeTextBox(QWidget* parent, int x, int y, int w, int h);
    QLabel* makeLabel(QWidget* parent, const QString& caption, int x, int y);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Form* owner_;
};

template <class F> void AnswerDialog::run(F&& f) {
    if (Session* s = session())
        s->enter(std::forward<F>(f));
    else
        f();
}

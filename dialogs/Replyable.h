#pragma once
// What a learner does with an answer dialog, and what the program playing a learner does
// in their place: read what is asked, type a reply into the dialog's own boxes key by key
// (through its key filter, as a keyboard would), paste one past the filter, press OK, or
// use the close box. The learner driver and the tests answer every answer dialog through
// this, so they need not know the dialog's controls.

#include <QString>
#include <QStringList>

class QWidget;

class Replyable {
public:
    // The question number the dialog was loaded for.
    virtual int question() const = 0;
    // The question text as the dialog shows it.
    virtual QString asked() const = 0;
    // How many boxes a reply fills: 1, or 2 for the amplitude and frequency question.
    virtual int replyFields() const = 0;
    // Empties each box with Backspace, then types its field into it key by key.
    void typeReply(const QStringList& fields);
    // Puts each field into its box at once, as a paste does: no key filter sees it.
    void pasteReply(const QStringList& fields);
    // Clicks OK when it can be clicked; false when it is disabled and nothing happened.
    bool pressOK();
    // The close box; the dialog refuses it while no answer is stored.
    virtual void closeBox() = 0;

protected:
    ~Replyable() = default;
    // Box i (0-based, below replyFields()) of the reply, and the OK button.
    virtual QWidget* replyBox(int i) const = 0;
    virtual QWidget* okButton() const = 0;
};

namespace keyboard {
// Sends each character of text to a widget as the keyboard would: key press and release.
void type(QWidget* w, const QString& text);
// Sends one key (Qt::Key_Return, Qt::Key_Backspace ...) with the text it types.
void press(QWidget* w, int key);
} // namespace keyboard

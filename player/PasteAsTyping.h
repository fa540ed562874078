#pragma once
// A box with key rules takes pasted text as if it were typed. Whatever puts text into
// the box other than a key press of its own (Ctrl+V or Shift+Insert, the context menu's
// Paste, the middle button's selection, text committed by an input method) is read as
// asciiReply reads it and typed in one character at a time at the caret, each character
// through the box's key rule. The typing stops at the first character the rule refuses
// (it has beeped, as for a typed key), at a line break, or once the rule has moved the
// focus out of the box, as the learner's next key would go elsewhere too. Dropped text is
// refused.

#include <QObject>
#include <functional>

class QLineEdit;
class QMenu;

class PasteAsTyping : public QObject {
    Q_OBJECT

public:
    // keyRule: the box's rule for one typed character code; false refuses it (and the
    // rest of the text). The object belongs to the box.
    PasteAsTyping(QLineEdit* box, std::function<bool(int keyAscii)> keyRule);

    // Types text into the box under its rule; returns how many characters went in.
    int typeIn(const QString& text);
    // The box's own context menu, its Paste typing the clipboard in; the caller owns it.
    QMenu* contextMenu();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* box_;
    std::function<bool(int)> keyRule_;
};

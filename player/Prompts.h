#pragma once
// Message boxes, the text-input box and the beep. Everything modal that lesson code opens
// runs through runModal, so a closed window ends its dialogs, and a test or the learner
// driver can answer them by typing into the real widgets.

#include <QString>
#include <functional>

class QDialog;
class QWidget;
class Session;

enum class MsgButtons { OK, OKCancel, YesNo };
enum class MsgIcon { None, Critical, Exclamation, Question, Information };
enum class MsgResult { OK, Cancel, Yes, No };

// Shows a modal message box and returns the button pressed (the close box counts as
// Cancel, or No for Yes/No boxes). An empty title is the application's title.
MsgResult MsgBox(const QString& text, MsgButtons buttons = MsgButtons::OK, MsgIcon icon = MsgIcon::None,
                 const QString& title = QString(), Session* session = nullptr);

// The modal text-input box. The position is the outer top-left in twips of the screen
// (negative: centred). Cancel gives an empty reply. The reply is read as asciiReply
// (player/Reply.h) does: full-width digits, signs and letters count as ASCII.
QString InputBox(const QString& prompt, const QString& title = QString(),
                 const QString& defaultText = QString(), int xTwips = -1, int yTwips = -1,
                 Session* session = nullptr);

// The system beep.
void Beep();
int beepCount();

// Runs a dialog modally on behalf of a session: the session's cancellation rejects it,
// and a cancelled session throws Aborted when it returns.
int runModal(QDialog& dialog, Session* session);

// Called, once the event loop runs, for every modal dialog that opens; tests and the
// learner driver answer through it. Returns the previous hook.
using ModalHook = std::function<void(QDialog&)>;
ModalHook setModalHook(ModalHook hook);

// The title message boxes and input boxes show when no title is given.
QString applicationTitle();

#include "player/Prompts.h"

#include "player/Clock.h"
#include "player/Reply.h"

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>

namespace {
ModalHook& hookSlot() {
    static ModalHook hook;
    return hook;
}
int beeps = 0;
} // namespace

ModalHook setModalHook(ModalHook hook) {
    ModalHook old = std::move(hookSlot());
    hookSlot() = std::move(hook);
    return old;
}

QString applicationTitle() {
    return QStringLiteral("Orvanth");
}

void Beep() {
    ++beeps;
    QApplication::beep();
}

int beepCount() {
    return beeps;
}

int runModal(QDialog& dialog, Session* session) {
    if (session) session->check();
    QPointer<QDialog> guard(&dialog);
    QList<QPointer<QObject>>* open = session ? &session->dialogs : nullptr;
    if (open) open->append(guard.data());
    if (hookSlot()) {
        // Queued, so it runs inside the dialog's own loop, once the dialog is shown.
        QMetaObject::invokeMethod(
            &dialog,
            [guard] {
                if (guard && hookSlot()) hookSlot()(*guard);
            },
            Qt::QueuedConnection);
    }
    const int result = dialog.exec();
    if (open) open->removeAll(guard);
    if (session) session->check();
    return result;
}

MsgResult MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title,
                 Session* session) {
    QMessageBox box;
    box.setWindowTitle(title.isEmpty() ? applicationTitle() : title);
    box.setText(text);
    switch (icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    }
    switch (buttons) {
    case MsgButtons::OK: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::OKCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    }
    runModal(box, session);
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok: return MsgResult::OK;
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    default: return buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Cancel;
    }
}

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText, int xTwips,
                 int yTwips, Session* session) {
    QInputDialog box;
    box.setWindowTitle(title.isEmpty() ? applicationTitle() : title);
    box.setLabelText(prompt);
    box.setTextValue(defaultText);
    box.setInputMode(QInputDialog::TextInput);
    if (xTwips >= 0 && yTwips >= 0) box.move(xTwips / 15, yTwips / 15);
    if (runModal(box, session) != QDialog::Accepted) return QString();
    // The boxes ask for numbers and y/n: what an input method typed counts as its ASCII.
    return asciiReply(box.textValue());
}

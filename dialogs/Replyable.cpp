#include "dialogs/Replyable.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

namespace keyboard {

namespace {

int keyFor(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return Qt::Key_0 + (u - u'0');
    if (u >= u'a' && u <= u'z') return Qt::Key_A + (u - u'a');
    if (u >= u'A' && u <= u'Z') return Qt::Key_A + (u - u'A');
    if (u == u'-') return Qt::Key_Minus;
    if (u == u'.') return Qt::Key_Period;
    return u;
}

QString textFor(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return QStringLiteral("\r");
    case Qt::Key_Backspace: return QStringLiteral("\b");
    case Qt::Key_Tab: return QStringLiteral("\t");
    case Qt::Key_Escape: return QStringLiteral("\x1b");
    default: return QString();
    }
}

void sendKey(QWidget* w, int key, const QString& text) {
    QPointer<QWidget> guard(w);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    if (!guard) return;
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

} // namespace

void type(QWidget* w, const QString& text) {
    QPointer<QWidget> guard(w);
    for (QChar c : text) {
        if (!guard) return;
        sendKey(guard, keyFor(c), QString(c));
    }
}

void press(QWidget* w, int key) {
    sendKey(w, key, textFor(key));
}

} // namespace keyboard

void Replyable::typeReply(const QStringList& fields) {
    for (int f = 0; f < replyFields(); ++f) {
        auto* box = qobject_cast<QLineEdit*>(replyBox(f));
        if (!box) continue;
        while (!box->text().isEmpty())
            keyboard::press(box, Qt::Key_Backspace);
        keyboard::type(box, fields.value(f));
    }
}

void Replyable::pasteReply(const QStringList& fields) {
    for (int f = 0; f < replyFields(); ++f)
        if (auto* box = qobject_cast<QLineEdit*>(replyBox(f))) box->setText(fields.value(f));
}

bool Replyable::pressOK() {
    auto* ok = qobject_cast<QAbstractButton*>(okButton());
    if (!ok || !ok->isEnabled()) return false;
    ok->click();
    return true;
}

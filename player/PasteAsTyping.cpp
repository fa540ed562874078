#include "player/PasteAsTyping.h"

#include "player/Reply.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <memory>

PasteAsTyping::PasteAsTyping(QLineEdit* box, std::function<bool(int)> keyRule)
    : QObject(box), box_(box), keyRule_(std::move(keyRule)) {
    box->setAcceptDrops(false);
    box->installEventFilter(this);
}

int PasteAsTyping::typeIn(const QString& text) {
    QPointer<QLineEdit> box = box_;
    int typed = 0;
    for (const QChar ch : asciiReply(text)) {
        if (!box || box->isReadOnly() || box->window()->focusWidget() != box) break;
        const char16_t c = ch.unicode();
        if (c == u'\n' || c == u'\r') break;
        if (c < u' ' || c == 0x7f) continue; // tabs and other controls type nothing here
        if (!keyRule_(c) || !box) break;
        box->insert(QString(ch));
        ++typed;
    }
    return typed;
}

QMenu* PasteAsTyping::contextMenu() {
    QMenu* menu = box_->createStandardContextMenu();
    // The box names its Paste by its shortcut, after a tab, whatever the language.
    const QString paste =
        QLatin1Char('\t') + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction* a : menu->actions()) {
        if (!a->text().endsWith(paste)) continue;
        a->disconnect(box_); // its paste(), which would take the text as it stands
        connect(a, &QAction::triggered, this, [this] { typeIn(QApplication::clipboard()->text()); });
    }
    return menu;
}

bool PasteAsTyping::eventFilter(QObject* watched, QEvent* event) {
    if (watched != box_) return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
            typeIn(QApplication::clipboard()->text());
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) {
            if (QApplication::clipboard()->supportsSelection())
                typeIn(QApplication::clipboard()->text(QClipboard::Selection));
            return true;
        }
        break;
    case QEvent::InputMethod: {
        auto* im = static_cast<QInputMethodEvent*>(event);
        // Composition on the way is not shown; what the method commits is typed.
        if (!im->commitString().isEmpty()) typeIn(im->commitString());
        im->accept();
        return true;
    }
    case QEvent::ContextMenu: {
        const std::unique_ptr<QMenu> menu(contextMenu());
        menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

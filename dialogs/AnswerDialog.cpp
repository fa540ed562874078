#include "dialogs/AnswerDialog.h"

#include "dialogs/Answer.h"
#include "player/Form.h"
#include "player/PasteAsTyping.h"
#include "player/Prompts.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <charconv>
#include <cmath>
#include <string>

AnswerDialog::AnswerDialog(Form* owner, const QString& caption, int clientWidth, int clientHeight)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint),
      owner_(owner) {
    setWindowTitle(caption);
    setFixedSize(clientWidth, clientHeight);
}

Session* AnswerDialog::session() const {
    return owner_ ? &owner_->session : nullptr;
}

int AnswerDialog::showModal() {
    return runModal(*this, session());
}

void AnswerDialog::Unload() {
    if (Form_QueryUnload()) done(QDialog::Accepted);
}

void AnswerDialog::reject() {
    const Session* s = session();
    if ((s && s->cancelled) || Form_QueryUnload()) QDialog::reject();
}

int AnswerDialog::keyAscii(const QKeyEvent* e) {
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return -1;
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Escape: return 27;
    default: break;
    }
    const QString text = e->text();
    if (text.isEmpty()) return -1;
    const char16_t c = text.at(0).unicode();
    // Delete and the other control characters edit; they type nothing.
    if (c < u' ' || c == 0x7f) return -1;
    return c;
}

bool AnswerDialog::oneFieldKeyPasses(int keyAscii, char16_t lastKey) {
    if (lastKey == 0) return true;
    if (keyAscii == 13 || keyAscii == 8 || keyAscii == 9) return true;
    if (keyAscii >= u'1' && keyAscii <= lastKey) return true;
    Beep();
    return false;
}

bool AnswerDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* box = qobject_cast<QLineEdit*>(watched);
        const auto* press = static_cast<QKeyEvent*>(event);
        // Tab and Shift+Tab move the focus, from an empty box too, as in any dialog of the
        // desktop: the dialog takes them before any key filter of a box would.
        const bool tab = press->key() == Qt::Key_Tab || press->key() == Qt::Key_Backtab;
        const int key = keyAscii(press);
        if (box && key >= 0 && !tab) {
            // A key whose handler was abandoned (the lesson window closed) is discarded.
            bool pass = false;
            run([&] { pass = KeyPress(box, key); });
            if (!pass) return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

namespace {
QRect screenRect(const QWidget* w) {
    const QScreen* screen = w ? w->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}
} // namespace

int AnswerDialog::outerWidth() const {
    if (isVisible()) return frameGeometry().width();
    // Not framed yet: the owner's frame is the same kind of frame.
    const int frame = owner_ && owner_->isVisible() ? owner_->frameGeometry().width() - owner_->width() : 0;
    return width() + frame;
}

void AnswerDialog::placeCentred() {
    const QRect screen = screenRect(owner_);
    int left = screen.x() + (screen.width() - outerWidth()) / 2;
    if (owner_) {
        const QRect outer = owner_->frameGeometry();
        left = outer.x() + (outer.width() - outerWidth()) / 2;
    }
    move(left, screen.y() + twips(1000));
}

void AnswerDialog::placeOnScreen(int x, int y) {
    const QRect screen = screenRect(owner_);
    move(screen.x() + x, screen.y() + y);
}

QLineEdit* AnswerDialog::makeTextBox(QWidget* parent, int x, int y, int w, int h) {
    auto* box = new QLineEdit(parent);
    box->setFont(uiFont(12));
    box->setGeometry(x, y, w, h);
    // The answers are ASCII digits: an input method would deliver composed text past the
    // key filter, so the boxes take plain keys only.
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->installEventFilter(this);
    // Pasted text is typed in through the same key filter, never judged by other rules.
    new PasteAsTyping(box, [this, box](int key) {
        bool pass = false;
        run([&] { pass = KeyPress(box, key); });
        return pass;
    });
    return box;
}

QLabel* AnswerDialog::makeLabel(QWidget* parent, const QString& caption, int x, int y) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText); // the questions hold "<", ">" and "^" as they stand
    label->setFont(uiFont(12));
    label->setText(caption);
    label->move(x, y);
    label->adjustSize();
    return label;
}

double answerNumber(const QString& text) {
    // Collect the leading number without its blanks: sign, digits, one point, exponent.
    std::string s;
    bool point = false, exponent = false, digits = false;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r') continue;
        if (c >= u'0' && c <= u'9') {
            s += char(c);
            digits = digits || !exponent;
        } else if ((c == u'+' || c == u'-') && (s.empty() || (exponent && s.back() == 'e'))) {
            s += char(c);
        } else if (c == u'.' && !point && !exponent) {
            point = true;
            s += '.';
        } else if ((c == u'e' || c == u'E' || c == u'd' || c == u'D') && digits && !exponent) {
            exponent = true;
            s += 'e';
        } else {
            break;
        }
    }
    const char* begin = s.data();
    const char* end = begin + s.size();
    bool negative = false;
    if (begin != end && (*begin == '+' || *begin == '-')) negative = *begin++ == '-';
    double value = 0;
    const auto [rest, error] = std::from_chars(begin, end, value);
    (void)rest;
    if (error == std::errc::result_out_of_range) {
        // Beyond a double: a huge number is infinite, a tiny one nothing.
        const auto e = s.find('e');
        const bool negativeExponent = e != std::string::npos && e + 1 < s.size() && s[e + 1] == '-';
        const std::string whole = s.substr(0, std::min(s.find('.'), e));
        const bool wholeIsZero = whole.find_first_of("123456789") == std::string::npos;
        value = negativeExponent || wholeIsZero ? 0.0 : HUGE_VAL;
    } else if (error != std::errc()) {
        value = 0;
    }
    return negative ? -value : value;
}

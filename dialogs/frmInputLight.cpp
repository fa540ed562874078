#include "dialogs/frmInputLight.h"

#include "dialogs/Answer.h"
#include "player/Form.h"
#include "player/Prompts.h"
#include "player/globals.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>
#include <string_view>

namespace {

enum class Placement {
    Centred,   // centred over the lesson window, near the top of the screen
    RightHalf, // in the right half of the screen, clear of the spectrum being asked about
};

struct Question {
    int number;
    std::u16string_view text; // CRLF breaks the lines
    char16_t lastKey;         // txtInput takes "1" to lastKey; 0: a question of its own kind
    Placement placement;
};

// clang-format off
constexpr Question kQuestions[] = {
    // Refraction: which path light takes in a medium with n > 1.
    {1, u"屈折率n>1の媒質の中で光はどの光路をとるでしょうか (1/2/3)", u'3', Placement::Centred},
    // Reflection: which of the three paths light takes.
    {2, u"光は経路1,2,3のどれをとるでしょうか？ (1/2/3)", u'3', Placement::Centred},
    // Prism: is the upper side red or violet.
    {3, u"この図で上側は, 1：赤ですか, 2：紫ですか (1/2)", u'2', Placement::Centred},
    // Wave drawing: amplitude and frequency, in the two boxes of picInput.
    {4, u"振幅と周波数を入力して下さい\r\n振幅（5～50）\r\n周波数（5～20）", 0, Placement::Centred},
    // Spectrum: on which side red lies.
    {5, u"(1)右側が赤 (2)左側が赤  1か2で答えなさい", u'2', Placement::RightHalf},
    // Electromagnetic spectrum: the number of wavelength region 3.
    {6, u"波長領域③は何番ですか", u'7', Placement::RightHalf},
    // Electromagnetic spectrum: the number of wavelength region 5.
    {7, u"波長領域⑤は何番ですか", u'7', Placement::RightHalf},
    // Colour mixing: the first colour.
    {8, u"何色を表示しますか？上の数字で指定して下さい (1～7)", u'7', Placement::Centred},
    // Colour mixing: the colour mixed in.
    {9, u"これに何色を混合しますか？上の数字で指定して下さい (1～7)", u'7', Placement::Centred},
};
// clang-format on

const Question* questionFor(int number) {
    for (const Question& q : kQuestions)
        if (q.number == number) return &q;
    return nullptr;
}

QString shown(std::u16string_view text) {
    return QString::fromUtf16(text.data(), qsizetype(text.size()))
        .replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

constexpr int kAmplitudeMax = 50;
constexpr int kFrequencyMax = 20;

} // namespace

char16_t frmInputLight::lastKey(int question) {
    const Question* q = questionFor(question);
    return q ? q->lastKey : 0;
}

QString frmInputLight::questionText(int question) {
    const Question* q = questionFor(question);
    return q ? QString::fromUtf16(q->text.data(), qsizetype(q->text.size())) : QString();
}

QString frmInputLight::asked() const {
    return replyFields() == 2 ? lblMessage1->text() : lblMessage->text();
}

int frmInputLight::replyFields() const {
    return question_ == 4 && picInput->isVisible() ? 2 : 1;
}

QWidget* frmInputLight::replyBox(int i) const {
    if (replyFields() == 2) return i == 0 ? txtInput1 : i == 1 ? txtInput2 : nullptr;
    return i == 0 ? txtInput : nullptr;
}

QWidget* frmInputLight::okButton() const {
    return OKbutton;
}

frmInputLight::frmInputLight(Form* owner)
    : AnswerDialog(owner, QStringLiteral("光とは"), twips(7365), twips(2100)) {
    lblMessage = makeLabel(this, QString(), twips(360), twips(180));
    txtInput = makeTextBox(this, twips(5520), twips(660), twips(1455), twips(495));
    OKbutton = new QPushButton(QStringLiteral("OK"), this);
    OKbutton->setFont(uiFont(9));
    OKbutton->setGeometry(twips(5640), twips(1560), twips(1335), twips(375));
    OKbutton->setAutoDefault(true); // Enter on the focused button confirms

    // A borderless panel that covers the one-field controls for the two-number question.
    picInput = new QWidget(this);
    picInput->setGeometry(0, 0, twips(7335), twips(1335));
    picInput->setAutoFillBackground(true);
    lblMessage1 = makeLabel(picInput, QString(), twips(360), twips(240));
    Label1 = makeLabel(picInput, QStringLiteral("振幅 ："), twips(4440), twips(240));
    txtInput1 = makeTextBox(picInput, twips(5760), twips(120), twips(1455), twips(495));
    Label2 = makeLabel(picInput, QStringLiteral("周波数 ："), twips(4440), twips(840));
    txtInput2 = makeTextBox(picInput, twips(5760), twips(720), twips(1455), twips(495));

    setTabOrder(txtInput1, txtInput2);
    setTabOrder(txtInput2, OKbutton);
    setTabOrder(OKbutton, txtInput);

    connect(OKbutton, &QPushButton::clicked, this, [this] { run([this] { OKbutton_Click(); }); });
    connect(txtInput, &QLineEdit::textChanged, this, [this] { run([this] { txtInput_Change(); }); });
    connect(txtInput1, &QLineEdit::textChanged, this, [this] { run([this] { txtInput1_Change(); }); });
    connect(txtInput2, &QLineEdit::textChanged, this, [this] { run([this] { txtInput2_Change(); }); });

    Form_Load();
}

void frmInputLight::Form_Load() {
    question_ = gQuestion;
    const Question* q = questionFor(question_);

    if (q && q->placement == Placement::Centred) {
        placeCentred();
    } else if (q && q->placement == Placement::RightHalf) {
        const int half = owner() ? owner()->frameGeometry().width() / 2 : 0;
        placeOnScreen(half, int(220 * gScale));
    }
    // Any other number keeps the designed position.

    picInput->hide();
    if (question_ == 4) {
        lblMessage1->setText(shown(q->text));
        lblMessage1->adjustSize();
        picInput->show();
    } else if (q) {
        lblMessage->setText(shown(q->text));
        lblMessage->adjustSize();
    }
    OKbutton->setEnabled(false);
    gAnswers[0].clear();
    gAnswers[1].clear();
}

void frmInputLight::showEvent(QShowEvent* e) {
    // The first control in tab order that can take the focus.
    (picInput->isVisibleTo(this) ? txtInput1 : txtInput)->setFocus();
    AnswerDialog::showEvent(e);
}

bool frmInputLight::KeyPress(QLineEdit* box, int keyAscii) {
    if (box == txtInput) return txtInput_KeyPress(keyAscii);
    if (question_ == 4) return twoNumberKeyPress(box, keyAscii);
    return true;
}

bool frmInputLight::txtInput_KeyPress(int keyAscii) {
    const Question* q = questionFor(question_);
    return oneFieldKeyPasses(keyAscii, q ? q->lastKey : 0);
}

bool frmInputLight::twoNumberKeyPress(QLineEdit* box, int keyAscii) {
    const bool amplitude = box == txtInput1;
    if (box->text().isEmpty()) {
        // A number starts with 1 to 9; everything whose value is 0 is refused.
        if (keyAscii >= u'1' && keyAscii <= u'9') return true;
        Beep();
        return false;
    }
    if (keyAscii == 13) {
        if (amplitude)
            txtInput2->setFocus();
        else if (OKbutton->isEnabled())
            OKbutton->click();
        return false;
    }
    if (keyAscii == 8 || keyAscii == 9) return true;
    if (keyAscii < u'0' || keyAscii > u'9') {
        Beep();
        return false;
    }
    const int maximum = amplitude ? kAmplitudeMax : kFrequencyMax;
    if (answerNumber(box->text() + QChar(char16_t(keyAscii))) > maximum) {
        Beep();
        MsgBox(amplitude ? QStringLiteral("50以下の数字を入力してください。")
                         : QStringLiteral("20以下の数字を入力してください。"),
               MsgButtons::OK, MsgIcon::Critical, QStringLiteral("メッセージ"), session());
        return false;
    }
    return true;
}

void frmInputLight::txtInput_Change() {
    OKbutton->setEnabled(!txtInput->text().isEmpty());
    if (OKbutton->isEnabled()) OKbutton->setFocus();
}

void frmInputLight::txtInput1_Change() {
    OKbutton->setEnabled(!txtInput1->text().isEmpty() && !txtInput2->text().isEmpty());
    if (OKbutton->isEnabled()) OKbutton->setFocus();
}

void frmInputLight::txtInput2_Change() {
    OKbutton->setEnabled(!txtInput1->text().isEmpty() && !txtInput2->text().isEmpty());
}

void frmInputLight::OKbutton_Click() {
    if (question_ == 4) {
        // Whatever the boxes hold (pasted text too) is judged by its rounded value.
        const double amplitude = std::nearbyint(answerNumber(txtInput1->text()));
        const double frequency = std::nearbyint(answerNumber(txtInput2->text()));
        if (amplitude >= 5 && amplitude <= kAmplitudeMax && frequency >= 5 && frequency <= kFrequencyMax) {
            gAnswers[0] = txtInput1->text();
            gAnswers[1] = txtInput2->text();
            Unload();
        } else {
            MsgBox(QStringLiteral("入力値が範囲外です。入力し直して下さい。"), MsgButtons::OK,
                   MsgIcon::Critical, QString(), session());
            txtInput1->clear();
            txtInput2->clear();
            txtInput1->setFocus();
        }
        return;
    }
    if (questionFor(question_)) gAnswers[0] = txtInput->text();
    Unload();
}

bool frmInputLight::Form_QueryUnload() {
    if (question_ == 4) return !gAnswers[0].isEmpty() && !gAnswers[1].isEmpty();
    if (questionFor(question_)) return !gAnswers[0].isEmpty();
    return true;
}

#include "dialogs/frmInputMaterial.h"

#include "player/Form.h"
#include "player/globals.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <string_view>

namespace {

struct Question {
    int number;
    std::u16string_view text; // the question, an empty line, the options; CRLF breaks the lines
    char16_t lastKey;         // the box takes "1" to lastKey
};

// clang-format off
constexpr Question kQuestions[] = {
    // Measuring: which of the two cups (or rulers) to use.
    {1, u"どちらのはかりを使いますか (1/2)", u'2'},
    // Why there is no X-ray microscope.
    {2, u"X線顕微鏡が存在しない理由は (1/2)\r\n\r\n1)X線に対してレンズとなる物質が存在しない\r\n2)X線は回折などの干渉作用がない", u'2'},
    // The limit of the optical microscope.
    {3, u"光学顕微鏡で観測できるミクロの原理的限界は (1/2/3)\r\n\r\n1)０．数μｍ\r\n2)１０μｍ\r\n3)０．１ｍｍ", u'3'},
    // The mass of one mole of water.
    {4, u"水分子（分子量１８）１モルの質量は(1/2/3)\r\n\r\n1)１ｇ\r\n2)１８ｇ\r\n3)18/(6.02x10^23^)ｇ", u'3'},
    // The neutrons of carbon 12.
    {5, u"通常の炭素原子，^12^C，(質量数:12，原子番号:6)には，\r\nいくつの中性子があるか (1/2/3)\r\n\r\n1)６個\r\n2)１２個\r\n3)１８個", u'3'},
    // The mass of one carbon 12 atom.
    {6, u"通常の炭素原子，^12^C，(原子番号:6)の１個の質量は　(1/2/3/4)\r\n\r\n1)6g\r\n2)12g\r\n3)6/(6.02x10^23^)g\r\n4)12/(6.02x10^23^)g", u'4'},
    // Only the electrostatic force acts between nucleus and electrons: right or wrong.
    {7, u"「原子核と電子の間に働く力は静電気力だけであり，\r\n万有引力は働いていない」この記述は正しいか(1/2)\r\n\r\n1)正しい\r\n2)正しくない", u'2'},
    // The atomic number of hydrogen.
    {8, u"水素原子(陽子１個+電子１個)の原子番号は(1/2)\r\n\r\n1)１\r\n2)２", u'2'},
    // The atomic number of oxygen.
    {9, u"酸素原子((陽子８個+中性子８個)+電子８個)の原子番号は(1/2/3)\r\n\r\n1)８\r\n2)１６\r\n3)２４", u'3'},
    // The atomic weight of oxygen.
    {10, u"酸素原子((陽子８個+中性子８個)+電子８個)の原子量は(1/2/3)\r\n\r\n1)約８\r\n2)約１６\r\n3)約２４", u'3'},
    // The molecular weight of water.
    {11, u"水分子（Ｈ₂Ｏ）の分子量はいくらか(1/2/3)\r\n\r\n1)約３\r\n2)約１０\r\n3)約１８", u'3'},
};
// clang-format on

const Question* questionFor(int number) {
    for (const Question& q : kQuestions)
        if (q.number == number) return &q;
    return nullptr;
}

} // namespace

char16_t frmInputMaterial::lastKey(int question) {
    const Question* q = questionFor(question);
    return q ? q->lastKey : 0;
}

QString frmInputMaterial::questionText(int question) {
    const Question* q = questionFor(question);
    return q ? QString::fromUtf16(q->text.data(), qsizetype(q->text.size())) : QString();
}

QString frmInputMaterial::asked() const {
    return lblMessage->text();
}

QWidget* frmInputMaterial::replyBox(int i) const {
    return i == 0 ? txtInput : nullptr;
}

QWidget* frmInputMaterial::okButton() const {
    return OKbutton;
}

frmInputMaterial::frmInputMaterial(Form* owner)
    : AnswerDialog(owner, QStringLiteral("物質とは"), twips(9000), twips(2100)) {
    lblMessage = makeLabel(this, QString(), twips(240), twips(240));
    txtInput = makeTextBox(this, twips(7440), twips(240), twips(1455), twips(495));
    OKbutton = new QPushButton(QStringLiteral("OK"), this);
    OKbutton->setFont(uiFont(9));
    OKbutton->setGeometry(twips(7560), twips(1440), twips(1335), twips(375));
    OKbutton->setAutoDefault(true); // Enter on the focused button confirms

    connect(OKbutton, &QPushButton::clicked, this, [this] { run([this] { OKbutton_Click(); }); });
    connect(txtInput, &QLineEdit::textChanged, this, [this] { run([this] { txtInput_Change(); }); });

    Form_Load();
}

void frmInputMaterial::Form_Load() {
    question_ = gQuestion;
    placeCentred();
    lblMessage->setText(questionText(question_).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    lblMessage->adjustSize();
    OKbutton->setEnabled(false);
    gAnswers[0].clear();
    gAnswers[1].clear();
    setTabOrder(txtInput, OKbutton); // the box comes first, so it has the focus
}

void frmInputMaterial::showEvent(QShowEvent* e) {
    txtInput->setFocus();
    AnswerDialog::showEvent(e);
}

bool frmInputMaterial::KeyPress(QLineEdit*, int keyAscii) {
    const Question* q = questionFor(question_);
    return oneFieldKeyPasses(keyAscii, q ? q->lastKey : 0);
}

void frmInputMaterial::txtInput_Change() {
    OKbutton->setEnabled(!txtInput->text().isEmpty());
    if (OKbutton->isEnabled()) OKbutton->setFocus();
}

void frmInputMaterial::OKbutton_Click() {
    gAnswers[0] = txtInput->text();
    Unload();
}

bool frmInputMaterial::Form_QueryUnload() {
    return !gAnswers[0].isEmpty();
}

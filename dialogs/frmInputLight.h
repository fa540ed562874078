#pragma once
// The answer dialog of the light course. gQuestion selects the question: most take one
// digit in txtInput; question 4 takes an amplitude and a frequency in the two boxes of
// picInput, which then covers the one-field controls.

#include "dialogs/AnswerDialog.h"

class QWidget;

class frmInputLight : public AnswerDialog {
    Q_OBJECT
public:
    // Loads the dialog for the current gQuestion; owner is the light lesson window.
    explicit frmInputLight(Form* owner = nullptr);

    QLabel* lblMessage = nullptr;
    QLineEdit* txtInput = nullptr;
    QPushButton* OKbutton = nullptr;
    QWidget* picInput = nullptr;
    QLabel* lblMessage1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtInput1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtInput2 = nullptr;

    // The question text of a light question, with its CRLF line breaks; empty for a
    // number that has none.
    static QString questionText(int question);
    // The last key the answer box takes ("1" up to it); 0 for a question of its own kind
    // or a number that has none.
    static char16_t lastKey(int question);

    int question() const override { return question_; }
    QString asked() const override;
    // The two-number question fills the two boxes of picInput; every other one txtInput.
    int replyFields() const override;

    void OKbutton_Click();
    void txtInput_Change();
    void txtInput1_Change();
    void txtInput2_Change();

protected:
    void Form_Load();
    bool Form_QueryUnload() override;
    bool KeyPress(QLineEdit* box, int keyAscii) override;
    void showEvent(QShowEvent* e) override;
    QWidget* replyBox(int i) const override;
    QWidget* okButton() const override;

private:
    bool txtInput_KeyPress(int keyAscii);
    // The two-number boxes: amplitude up to 50, frequency up to 20.
    bool twoNumberKeyPress(QLineEdit* box, int keyAscii);
    int question_ = 0;
};

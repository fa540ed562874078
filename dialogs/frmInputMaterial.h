#pragma once
// The answer dialog of the matter course: a question of up to six lines with its numbered
// options, and one box for the number of the chosen option.

#include "dialogs/AnswerDialog.h"

class frmInputMaterial : public AnswerDialog {
    Q_OBJECT
public:
    // Loads the dialog for the current gQuestion; owner is the matter lesson window.
    explicit frmInputMaterial(Form* owner = nullptr);

    QLabel* lblMessage = nullptr;
    QLineEdit* txtInput = nullptr;
    QPushButton* OKbutton = nullptr;

    // The question text of a matter question, with its CRLF line breaks; empty for a
    // number that has none.
    static QString questionText(int question);
    // The last key the answer box takes ("1" up to it); 0 for a question of its own kind
    // or a number that has none.
    static char16_t lastKey(int question);

    int question() const override { return question_; }
    QString asked() const override;
    int replyFields() const override { return 1; }

    void OKbutton_Click();
    void txtInput_Change();

protected:
    void Form_Load();
    bool Form_QueryUnload() override;
    bool KeyPress(QLineEdit* box, int keyAscii) override;
    void showEvent(QShowEvent* e) override;
    QWidget* replyBox(int i) const override;
    QWidget* okButton() const override;

private:
    int question_ = 0;
};

#pragma once
// The lesson window of the matter course.

#include "lesson/LessonWindow.h"

#include <QList>

class frmMaterial : public LessonWindow {
    Q_OBJECT
public:
    frmMaterial();

    QLabel* Label0 = nullptr; // the menu heading
    PictureBox* Picture2 = nullptr;
    QList<QLabel*> Label1; // a label array; element 0 exists from load
    QLabel* Label2 = nullptr;

    const course::Course& courseDecl() const override;
    // Shows or hides the four navigation buttons together.
    void CommandButton_Visible(bool flag);

    // ---- lesson procedures, declared under matter/ and played by the window ----
    void Class();
    void Gensi();
    void Cloud();

protected:
    void Form_Load() override;
    QString titlePicture() const override { return QStringLiteral("Material\\star_title0.jpg"); }
    void menuAction(int index) override;
    bool backClearsCanvas() const override { return false; }
    void titleWait() override { WaitSeconds(1.5); }
};

#pragma once
// The lesson window of the light course.

#include "lesson/LessonWindow.h"

class frmLight : public LessonWindow {
    Q_OBJECT
public:
    frmLight();

    QLabel* Label1 = nullptr; // the menu heading
    QLabel* lblText1 = nullptr;
    QLabel* lblText2 = nullptr;
    QLabel* lblText3 = nullptr;

    void GetMenu() override;
    const course::Course& courseDecl() const override;

    // ---- lesson procedures, declared under light/ and played by the window ----
    void Intro();
    void Kika();
    void Wave();
    void Quantum();
    void Iro();

protected:
    void Form_Load() override;
    void Form_Activate() override {
        if (Picture1) Picture1->hide();
    }
    QString titlePicture() const override { return QStringLiteral("Light\\サイエンス - 壁紙.jpg"); }
    void menuAction(int index) override;
    bool backClearsCanvas() const override { return true; }
    void onShowMenu() override { Picture1->hide(); }
    void titleWait() override { Pause(1500); }
};

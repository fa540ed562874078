#pragma once
// The start window: an opening animation of coloured rings and the course title, then a
// sky picture with the two course buttons and the exit button. It stays loaded, hidden,
// while a course is open, because its sound player plays every sound of the application.

#include "player/Form.h"
#include "player/Sound.h"

class QPushButton;

class frmStart : public CanvasForm {
    Q_OBJECT
public:
    frmStart();

    QPushButton* cmdItem[3] = {}; // 1 and 2
    QPushButton* cmdExit = nullptr;
    PictureControl* Image1 = nullptr;
    MMControl& MMControl1;

    void start();
    void cmdItem_Click(int index);
    void cmdExit_Click();

protected:
    void Form_Load() override;

private:
    bool exiting_ = false; // the farewell has begun: the buttons do nothing any more

    // The wait of this window: elapsed seconds on the seconds clock, events processed.
    void Wait(double seconds);
};

// The 256 x 256 blue sky with white clouds, drawn once by the program itself.
QImage skyPicture();

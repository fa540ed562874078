#pragma once
// The viewers' own controls and pacing, for the tests that check them one by one (key
// rules, pacing modes, cells and notes). The learner driver never needs these: it goes
// through the viewers' public methods.

#include "cloud/cloudfrm.h"
#include "periodic/Form1.h"

// The electron-cloud viewer's controls and script state, live.
struct CloudInside {
    explicit CloudInside(cloudfrm& v)
        : Picture1(v.Picture1), Label1(v.Label1), Label3(v.Label3), Label5(v.Label5), Text1(v.Text1),
          InputLabel(v.InputLabel), InputText(v.InputText), cmdOK(v.cmdOK), cmdCancel(v.cmdCancel),
          cmdExit(v.cmdExit), Timer1(v.Timer1), ECloudpara(v.ECloudpara), lbldisp(v.lbldisp),
          CalcNum(v.CalcNum), mTimerMode(v.mTimerMode) {}
    PictureBox* Picture1;
    QLabel* Label1;
    QLabel* Label3;
    QLabel* Label5;
    QPlainTextEdit* Text1;
    QLabel* InputLabel;
    QLineEdit* InputText;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdExit;
    Pacer* Timer1;
    const std::int16_t& ECloudpara;
    const bool& lbldisp;
    const std::int16_t& CalcNum;
    const std::int16_t& mTimerMode;
};

// The periodic table's drawing area, its button, its cells and notes, live.
struct PeriodicInside {
    explicit PeriodicInside(Form1& t)
        : Picture1(t.Picture1), cmdNext(t.cmdNext), Label1(t.Label1), Label2(t.Label2), Label3(t.Label3),
          Label4(t.Label4) {}
    PictureBox* Picture1;
    QPushButton* cmdNext;
    const std::array<QLabel*, 91>& Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
};

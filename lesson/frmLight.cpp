#include "lesson/frmLight.h"

#include "lesson/Course.h"
#include "player/Pictures.h"
#include "player/globals.h"

frmLight::frmLight() {
    setWindowTitle(QString::fromUtf8(course::light().caption));
    setBackColor(QBColor(15));
    ForeColor = QBColor(0);
    FontSize = 14.25;
}

void frmLight::Form_Load() {
    LessonWindow::Form_Load();
    for (QPushButton* b : {cmdNext, cmdReturn1, cmdReturn, cmdExit})
        b->setFont(uiFont(9));
    cmdNext->resize(93, 21);
    cmdReturn1->resize(89, 21);
    cmdReturn->resize(93, 21);
    cmdExit->resize(133, 21);
    setLabelColors(lblItemName, QBColor(0), QBColor(15), false);

    Picture1->setGeometry(136, 352, 177, 97);
    Picture1->setBackColor(QBColor(0));
    Image2->setGeometry(80, 304, 29, 29);
    lblText1 = makeLabel(this, QString(), 184, 280, uiFont(14.25));
    lblText2 = makeLabel(this, QString(), 216, 280, uiFont(14.25));
    lblText3 = makeLabel(this, QString(), 260, 280, uiFont(14.25));
    setLabelColors(lblText1, QBColor(15), QBColor(15), false);
    for (QLabel* l : {lblText2, lblText3})
        setLabelColors(l, QBColor(0), QBColor(15), false);

    makeMenu(QColor(255, 224, 192), QColor(255, 160, 96));
    Label1 = makeLabel(picMenu, QStringLiteral("光 とは何だろう"), 160, 8, uiFont(25.5));
    setLabelColors(Label1, qRgb(192, 0, 192), qRgb(255, 224, 192), false);
    menuHeading = Label1;
    restack();

    // The load sequence proper.
    CommandButton_Enabled(false);
    setFixedClientSize(int(640 * gScale), int(400 * gScale));
    centre();
    show();
    Picture1->hide();
    placeMenuRows(300);
    picMenu->show();
    placeNavigationRow();
    placeItemName();
    placeTitlePicture();
    Image1->hide();
    for (QLabel* l : {lblText1, lblText2, lblText3})
        l->hide();
    gStep = 0;
    cmdMenu[1]->setFocus(); // Enter starts the course, it does not leave it
}

void frmLight::menuAction(int index) {
    const course::MenuItem& item = courseDecl().item(index);
    if (item.setsExitCaption) cmdExit->setText(kItemMenu);
    Tag = QString::fromUtf8(item.tag);
    const lesson::Procedure* proc = item.procedure;
    if (!proc) return;
    if (item.action == course::MenuAction::TitleCard)
        playTitleCard(*proc);
    else
        play(*proc);
}

void frmLight::GetMenu() {
    Picture1->hide();
    LessonWindow::GetMenu();
}

const course::Course& frmLight::courseDecl() const {
    return course::light();
}

// The lesson procedures by their names: the one the whole course starts with, and those
// GetMenu dispatches menu items 2 to 5 to.
void frmLight::Intro() {
    play(*courseDecl().item(1).procedure);
}
void frmLight::Kika() {
    play(*courseDecl().dispatch[0]);
}
void frmLight::Wave() {
    play(*courseDecl().dispatch[1]);
}
void frmLight::Quantum() {
    play(*courseDecl().dispatch[2]);
}
void frmLight::Iro() {
    play(*courseDecl().dispatch[3]);
}

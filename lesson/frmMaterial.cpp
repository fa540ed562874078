#include "lesson/frmMaterial.h"

#include "lesson/Course.h"
#include "player/globals.h"

frmMaterial::frmMaterial() {
    setWindowTitle(QString::fromUtf8(course::matter().caption));
    setBackColor(qRgb(240, 240, 240)); // the button face, until a lesson sets a colour
}

void frmMaterial::Form_Load() {
    LessonWindow::Form_Load();
    for (QPushButton* b : {cmdNext, cmdReturn1, cmdReturn, cmdExit})
        b->setFont(uiFont(9));
    setLabelColors(lblItemName, QBColor(15), QBColor(0), true);

    Picture1->setGeometry(408, 88, 225, 121);
    Picture2 = new PictureBox(this);
    Picture2->setGeometry(472, 168, 225, 121);
    Picture2->hide(); // a spare canvas: lessons show it when they fill it
    Image2->setGeometry(208, 280, 41, 37);
    Label1.append(makeLabel(this, QString(), 512, 64, uiFont(9)));
    Label2 = makeLabel(this, QStringLiteral("Label2"), 520, 136, uiFont(9));
    Label2->resize(57, 33);

    makeMenu(QColor(255, 255, 192), QColor(128, 200, 255));
    Label0 = makeLabel(picMenu, QStringLiteral("原子・分子の世界―入門編"), 224, 8, uiFont(14.25, true));
    menuHeading = Label0;
    restack();

    // The load sequence proper.
    setFixedClientSize(int(640 * gScale), int(400 * gScale));
    centre();
    placeMenuRows(800);
    placeNavigationRow();
    placeItemName();
    placeTitlePicture();
    picMenu->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{cmdNext, cmdReturn1, cmdReturn, cmdExit, lblItemName,
                                                      Label1[0], Label2})
        w->hide();
    show();
    gStep = 0;
    picMenu->show();
    for (QPushButton* b : {cmdNext, cmdReturn1, cmdReturn, cmdExit})
        b->show();
    cmdMenu[1]->setFocus(); // Enter starts the course, it does not leave it
}

void frmMaterial::CommandButton_Visible(bool flag) {
    for (QPushButton* b : {cmdNext, cmdReturn, cmdReturn1, cmdExit})
        b->setVisible(flag);
}

void frmMaterial::menuAction(int index) {
    Picture1->hide();
    const course::MenuItem& item = courseDecl().item(index);
    Tag = QString::fromUtf8(item.tag);
    if (item.setsExitCaption) cmdExit->setText(kItemMenu);
    if (item.action == course::MenuAction::Viewer) {
        handOverToViewer();
        if (item.viewer) item.viewer(*this);
        return;
    }
    if (item.procedure) play(*item.procedure);
}

const course::Course& frmMaterial::courseDecl() const {
    return course::matter();
}

// The lesson procedures by their names, as GetMenu dispatches menu items 2 to 4 to them.
void frmMaterial::Class() {
    play(*courseDecl().dispatch[0]);
}
void frmMaterial::Gensi() {
    play(*courseDecl().dispatch[1]);
}
void frmMaterial::Cloud() {
    play(*courseDecl().dispatch[2]);
}

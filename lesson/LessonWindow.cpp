#include "lesson/LessonWindow.h"

#include "lesson/Course.h"
#include "lesson/Jump.h"
#include "lesson/Page.h"
#include "player/Pictures.h"
#include "player/Sound.h"
#include "player/globals.h"

#include <QKeyEvent>
#include <algorithm>
#include <cmath>
#include <utility>

void setLabelColors(QLabel* label, QRgb text, QRgb back, bool opaque) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, QColor::fromRgb(text));
    pal.setColor(QPalette::Window, QColor::fromRgb(back));
    label->setPalette(pal);
    label->setAutoFillBackground(opaque);
}

LessonWindow::LessonWindow(QWidget* parent) : CanvasForm(parent) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}

QPushButton* LessonWindow::makeButton(QWidget* parent, const QString& caption, int w, int h) {
    auto* b = new QPushButton(caption, parent);
    b->resize(w, h);
    b->setAutoDefault(true); // Enter on a focused button presses it
    return b;
}

QLabel* LessonWindow::makeLabel(QWidget* parent, const QString& caption, int x, int y, const QFont& font) {
    auto* l = new QLabel(caption, parent);
    l->setFont(font);
    l->move(x, y);
    l->adjustSize();
    return l;
}

void LessonWindow::makeMenu(const QColor& panel, const QColor& buttonFace) {
    picMenu = new QWidget(this);
    picMenu->setAutoFillBackground(true);
    QPalette pal = picMenu->palette();
    pal.setColor(QPalette::Window, panel);
    picMenu->setPalette(pal);
    for (int i = 1; i <= 5; ++i) {
        cmdMenu[i] = makeButton(picMenu, QString(), scaledTwips(390), scaledTwips(390));
        cmdMenu[i]->setFont(uiFont(12, true));
        QPalette bp = cmdMenu[i]->palette();
        bp.setColor(QPalette::Button, buttonFace);
        cmdMenu[i]->setPalette(bp);
        lblMenu[i] =
            makeLabel(picMenu, QString::fromUtf8(courseDecl().item(i).label), 0, 0, uiFont(15.75, true));
        connect(cmdMenu[i], &QPushButton::clicked, this,
                [this, i] { learnerRun([this, i] { cmdMenu_Click(i); }); });
    }
}

void LessonWindow::Form_Load() {
    cmdNext = makeButton(this, QStringLiteral("次へ"), 77, 21);
    cmdReturn1 = makeButton(this, QStringLiteral("1つ前に戻る"), 89, 21);
    cmdReturn = makeButton(this, QStringLiteral("戻る"), 77, 21);
    cmdExit = makeButton(this, kMainMenu, 117, 21);
    connect(cmdNext, &QPushButton::clicked, this, [this] { learnerRun([this] { cmdNext_Click(); }); });
    connect(cmdReturn1, &QPushButton::clicked, this, [this] { learnerRun([this] { cmdReturn1_Click(); }); });
    connect(cmdReturn, &QPushButton::clicked, this, [this] { learnerRun([this] { cmdReturn_Click(); }); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { learnerRun([this] { cmdExit_Click(); }); });
    for (QPushButton* b : {cmdNext, cmdReturn1, cmdReturn, cmdExit})
        b->installEventFilter(this);
    lblItemName = new QLabel(QStringLiteral("導　入"), this);
    lblItemName->setAlignment(Qt::AlignCenter);
    lblItemName->setFont(uiFont(36, true));
    lblItemName->hide();
    Image1 = new PictureControl(this);
    Image2 = new PictureControl(this);
    Picture1 = new PictureBox(this);
}

void LessonWindow::placeMenuRows(int firstTopTwips) {
    const double g = gScale;
    picMenu->move(0, 0);
    picMenu->resize(std::max(width(), outerSize().width()), std::max(height(), outerSize().height()));
    for (int i = 1; i <= 5; ++i) {
        const double left = 300 * g, top = firstTopTwips * g + 500 * i * g;
        cmdMenu[i]->move(scaledTwips(left), scaledTwips(top));
        lblMenu[i]->move(scaledTwips(left + 390 + 300), scaledTwips(top + 10 * g));
    }
}

void LessonWindow::placeNavigationRow() {
    const double g = gScale;
    const QSize outer = outerSize();
    const int gap = int(std::lround(10 * g));
    cmdNext->move(outer.width() - cmdNext->width() - gap,
                  outer.height() - cmdNext->height() - int(std::lround(20 * g)));
    const int top = cmdNext->y();
    cmdReturn1->move(cmdNext->x() - cmdReturn1->width() - gap, top);
    cmdReturn->move(cmdReturn1->x() - cmdReturn->width() - gap, top);
    cmdExit->move(cmdReturn->x() - cmdExit->width() - gap, top);
    for (QPushButton* b : {cmdNext, cmdReturn1, cmdReturn, cmdExit})
        b->setVisible(true);
    cmdNext->setEnabled(false);
    cmdReturn1->setEnabled(false);
    cmdReturn->setEnabled(false);
    cmdExit->setEnabled(true);
}

void LessonWindow::placeItemName() {
    lblItemName->setGeometry(int(160 * gScale), int(100 * gScale), int(320 * gScale), 49);
    lblItemName->hide();
}

void LessonWindow::placeTitlePicture() {
    Image1->move(0, 0);
    Image1->resize(outerSize());
    Image1->Stretch = true;
    LoadPicture(*Image1, titlePicture());
}

void LessonWindow::restack() {
    // The navigation row stays above the menu panel: at the menu its exit button leads
    // back to the start window.
    for (auto* w : findChildren<PictureBox*>(Qt::FindDirectChildrenOnly))
        w->raise();
    picMenu->raise();
    for (auto* w : findChildren<QPushButton*>(Qt::FindDirectChildrenOnly))
        w->raise();
}

void LessonWindow::CommandButton_Enabled(bool flag) {
    for (QPushButton* b : {cmdNext, cmdReturn, cmdReturn1, cmdExit})
        b->setEnabled(flag);
}

void LessonWindow::GetMenu() {
    if (const lesson::Procedure* p = courseDecl().dispatchFor(gMenuItem, Tag)) play(*p);
}

void LessonWindow::play(const lesson::Procedure& proc) {
    Page page(*this, &proc);
    current_ = &proc;
    StepBegin();
    if (proc.onEntry) proc.onEntry(page);
    if (gSection == 0) {
        if (proc.beforeTitle) proc.beforeTitle(page);
        GetItemTitle(QString::fromUtf8(proc.title));
        if (proc.afterTitle) proc.afterTitle(page);
    } else if (const lesson::Section* s = proc.section(gSection)) {
        // A step the table has no row for draws nothing.
        if (gStep >= 0 && gStep < int(s->steps.size())) {
            s->steps[std::size_t(gStep)].draw(page);
            carryOut(page);
        } else if (gStep == s->closingStep() && s == proc.lastSection())
            endItem(proc, page);
        else if (gStep == s->closingStep())
            closeSection(proc, *s, page);
    }
    const bool atFinalStep = gSection == proc.finalSection() && gStep == proc.finalStep();
    switch (proc.endOfCall) {
    case lesson::EndOfCall::FinalStepRule: StepEnd(proc.finalSection(), proc.finalStep()); break;
    case lesson::EndOfCall::FinalStepRuleKeepFocus:
        if (atFinalStep)
            StepEnd(proc.finalSection(), proc.finalStep());
        else
            CommandButton_Enabled(true);
        break;
    case lesson::EndOfCall::EnableAll: CommandButton_Enabled(true); break;
    }
    if (proc.onExit) proc.onExit(page);
}

void LessonWindow::carryOut(Page& page) {
    if (!page.goTo_) return;
    // The step arrives as the button would have brought the learner there: Next from the
    // step before, Back one from the step after.
    if (page.goTo_->how == Arrive::ByNext) {
        gStep = std::int16_t(page.goTo_->step - 1);
        cmdNext_Click();
    } else {
        gStep = std::int16_t(page.goTo_->step + 1);
        cmdReturn1_Click();
    }
}

void LessonWindow::handOverToViewer() {
    hide();
    picMenu->show();
    cmdNext->setEnabled(false);
    cmdReturn->setEnabled(false);
}

void LessonWindow::playTitleCard(const lesson::Procedure& proc) {
    current_ = &proc;
    GetItemTitle(QString::fromUtf8(proc.title));
}

void LessonWindow::closeSection(const lesson::Procedure& proc, const lesson::Section& section, Page& page) {
    if (proc.beforeClosing) proc.beforeClosing(page);
    if (section.beforeClosing) section.beforeClosing(page);
    Cls();
    gStep = -1;
    gSection = std::int16_t(gSection + 1);
    cmdNext_Click();
    if (proc.focusAfterClosing && isVisible()) cmdNext->setFocus();
}

void LessonWindow::endItem(const lesson::Procedure& proc, Page& page) {
    const lesson::ItemEnd& end = proc.end;
    if (end.clears) Cls();
    if (end.before) end.before(page);
    const lesson::Procedure* next = end.next;
    if (gMenuItem == 1 && end.chainTag && next) {
        // The whole course: the next item follows, with the caption the lesson writes.
        Tag = QString::fromUtf8(end.chainTag);
        SetCaption(QString::fromUtf8(end.separator));
        gSection = std::int16_t(end.nextSection);
        gStep = 0;
        if (end.beforeChain) end.beforeChain(page);
        play(*next);
    } else if (end.menuPanelOnly) {
        picMenu->show();
        focusMenuButton(gMenuItem + 1);
    } else {
        ItemTerminate();
    }
}

void LessonWindow::StepEnd(int finalSection, int finalStep) {
    if (gSection == finalSection && gStep == finalStep) {
        cmdExit->setEnabled(true);
        cmdNext->setEnabled(false);
        cmdReturn->setEnabled(false);
        cmdReturn1->setEnabled(false);
        return;
    }
    CommandButton_Enabled(true);
    if (isVisible()) cmdNext->setFocus();
}

void LessonWindow::SetCaption(const QString& separator) {
    setWindowTitle(gCourseName + separator + Tag);
}

void LessonWindow::cmdMenu_Click(int index) {
    gMenuItem = std::int16_t(index);
    picMenu->hide();
    gSection = 0;
    gStep = 0;
    cmdNext->setEnabled(true);
    cmdNext->setFocus();
    cmdReturn1->setEnabled(true);
    cmdReturn->setEnabled(true);
    menuAction(index);
    SetCaption();
}

void LessonWindow::cmdNext_Click() {
    gStep = std::int16_t(gStep + 1);
    GetMenu();
}

void LessonWindow::cleanWindow() {
    // Pictures and labels go, the menu labels stay. The menu heading is a label too and
    // stays hidden until the window is loaded again.
    for (auto* p : findChildren<PictureControl*>())
        p->hide();
    for (auto* l : findChildren<QLabel*>())
        l->hide();
    for (int i = 1; i <= 5; ++i)
        lblMenu[i]->show();
}

void LessonWindow::cmdReturn_Click() {
    cleanWindow();
    if (backClearsCanvas()) {
        AutoRedraw = true;
        Cls();
    }
    if (gStep != 0) {
        gStep = 0;
        GetMenu();
    } else {
        toSectionBefore();
    }
}

void LessonWindow::cmdReturn1_Click() {
    cleanWindow();
    AutoRedraw = true;
    Cls();
    if (gStep != 0) {
        gStep = std::int16_t(gStep - 1);
        GetMenu();
    } else {
        toSectionBefore();
    }
}

// Both Back buttons at a section's start: the section before, or out of the course from
// the first one.
void LessonWindow::toSectionBefore() {
    if (gSection < 1) {
        cmdExit_Click();
    } else {
        gSection = std::int16_t(gSection - 1);
        GetMenu();
    }
}

void LessonWindow::cmdExit_Click() {
    if (cmdExit->text() != kMainMenu) {
        picMenu->show();
        cmdExit->setText(kMainMenu);
        cmdNext->setEnabled(false);
        cmdReturn1->setEnabled(false);
        cmdReturn->setEnabled(false);
        onShowMenu();
        focusMenuButton(gMenuItem); // the item left can be taken up again at once
    } else {
        Unload();
    }
}

void LessonWindow::GetItemTitle(const QString& itemName) {
    // The light course's first item reaches the card straight from the menu, with Next
    // already enabled: a click during the card would start a second card inside this one.
    CommandButton_Enabled(false);
    Image1->move(0, 0);
    Image1->resize(outerSize());
    Image1->Stretch = true;
    LoadPicture(*Image1, titlePicture());
    Image1->show();
    lblItemName->setText(itemName);
    // A long name at the smallest scale is wider than the label: shrink the type rather
    // than cut the name off at both ends.
    QFont font = uiFont(36, true);
    while (font.pixelSize() > 12 && QFontMetrics(font).horizontalAdvance(itemName) > lblItemName->width())
        font.setPixelSize(font.pixelSize() - 2);
    lblItemName->setFont(font);
    lblItemName->raise(); // a label above the picture it names
    lblItemName->show();
    titleWait();
    lblItemName->hide();
    Image1->setPicture(QImage());
    Image1->Stretch = false;
    Image1->hide();
    CommandButton_Enabled(true);
    Cls();
    gStep = -1;
    const int jumpTo = std::exchange(titleCardEnters, 0);
    gSection = std::int16_t(jumpTo > 0 ? jumpTo : gSection + 1);
    cmdNext_Click();
}

void LessonWindow::ItemTerminate() {
    cmdExit->setText(kMainMenu);
    picMenu->show();
    onShowMenu();
    focusMenuButton(gMenuItem + 1); // Enter leads on to the next item, never out
}

void LessonWindow::focusMenuButton(int index) {
    cmdMenu[std::clamp(index, 1, 5)]->setFocus();
}

void LessonWindow::showEvent(QShowEvent* e) {
    // Shown again after a viewer: the focus goes to the next item's button, not to
    // whatever navigation button was left enabled.
    if (shownBefore_ && picMenu && picMenu->isVisibleTo(this)) focusMenuButton(gMenuItem + 1);
    shownBefore_ = true;
    CanvasForm::showEvent(e);
}

bool LessonWindow::Form_QueryUnload() {
    // The close box ends a running item first, as the exit button would.
    if (cmdExit && cmdExit->text() != kMainMenu) cmdExit_Click();
    return true;
}

void LessonWindow::Form_Unload() {
    homeForm().Show();
}

void LessonWindow::keyPressEvent(QKeyEvent* e) {
    if (jump::isJumpKey(e)) {
        jump::offer(*this);
        return;
    }
    if (navigationKey(e->key())) return;
    CanvasForm::keyPressEvent(e);
}

bool LessonWindow::navigationKey(int key) {
    // Next is the window's default button: Enter presses it while it is enabled. A
    // presentation remote sends Page Down (or the right arrow) for the next slide and
    // Page Up for the previous one: the same click as the button, so the same gate.
    QPushButton* button = nullptr;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_PageDown:
    case Qt::Key_Right: button = cmdNext; break;
    case Qt::Key_PageUp: button = cmdReturn1; break;
    default: return false;
    }
    if (!button || !button->isEnabled() || !button->isVisible()) return false;
    button->click();
    return true;
}

bool LessonWindow::eventFilter(QObject* watched, QEvent* e) {
    // A focused push button takes the arrow keys to move the focus on; in this window the
    // right arrow means Next while Next can be pressed.
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Right &&
        navigationKey(Qt::Key_Right))
        return true;
    return CanvasForm::eventFilter(watched, e);
}

// ---- services ----

void LessonWindow::Pause(double d) {
    waits::pause(session, d);
}
void LessonWindow::Pause(double d, double n) {
    waits::sleepPause(session, d, n);
}
void LessonWindow::WaitSeconds(double seconds) {
    waits::seconds(session, seconds);
}
void LessonWindow::WaitTick() {
    waits::tick(session);
}
void LessonWindow::Busy(long count) {
    waits::busy(count);
}
void LessonWindow::PlaySound(const QString& relative) {
    ::PlaySound(relative);
}

void LessonWindow::lbldisp(QLabel* label, double x, double y, int colour, const QString& text) {
    label->move(int(x), int(y));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, QColor::fromRgb(QBColor(colour)));
    pal.setColor(QPalette::Window, QColor::fromRgb(backColor()));
    label->setPalette(pal);
    label->setText(text);
    label->adjustSize();
    label->show();
    recordText(text);
}

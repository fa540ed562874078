#pragma once
// What the two lesson windows share: the canvas, the item menu, the navigation row, the
// title card and the contract every lesson procedure follows. Each window adds its own
// controls, its menu table and its lessons.

#include "lesson/Lesson.h"
#include "player/Form.h"

#include <QLabel>
#include <QPushButton>
#include <cstdint>

namespace course {
struct Course;
}
class Page;

class LessonWindow : public CanvasForm {
    Q_OBJECT
public:
    explicit LessonWindow(QWidget* parent = nullptr);

    // ---- controls ----
    QWidget* picMenu = nullptr;
    QLabel* menuHeading = nullptr; // the heading label of the menu panel
    QPushButton* cmdMenu[6] = {};  // 1..5
    QLabel* lblMenu[6] = {};       // 1..5
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdReturn1 = nullptr;
    QPushButton* cmdReturn = nullptr;
    QPushButton* cmdExit = nullptr;
    QLabel* lblItemName = nullptr;
    PictureControl* Image1 = nullptr;
    PictureControl* Image2 = nullptr;
    PictureBox* Picture1 = nullptr;

    QString Tag; // the running item
    // The section the next title card enters, when not the first (a teacher's jump); 0:
    // the first, as always.
    int titleCardEnters = 0;
    std::int16_t LastStep = 0; // the step at which a lesson last drew a picture later steps reuse

    static inline const QString kMainMenu = QStringLiteral("メインメニューに戻る");
    static inline const QString kItemMenu = QStringLiteral("メニューに戻る");

    // ---- navigation ----
    void cmdMenu_Click(int index);
    void cmdNext_Click();
    void cmdReturn_Click();
    void cmdReturn1_Click();
    void cmdExit_Click();
    void GetItemTitle(const QString& itemName);
    void ItemTerminate();
    // Gives the keyboard focus to menu button index (kept within 1..5).
    void focusMenuButton(int index);
    void CommandButton_Enabled(bool flag);
    // Calls the lesson procedure the counters and the tag select.
    virtual void GetMenu();
    // The window goes with its menu panel ready and Next and Back disabled: a viewer has
    // the learner now, and shows the window again when it closes.
    void handOverToViewer();

    // The course this window teaches, from the registry.
    virtual const course::Course& courseDecl() const = 0;
    // Plays one call of a lesson procedure: the buttons are disabled, section 0 shows the
    // title card, a step of a section is drawn from its table, a closing step moves on to
    // the next section or ends the item, and the end-of-call rule sets the buttons.
    void play(const lesson::Procedure& procedure);
    // The title card of a procedure on its own, as the light course's first menu item
    // shows it; the card goes on into the procedure.
    void playTitleCard(const lesson::Procedure& procedure);
    // The procedure that drew the current step: the last one played.
    const lesson::Procedure* currentProcedure() const { return current_; }

    // The lesson contract: StepBegin disables the navigation row; StepEnd, at the end of
    // the call, leaves only the exit button enabled at the item's final closing step and
    // otherwise enables all four with the focus on Next.
    void StepBegin() { CommandButton_Enabled(false); }
    void StepEnd(int finalSection, int finalStep);
    // The caption rule: course name, separator, tag.
    void SetCaption(const QString& separator = QStringLiteral(" - "));

    // ---- lesson services ----
    void Pause(double d);             // milliseconds; below 1 until the clock next advances
    void Pause(double d, double n);   // the sleeping wait: sleeps n ms while start + d is ahead
    void WaitSeconds(double seconds); // the timed wait on the seconds clock
    void WaitTick();                  // the one-tick wait
    static void Busy(long count);     // the busy count
    void PlaySound(const QString& relative);
    // The window's canvas cleared to its background; the Back buttons switch persistence on.
    using Canvas::Cls;

    // Moves a label, sets its text colour (palette index), its background to the window's
    // and its caption, and shows it.
    void lbldisp(QLabel* label, double x, double y, int colour, const QString& text);

protected:
    void Form_Load() override;
    bool Form_QueryUnload() override;
    void Form_Unload() override;
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    // Enter, Page Down and the right arrow press Next, Page Up presses Back one, each only
    // while its button can be clicked. True when the key pressed a button.
    bool navigationKey(int key);

    // Per window: the title picture, the menu action for an index, whether Back clears
    // the canvas, what else the exit button does, and how long the title card waits.
    virtual QString titlePicture() const = 0;
    virtual void menuAction(int index) = 0;
    virtual bool backClearsCanvas() const = 0;
    virtual void onShowMenu() {}
    virtual void titleWait() = 0;

    // What both Back buttons do first: hide the pictures and labels, keep the menu labels.
    void cleanWindow();
    // The closing step of a section, and of the item's last section.
    void closeSection(const lesson::Procedure& procedure, const lesson::Section& section, Page& page);
    void endItem(const lesson::Procedure& procedure, Page& page);
    // A step's request to go to another step, carried out once the step has returned.
    void carryOut(Page& page);
    // Building blocks of the two load handlers.
    void placeMenuRows(int firstTopTwips);
    void placeNavigationRow();
    void placeItemName();
    void placeTitlePicture();
    // Stacking: pictures and labels above drawings, picture boxes, buttons and the menu
    // panel above those.
    void restack();
    QPushButton* makeButton(QWidget* parent, const QString& caption, int w, int h);
    QLabel* makeLabel(QWidget* parent, const QString& caption, int x, int y, const QFont& font);
    // The menu panel with the course's five items, labelled as the registry names them.
    void makeMenu(const QColor& panel, const QColor& buttonFace);

private:
    void toSectionBefore();

    const lesson::Procedure* current_ = nullptr;
    bool shownBefore_ = false;
};

// Label helpers shared by windows and viewers.
void setLabelColors(QLabel* label, QRgb text, QRgb back, bool opaque);

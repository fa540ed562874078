#pragma once
// The electron-cloud viewer. It plays a lecture of 36 stages on its own: a pacing timer
// moves from stage to stage, a prompt asks twice how many dots of the 1s cloud to compute,
// a Return prompt lets the learner go on at their own speed, and an exit button leaves at
// any time after the prompts. Closing it shows the matter window again.

#include "player/Form.h"

#include <cstdint>
#include <memory>

class Pacer;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class WaveFunction1;

class cloudfrm : public Form {
    Q_OBJECT
public:
    // Shows the viewer over the window that opened it, which is shown again on close.
    void openFrom(Form& returnTo);
    cloudfrm();
    ~cloudfrm() override;

    // ---- what the learner sees and does (the learner driver and the tests go through these) ----
    // The stage shown: 0 to 35, or -1 before stage 0.
    int stage() const { return ECloudpara; }
    // Whether the dot-count prompt waits for a number, what it asks, the box the number is
    // typed into and what the box holds.
    bool asksCount() const;
    QString countPrompt() const;
    QWidget* countBox() const;
    QString countText() const;
    // Whether the Return prompt waits, and the drawing area that takes its Return key.
    bool asksReturn() const;
    QWidget* returnKeyTarget() const;
    // The dots the next 1s cloud draws (0 to kMaxCount), as a count typed at the prompt sets it.
    void setCount(int dots);

private:
    // Tests that inspect the controls and the pacing go through tests/support/ViewerInside.h.
    friend struct CloudInside;

    // ---- controls ----
    PictureBox* Picture1 = nullptr;  // drawing area, user coordinates (0, 0)-(640, 400)
    QLabel* Label1 = nullptr;        // dot counter, on Picture1
    QLabel* Label3 = nullptr;        // caption line, on Picture1
    QLabel* Label5 = nullptr;        // the Return prompt, on Picture1
    QPlainTextEdit* Text1 = nullptr; // narration panel
    QLabel* InputLabel = nullptr;    // prompt text of the dot count
    QLineEdit* InputText = nullptr;  // the dot-count box
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr; // Escape clicks it while it is shown
    QPushButton* cmdExit = nullptr;
    Pacer* Timer1 = nullptr; // pacing timer

    // ---- script state ----
    std::int16_t ECloudpara = -1; // current stage; -1 before stage 0
    bool lbldisp = false;         // the Return prompt waits for the Return key
    std::int16_t CalcNum = 0;     // dots the next 1s cloud draws, 0 to kMaxCount
    std::int16_t mTimerMode = 0;  // pacing mode armed by break_

    // ---- drawing variables ----
    double xx = 5 / 0.529177; // largest radius sampled, Bohr radii (five ångström)
    double vm = 0.58;         // acceptance bound of the 1s sampler
    double scale1 = 20;       // canvas units per unit of radius
    double rr = 0;            // scale1 * xx: extent of the plots, half-length of the axes
    double a0 = 0;            // canvas x of one Bohr radius
    std::int16_t np = 0;      // dots per p-orbital lobe

public:
    static constexpr int kMaxCount = 10000;
    // Pacing modes armed by break_.
    enum Mode : std::int16_t {
        AskCount = 1,      // set up the 1s canvas and ask for a dot count
        CloseViewer = 2,   // unload the viewer
        StartLecture = 3,  // put the prompt away, show the narration panel, advance
        WaitForReturn = 4, // show the Return prompt
        Advance = 5,       // advance by itself
    };

    // Advances the script by one stage.
    void nextpara();
    // Arms the pacing timer: after delay milliseconds the handler of mode runs.
    void break_(std::int16_t mode, std::int16_t delay);
    // Appends text to the narration panel as it is; a new line is the caller's kCrLf.
    void TextDisp(const QString& text);
    // Renders stage ECloudpara (0 to 35); any other value does nothing.
    void ECloud();
    // Draws CalcNum dots of the 1s cloud in the canvas's foreground colour, letting the
    // window system in before every dot.
    void start0();

    // ---- handlers ----
    void Timer1_Timer();
    // KeyAscii: the typed character (13 Return, 8 Backspace, 9 Tab); set to 0 to refuse it.
    void InputText_KeyPress(int& KeyAscii);
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdExit_Click();
    void Picture1_KeyDown(int KeyCode);

    // The count a box text stands for: its leading number, kept within 0 to kMaxCount.
    static std::int16_t countFromText(const QString& text);
    // True while a stage runs (the 1s sampler lets the window system in meanwhile).
    bool stageRunning() const { return stageDepth_ > 0; }

    static inline const QString kCrLf = QStringLiteral("\r\n");

protected:
    void Form_Load() override;
    bool Form_QueryUnload() override;
    void Form_Unload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    WaveFunction1& wave();
    // Runs ECloud as one stage: prompt actions are ignored meanwhile and a close request
    // waits for its end.
    void runStage();
    // Lets the window system handle what is pending, once, without waiting.
    void DoEvents();
    // Takes the count in the box and starts the stage after the prompt.
    void submitCount(bool byClick);
    // Ends the whole application at once: every window goes, the matter window is not
    // shown again.
    void EndApplication();
    bool inputTextKey(QKeyEvent* event);
    // A radius drawn from the 1s distribution on [0, xx) against the bound vm.
    double sample1s();

    // ---- the stage table (cloud/ECloud.cpp) ----
    struct Stage;
    static const Stage kStages[]; // stage n is row n
    void playStage(const Stage& stage);
    // The stages that draw something of their own.
    void titleOverCloud();
    void learnersCloud();
    void secondPrompt();
    void lectureCaption();
    void caption1s();
    void radialDistribution1s();
    void bohrRadius();
    void waveFunction1s();
    void caption2s();
    void waveFunction2s();
    void distribution2s();
    void axes2p();
    void blackout();

    // ---- drawings and pieces of the stages (cloud/ECloud.cpp) ----
    void draw1sCanvas();
    void draw2sCanvas();
    void draw2pAxes();
    void draw2pLobes();
    void printAt(double x, double y, const QString& text);
    // Moves a control on Picture1 to (x, y) in canvas units.
    void place(QWidget* w, double x, double y);
    void setCaption3(const QString& text);
    void closeReturnPrompt();
    void clearText();
    void showCountPrompt();
    void hideCountPrompt();

    std::unique_ptr<WaveFunction1> wave_;
    QSize outer_; // the outer size the window was given at load
    // The band above the drawing area for the narration panel and the prompt, in twips.
    static constexpr int kBandTwips = 2000;
    int stageDepth_ = 0;
    bool closePending_ = false;  // the window was asked to close while a stage ran
    bool awaitingCount_ = false; // a count prompt waits for the learner
    bool ending_ = false;        // the application is ending: show nothing on unload
    QPointer<Form> returnTo_;    // the window shown again when the viewer closes
};

#include "cloud/cloudfrm.h"

#include "cloud/WaveFunction1.h"
#include "lesson/LessonWindow.h"
#include "lesson/Viewer.h"
#include "player/PasteAsTyping.h"
#include "player/Prompts.h"
#include "player/globals.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {
const QString kCountPrompt = QStringLiteral("何回計算しますか？数値を入力してください。");
const QString kReturnPrompt = QStringLiteral("リターンキーを押してください。");
const QString kTooLarge = QStringLiteral("値が大きすぎます。10000以下の数値を入力してください。");
const QString kEndQuestion = QStringLiteral("終了しますか？");
const QString kExitQuestion = QStringLiteral("電子雲を終了します。よろしいですか？");
const QString kMessageTitle = QStringLiteral("メッセージ");
const QString kErrorTitle = QStringLiteral("エラーメッセージ");

constexpr int kReturnKey = 13;
constexpr int kBackspaceKey = 8;
constexpr int kTabKey = 9;

void setBackground(QWidget* w, QRgb colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, QColor::fromRgb(colour));
    p.setColor(QPalette::Window, QColor::fromRgb(colour));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QRect twipsRect(int x, int y, int w, int h) {
    return {twips(x), twips(y), twips(w), twips(h)};
}

// The leading number of a text, as far as it goes: blanks, a sign, digits, a fraction.
// Nothing readable counts as 0.
double leadingNumber(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)"));
    const QRegularExpressionMatch m = number.match(text);
    if (!m.hasMatch()) return 0;
    bool ok = false;
    const double v = m.captured(0).trimmed().toDouble(&ok);
    return ok && std::isfinite(v) ? v : double(cloudfrm::kMaxCount) + 1;
}
} // namespace

cloudfrm::cloudfrm() {
    setWindowTitle(QStringLiteral("電子雲"));

    // The drawing area first, so that the panel, the prompt and the buttons lie over it.
    Picture1 = new PictureBox(this);
    Picture1->setFocusPolicy(Qt::StrongFocus);
    Picture1->installEventFilter(this);

    // The counter keeps its designer look, black on the canvas, until the 1s canvas
    // colours it.
    Label1 = new QLabel(Picture1);
    Label1->setFont(uiFont(9));
    setLabelColors(Label1, QBColor(0), QBColor(0), false);
    Label1->resize(QFontMetrics(Label1->font()).horizontalAdvance(counterCaption(kMaxCount)) + 8,
                   QFontMetrics(Label1->font()).height() + 2);
    Label1->setText(QStringLiteral("Label1"));

    Label3 = new QLabel(Picture1);
    Label3->setFont(uiFont(12));
    setLabelColors(Label3, RGB(0, 0, 255), RGB(0, 0, 0), false);
    Label3->hide();

    Label5 = new QLabel(kReturnPrompt, Picture1);
    Label5->setFont(uiFont(12));
    Label5->hide();

    Text1 = new QPlainTextEdit(this);
    Text1->setFont(uiFont(12));
    Text1->setReadOnly(true);
    // The narration is to be read, not edited; the Return key stays with the drawing area.
    Text1->setFocusPolicy(Qt::NoFocus);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setBackground(Text1, RGB(255, 255, 192));
    Text1->hide();

    InputLabel = new QLabel(this);
    InputLabel->setFont(uiFont(12));
    InputLabel->setWordWrap(true);
    InputLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setBackground(InputLabel, RGB(255, 255, 192));
    InputLabel->hide();

    InputText = new QLineEdit(this);
    InputText->setFont(uiFont(12));
    // Digits come from key presses, which the key rules check one by one.
    InputText->setAttribute(Qt::WA_InputMethodEnabled, false);
    InputText->installEventFilter(this);
    // So do pasted digits: they are typed in through the same rules.
    new PasteAsTyping(InputText, [this](int key) {
        if (stageRunning()) return false;
        int KeyAscii = key;
        bool finished = false;
        gate.admit([&] { finished = session.enter([&] { InputText_KeyPress(KeyAscii); }); });
        return finished && KeyAscii != 0;
    });
    InputText->hide();

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cmdExit = new QPushButton(QStringLiteral("終了"), this);
    for (QPushButton* b : {cmdOK, cmdCancel, cmdExit}) {
        b->setAutoDefault(true);
        b->hide();
    }
    connect(cmdOK, &QPushButton::clicked, this, [this] { learnerRun([this] { cmdOK_Click(); }); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { learnerRun([this] { cmdCancel_Click(); }); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { learnerRun([this] { cmdExit_Click(); }); });

    Timer1 = new Pacer(this);
    connect(Timer1, &Pacer::tick, this, [this] { gate.hold([this] { run([this] { Timer1_Timer(); }); }); });
}

cloudfrm::~cloudfrm() = default;

bool cloudfrm::asksCount() const {
    return InputText->isVisible() && InputText->isEnabled();
}

QString cloudfrm::countPrompt() const {
    return InputLabel->text();
}

QWidget* cloudfrm::countBox() const {
    return InputText;
}

QString cloudfrm::countText() const {
    return InputText->text();
}

bool cloudfrm::asksReturn() const {
    return Label5->isVisible();
}

QWidget* cloudfrm::returnKeyTarget() const {
    return Picture1;
}

void cloudfrm::setCount(int dots) {
    CalcNum = std::int16_t(std::clamp(dots, 0, kMaxCount));
}

WaveFunction1& cloudfrm::wave() {
    if (!wave_) wave_ = std::make_unique<WaveFunction1>(*Picture1, *Label1);
    return *wave_;
}

// ---- load and unload ----

void cloudfrm::Form_Load() {
    setFixedClientSize(int(550 * gScale), int(400 * gScale));
    centre();
    outer_ = outerSize();
    const QSize outer = outer_;

    // The drawing area covers the whole window; its right and bottom edges lie under the
    // frame, where there is one.
    Picture1->setGeometry(0, 0, outer.width(), outer.height());
    Picture1->resizeCanvas(Picture1->width(), Picture1->height());
    Picture1->setBackColor(RGB(0, 0, 0));
    Picture1->setScale(0, 0, 640, 400);
    Picture1->show();

    Text1->setGeometry(0, 0, outer.width(), twips(kBandTwips));
    InputText->setGeometry(twipsRect(6000, 500, 1500, 500));
    InputLabel->setGeometry(twipsRect(500, 600, 5000, 500));
    InputLabel->setText(kCountPrompt);
    const QSize exitSize(twips(1005), twips(375));
    cmdExit->setGeometry(outer.width() - exitSize.width() - twips(int(200 * gScale)),
                         outer.height() - exitSize.height() - twips(int(400 * gScale)), exitSize.width(),
                         exitSize.height());
    cmdOK->setGeometry(twipsRect(5500, 1400, 1200, 400));
    cmdCancel->setGeometry(twipsRect(7000, 1400, 1200, 400));
    setLabelColors(Label5, RGB(255, 0, 0), RGB(240, 215, 200), true);
    Label5->adjustSize();
    place(Label5, 420, 5);
    // On the smallest window the prompt would run off the right edge: it moves left just
    // enough to be read whole.
    if (Label5->geometry().right() >= width())
        Label5->move(std::max(0, width() - Label5->width()), Label5->y());

    xx = 5 / 0.529177;
    scale1 = 20;
    rr = scale1 * xx;
    a0 = 320 + rr * 0.529177 / 5;

    ECloudpara = -1;
    lbldisp = false;
    // On the screen before the first stage draws its thousand dots: the learner sees the
    // cloud being drawn, and can close the window meanwhile.
    Show();
    nextpara();
}

bool cloudfrm::Form_QueryUnload() {
    // A stage that lets the window system in must not lose its window under it: the
    // close waits for the stage to end.
    if (stageRunning()) {
        closePending_ = true;
        return false;
    }
    return true;
}

void cloudfrm::Form_Unload() {
    Timer1->stop();
    if (ending_) return;
    if (returnTo_) returnTo_->Show();
}

void cloudfrm::openFrom(Form& returnTo) {
    returnTo_ = &returnTo;
    Show();
}

void viewer::openCloud(Form& returnTo) {
    form<cloudfrm>().openFrom(returnTo);
}

void cloudfrm::EndApplication() {
    ending_ = true;
    Timer1->stop();
    // The start window goes last: the lesson windows show it as they go, and must find it
    // still there rather than load a new one. Once the last window is gone the
    // application quits (when it runs as the application).
    const QList<Form*> forms = Form::all();
    for (Form* f : forms)
        if (f != loadedHomeForm()) f->Unload();
    for (Form* f : Form::all())
        f->Unload();
}

// ---- pacing ----

void cloudfrm::nextpara() {
    ++ECloudpara;
    runStage();
}

void cloudfrm::runStage() {
    struct Depth {
        int& d;
        explicit Depth(int& depth) : d(depth) { ++d; }
        ~Depth() { --d; }
    };
    {
        Depth depth(stageDepth_);
        ECloud();
    }
    if (!stageRunning() && closePending_) {
        closePending_ = false;
        Unload();
    }
}

void cloudfrm::break_(std::int16_t mode, std::int16_t delay) {
    mTimerMode = mode;
    // A fresh period from now, whatever was armed before.
    Timer1->stop();
    Timer1->setInterval(delay);
    Timer1->setEnabled(true);
}

void cloudfrm::Timer1_Timer() {
    switch (mTimerMode) {
    case AskCount:
        Timer1->stop();
        draw1sCanvas();
        showCountPrompt();
        cmdOK->setDefault(true);
        cmdOK->setEnabled(false);
        InputText->setFocus();
        awaitingCount_ = true;
        break;
    case CloseViewer: Unload(); break;
    case StartLecture:
        Timer1->stop();
        InputText->clear();
        hideCountPrompt();
        Text1->show();
        cmdExit->show();
        Picture1->setFocus();
        nextpara();
        break;
    case WaitForReturn:
        Timer1->stop();
        Label5->show();
        lbldisp = true;
        break;
    case Advance:
        Timer1->stop();
        nextpara();
        break;
    default: Timer1->stop(); break;
    }
}

void cloudfrm::DoEvents() {
    waits::events(session);
}

void cloudfrm::TextDisp(const QString& text) {
    Text1->moveCursor(QTextCursor::End);
    Text1->insertPlainText(QString(text).replace(kCrLf, QStringLiteral("\n")));
    // The panel is short: keep the newest line in sight.
    Text1->ensureCursorVisible();
}

// ---- the dot-count prompt ----

std::int16_t cloudfrm::countFromText(const QString& text) {
    const double v = std::nearbyint(leadingNumber(text));
    return std::int16_t(std::clamp(v, 0.0, double(kMaxCount)));
}

void cloudfrm::InputText_KeyPress(int& KeyAscii) {
    const QString text = InputText->text();
    if (text.isEmpty()) {
        // The first digit is 1 to 9; it makes the count submittable.
        if (KeyAscii >= '1' && KeyAscii <= '9') {
            cmdOK->setEnabled(true);
        } else {
            Beep();
            KeyAscii = 0;
        }
        return;
    }
    switch (KeyAscii) {
    case kReturnKey:
        KeyAscii = 0;
        submitCount(false);
        return;
    case kBackspaceKey:
    case kTabKey: return;
    default: break;
    }
    if (KeyAscii < '0' || KeyAscii > '9') {
        Beep();
        KeyAscii = 0;
        return;
    }
    // The box followed by the digit must stay within the limit, and so must the box as
    // the digit would leave it where the caret stands (over a selection, in front of a
    // leading zero).
    const QChar c(KeyAscii);
    QString after = text;
    int at = InputText->cursorPosition();
    if (InputText->hasSelectedText()) {
        at = InputText->selectionStart();
        after.remove(at, InputText->selectedText().size());
    }
    after.insert(std::clamp(at, 0, int(after.size())), c);
    if (leadingNumber(text + c) > kMaxCount || leadingNumber(after) > kMaxCount) {
        KeyAscii = 0;
        MsgBox(kTooLarge, MsgButtons::OK, MsgIcon::Exclamation, kErrorTitle, &session);
        InputText->clear();
    }
}

void cloudfrm::submitCount(bool byClick) {
    // Only a prompt that waits takes a count: not while a stage draws, nor in the moments
    // between a count and the next stage.
    if (!awaitingCount_ || stageRunning()) return;
    if (InputText->text().isEmpty()) return;
    CalcNum = countFromText(InputText->text());
    if (byClick) cmdOK->setEnabled(false);
    awaitingCount_ = false;
    nextpara();
}

void cloudfrm::cmdOK_Click() {
    submitCount(true);
}

void cloudfrm::cmdCancel_Click() {
    if (!awaitingCount_ || stageRunning()) return;
    if (ECloudpara == 0) {
        if (MsgBox(kEndQuestion, MsgButtons::OKCancel, MsgIcon::Question, kMessageTitle, &session) ==
            MsgResult::OK) {
            EndApplication();
            return;
        }
        InputText->clear();
        InputText->setFocus();
        return;
    }
    CalcNum = 0;
    InputText->clear();
    hideCountPrompt();
    Text1->show();
    cmdExit->show();
    awaitingCount_ = false;
    nextpara();
}

void cloudfrm::cmdExit_Click() {
    if (stageRunning()) return;
    if (MsgBox(kExitQuestion, MsgButtons::OKCancel, MsgIcon::Question, kMessageTitle, &session) ==
        MsgResult::OK)
        Unload();
    else
        Picture1->setFocus();
}

void cloudfrm::Picture1_KeyDown(int KeyCode) {
    if (KeyCode == kReturnKey && lbldisp && !stageRunning()) nextpara();
}

// ---- keys ----

bool cloudfrm::inputTextKey(QKeyEvent* event) {
    int KeyAscii = 0;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: KeyAscii = kReturnKey; break;
    case Qt::Key_Backspace: KeyAscii = kBackspaceKey; break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return false;
    case Qt::Key_Escape:
        // The window's cancel button takes Escape.
        keyPressEvent(event);
        return true;
    case Qt::Key_Delete: return false;
    default:
        // Keys that type nothing (arrows, Home, End) move the caret as usual.
        if (event->text().isEmpty()) return false;
        KeyAscii = event->text().at(0).unicode();
        break;
    }
    // Typing waits while a stage draws.
    if (stageRunning()) return true;
    const int typed = KeyAscii;
    bool finished = false;
    gate.admit([&] { finished = session.enter([&] { InputText_KeyPress(KeyAscii); }); });
    if (!finished) return true;
    if (KeyAscii == 0 || typed == kReturnKey) return true;
    return false;
}

bool cloudfrm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == InputText) return inputTextKey(key);
        if (watched == Picture1 && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            learnerRun([this] { Picture1_KeyDown(kReturnKey); });
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

void cloudfrm::keyPressEvent(QKeyEvent* event) {
    // OK is the default button and Cancel the cancel button, while they are shown.
    const auto press = [](QPushButton* b) {
        if (!b->isVisible() || !b->isEnabled()) return false;
        b->click();
        return true;
    };
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && cmdOK->isDefault() &&
        press(cmdOK))
        return;
    if (event->key() == Qt::Key_Escape && press(cmdCancel)) return;
    Form::keyPressEvent(event);
}

// ---- pieces ----

void cloudfrm::showCountPrompt() {
    for (QWidget* w : std::initializer_list<QWidget*>{InputText, InputLabel, cmdOK, cmdCancel})
        w->show();
}

void cloudfrm::hideCountPrompt() {
    for (QWidget* w : std::initializer_list<QWidget*>{InputText, InputLabel, cmdOK, cmdCancel})
        w->hide();
}

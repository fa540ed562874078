#include "periodic/Form1.h"

#include "lesson/LessonWindow.h"
#include "lesson/Viewer.h"
#include "periodic/elements.h"
#include "player/globals.h"

using periodic::elementAt;

namespace {
const QString kTransitionLegend = QStringLiteral("遷移金属");

// Every label of the viewer has black text on an opaque palette colour.
void setBack(QLabel* label, int palette) {
    setLabelColors(label, QBColor(0), QBColor(palette), true);
}

QLabel* makeLabel(QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->hide();
    return l;
}
} // namespace

Form1::Form1() {
    setWindowTitle(QStringLiteral("周期表"));
}

void Form1::Form_Load() {
    // The window has one size whatever the display scale: the drawing area maps its
    // 640 x 400 units onto whatever width the window gets. On a screen too small for it
    // everything shrinks by one factor, type and button included, so the table keeps its
    // look and its button stays on the screen.
    const QSize design(twips(14080), twips(9100));
    fit_ = Form::shrinkToFit(design);
    setFixedClientSize(int(design.width() * fit_), int(design.height() * fit_));
    centre();
    // Everything on the window writes at 14 points: the grid's texts are placed for it, so
    // that the blank before each atomic number keeps the digits under the element's cell.
    setFont(uiFont(14 * fit_));

    Picture1 = new PictureBox(this);
    Picture1->setGeometry(0, 0, width(), qRound(width() / 1.6));
    Picture1->resizeCanvas(Picture1->width(), Picture1->height());
    Picture1->setBackColor(Picture1->palette().color(QPalette::Button).rgb());
    Picture1->setScale(0, 0, 640, 400);
    Picture1->FontSize = 14 * fit_;

    Label1[0] = makeLabel(Picture1);
    Label2 = makeLabel(Picture1);
    Label3 = makeLabel(Picture1);
    Label4 = makeLabel(Picture1);
    for (QLabel* l : {Label2, Label3, Label4})
        l->setGeometry(QRect(Picture1->toPixel(0, 0), Picture1->toPixel(50, 20)));

    cmdNext = new QPushButton(QStringLiteral("次へ"), Picture1);
    cmdNext->resize(int(twips(1455) * fit_), int(twips(435) * fit_));
    cmdNext->setAutoDefault(true);
    connect(cmdNext, &QPushButton::clicked, this, [this] { learnerRun([this] { cmdNext_Click(); }); });
    place(cmdNext, 560, 370);

    show();
    cmdNext->setFocus();
    mPage = 0;
    mStep = 0;
    Periodic0();
}

void Form1::Form_Unload() {
    // The cells are children of the window and go with it.
    if (returnTo_) returnTo_->Show();
}

void Form1::openFrom(Form& returnTo) {
    returnTo_ = &returnTo;
    Show();
}

void viewer::openPeriodic(Form& returnTo) {
    form<Form1>().openFrom(returnTo);
}

bool Form1::canGoOn() const {
    return cmdNext && cmdNext->isEnabled();
}

void Form1::goOn() {
    cmdNext->click();
}

void Form1::cmdNext_Click() {
    ++mStep;
    Periodic0();
}

void Form1::Periodic0() {
    switch (mPage) {
    case 0:
        // The grid is drawn by a click from code, so the window opens with it.
        mPage = 1;
        mStep = -1;
        cmdNext_Click();
        break;
    case 1:
        if (mStep == 0) drawGrid();
        break;
    case 2:
        if (const int n = mStep + 1; n == 58) {
            // Past the lanthanoid cell the table goes on at hafnium in the same click.
            mPage = 3;
            mStep = -1;
            cmdNext_Click();
        } else {
            showElement(n);
        }
        break;
    case 3:
        if (const int n = mStep + 72; n == 90) {
            // Past the actinoid cell the same click starts colouring.
            mPage = 4;
            mStep = -1;
            cmdNext_Click();
        } else {
            showElement(n);
        }
        break;
    case 4: finish(); break;
    default: break;
    }
}

void Form1::locate1(std::int16_t x, std::int16_t y) {
    Picture1->CurrentX = x;
    Picture1->CurrentY = y;
}

void Form1::printAt(std::int16_t x, std::int16_t y, const QString& text) {
    locate1(x, y);
    Picture1->Print(text);
}

void Form1::drawGrid() {
    Canvas& pic = *Picture1;
    printAt(300, 40, QStringLiteral("*****  周期表  *****"));

    // Frame, 18 groups, 7 periods.
    pic.Line(85, 95, 562, 332, LineMode::Box);
    for (int i = 1; i <= 18; ++i)
        pic.Line(87 + 25 * i, 95, 87 + 25 * i, 332);
    for (int i = 1; i <= 7; ++i)
        pic.Line(85, 92 + 30 * i, 562, 92 + 30 * i);

    // Group heads; the three middle columns share one head, "8".
    for (int i = 1; i <= 7; ++i)
        printAt(115 + 25 * (i - 1), 100, QString::number(i) + QLatin1Char('A'));
    for (int i = 1; i <= 7; ++i)
        printAt(365 + 25 * (i - 1), 100, QString::number(i) + QLatin1Char('B'));
    printAt(545, 100, QStringLiteral("0"));
    pic.Line(288, 96, 361, 121, QBColor(15), LineMode::BoxFilled);
    printAt(320, 100, QStringLiteral("8"));

    // The gaps of periods 1 to 3 are no cells at all.
    pic.Line(138, 123, 536, 151, QBColor(15), LineMode::BoxFilled);
    pic.Line(163, 152, 411, 211, QBColor(15), LineMode::BoxFilled);

    for (int i = 1; i <= 7; ++i)
        printAt(90, 100 + 30 * i, QString::number(i));

    // Atomic numbers on the text line of each period; the two series cells have none.
    const auto number = [this](int n, int x, int y) { printAt(x, y, Str(n)); };
    printAt(124, 130, QStringLiteral("1"));
    printAt(549, 130, QStringLiteral("2"));
    for (int n = 3; n <= 4; ++n)
        number(n, 117 + 25 * (n - 3), 160);
    for (int n = 5; n <= 9; ++n)
        number(n, 417 + 25 * (n - 5), 160);
    printAt(540, 160, QStringLiteral("10"));
    for (int n = 11; n <= 12; ++n)
        number(n, 110 + 25 * (n - 11), 190);
    for (int n = 13; n <= 18; ++n)
        number(n, 410 + 25 * (n - 13), 190);
    for (int n = 19; n <= 36; ++n)
        number(n, 110 + 25 * (n - 19), 220);
    for (int n = 37; n <= 54; ++n)
        number(n, 110 + 25 * (n - 37), 250);
    for (int n = 55; n <= 56; ++n)
        number(n, 110 + 25 * (n - 55), 280);
    for (int n = 72; n <= 86; ++n)
        number(n, 185 + 25 * (n - 72), 280);
    for (int n = 87; n <= 88; ++n)
        number(n, 110 + 25 * (n - 87), 310);

    // The learner lays the elements from here.
    mPage = 2;
    mStep = -1;
}

QLabel* Form1::loadCell(int n) {
    if (Label1[n]) return Label1[n];
    const QLabel* tpl = Label1[0];
    auto* cell = new QLabel(Picture1);
    cell->setFont(tpl->font());
    cell->setAlignment(tpl->alignment());
    setBack(cell, periodic::kCellPalette);
    cell->setGeometry(QRect(Picture1->toPixel(0, 0), Picture1->toPixel(24, 29)));
    cell->show();
    Label1[n] = cell;
    return cell;
}

void Form1::showElement(int n) {
    const periodic::Element* e = elementAt(n);
    if (!e) return;
    QLabel* cell = loadCell(n);
    if (n == 1) {
        // The name label appears with the first element, at the bottom left.
        setBack(Label4, 12);
        place(Label4, 10, 375);
        Label4->show();
    }
    cell->setText(QString::fromUtf16(e->symbol));
    // The cell keeps its 24 x 29 box, taken from both corners so that it meets the grid
    // lines on either side whatever the rounding.
    cell->setGeometry(QRect(Picture1->toPixel(e->left, e->top), Picture1->toPixel(e->left + 24, e->top + 29))
                          .adjusted(0, 0, -1, -1));
    setBack(cell, e->palette);
    if (e->name) setCaption(Label4, QString::fromUtf16(e->name));

    if (n == 57) {
        setCaption(Label2, QStringLiteral("ランタノイド(57-71)："));
        place(Label2, 163, 335);
        setBack(Label2, periodic::kLanthanoidPalette);
        Label2->show();
    } else if (n == 89) {
        setCaption(Label3, QStringLiteral("アクチノイド(89-103)："));
        place(Label3, 163, 360);
        setBack(Label3, periodic::kActinoidPalette);
        Label3->show();
    }
}

void Form1::finish() {
    switch (mStep) {
    case 0:
        for (int n : periodic::kNonMetals)
            if (Label1[n]) setBack(Label1[n], 9);
        place(Label4, 580, 200);
        setBack(Label4, 9);
        setCaption(Label4, QStringLiteral("非金属"));
        break;
    case 1:
        for (int n : periodic::kTransitionMetals)
            if (Label1[n]) setBack(Label1[n], 14);
        Picture1->ForeColor = QBColor(6);
        printAt(230, 185, kTransitionLegend);
        break;
    case 2:
        // The legend goes under the white of the blank area it stands on. Printing it again
        // in white would leave the soft edges of its glyphs behind, so its whole box is
        // painted over, with a unit to spare.
        Picture1->ForeColor = QBColor(15);
        Picture1->Line(229, 184, 231 + Picture1->TextWidth(kTransitionLegend),
                       186 + Picture1->TextHeight(kTransitionLegend), QBColor(15), LineMode::BoxFilled);
        for (QLabel* cell : Label1)
            if (cell) cell->hide();
        for (QLabel* l : {Label2, Label3, Label4})
            l->hide();
        break;
    case 3: Unload(); break;
    default: break;
    }
}

void Form1::place(QWidget* w, double x, double y) {
    w->move(Picture1->toPixel(x, y));
}

void Form1::setCaption(QLabel* label, const QString& text) {
    label->setText(text);
    label->adjustSize();
}

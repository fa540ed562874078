#include "app/frmStart.h"
#include "lesson/Course.h"

#include "lesson/frmLight.h"
#include "lesson/frmMaterial.h"
#include "player/Pictures.h"
#include "player/globals.h"

#include <QPainter>
#include <QPushButton>
#include <QRadialGradient>

QImage skyPicture() {
    static const QImage sky = [] {
        QImage img(256, 256, QImage::Format_RGB32);
        QPainter p(&img);
        QLinearGradient g(0, 0, 0, 256);
        g.setColorAt(0, QColor(40, 110, 215));
        g.setColorAt(1, QColor(150, 200, 250));
        p.fillRect(img.rect(), g);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        // Each cloud is a cluster of soft white puffs: (centre x, centre y, radius).
        static constexpr int puffs[][3] = {
            {40, 60, 22},   {62, 52, 26},   {88, 60, 20},   {60, 70, 20},   // upper left
            {170, 40, 18},  {190, 32, 22},  {212, 42, 17},  {192, 48, 16},  // upper right
            {120, 140, 26}, {150, 128, 32}, {182, 142, 24}, {150, 152, 22}, // centre
            {30, 200, 18},  {52, 192, 22},  {74, 204, 16},                  // lower left
            {200, 214, 20}, {224, 206, 24}, {246, 218, 16},                 // lower right
        };
        for (const auto& c : puffs) {
            QRadialGradient r(c[0], c[1], c[2]);
            r.setColorAt(0, QColor(255, 255, 255, 245));
            r.setColorAt(0.7, QColor(255, 255, 255, 200));
            r.setColorAt(1, QColor(255, 255, 255, 0));
            p.setBrush(r);
            p.drawEllipse(QPoint(c[0], c[1]), c[2], c[2]);
        }
        return img;
    }();
    return sky;
}

Form& homeForm() {
    return form<frmStart>();
}

Form* loadedHomeForm() {
    return loadedForm<frmStart>();
}

frmStart::frmStart() : MMControl1(soundPlayer()) {
    setWindowTitle(QStringLiteral("Orvanth"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMinimizeButtonHint);
    setFixedClientSize(607, 355); // client area 9105 x 5325 twips; not scaled

    Image1 = new PictureControl(this);
    Image1->Stretch = true;
    Image1->setPicture(skyPicture());

    const QRgb faces[3] = {0, qRgb(255, 192, 128), qRgb(128, 255, 128)};
    const QString captions[3] = {QString(), QString::fromUtf8(course::light().button),
                                 QString::fromUtf8(course::matter().button)};
    const QPoint positions[3] = {{}, {64, 80}, {388, 84}};
    for (int i = 1; i <= 2; ++i) {
        cmdItem[i] = new QPushButton(captions[i], this);
        cmdItem[i]->setGeometry(QRect(positions[i], QSize(167, 74)));
        cmdItem[i]->setFont(uiFont(15.75, true));
        cmdItem[i]->setAutoDefault(true);
        // A flat face of exactly the course's colour, as a classic coloured button has; the
        // style's gradient would wash it out. The border stands out and sinks when pressed,
        // and a focused button shows it darker, so the keyboard's place stays in sight.
        const QColor face = QColor::fromRgb(faces[i]);
        cmdItem[i]->setStyleSheet(
            QStringLiteral("QPushButton { background-color: %1; color: black; border: 2px outset %2; }"
                           "QPushButton:focus { border: 2px solid black; }"
                           "QPushButton:pressed { border: 2px inset %2; }")
                .arg(face.name(), face.darker(130).name()));
        connect(cmdItem[i], &QPushButton::clicked, this, [this, i] { run([this, i] { cmdItem_Click(i); }); });
    }
    cmdExit = new QPushButton(QStringLiteral("終了(&X)"), this);
    cmdExit->setGeometry(440, 312, 97, 33);
    cmdExit->setFont(uiFont(12, true));
    cmdExit->setAutoDefault(true);
    connect(cmdExit, &QPushButton::clicked, this, [this] { run([this] { cmdExit_Click(); }); });
    setTabOrder(cmdItem[1], cmdItem[2]);
    setTabOrder(cmdItem[2], cmdExit);
    centre();
}

void frmStart::Form_Load() {
    Image1->move(0, 0);
    Image1->resize(outerSize());
    const QList<QWidget*> controls = {Image1, cmdItem[1], cmdItem[2], cmdExit};
    for (QWidget* w : controls)
        w->hide();
    start();
    for (QWidget* w : controls)
        w->show();
    cmdItem[1]->setFocus();
}

void frmStart::Wait(double seconds) {
    waits::seconds(session, seconds);
}

void frmStart::start() {
    // The client area is mapped to (0, 0)-(640 g, 400 g) whatever its pixel size.
    setScale(0, 0, 640 * gScale, 400 * gScale);
    show();
    setBackColor(RGB(192, 192, 255));
    for (int h = 13; h >= 2; --h) {
        FillStyle = FillStyles::Solid;
        FillColor = QBColor(h);
        // Radii are not scaled: at a larger scale the rings look smaller.
        Circle(320 * gScale, 200 * gScale, h * 20 + 30);
        Circle(320 * gScale, 200 * gScale, h * 20 + 50);
        Wait(0.1);
    }
    FontSize = 14;
    FontBold = true;
    struct TitleLine {
        double x, y;
        int colour;
        const char* text;
    };
    static constexpr TitleLine titles[] = {
        {220, 170, 0, "Kestova集中面接授業"},
        {290, 200, 0, "計算化学"},
        {290, 230, 12, "Orvanth"},
        {290, 260, 10, "2008年版"},
    };
    for (const TitleLine& t : titles) {
        CurrentX = t.x * gScale;
        CurrentY = t.y * gScale;
        ForeColor = QBColor(t.colour);
        Print(QString::fromUtf8(t.text));
    }
    ForeColor = QBColor(0);
    FontBold = false;
    Wait(2);
    Cls();
}

void frmStart::cmdItem_Click(int index) {
    if (exiting_) return; // the farewell would close whatever opened now
    hide();
    if (index == 1) {
        gCourseName = QString::fromUtf8(course::light().caption);
        form<frmLight>().Show();
    } else {
        gCourseName = QString::fromUtf8(course::matter().caption);
        form<frmMaterial>().Show();
    }
}

void frmStart::cmdExit_Click() {
    // During the farewell's wait the buttons stay visible; a second press must not start
    // a second farewell inside the first.
    if (exiting_) return;
    exiting_ = true;
    MMControl1.Command(QStringLiteral("Close"));
    MMControl1.DeviceType = QStringLiteral("WaveAudio");
    MMControl1.FileName = mediaPath(QStringLiteral("wave\\お疲れ.wav"));
    MMControl1.Command(QStringLiteral("Open"));
    MMControl1.Command(QStringLiteral("Play"));
    Wait(2);
    // Every window goes, this one included; the application ends with the last.
    for (Form* f : Form::all())
        if (f != this) f->Unload();
    Unload();
}

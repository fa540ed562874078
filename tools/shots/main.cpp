// Screens of the player itself, for us to look at: the start screen during its rings and
// when ready, both lesson menus, every title card and a page of canvas operations, at the
// scales given. orvanth-shots --out DIR [--scale 1 --scale 1.5]

#include "app/Main.h"
#include "app/frmStart.h"
#include "lesson/frmLight.h"
#include "lesson/frmMaterial.h"
#include "player/PaintRegion.h"
#include "player/Sound.h"
#include "player/globals.h"

#include <QApplication>
#include <QDir>
#include <cmath>
#include <cstdio>

namespace {

QString outDir;

void save(QWidget& w, const QString& name) {
    const QString path = outDir + "/" + name + ".png";
    QDir().mkpath(QFileInfo(path).path());
    w.grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

void unloadAll() {
    for (Form* f : Form::all())
        f->Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void canvasPage(const QString& scaleName) {
    CanvasForm page;
    page.resize(int(640 * gScale), int(400 * gScale));
    page.setBackColor(QBColor(15));
    const double pi = 3.14159265358979;
    for (int i = 0; i < 16; ++i)
        page.Line(S(20 + i * 14), S(20), S(30 + i * 14), S(40), QBColor(i), LineMode::BoxFilled);
    page.DrawWidth = 3;
    page.Line(S(20), S(60), S(250), S(120), QBColor(12));
    page.DrawWidth = 1;
    page.Circle(S(320), S(90), S(40), QBColor(1));
    page.Circle(S(420), S(90), S(40), QBColor(2), -0.0001, -pi / 2);
    page.Circle(S(520), S(90), S(40), QBColor(4), pi / 4, pi);
    page.FillStyle = FillStyles::Solid;
    page.FillColor = QBColor(14);
    page.Circle(S(320), S(200), S(60), QBColor(0), Canvas::NoAngle, Canvas::NoAngle, 0.4);
    page.Circle(S(470), S(200), S(50), QBColor(0), Canvas::NoAngle, Canvas::NoAngle, 1.8);
    page.FillStyle = FillStyles::Transparent;
    page.Line(S(40), S(150), S(200), S(250), QBColor(9), LineMode::Box);
    page.Line(S(40), S(200), S(200), S(200), QBColor(9));
    PaintRegion(page, std::int16_t(std::nearbyint(S(100))), std::int16_t(std::nearbyint(S(170))), QBColor(11),
                QBColor(9));
    page.ForeColor = QBColor(0);
    page.FontSize = 14;
    page.CurrentX = S(20);
    page.CurrentY = S(270);
    page.Print(QStringLiteral("14 pt: 光は電磁波の一種である。") + Str(3.0e8) + Str(-0.5));
    page.FontSize = 32;
    page.CurrentX = S(20);
    page.PrintPiece(QStringLiteral("32 pt "));
    page.ForeColor = QBColor(12);
    page.Print(QStringLiteral("物質とは"));
    save(page, scaleName + "/canvas");
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    initApplication(app);
    QList<float> scales;
    for (int i = 1; i < argc - 1; ++i) {
        if (QString(argv[i]) == "--out") outDir = argv[i + 1];
        if (QString(argv[i]) == "--scale") scales << QString(argv[i + 1]).toFloat();
    }
    if (outDir.isEmpty()) {
        std::fprintf(stderr, "usage: orvanth-shots --out DIR [--scale 1 --scale 1.5]\n");
        return 2;
    }
    if (scales.isEmpty()) scales = {1.0f, 1.5f};
    auto vclock = std::make_unique<VirtualClock>();
    VirtualClock* clock = vclock.get();
    setClock(std::move(vclock));
    setSoundBackend(std::make_unique<RecordingSoundBackend>());
    gAppPath = appPathFor(QCoreApplication::applicationDirPath());
    for (float scale : scales) {
        gScale = scale;
        const QString name = QString::number(scale);
        clock->at(clock->msNow() + 800, [&] { save(*loadedForm<frmStart>(), name + "/start-rings"); });
        clock->at(clock->msNow() + 2500, [&] { save(*loadedForm<frmStart>(), name + "/start-title"); });
        frmStart& start = form<frmStart>();
        start.Show();
        save(start, name + "/start-ready");
        for (int course = 1; course <= 2; ++course) {
            start.cmdItem[course]->click();
            LessonWindow& w =
                course == 1 ? static_cast<LessonWindow&>(form<frmLight>()) : form<frmMaterial>();
            const QString window = course == 1 ? "frmLight" : "frmMaterial";
            save(w, name + "/" + window + "-menu");
            for (int item = 1; item <= (course == 1 ? 5 : 3); ++item) {
                clock->at(clock->msNow() + 1000, [&w, name, window, item] {
                    save(w, name + "/" + window + "-title-" + QString::number(item));
                });
                w.cmdMenu[item]->click();
                w.cmdExit->click();
            }
            w.cmdExit->click();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        canvasPage(name);
        unloadAll();
    }
    return 0;
}

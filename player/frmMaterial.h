#pragma once
// The lesson window of the matter course.

#include "player/LessonWindow.h"

#include <QList>

class frmMaterial : public LessonWindow {
    Q_OBJECT
public:
    frmMaterial();

    QLabel* Label0 = nullptr; // the menu heading
    PictureBox* Picture2 = nullptr;
    QList<QLabel*> Label1; // a label array; element 0 exists from load
    QLabel* Label2 = nullptr;

    void GetMenu() override;

    // ---- lesson procedures, one file each under matter/ ----
    void Class();
    void Gensi();
    void Cloud();

    // ---- for the hierarchy-of-matter lesson (matter/Class.cpp, matter/Particle.cpp) ----
    // A particle: a grey disc around (dx, dy) of radius R with a crescent of dots in palette
    // colour col along its rim, turned by deg degrees (0: along the lower rim). Leaves the
    // fill solid and grey.
    void Particle(std::int16_t dx, std::int16_t dy, std::int16_t R, std::int16_t col, std::int16_t deg);
    // The quark floor: a magenta plane in perspective with rays and receding lines in
    // palette colour col, and black above the horizon.
    void Plane(std::int16_t col);
    // A sleep of ms milliseconds: the window repaints, input waits until it is over.
    void Sleep(int ms) { Pause(0.5, ms); }

private:
    void ClassMeasuring(); // section 1 of Class
    void ClassMicro();     // section 2 of Class
    // ---- end of the hierarchy-of-matter block ----

protected:
    void Form_Load() override;
    QString titlePicture() const override { return QStringLiteral("Material\\star_title0.jpg"); }
    void menuAction(int index) override;
    bool backClearsCanvas() const override { return false; }
    void titleWait() override { WaitSeconds(1.5); }
};

#include "app/globals.h"
#include "dialogs/Answer.h"
#include "light/figures.h"
#include "player/Pictures.h"
#include "player/frmLight.h"

// Geometric optics: straight propagation, reflection and refraction with Snell's law
// (section 1), Fermat's principle (section 2), Newton's prism and scattering (section 3).

namespace {

// The reflection figure: a red mirror and a yellow ray that comes down to it at 45
// degrees and goes up again. Reached by Next the ray is traced slowly; the next step
// draws it at once.
void mirrorReflection(frmLight& w, bool traced) {
    w.Cls();
    w.setBackColor(QBColor(0));
    PrintAt(w, 220, 70, QStringLiteral("光は物体の表面で反射します。"));
    w.FillStyle = FillStyles::Solid;
    w.FillColor = QBColor(4);
    w.ForeColor = QBColor(4);
    w.Line(S(150), S(250), S(450), S(270), QBColor(4), LineMode::BoxFilled);
    w.ForeColor = QBColor(0);
    w.FillStyle = FillStyles::Transparent;
    for (int i = 1; i <= 300; ++i) {
        frmLight::Busy(100);
        if (i <= 150)
            w.PSet(S(i + 150), S(i + 100), QBColor(14)); // down to the mirror
        else
            w.PSet(S(i + 150), S(400 - i), QBColor(14)); // and up again
        if (traced) w.Pause(0.1, 20);                    // one 20 ms sleep, then the pending events
    }
}

// The refraction page: the narration, the air/water figure and the incident ray.
void refractionFigure(frmLight& w, bool traced) {
    w.Cls();
    w.setBackColor(QBColor(0));
    w.AutoRedraw = true;
    PrintAt(w, 20, 0, QStringLiteral("光は別の媒質に入るとき、進む向きを変えます（屈折）。"));
    w.CurrentX = S(100);
    w.CurrentY = 100; // device pixels
    w.Print(QStringLiteral("光が空気（屈折率 n = 1）の中を進みます。"));
    AirWaterFigure(w);
    IncidentRay(w, traced ? 0.005 : 0);
}

// The question of the quiz: which of the three paths does the ray take in the water?
void refractionQuestion(frmLight& w) {
    refractionFigure(w, false);
    CandidatePaths(w);
}

// The answer: outside the frame turns grey, the water is redrawn over the candidates, and
// the ray goes on along path 1 (the other two are drawn in the water's colour).
void refractionAnswer(frmLight& w) {
    refractionQuestion(w);
    w.ForeColor = QBColor(15);
    // The frame again first: the ray's dots and the paths' ends have cut into it, and the
    // fill must not leak inside.
    w.Line(S(100), S(100), S(450), S(300), QBColor(1), LineMode::Box);
    FillAt(w, 50, 50, QBColor(7), QBColor(1));
    w.Line(S(100), S(200), S(450), S(300), QBColor(9), LineMode::BoxFilled);
    w.Line(S(270), S(200), S(330), S(300), QBColor(14));
    w.Line(S(440), S(300), S(270), S(200), QBColor(9));
    w.LineTo(S(383), S(300), QBColor(9));
    IncidentRay(w);
    w.ForeColor = QBColor(15);
}

// The answer with the normal at the entry point and the two angles named.
void refractionAngles(frmLight& w) {
    refractionAnswer(w);
    w.Line(S(270), S(100), S(270), S(300), QBColor(2));
    w.ForeColor = QBColor(9);
    PrintAt(w, 245, 160, QStringLiteral("θi"));
    w.ForeColor = QBColor(15);
    PrintAt(w, 270, 230, QStringLiteral("θr"));
}

} // namespace

void frmLight::Kika() {
    StepBegin();
    Picture1->hide();
    ForeColor = QBColor(7);
    switch (gSection) {
    case 0:
        setBackColor(QBColor(0));
        GetItemTitle(QStringLiteral("幾　何　光　学"));
        break;
    case 1: // the properties of light
        switch (gStep) {
        case 0:
            Cls();
            ForeColor = QBColor(7);
            setBackColor(QBColor(0));
            FontSize = 32;
            PrintAt(*this, 220, 150, QStringLiteral("光　の　性　質"));
            break;
        case 1:
            Cls();
            setBackColor(QBColor(0));
            FontSize = 14;
            PrintAt(*this, 180, 150, QStringLiteral("まず、幾何光学について学びましょう。"));
            break;
        case 2:
            Cls();
            setBackColor(QBColor(0));
            PrintAt(*this, 100, 10, QStringLiteral("光は真空中や一様な物質の中をまっすぐに進みます。"));
            Print();
            Picture1->move(int(100 * gScale), int(30 * gScale));
            Picture1->resize(550, 35);
            LoadPicture(*Picture1, QStringLiteral("Light\\r-1.jpg"));
            Picture1->show();
            Pause(0.5);
            LoadPicture(*Image1, QStringLiteral("Light\\photon.bmp"));
            Image1->move(10, 120);
            Image1->show();
            // The photon flies to the right until it reaches the window's inner edge.
            while (Image1->x() < ScaleWidth()) {
                Pause(0.05);
                Image1->move(Image1->x() + 1, Image1->y());
            }
            CurrentX = 50; // device pixels
            CurrentY = 150;
            Print(QStringLiteral("光はなぜ曲がったり散ったりせずに直進するのでしょうか？"));
            Image1->hide();
            break;
        case 3: mirrorReflection(*this, true); break;
        case 4:
            mirrorReflection(*this, false);
            ForeColor = QBColor(7);
            Line(S(300), S(100), S(300), S(250)); // the normal
            ReflectionAngleMarks(*this);
            PrintAt(*this, 270, 190, QStringLiteral("θi   　θr"));
            PrintAt(*this, 220, 290, QStringLiteral("入射角θiと反射角θrは等しくなります。"));
            Print();
            ForeColor = QBColor(3);
            Print(QStringLiteral("なぜθiとθrは等しいのでしょうか？"));
            ForeColor = QBColor(0);
            FillStyle = FillStyles::Transparent;
            break;
        case 5: refractionFigure(*this, true); break;
        case 6: {
            // The quiz: asked on a freshly drawn figure until the answer is path 1.
            refractionQuestion(*this);
            AskOptions quiz;
            quiz.right = QStringLiteral("1");
            quiz.feedbackAt = QPointF(S(50), S(320));
            quiz.rightText = QStringLiteral("You are right!");
            quiz.rightColour = 7;
            quiz.wrongText = QStringLiteral("You are wrong!");
            quiz.wrongColour = 7;
            quiz.before = [this] {
                Cls();
                refractionQuestion(*this);
            };
            Ask(*this, 1, quiz);
            ForeColor = QBColor(7);
            break;
        }
        case 7: refractionAnswer(*this); break;
        case 8: refractionAngles(*this); break;
        case 9:
            refractionAngles(*this);
            ForeColor = QBColor(0);
            CurrentX = 20; // device pixels
            CurrentY = S(310);
            Print(QStringLiteral("θiとθrの間には次の関係があります。"));
            for (const QString& line : {QStringLiteral("sinθi      n"), QStringLiteral("---- = ----"),
                                        QStringLiteral("sinθr      1")}) {
                CurrentX = 20;
                Print(line);
            }
            break;
        case 10:
            ForeColor = QBColor(3);
            PrintAt(*this, 100, 50, QStringLiteral("なぜ光は曲がるのでしょうか？"));
            break;
        case 11: // on to Fermat's principle, without a title card
            Cls();
            gStep = -1;
            gSection = std::int16_t(gSection + 1);
            cmdNext_Click();
            break;
        default: break;
        }
        break;
    case 2: // Fermat's principle
        break;
    case 3: // Newton's prism and scattering
        switch (gStep) {
        case 21: // the end of the item
            if (gMenuItem == 1) {
                // The whole course: wave optics follows with its own title card.
                Tag = QStringLiteral("波動光学");
                SetCaption(QStringLiteral("     "));
                gSection = 0;
                gStep = 0;
                Wave();
            } else {
                ItemTerminate();
            }
            break;
        default: break;
        }
        break;
    default: break;
    }
    StepEnd(3, 21);
}

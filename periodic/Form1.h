#pragma once
// The periodic-table viewer: an empty grid of periods and groups with the atomic number in
// every cell, over which each click of "次へ" lays the next element and shows its Japanese
// name. Once the table is complete it colours the non-metals and the transition metals,
// clears the cells and closes, showing the matter window again.

#include "player/Form.h"

#include <QLabel>
#include <QPushButton>
#include <array>
#include <cstdint>

class Form1 : public Form {
    Q_OBJECT
public:
    // Shows the viewer over the window that opened it, which is shown again on close.
    void openFrom(Form& returnTo);
    Form1();

    // ---- what the learner sees and does (the learner driver and the tests go through these) ----
    // Whether "次へ" can be clicked now, and a click of it.
    bool canGoOn() const;
    void goOn();

    // Draws the current page and step of the script.
    void Periodic0();
    // Sets the text position of the drawing area.
    void locate1(std::int16_t x, std::int16_t y);

    void cmdNext_Click();

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    // Tests that inspect the cells and the notes go through tests/support/ViewerInside.h.
    friend struct PeriodicInside;

    // ---- controls ----
    // The drawing area, 640 x 400 units; the cells, the notes and the button sit on it.
    PictureBox* Picture1 = nullptr;
    QPushButton* cmdNext = nullptr;
    // Element cells by atomic number; [0] is the hidden template the others are copied
    // from, and a number the table has not reached yet has none.
    std::array<QLabel*, 91> Label1 = {};
    QLabel* Label2 = nullptr; // lanthanoid note
    QLabel* Label3 = nullptr; // actinoid note
    QLabel* Label4 = nullptr; // name of the current element, later the non-metal legend

    QPointer<Form> returnTo_; // the window shown again when the viewer closes
    std::int16_t mPage = 0;   // 0 start, 1 grid, 2 elements 1 to 57, 3 elements 72 to 89, 4 closing
    std::int16_t mStep = 0;   // step within the page; -1 between pages
    double fit_ = 1.0;        // below 1 where the screen is smaller than the window

    void drawGrid();
    void showElement(int n);
    void finish();
    // Creates cell n as a copy of the template: light cyan, 24 x 29 units, visible.
    QLabel* loadCell(int n);
    // Places a control on the drawing area at (x, y) in its units.
    void place(QWidget* w, double x, double y);
    // Sets a label's caption and lets the label take the size of its text.
    static void setCaption(QLabel* label, const QString& text);
    void printAt(std::int16_t x, std::int16_t y, const QString& text);
};

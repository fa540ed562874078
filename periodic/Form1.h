#pragma once
// The periodic-table viewer.

#include "player/Form.h"

class Form1 : public Form {
    Q_OBJECT
public:
    Form1();

protected:
    void Form_Load() override;
    void Form_Unload() override;
};

#pragma once
// The electron-cloud viewer.

#include "player/Form.h"

class cloudfrm : public Form {
    Q_OBJECT
public:
    cloudfrm();

protected:
    void Form_Load() override;
    void Form_Unload() override;
};

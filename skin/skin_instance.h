#pragma once
#include "skin/scob_skin.h"

// The program's one theme: salmon caption rows, white rows, a green row under
// the pointer, a yellow chosen row, and the bitmaps of the main screen.
class skinInstance : public scobSkin {
public:
    skinInstance() { skinInstance::loadSkins(); }
    void loadSkins() override;
};

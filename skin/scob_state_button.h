#pragma once
#include "skin/scob_button.h"

// Toggle: every completed click advances the state through 1 .. stateCount,
// and the state picks both bitmap and caption. A press stays pending until a
// primary release over the button, wherever the pointer goes meanwhile.
class scobStateButton : public scobButton {
public:
    scobStateButton();

    bool isPressPending() const { return pressed_; }

    bool release(int relX, int relY) override;
    void press() override;
    // The state is the toggle's value: the pointer leaving keeps it.
    void leave() override {}

private:
    bool pressed_ = false;
};

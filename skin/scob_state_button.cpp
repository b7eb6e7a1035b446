#include "skin/scob_state_button.h"

scobStateButton::scobStateButton()
{
    stateCount_ = 2;
    state_ = 1;
    pressed_ = false;
}

bool scobStateButton::release(int, int)
{
    if (!pressed_)
        return false;
    ++state_;
    pressed_ = false;
    if (state_ > stateCount_)
        state_ = 1;
    dirty_ = true;
    return true;
}

void scobStateButton::press()
{
    pressed_ = true;
    dirty_ = true;
}

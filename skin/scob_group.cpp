#include "skin/scob_group.h"

#include "skin/scob.h"

void scobGroup::add(scob& control, int commandNumber)
{
    if (count_ >= capacity)
        return;
    controls_[count_] = &control;
    commandNumbers_[count_] = commandNumber;
    ++count_;
}

scob* scobGroup::control(int i) const
{
    return i >= 0 && i < count_ ? controls_[i] : nullptr;
}

int scobGroup::commandNumber(int i) const
{
    return i >= 0 && i < count_ ? commandNumbers_[i] : noCommandNumber;
}

void scobGroup::paintAll(DrawContext& dc)
{
    for (int i = 0; i < count_; ++i) {
        scob& c = *controls_[i];
        if (c.isVisible())
            c.draw(dc);
        c.setDirty(false);
    }
}

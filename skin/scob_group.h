#pragma once
#include <array>

class DrawContext;
class scob;

// The controls of one screen in paint and mouse-routing order, each with the
// command number it reports when a click on it completes. Holds at most 100;
// owns none of them.
class scobGroup {
public:
    static constexpr int capacity = 100;
    // Reported for indexes that hold no control: the number with no action.
    static constexpr int noCommandNumber = 999;

    // Ignored when the group is already full.
    void add(scob& control, int commandNumber);
    int count() const { return count_; }
    // Null for an index outside 0 .. count() - 1.
    scob* control(int i) const;
    // noCommandNumber for an index outside 0 .. count() - 1.
    int commandNumber(int i) const;
    // Draws the visible controls in order and clears every control's dirty flag.
    void paintAll(DrawContext& dc);
    void setActive(bool flag) { active_ = flag; }
    bool isActive() const { return active_; }

private:
    int count_ = 0;
    std::array<scob*, capacity> controls_{};
    std::array<int, capacity> commandNumbers_{};
    bool active_ = false;
};

#include "skin/scob.h"

#include <cstdint>

#include "platform/bitmap.h"
#include "platform/draw_context.h"
#include "skin/scob_skin.h"

void scob::draw(DrawContext& dc)
{
    if (bitmapRole_ >= 0) {
        // Resource numbers are 16-bit; the skin's table holds wider integers.
        // A number with no bitmap behind it (0 included) copies nothing, so
        // whatever was painted underneath stays visible.
        const int id = resolveBitmapId(bitmapRole_, state_) & 0xFFFF;
        const Bitmap bitmap = loadBitmap(id);
        dc.copyBitmap(bitmap, x_, y_, width_, height_);
    }
    drawFace(dc);
}

bool scob::mouseButton(int px, int py, int kind, int button)
{
    if (!isOver(px, py))
        return false;
    dirty_ = true;
    if (kind == 1) {
        if (button == 0)
            press();
        else
            secondaryPress();
        return true;
    }
    if (kind == 2) {
        if (button == 0)
            return release(px - x_, py - y_);
        secondaryRelease();
        return true;
    }
    return true;
}

bool scob::mouseMove(int px, int py)
{
    if (isOver(px, py)) {
        hover(px - x_, py - y_);
        return true;
    }
    leave();
    return false;
}

void scob::hover(int, int) {}
void scob::leave() {}
bool scob::release(int, int) { return true; }
void scob::secondaryRelease() {}
void scob::press() {}
void scob::secondaryPress() {}
void scob::drawFace(DrawContext&) {}

bool scob::isOver(int px, int py) const
{
    // In 64 bits so that a control reaching the end of the int range cannot
    // overflow its right or bottom edge.
    const std::int64_t left = x_, top = y_;
    return left <= px && px <= left + width_ && top <= py && py <= top + height_;
}

void scob::setRect(int newX, int newY, int newWidth, int newHeight)
{
    x_ = newX;
    y_ = newY;
    width_ = newWidth;
    height_ = newHeight;
}

void scob::setVisible(bool flag)
{
    if (flag != visible_) {
        dirty_ = true;
        visible_ = flag;
    }
}

int scob::resolveColour(int role) const
{
    return skin_ ? skin_->colour(role, 1) : 0;
}

int scob::resolveBitmapId(int role, int forState) const
{
    return skin_ ? skin_->bitmapId(role, forState) : 0;
}

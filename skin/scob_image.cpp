#include "skin/scob_image.h"

#include "platform/draw_context.h"

scobImage::scobImage()
{
    dirty_ = true;
    state_ = 1;
    visible_ = true;
    interactive_ = false;
}

void scobImage::setup(int newX, int newY, int newHeight, int newWidth, scobSkin& newSkin,
                      int borderColourRole, int newStateCount)
{
    setRect(newX, newY, newWidth, newHeight);
    setSkin(newSkin);
    borderColour_ = borderColourRole;
    stateCount_ = newStateCount;
}

void scobImage::drawFace(DrawContext& dc)
{
    if (!visible_)
        return;
    // Only an image with no bitmap role at all gets the box; the bitmap itself
    // was copied by draw.
    if (bitmapRole_ == -1) {
        const Brush brush{static_cast<Colour>(resolveColour(fillColour_))};
        const Pen pen{static_cast<Colour>(resolveColour(borderColour_))};
        dc.rectangle({x_, y_, x_ + width_, y_ + height_}, pen, brush);
    }
    dirty_ = false;
}

#include "skin/scob_button.h"

#include "platform/draw_context.h"
#include "platform/font.h"

namespace {
bool isCaptionIndex(int n) { return n >= 0 && n < scobButton::captionCount; }
}  // namespace

scobButton::scobButton()
{
    dirty_ = true;
    state_ = 1;
    textAlign_ = 1;
    visible_ = true;
    interactive_ = true;
    stateCount_ = 3;
}

void scobButton::setup(int newX, int newY, int newHeight, int newWidth, scobSkin& newSkin,
                       int textColourRole, int fillColourRole, int borderColourRole,
                       int newFontHeight, int newFontWidth, int newBold)
{
    textColour_ = textColourRole;
    fillColour_ = fillColourRole;
    borderColour_ = borderColourRole;
    fontHeight_ = newFontHeight;
    fontWidth_ = newFontWidth;
    bold_ = newBold;
    visible_ = true;
    setRect(newX, newY, newWidth, newHeight);
    setSkin(newSkin);
}

void scobButton::setCaption(const std::string& text, int stateNumber)
{
    if (!isCaptionIndex(stateNumber))
        return;
    if (captions_[stateNumber] != text)
        dirty_ = true;
    captions_[stateNumber] = text;
    if (captions_[2].empty())
        captions_[2] = captions_[1];
}

const std::string& scobButton::caption(int stateNumber) const
{
    static const std::string none;
    return isCaptionIndex(stateNumber) ? captions_[stateNumber] : none;
}

void scobButton::leave()
{
    if (state_ == 2) {
        state_ = 1;
        dirty_ = true;
    }
}

bool scobButton::release(int, int)
{
    const bool wasPressed = state_ == 2;
    state_ = 1;
    dirty_ = true;
    return wasPressed;
}

void scobButton::press()
{
    state_ = 2;
    dirty_ = true;
}

void scobButton::drawFace(DrawContext& dc)
{
    if (!visible_)
        return;
    const int fill = resolveColour(fillColour_);
    const Brush brush{static_cast<Colour>(fill)};
    const Pen pen{static_cast<Colour>(resolveColour(borderColour_))};
    const Font font(fontHeight_, fontWidth_, bold_ == 1 ? boldWeight : normalWeight);

    DrawRect rect{x_, y_, x_ + width_, y_ + height_};
    // A fill colour with the top bit set means "no box".
    if (bitmapRole_ <= 0 && fill >= 0)
        dc.rectangle(rect, pen, brush);
    // While pressed the caption moves one pixel right and down. Moving the
    // whole text rectangle, not just its left and top edges, makes that an
    // exact pixel for centred text too (half a box pixel would round to 0 or 1).
    if (state_ == 2)
        rect = {rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1};
    // A state with no caption slot of its own shows the state-1 caption.
    const std::string& own = caption(state_);
    const std::string& text = own.empty() ? captions_[1] : own;
    if (text.empty())
        return;
    // Alignments 0, 1 and 2 are left, centred and right; any other draws no caption.
    constexpr TextAlign alignments[] = {TextAlign::left, TextAlign::centre, TextAlign::right};
    if (textAlign_ >= 0 && textAlign_ <= 2)
        dc.drawText(text, rect, font, static_cast<Colour>(resolveColour(textColour_)), alignments[textAlign_]);
}

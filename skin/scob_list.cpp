#include "skin/scob_list.h"

#include "platform/bitmap.h"
#include "platform/draw_context.h"
#include "platform/font.h"

scobList::scobList()
{
    interactive_ = true;
    selectedIndex_ = 0;
    hoverIndex_ = -1;
    itemCount_ = 0;
    hovered_ = false;
}

void scobList::setup(int newX, int newY, int newItemHeight, int newWidth, int newTextIndent,
                     bool newHasCaption, scobSkin& newSkin)
{
    textIndent_ = newTextIndent;
    itemHeight_ = newItemHeight;
    hasCaption_ = newHasCaption;
    updateHeight();
    setRect(newX, newY, newWidth, height_);
    setSkin(newSkin);
}

void scobList::setFont(int newFontHeight, int newFontWidth)
{
    fontHeight_ = newFontHeight;
    fontWidth_ = newFontWidth;
}

void scobList::setColours(int itemText, int itemFill, int captionText, int captionFill,
                          int hoverText, int hoverFill, int selectedText, int selectedFill)
{
    itemTextColour_ = itemText;
    itemFillColour_ = itemFill;
    captionTextColour_ = captionText;
    captionFillColour_ = captionFill;
    hoverTextColour_ = hoverText;
    hoverFillColour_ = hoverFill;
    selectedTextColour_ = selectedText;
    selectedFillColour_ = selectedFill;
}

void scobList::setCaption(const std::string& text)
{
    caption_ = text;
    hasCaption_ = true;
}

void scobList::addItem(const std::string& text)
{
    if (itemCount_ >= maxItems)
        return;
    items_[itemCount_] = text;
    ++itemCount_;
    updateHeight();
}

void scobList::updateHeight()
{
    height_ = itemCount_ * itemHeight_ + (hasCaption_ ? itemHeight_ : 0);
}

int scobList::rowAt(int relY) const
{
    // The line just under the caption row (or the list's top edge) belongs to
    // no row, so row 0 starts one pixel below it; every later boundary line
    // belongs to the row beneath it.
    const long long offset = hasCaption_ ? itemHeight_ : 0;
    const long long r = relY;
    if (itemHeight_ <= 0 || r <= offset || r >= offset + static_cast<long long>(itemCount_) * itemHeight_)
        return -1;
    return static_cast<int>((r - offset) / itemHeight_);
}

void scobList::hover(int, int relY)
{
    hovered_ = true;
    hoverIndex_ = -1;
    const int row = rowAt(relY);
    if (row >= 0) {
        hoverIndex_ = row;
        dirty_ = true;
    }
}

void scobList::leave()
{
    hoverIndex_ = -1;
    if (hovered_) {
        hovered_ = false;
        dirty_ = true;
    }
}

bool scobList::release(int, int relY)
{
    const bool wasPressed = state_ == 2;
    state_ = 1;
    const int row = rowAt(relY);
    if (row >= 0)
        selectedIndex_ = row;
    dirty_ = true;
    return wasPressed;
}

void scobList::press()
{
    setState(2);
    dirty_ = true;
}

void scobList::drawFace(DrawContext& dc)
{
    if (!visible_)
        return;
    // Row text is small, so it asks for sub-pixel smoothing; button captions take the usual rendering.
    const Font font(fontHeight_, fontWidth_, normalWeight, FontQuality::clearType);

    // The caption row is painted even without a caption; row 0 then covers it.
    const Colour captionFill = static_cast<Colour>(resolveColour(captionFillColour_));
    dc.rectangle({x_, y_, x_ + width_, y_ + itemHeight_}, Pen{captionFill}, Brush{captionFill});
    dc.drawText(caption_, {x_ + 5, y_, x_ + 5 + width_, y_ + itemHeight_}, font,
                static_cast<Colour>(resolveColour(captionTextColour_)), TextAlign::left);

    const int firstTop = y_ + (hasCaption_ ? itemHeight_ : 0);
    for (int i = 0; i < itemCount_; ++i) {
        const bool hovered = i == hoverIndex_;
        const bool chosen = i == selectedIndex_;
        const int fillRole = hovered ? hoverFillColour_ : chosen ? selectedFillColour_ : itemFillColour_;
        const int textRole = hovered ? hoverTextColour_ : chosen ? selectedTextColour_ : itemTextColour_;
        const Colour fill = static_cast<Colour>(resolveColour(fillRole));
        const int top = firstTop + i * itemHeight_;
        dc.rectangle({x_, top, x_ + width_, top + itemHeight_}, Pen{fill}, Brush{fill});
        if (chosen) {
            const Bitmap marker = loadBitmap(resolveBitmapId(markerBitmapRole_, 1) & 0xFFFF);
            dc.copyBitmapTransparent(marker, x_, top, markerSize, markerSize, rgbColour(255, 255, 255));
        }
        dc.drawText(items_[i], {x_ + textIndent_, top, x_ + width_, top + itemHeight_}, font,
                    static_cast<Colour>(resolveColour(textRole)), TextAlign::left);
    }
}

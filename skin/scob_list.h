#pragma once
#include <array>
#include <string>

#include "skin/scob.h"

// An always-open column of up to ten rows under an optional caption row. The
// row under the pointer is highlighted, the chosen row carries a marker, and a
// primary release over a row chooses it.
class scobList : public scob {
public:
    static constexpr int maxItems = 10;
    static constexpr int markerSize = 20;

    scobList();

    void setup(int newX, int newY, int newItemHeight, int newWidth, int newTextIndent,
               bool newHasCaption, scobSkin& newSkin);
    void setFont(int newFontHeight, int newFontWidth);
    void setColours(int itemText, int itemFill, int captionText, int captionFill, int hoverText,
                    int hoverFill, int selectedText, int selectedFill);
    void setMarkerBitmapRole(int role) { markerBitmapRole_ = role; }
    // Also makes the caption row shown; the height follows at the next addItem.
    void setCaption(const std::string& text);
    // Ignored once the list holds ten rows.
    void addItem(const std::string& text);
    int selectedIndex() const { return selectedIndex_; }
    // Any value is kept; one outside the rows marks no row as chosen.
    void setSelectedIndex(int i) { selectedIndex_ = i; }

    int itemCount() const { return itemCount_; }
    int hoverIndex() const { return hoverIndex_; }
    bool hasCaption() const { return hasCaption_; }
    // The row at a y relative to the list's top, or -1 for none.
    int rowAt(int relY) const;

    void hover(int relX, int relY) override;
    void leave() override;
    bool release(int relX, int relY) override;
    void press() override;
    void drawFace(DrawContext& dc) override;

private:
    void updateHeight();

    std::array<std::string, maxItems> items_{};
    bool hovered_ = false;
    std::string caption_;
    bool hasCaption_ = false;
    int itemCount_ = 0;
    int itemTextColour_ = 0;
    int itemFillColour_ = 0;
    int fontWidth_ = 0;
    int fontHeight_ = 0;
    int captionTextColour_ = 0;
    int captionFillColour_ = 0;
    int hoverTextColour_ = 0;
    int hoverFillColour_ = 0;
    int selectedTextColour_ = 0;
    int selectedFillColour_ = 0;
    int markerBitmapRole_ = 0;
    int itemHeight_ = 0;
    int textIndent_ = 0;
    int selectedIndex_ = 0;
    int hoverIndex_ = -1;
};

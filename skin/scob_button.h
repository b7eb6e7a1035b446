#pragma once
#include <array>
#include <string>

#include "skin/scob.h"

// Push button: shows the skin bitmap of its state, or a filled box when it has
// no bitmap, with the caption of its state over it. A click completes when the
// primary button goes down and up over it without the pointer leaving between.
class scobButton : public scob {
public:
    static constexpr int captionCount = 10;

    scobButton();

    // Note the order: height before width.
    void setup(int newX, int newY, int newHeight, int newWidth, scobSkin& newSkin,
               int textColourRole, int fillColourRole, int borderColourRole, int newFontHeight,
               int newFontWidth, int newBold);
    // Caption shown in state stateNumber (0 .. 9; other numbers are ignored).
    // State 2 shows the state-1 caption until it is given its own.
    void setCaption(const std::string& text, int stateNumber);
    // Empty for a state outside 0 .. 9.
    const std::string& caption(int stateNumber) const;

    void leave() override;
    bool release(int relX, int relY) override;
    void press() override;
    void drawFace(DrawContext& dc) override;

protected:
    std::array<std::string, captionCount> captions_{};
    int textColour_ = 0;
    int fillColour_ = 0;
    int borderColour_ = 0;
    int fontWidth_ = 0;
    int fontHeight_ = 0;
    int bold_ = 0;
    int textAlign_ = 1;
};

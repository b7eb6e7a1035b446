#pragma once
#include "skin/scob.h"

// A static picture: the skin bitmap of its role, or an outlined box when it has
// none. Not interactive unless made so.
class scobImage : public scob {
public:
    scobImage();

    // Note the order: height before width.
    void setup(int newX, int newY, int newHeight, int newWidth, scobSkin& newSkin,
               int borderColourRole, int newStateCount);

    void drawFace(DrawContext& dc) override;

private:
    int fillColour_ = 0;
    int borderColour_ = 0;
};

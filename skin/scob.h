#pragma once

class DrawContext;
class scobSkin;

// Base of every skin control: a rectangle in the window's client area that
// paints its skin bitmap and then its own face, keeps a visual state and
// answers the mouse events the window forwards to it. Controls never paint when
// their state changes; they set the dirty flag and the window repaints.
//
// The controls are long-lived objects that nothing owns or deletes through a
// base pointer, hence no virtual destructor.
class scob {
public:
    scob() = default;
    scob(const scob&) = delete;
    scob& operator=(const scob&) = delete;

    // Paints the bitmap of (bitmapRole, state), if any, then the face.
    virtual void draw(DrawContext& dc);
    // kind 1 = button down, 2 = button up; button 0 = primary. Returns false
    // when the point is not over the control; for a primary button up over it,
    // whether a click has completed; true otherwise.
    virtual bool mouseButton(int px, int py, int kind, int button);
    // Returns whether the point is over the control.
    virtual bool mouseMove(int px, int py);
    virtual void hover(int relX, int relY);
    virtual void leave();
    virtual bool release(int relX, int relY);
    virtual void secondaryRelease();
    virtual void press();
    virtual void secondaryPress();
    virtual void drawFace(DrawContext& dc);

    // Both the right and the bottom edge count as over the control.
    bool isOver(int px, int py) const;

    void setRect(int newX, int newY, int newWidth, int newHeight);
    void setSkin(scobSkin& newSkin) { skin_ = &newSkin; }
    void setBitmapRole(int role) { bitmapRole_ = role; }
    void setVisible(bool flag);
    bool isVisible() const { return visible_; }
    void setInteractive(bool flag) { interactive_ = flag; }
    bool isInteractive() const { return interactive_; }
    void setDirty(bool flag) { dirty_ = flag; }
    bool isDirty() const { return dirty_; }
    void setState(int n) { state_ = n; }

    int state() const { return state_; }
    int stateCount() const { return stateCount_; }
    int bitmapRole() const { return bitmapRole_; }
    int x() const { return x_; }
    int y() const { return y_; }
    int width() const { return width_; }
    int height() const { return height_; }

protected:
    // Colour of a role in the skin in use; black without a skin.
    int resolveColour(int role) const;
    // Bitmap resource number of (role, state); 0 (none) without a skin.
    int resolveBitmapId(int role, int forState) const;

    scobSkin* skin_ = nullptr;  // not owned; null until setSkin
    int stateCount_ = 1;
    int bitmapRole_ = -1;
    int x_ = 0;
    int y_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool dirty_ = true;
    bool visible_ = false;
    bool interactive_ = false;
    int state_ = 0;
};

#pragma once
#include <memory>

// A picture loaded from the program's resources, released when the object goes
// out of scope.
class Bitmap {
public:
    // What the system keeps for a loaded picture; defined only inside platform/.
    struct Native;

    Bitmap();
    explicit Bitmap(std::unique_ptr<Native> loaded);
    Bitmap(Bitmap&&) noexcept;
    Bitmap& operator=(Bitmap&&) noexcept;
    ~Bitmap();

    // For platform code only, e.g. to draw the picture or hand the icon to the window.
    const Native* native() const { return image.get(); }

private:
    std::unique_ptr<Native> image;
};

// Loads the bitmap resource with this number (101 .. 113, the icon is 109).
// An unknown number or an unreadable resource gives a bitmap that is not loaded;
// drawing it does nothing.
Bitmap loadBitmap(int id);

#pragma once
#include <array>
#include <string>

// Turns the small role numbers that controls hold into colours (0x00BBGGRR) and
// bitmap resource numbers, for the skin in use. Up to ten skins, each with a
// table of 50 colour roles x 50 variants and 50 bitmap roles x 50 states.
// Subclasses fill the tables in loadSkins.
class scobSkin {
public:
    static constexpr int maxSkins = 10;
    static constexpr int roleCount = 50;
    static constexpr int variantCount = 50;

    scobSkin() = default;
    scobSkin(const scobSkin&) = delete;
    scobSkin& operator=(const scobSkin&) = delete;

    virtual void loadSkins() {}

    // Lookups outside the tables (a skin, role or second index out of range)
    // answer 0: black, or no bitmap.
    int colour(int role, int variant) const;
    int bitmapId(int role, int state) const;
    int skinCount() const { return skinCount_; }
    int currentSkin() const { return currentSkin_; }
    // Stored as given; the caller validates it against skinCount.
    void setCurrentSkin(int index) { currentSkin_ = index; }
    // Steps to the next skin, wrapping to 0 after the last one.
    void nextSkin();

protected:
    // Writes outside the tables are ignored.
    void setColour(int skin, int role, int variant, int value);
    void setBitmapId(int skin, int role, int state, int id);
    void setSkinName(int skin, std::string name);
    void setSkinCount(int count) { skinCount_ = count; }

private:
    static int tableIndex(int skin, int role, int second);

    int currentSkin_ = 0;
    std::array<std::string, maxSkins> skinNames_{};
    int skinCount_ = 0;
    std::array<int, maxSkins * roleCount * variantCount> colours_{};
    std::array<int, maxSkins * roleCount * variantCount> bitmapIds_{};
};

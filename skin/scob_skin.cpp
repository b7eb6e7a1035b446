#include "skin/scob_skin.h"

#include <utility>

namespace {
bool within(int value, int limit) { return value >= 0 && value < limit; }
}  // namespace

int scobSkin::tableIndex(int skin, int role, int second)
{
    if (!within(skin, maxSkins) || !within(role, roleCount) || !within(second, variantCount))
        return -1;
    return (skin * roleCount + role) * variantCount + second;
}

int scobSkin::colour(int role, int variant) const
{
    const int i = tableIndex(currentSkin_, role, variant);
    return i < 0 ? 0 : colours_[i];
}

int scobSkin::bitmapId(int role, int state) const
{
    const int i = tableIndex(currentSkin_, role, state);
    return i < 0 ? 0 : bitmapIds_[i];
}

void scobSkin::nextSkin()
{
    // Also brings an out-of-range current skin back to the first one.
    const int next = currentSkin_ + 1;
    currentSkin_ = next >= 0 && next < skinCount_ ? next : 0;
}

void scobSkin::setColour(int skin, int role, int variant, int value)
{
    const int i = tableIndex(skin, role, variant);
    if (i >= 0)
        colours_[i] = value;
}

void scobSkin::setBitmapId(int skin, int role, int state, int id)
{
    const int i = tableIndex(skin, role, state);
    if (i >= 0)
        bitmapIds_[i] = id;
}

void scobSkin::setSkinName(int skin, std::string name)
{
    if (within(skin, maxSkins))
        skinNames_[skin] = std::move(name);
}

#include "calendar/truetype_subset.h"

#include "platform/truetype_face.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace {

void put(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out += static_cast<char>(value >> (8 * i) & 0xFF);
}

void patch(std::string& out, std::size_t at, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * (bytes - 1 - i)) & 0xFF);
}

// Code points that share a standard glyph name: Delta, Omega, mu, space,
// hyphen, Tcommaaccent, tcommaaccent, periodcentered, fraction, macron.
constexpr std::pair<char32_t, char32_t> standardNameTwins[] = {
    {0x0394, 0x2206}, {0x03A9, 0x2126}, {0x03BC, 0x00B5}, {0x0020, 0x00A0}, {0x002D, 0x00AD},
    {0x0162, 0x021A}, {0x0163, 0x021B}, {0x00B7, 0x2219}, {0x2044, 0x2215}, {0x00AF, 0x02C9}};

// Flags of a composite glyph's component record.
constexpr std::uint32_t argumentsAreWords = 0x0001, argumentsAreOffsets = 0x0002, roundToGrid = 0x0004,
                        hasScale = 0x0008, moreComponents = 0x0020, hasXAndYScale = 0x0040, hasTwoByTwo = 0x0080,
                        hasInstructions = 0x0100, useMyMetrics = 0x0200, overlapping = 0x0400,
                        scaledOffset = 0x0800, unscaledOffset = 0x1000;

class FontReader {
public:
    explicit FontReader(const TrueTypeFace& read) : face(read)
    {
        glyphCount = bigEndianAt(face.table("maxp"), 4, 2);
        longOffsets = bigEndianAt(face.table("head"), 50, 2) == 1;
        metricsCount = bigEndianAt(face.table("hhea"), 34, 2);
    }
    bool readable() const
    {
        return glyphCount > 0 && metricsCount > 0 && face.table("head").size() >= 54 &&
               face.table("hhea").size() >= 36 && face.table("hmtx").size() >= 4 * metricsCount &&
               face.table("loca").size() >= (longOffsets ? 4u : 2u) * (glyphCount + 1) && !face.table("glyf").empty();
    }
    // Empty for a glyph the font does not have.
    std::string_view glyph(std::uint32_t g) const
    {
        if (g >= glyphCount)
            return {};
        const std::string_view loca = face.table("loca");
        const std::uint32_t start = longOffsets ? bigEndianAt(loca, 4 * g, 4) : 2 * bigEndianAt(loca, 2 * g, 2);
        const std::uint32_t end = longOffsets ? bigEndianAt(loca, 4 * g + 4, 4) : 2 * bigEndianAt(loca, 2 * g + 2, 2);
        const std::string_view glyf = face.table("glyf");
        if (end <= start || end > glyf.size())
            return {};
        return glyf.substr(start, end - start);
    }
    // Advance width and left side bearing.
    std::array<std::uint32_t, 2> metrics(std::uint32_t g) const
    {
        const std::string_view hmtx = face.table("hmtx");
        const std::uint32_t advance = bigEndianAt(hmtx, 4 * std::min(g, metricsCount - 1), 2);
        const std::uint32_t bearing = g < metricsCount ? bigEndianAt(hmtx, 4 * g + 2, 2)
                                                       : bigEndianAt(hmtx, 4 * metricsCount + 2 * (g - metricsCount), 2);
        return {advance, bearing};
    }

    const TrueTypeFace& face;
    std::uint32_t glyphCount = 0;
    std::uint32_t metricsCount = 0;
    bool longOffsets = false;
};

// How deep composites are followed, and how many components are looked at
// for one font: a damaged or hostile font may loop or branch without end.
constexpr int deepestComponent = 8;
constexpr std::size_t componentBudget = 1 << 16;

bool isComposite(std::string_view glyph)
{
    return glyph.size() >= 10 && static_cast<std::int16_t>(bigEndianAt(glyph, 0, 2)) < 0;
}

// A component's transform and offset: x' = xx x + xy y + dx, y' = yx x + yy y + dy.
struct Placement {
    double xx = 1, yx = 0, xy = 0, yy = 1, dx = 0, dy = 0;

    std::array<double, 2> apply(double x, double y) const { return {xx * x + xy * y + dx, yx * x + yy * y + dy}; }
    // This placement after `inner`.
    Placement after(const Placement& inner) const
    {
        const auto [x, y] = apply(inner.dx, inner.dy);
        return {xx * inner.xx + xy * inner.yx, yx * inner.xx + yy * inner.yx,
                xx * inner.xy + xy * inner.yy, yx * inner.xy + yy * inner.yy, x, y};
    }
};

struct Component {
    std::uint32_t flags = 0;
    std::uint32_t glyph = 0;
    // The offset in dx, dy (argumentsAreOffsets), else the two point numbers
    // matched: a point of the glyph so far and one of the component.
    Placement placement;
    std::array<std::uint32_t, 2> points{};
};

struct CompositeGlyph {
    std::vector<Component> components;
    std::string_view instructions;  // their length and the hinting program, after the last component
};

// The components of a composite glyph; nothing when a record runs past the
// glyph's data.
std::optional<CompositeGlyph> readComposite(std::string_view glyph)
{
    CompositeGlyph composite;
    std::size_t at = 10;
    for (std::uint32_t flags = moreComponents; flags & moreComponents;) {
        Component c;
        c.flags = flags = bigEndianAt(glyph, at, 2);
        c.glyph = bigEndianAt(glyph, at + 2, 2);
        const int size = flags & argumentsAreWords ? 2 : 1;
        c.points = {bigEndianAt(glyph, at + 4, size), bigEndianAt(glyph, at + 4 + size, size)};
        at += 4 + 2 * size;
        const auto f2dot14 = [&] { return static_cast<std::int16_t>(bigEndianAt(glyph, (at += 2) - 2, 2)) / 16384.0; };
        Placement& p = c.placement;
        if (flags & hasScale)
            p.xx = p.yy = f2dot14();
        else if (flags & hasXAndYScale)
            p.xx = f2dot14(), p.yy = f2dot14();
        else if (flags & hasTwoByTwo)
            p.xx = f2dot14(), p.yx = f2dot14(), p.xy = f2dot14(), p.yy = f2dot14();
        if (at > glyph.size())
            return std::nullopt;
        if (flags & argumentsAreOffsets) {
            const auto offset = [size](std::uint32_t value) -> double {
                return size == 1 ? static_cast<std::int8_t>(value) : static_cast<std::int16_t>(value);
            };
            p.dx = offset(c.points[0]);
            p.dy = offset(c.points[1]);
            // A 'scaled' offset is moved by the transform too; it is kept as
            // the offset it comes to, which is not.
            if ((flags & scaledOffset) && !(flags & unscaledOffset)) {
                const auto [x, y] = Placement{p.xx, p.yx, p.xy, p.yy}.apply(p.dx, p.dy);
                p.dx = x, p.dy = y;
                c.flags = (flags & ~scaledOffset) | unscaledOffset;
            }
        }
        composite.components.push_back(c);
        if (!(flags & moreComponents) && (flags & hasInstructions)) {
            const std::size_t length = 2 + bigEndianAt(glyph, at, 2);
            if (at + length > glyph.size())
                return std::nullopt;
            composite.instructions = glyph.substr(at, length);
        }
    }
    return composite;
}

// The components of `components` with every one that is itself a composite
// replaced by its own components, placed where it puts them, so that no
// component is a composite: the PDF library keeps the outlines of the glyphs
// a page draws and of their components, but not of components of components.
// Nothing when that cannot be written with offsets (a component placed by
// matching points, a glyph nested too deep).
std::optional<std::vector<Component>> flattened(const std::vector<Component>& components, const FontReader& font,
                                                int depth, std::size_t& budget)
{
    std::vector<Component> flat;
    for (const Component& outer : components) {
        if (budget == 0)
            return std::nullopt;
        --budget;
        const std::string_view data = font.glyph(outer.glyph);
        if (!isComposite(data)) {
            flat.push_back(outer);
            continue;
        }
        const auto inner = readComposite(data);
        if (!inner || depth == deepestComponent || !(outer.flags & argumentsAreOffsets))
            return std::nullopt;
        const auto parts = flattened(inner->components, font, depth + 1, budget);
        if (!parts)
            return std::nullopt;
        for (Component part : *parts) {
            if (!(part.flags & argumentsAreOffsets))
                return std::nullopt;
            // The composite's own metrics come from a part only if they came
            // from that composite; only the first component tells of overlaps.
            part.flags = (part.flags & ~(useMyMetrics | overlapping)) | (outer.flags & part.flags & useMyMetrics) |
                         (outer.flags & (roundToGrid | unscaledOffset)) |
                         (flat.empty() ? outer.flags & overlapping : 0);
            part.placement = outer.placement.after(part.placement);
            flat.push_back(part);
        }
    }
    return flat;
}

// A composite glyph's record with these components, the glyph's own box and
// hinting program, and the glyphs renumbered; nothing when a transform or an
// offset is beyond what a record can hold.
std::optional<std::string> compositeRecord(std::string_view box, const std::vector<Component>& components,
                                           std::string_view instructions,
                                           const std::map<std::uint32_t, std::uint32_t>& renumbered)
{
    std::string out(box);
    for (std::size_t i = 0; i < components.size(); ++i) {
        const Component& c = components[i];
        const Placement& p = c.placement;
        const bool offsets = c.flags & argumentsAreOffsets;
        const std::array<double, 2> arguments = offsets ? std::array{std::round(p.dx), std::round(p.dy)}
                                                        : std::array{double(c.points[0]), double(c.points[1])};
        const double lowest = offsets ? -128 : 0, highest = offsets ? 127 : 255;
        const bool bytes = std::ranges::all_of(arguments, [&](double a) { return a >= lowest && a <= highest; });
        std::uint32_t flags =
            c.flags & (argumentsAreOffsets | roundToGrid | useMyMetrics | overlapping | unscaledOffset);
        const auto units = [](double value) { return std::round(value * 16384); };  // F2Dot14
        const double xx = units(p.xx), yx = units(p.yx), xy = units(p.xy), yy = units(p.yy);
        std::vector<double> transform;
        if (yx != 0 || xy != 0)
            flags |= hasTwoByTwo, transform = {xx, yx, xy, yy};
        else if (xx != yy)
            flags |= hasXAndYScale, transform = {xx, yy};
        else if (xx != 16384)
            flags |= hasScale, transform = {xx};
        flags |= (bytes ? 0 : argumentsAreWords) | (i + 1 < components.size() ? moreComponents : 0) |
                 (i + 1 == components.size() && !instructions.empty() ? hasInstructions : 0);
        put(out, flags, 2);
        const auto found = renumbered.find(c.glyph);
        put(out, found == renumbered.end() ? 0 : found->second, 2);
        for (double argument : arguments) {
            if (offsets && (argument < -32768 || argument > 32767))
                return std::nullopt;
            put(out, static_cast<std::uint32_t>(static_cast<std::int32_t>(argument)), bytes ? 1 : 2);
        }
        for (double value : transform) {
            if (value < -32768 || value > 32767)
                return std::nullopt;
            put(out, static_cast<std::uint32_t>(static_cast<std::int32_t>(value)), 2);
        }
    }
    return out + std::string(instructions);
}

// A glyph's outline with every component placed, in the glyph's own units.
struct Outline {
    std::vector<std::array<double, 2>> points;
    std::vector<bool> onCurve;
    std::vector<std::uint32_t> ends;  // the last point of each contour
};

// The outline of a glyph made of points; nothing when its contours do not
// add up.
std::optional<Outline> simpleOutline(std::string_view glyph)
{
    Outline outline;
    const std::size_t contours = bigEndianAt(glyph, 0, 2);
    for (std::size_t i = 0; i < contours; ++i) {
        outline.ends.push_back(bigEndianAt(glyph, 10 + 2 * i, 2));
        if (i > 0 && outline.ends[i] <= outline.ends[i - 1])
            return std::nullopt;
    }
    const std::size_t count = contours == 0 ? 0 : outline.ends.back() + 1;
    std::size_t at = 12 + 2 * contours + bigEndianAt(glyph, 10 + 2 * contours, 2);
    std::vector<std::uint32_t> flags;
    while (flags.size() < count) {
        const std::uint32_t flag = bigEndianAt(glyph, at++, 1);
        const std::uint32_t repeats = flag & 0x08 ? bigEndianAt(glyph, at++, 1) : 0;
        flags.insert(flags.end(), std::min<std::size_t>(repeats + 1, count - flags.size()), flag);
    }
    outline.points.resize(count);
    // x, then y: a byte with its sign in the flags, the same as the point
    // before, or a signed word.
    for (int axis = 0; axis < 2; ++axis) {
        const std::uint32_t isByte = axis == 0 ? 0x02 : 0x04, sameOrPositive = axis == 0 ? 0x10 : 0x20;
        double position = 0;
        for (std::size_t i = 0; i < count; ++i) {
            if (flags[i] & isByte)
                position += (flags[i] & sameOrPositive ? 1.0 : -1.0) * bigEndianAt(glyph, at++, 1);
            else if (!(flags[i] & sameOrPositive))
                position += static_cast<std::int16_t>(bigEndianAt(glyph, (at += 2) - 2, 2));
            outline.points[i][axis] = position;
        }
    }
    for (std::uint32_t flag : flags)
        outline.onCurve.push_back(flag & 0x01);
    if (at > glyph.size())
        return std::nullopt;
    return outline;
}

// The outline of glyph `g`, its components placed as the renderer places
// them; nothing when a component cannot be placed.
std::optional<Outline> outlineOf(std::uint32_t g, const FontReader& font, int depth, std::size_t& budget)
{
    const std::string_view data = font.glyph(g);
    if (data.size() < 10)
        return Outline{};
    if (!isComposite(data))
        return simpleOutline(data);
    const auto composite = readComposite(data);
    if (!composite || depth == deepestComponent)
        return std::nullopt;
    Outline outline;
    for (const Component& c : composite->components) {
        if (budget == 0)
            return std::nullopt;
        --budget;
        std::optional<Outline> part = outlineOf(c.glyph, font, depth + 1, budget);
        if (!part)
            return std::nullopt;
        Placement p = c.placement;
        if (!(c.flags & argumentsAreOffsets)) {
            // The offset that puts the component's point on the glyph's.
            if (c.points[0] >= outline.points.size() || c.points[1] >= part->points.size())
                return std::nullopt;
            const auto& [px, py] = part->points[c.points[1]];
            const auto [x, y] = Placement{p.xx, p.yx, p.xy, p.yy}.apply(px, py);
            p.dx = outline.points[c.points[0]][0] - x;
            p.dy = outline.points[c.points[0]][1] - y;
        }
        for (std::uint32_t end : part->ends)
            outline.ends.push_back(end + static_cast<std::uint32_t>(outline.points.size()));
        for (const auto& [x, y] : part->points)
            outline.points.push_back(p.apply(x, y));
        outline.onCurve.insert(outline.onCurve.end(), part->onCurve.begin(), part->onCurve.end());
        if (outline.points.size() > 0xFFFF)
            return std::nullopt;
    }
    return outline;
}

// A glyph record of points alone (no hinting program) for an outline.
std::string simpleRecord(const Outline& outline)
{
    if (outline.points.empty() || outline.ends.size() > 0x7FFF)
        return {};
    // Within these bounds every step between two points fits a word.
    std::vector<std::array<std::int32_t, 2>> points;
    std::array<std::int32_t, 4> box{16383, 16383, -16384, -16384};
    for (const auto& [x, y] : outline.points) {
        points.push_back({static_cast<std::int32_t>(std::clamp(std::round(x), -16384.0, 16383.0)),
                          static_cast<std::int32_t>(std::clamp(std::round(y), -16384.0, 16383.0))});
        box = {std::min(box[0], points.back()[0]), std::min(box[1], points.back()[1]),
               std::max(box[2], points.back()[0]), std::max(box[3], points.back()[1])};
    }
    std::string out;
    put(out, static_cast<std::uint32_t>(outline.ends.size()), 2);
    for (std::int32_t edge : box)
        put(out, static_cast<std::uint32_t>(edge), 2);
    for (std::uint32_t end : outline.ends)
        put(out, end, 2);
    put(out, 0, 2);
    for (bool on : outline.onCurve)
        put(out, on ? 1 : 0, 1);
    for (int axis = 0; axis < 2; ++axis)
        for (std::size_t i = 0; i < points.size(); ++i)
            put(out, static_cast<std::uint32_t>(points[i][axis] - (i == 0 ? 0 : points[i - 1][axis])), 2);
    return out;
}

// Format 4 under platform 3 encoding 1, the map the PDF library reads: one
// segment for each run of consecutive characters with consecutive glyphs
// (the library searches the segments one by one for every code it maps).
std::string characterMap(const std::map<char32_t, std::uint32_t>& glyphs)
{
    struct Segment {
        char32_t first, last;
        std::uint32_t glyph;
    };
    std::vector<Segment> segments;
    for (const auto& [c, g] : glyphs) {
        if (!segments.empty() && segments.back().last + 1 == c && segments.back().glyph + (c - segments.back().first) == g)
            segments.back().last = c;
        else
            segments.push_back({c, c, g});
    }
    segments.push_back({0xFFFF, 0xFFFF, 0});
    const std::size_t count = segments.size();
    std::string map;
    put(map, 0, 2);
    put(map, 1, 2);
    put(map, 3, 2);
    put(map, 1, 2);
    put(map, 12, 4);
    std::size_t power = 1, log = 0;
    while (power * 2 <= count)
        power *= 2, ++log;
    put(map, 4, 2);
    put(map, static_cast<std::uint32_t>(16 + 8 * count), 2);
    put(map, 0, 2);
    put(map, static_cast<std::uint32_t>(2 * count), 2);
    put(map, static_cast<std::uint32_t>(2 * power), 2);
    put(map, static_cast<std::uint32_t>(log), 2);
    put(map, static_cast<std::uint32_t>(2 * count - 2 * power), 2);
    for (const Segment& segment : segments)
        put(map, segment.last, 2);
    put(map, 0, 2);
    for (const Segment& segment : segments)
        put(map, segment.first, 2);
    for (const Segment& segment : segments)
        put(map, (segment.glyph - segment.first) & 0xFFFF, 2);
    for (std::size_t s = 0; s < count; ++s)
        put(map, 0, 2);
    return map;
}

// The family, style, full and PostScript names (the last is what the PDF
// calls the font); copyright, licence and description texts, often the
// largest part of a small font, are left out.
std::string names(std::string_view table)
{
    const std::uint32_t count = bigEndianAt(table, 2, 2);
    const std::size_t strings = bigEndianAt(table, 4, 2);
    std::string records, text;
    std::uint32_t kept = 0;
    for (std::uint32_t r = 0; r < count; ++r) {
        const std::size_t record = 6 + 12 * static_cast<std::size_t>(r);
        const std::uint32_t id = bigEndianAt(table, record + 6, 2);
        const std::uint32_t length = bigEndianAt(table, record + 8, 2);
        const std::size_t at = strings + bigEndianAt(table, record + 10, 2);
        if (record + 12 > table.size() || (id != 1 && id != 2 && id != 4 && id != 6) || at + length > table.size())
            continue;
        records += table.substr(record, 8);
        put(records, length, 2);
        put(records, static_cast<std::uint32_t>(text.size()), 2);
        text += table.substr(at, length);
        ++kept;
    }
    std::string out;
    put(out, 0, 2);
    put(out, kept, 2);
    put(out, 6 + 12 * kept, 2);
    return out + records + text;
}

std::uint32_t checksum(const std::string& table)
{
    std::uint32_t sum = 0;
    for (std::size_t at = 0; at < table.size(); ++at)
        sum += static_cast<std::uint32_t>(static_cast<unsigned char>(table[at])) << (24 - 8 * (at % 4));
    return sum;
}

std::string fontFile(const std::map<std::string, std::string>& tables)
{
    std::string out;
    const auto count = static_cast<std::uint32_t>(tables.size());
    std::uint32_t power = 1, log = 0;
    while (power * 2 <= count)
        power *= 2, ++log;
    put(out, 0x00010000, 4);
    put(out, count, 2);
    put(out, 16 * power, 2);
    put(out, log, 2);
    put(out, 16 * count - 16 * power, 2);
    std::size_t offset = 12 + 16 * tables.size();
    for (const auto& [tag, data] : tables) {
        out += tag;
        put(out, checksum(data), 4);
        put(out, static_cast<std::uint32_t>(offset), 4);
        put(out, static_cast<std::uint32_t>(data.size()), 4);
        offset += (data.size() + 3) / 4 * 4;
    }
    for (const auto& [tag, data] : tables) {
        out += data;
        out.append((4 - data.size() % 4) % 4, '\0');
    }
    return out;
}

// Raises a 'maxp' field, a big-endian word at `at`, to `value`; renderers
// size their work space for a glyph by these.
void raise(std::string& maxp, std::size_t at, std::size_t value)
{
    if (maxp.size() >= at + 2 && bigEndianAt(maxp, at, 2) < value)
        patch(maxp, at, static_cast<std::uint32_t>(std::min<std::size_t>(value, 0xFFFF)), 2);
}

// The record of glyph `g` for the cut-down font: a composite with no
// composite among its components, or, where its components cannot be
// written that way, its outline as a glyph of points; a damaged one draws
// nothing.
std::string glyphRecord(const FontReader& font, std::uint32_t g,
                        const std::map<std::uint32_t, std::uint32_t>& renumbered, std::size_t& budget, std::string& maxp)
{
    const std::string_view data = font.glyph(g);
    if (!isComposite(data))
        return std::string(data);
    const auto composite = readComposite(data);
    if (!composite)
        return {};
    if (const auto components = flattened(composite->components, font, 1, budget)) {
        if (auto record = compositeRecord(data.substr(0, 10), *components, composite->instructions, renumbered)) {
            raise(maxp, 28, components->size());  // maxComponentElements
            return *record;
        }
    }
    const auto outline = outlineOf(g, font, 0, budget);
    if (!outline)
        return {};
    raise(maxp, 6, outline->points.size());  // maxPoints
    raise(maxp, 8, outline->ends.size());    // maxContours
    return simpleRecord(*outline);
}

}  // namespace

std::optional<std::string> subsetTrueType(std::string_view file, int index, const std::u32string& characters)
{
    const std::optional<TrueTypeFace> face = TrueTypeFace::read(file, index);
    if (!face)
        return std::nullopt;
    const FontReader font(*face);
    if (!font.readable() || face->table("OS/2").empty() || face->table("name").empty())
        return std::nullopt;

    // The glyphs kept: glyph 0, those of the characters, and every component
    // of a composite glyph among them, however deep.
    std::set<std::uint32_t> kept{0};
    std::vector<std::uint32_t> pending;
    for (char32_t c : characters)
        if (const std::uint32_t g = face->glyphFor(c); c <= 0xFFFF && g != 0 && g < font.glyphCount)
            pending.push_back(g);
    while (!pending.empty()) {
        const std::uint32_t g = pending.back();
        pending.pop_back();
        if (!kept.insert(g).second)
            continue;
        if (const std::string_view data = font.glyph(g); isComposite(data))
            if (const auto composite = readComposite(data))
                for (const Component& c : composite->components)
                    if (c.glyph < font.glyphCount && !kept.count(c.glyph))
                        pending.push_back(c.glyph);
    }
    std::map<std::uint32_t, std::uint32_t> renumbered;
    for (std::uint32_t g : kept)
        renumbered.emplace(g, static_cast<std::uint32_t>(renumbered.size()));

    std::map<std::string, std::string> tables;
    std::string& glyf = tables["glyf"];
    std::string& loca = tables["loca"];
    std::string& hmtx = tables["hmtx"];
    std::string maxp(face->table("maxp"));
    std::size_t budget = componentBudget;
    for (const auto& [old, now] : renumbered) {
        put(loca, static_cast<std::uint32_t>(glyf.size()), 4);
        const std::string data = glyphRecord(font, old, renumbered, budget, maxp);
        glyf += data;
        glyf.append((4 - glyf.size() % 4) % 4, '\0');
        const auto [advance, bearing] = font.metrics(old);
        put(hmtx, advance, 2);
        put(hmtx, bearing, 2);
    }
    put(loca, static_cast<std::uint32_t>(glyf.size()), 4);
    const auto count = static_cast<std::uint32_t>(renumbered.size());

    tables["head"] = face->table("head").substr(0, 54);
    patch(tables["head"], 8, 0, 4);   // checksum adjustment, not kept up to date
    patch(tables["head"], 50, 1, 2);  // long offsets in loca
    tables["hhea"] = face->table("hhea").substr(0, 36);
    patch(tables["hhea"], 34, count, 2);
    tables["maxp"] = maxp;
    patch(tables["maxp"], 4, count, 2);
    if (const std::string_view post = face->table("post"); post.size() >= 32) {
        tables["post"] = post.substr(0, 32);
        patch(tables["post"], 0, 0x00030000, 4);  // no glyph names
    }
    std::map<char32_t, std::uint32_t> characterGlyphs;
    for (char32_t c : characters)
        if (const std::uint32_t g = face->glyphFor(c); c < 0xFFFF && g != 0 && renumbered.count(g))
            characterGlyphs.emplace(c, renumbered[g]);
    // A page in a single-byte encoding is read through glyph names, and a
    // few names stand for two code points; a viewer may look up either.
    for (const auto& [one, other] : standardNameTwins) {
        if (characterGlyphs.count(one) && !characterGlyphs.count(other))
            characterGlyphs.emplace(other, characterGlyphs[one]);
        else if (characterGlyphs.count(other) && !characterGlyphs.count(one))
            characterGlyphs.emplace(one, characterGlyphs[other]);
    }
    tables["cmap"] = characterMap(characterGlyphs);
    tables["name"] = names(face->table("name"));
    for (const char* tag : {"OS/2", "cvt ", "fpgm", "prep"})
        if (const std::string_view data = face->table(tag); !data.empty())
            tables[tag] = data;
    return fontFile(tables);
}

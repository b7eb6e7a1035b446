#include "calendar/page_font.h"

#include "calendar/text_encoding.h"
#include "calendar/truetype_subset.h"

#include <fstream>
#include <iterator>

namespace {

constexpr const char* singleByteEncodings[] = {
    "ISO8859-2", "CP1251",     "ISO8859-7",  "CP1250",     "CP1253",     "CP1254",    "CP1257",    "ISO8859-3",
    "ISO8859-4", "ISO8859-5",  "ISO8859-9",  "ISO8859-10", "ISO8859-13", "ISO8859-14", "ISO8859-15", "ISO8859-16",
    "KOI8-R"};

// Font files larger than this are not read into memory: the largest system
// fonts with every CJK glyph are a few tens of megabytes.
constexpr std::streamoff largestFontFile = 64 << 20;

std::optional<std::string> readFontFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        return std::nullopt;
    const std::streamoff size = file.tellg();
    if (size <= 0 || size > largestFontFile)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    file.seekg(0);
    if (!file.read(bytes.data(), size))
        return std::nullopt;
    return bytes;
}

}  // namespace

std::string SingleByteEncoding::encode(const std::string& utf8) const
{
    std::string bytes;
    for (char32_t c : decodeUtf8(utf8).value_or(std::u32string{})) {
        const auto found = codes.find(c);
        bytes += found == codes.end() ? '?' : found->second;
    }
    return bytes;
}

SingleByteEncoding singleByteEncodingFor(HPDF_Doc document, const std::u32string& characters)
{
    for (const char* name : singleByteEncodings) {
        const HPDF_Encoder encoder = HPDF_GetEncoder(document, name);
        if (!encoder)
            return {};
        SingleByteEncoding encoding{name, {}};
        for (unsigned code = 0x20; code <= 0xFF; ++code)
            if (const HPDF_UNICODE c = HPDF_Encoder_GetUnicode(encoder, static_cast<HPDF_UINT16>(code)); c != 0)
                encoding.codes.emplace(c, static_cast<char>(code));
        bool complete = true;
        for (char32_t c : characters)
            complete = complete && encoding.codes.count(c) != 0;
        if (complete)
            return encoding;
    }
    return {};
}

const char* loadEmbeddedFont(HPDF_Doc document, ScratchFile& fontFile, const std::string& path, int index,
                             const std::u32string& characters)
{
    if (const auto file = readFontFile(path))
        if (const auto subset = subsetTrueType(*file, index, characters))
            if (fontFile = ScratchFile::holding(*subset); fontFile.held())
                return HPDF_LoadTTFontFromFile(document, fontFile.path().c_str(), HPDF_TRUE);
    // Collections hold several faces and are read with the face's index.
    return path.ends_with(".ttc") || path.ends_with(".TTC")
               ? HPDF_LoadTTFontFromFile2(document, path.c_str(), static_cast<HPDF_UINT>(index), HPDF_TRUE)
               : HPDF_LoadTTFontFromFile(document, path.c_str(), HPDF_TRUE);
}

#pragma once
#include <hpdf.h>
#include <map>
#include <string>

#include "platform/scratch_file.h"

// A code page of the PDF library in which an embedded TrueType font can show
// a page's text one byte per character.
struct SingleByteEncoding {
    const char* name = nullptr;         // the library's name, e.g. "ISO8859-2"
    std::map<char32_t, char> codes;     // the byte of every character it has

    bool empty() const { return name == nullptr; }
    // UTF-8 text in this code page; characters it lacks become '?'.
    std::string encode(const std::string& utf8) const;
};

// The first of the library's single-byte code pages (ISO8859-2 for Central
// European, CP1251 for Cyrillic, ISO8859-7 for Greek, then the others) that
// has every character; empty when none has them all.
SingleByteEncoding singleByteEncodingFor(HPDF_Doc document, const std::u32string& characters);

// Loads the face `index` of the TrueType file `path` into the document for
// embedding, cut down to the glyphs of `characters`. The library reads the
// cut-down font from `fontFile`, a scratch file that has to outlive the
// document. A font file that cannot be cut down, or a cut-down font without a
// scratch file, is loaded from `path` whole by the library, which reports
// what it cannot read. Returns the font's name, or nullptr after a library
// error.
const char* loadEmbeddedFont(HPDF_Doc document, ScratchFile& fontFile, const std::string& path, int index,
                             const std::u32string& characters);

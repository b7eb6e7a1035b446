#pragma once
#include <string>
#include <string_view>

// UTF-8 text in the order its characters are drawn from left to right: runs of
// right-to-left script (Hebrew, Arabic, Persian) reversed by the Unicode
// bidirectional algorithm, with the paragraph direction taken from the first
// strong letter, Arabic letters replaced by their joined presentation forms,
// and the invisible direction marks taken out. Text with nothing right to left
// in it, and malformed UTF-8, is returned byte for byte.
std::string visualOrder(std::string_view text);

// UTF-8 text as the overlay's 8-bit font needs it.
#pragma once

#include <string>

// The text as codes of the overlay font (Latin-1): a UTF-8 character the font lacks becomes '?'.
// Text that is not UTF-8 (an old Latin-1 file name) keeps its bytes.
std::string fontCodes(const std::string& text);

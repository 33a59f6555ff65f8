// The UTF-8 check that the portable text code and the backends share.
#pragma once

#include <cstddef>
#include <string>

// Length of the UTF-8 sequence at text[at], or 0 when it is not well formed.
std::size_t utf8SequenceAt(const std::string& text, std::size_t at);

bool isUtf8(const std::string& text);

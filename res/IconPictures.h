// The application icon, drawn in code so that the Windows icon resource and the X11
// window icon come from the same pictures.
#pragma once

#include <cstdint>
#include <vector>

// Sizes the icon is made in: 16, 32 and 48 pixels square.
extern const int iconSizes[3];

// One size x size picture, rows top to bottom, each pixel 0xAARRGGBB.
std::vector<std::uint32_t> iconPicture(int size);

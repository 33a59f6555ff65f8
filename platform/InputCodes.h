// Key and mouse-button codes as the window backends deliver them (Windows virtual keys and MK_ flags).
#pragma once

namespace keys {
constexpr unsigned space = 0x20;
constexpr unsigned left = 0x25;
constexpr unsigned up = 0x26;
constexpr unsigned right = 0x27;
constexpr unsigned down = 0x28;
constexpr unsigned a = 0x41;
constexpr unsigned d = 0x44;
constexpr unsigned h = 0x48;
constexpr unsigned o = 0x4F;
constexpr unsigned s = 0x53;
constexpr unsigned w = 0x57;
constexpr unsigned f1 = 0x70;
}  // namespace keys

namespace mouseFlags {
constexpr unsigned left = 0x01;
constexpr unsigned right = 0x02;
constexpr unsigned shift = 0x04;
constexpr unsigned control = 0x08;
constexpr unsigned middle = 0x10;
}  // namespace mouseFlags

// Reads a property of the main window back from the X server, as other clients see it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct WindowProperty {
  std::string type;                  // the property's type atom by name; empty when it is not set
  std::string bytes;                 // format-8 data
  std::vector<std::uint32_t> items;  // format-32 data
};

WindowProperty readWindowProperty(const char* name);

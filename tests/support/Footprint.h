// What a process holds that a leak would grow: resident memory and display lists.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <set>

// Bytes in RAM as the operating system counts them, or -1 when the system does not tell.
std::int64_t residentBytes();

// Display-list names in use among 1 .. upTo.
inline std::set<GLuint> liveLists(GLuint upTo = 4096) {
  std::set<GLuint> live;
  for (GLuint name = 1; name <= upTo; ++name)
    if (glIsList(name)) live.insert(name);
  return live;
}

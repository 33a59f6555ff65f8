// Display-list names in use among 1 .. upTo: a leak of lists grows them.
#pragma once

#include <GL/gl.h>

#include <set>

inline std::set<GLuint> liveLists(GLuint upTo = 4096) {
  std::set<GLuint> live;
  for (GLuint name = 1; name <= upTo; ++name)
    if (glIsList(name)) live.insert(name);
  return live;
}

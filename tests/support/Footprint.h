// Display-list names in use: a leak of lists grows them.
#pragma once

#include <GL/gl.h>

#include <set>

// NOTE: Mesa hands out names above the highest ever used, so a fresh one bounds the search.
inline std::set<GLuint> liveLists() {
  const GLuint next = glGenLists(1);
  glDeleteLists(next, 1);
  std::set<GLuint> live;
  for (GLuint name = 1; name < next; ++name)
    if (glIsList(name)) live.insert(name);
  return live;
}

#include "mesh/SmxModel.h"

#include <GL/gl.h>

#include <cstdio>

#include "mesh/SmxFormat.h"
#include "mesh/SmxReader.h"

namespace {

// The ground plane lies below every track, reaches further in +y than in +x, and
// its corners run counter-clockwise seen from +z so that it is seen from above only.
constexpr GLint groundZ = -500000;
constexpr GLint groundCorners[4][2] = {
    {-100000000, -100000000},
    {100000000, -100000000},
    {100000000, 120000000},
    {-100000000, 120000000},
};

constexpr GLfloat axisLength = 100000000.0f;
constexpr GLfloat axisLineWidth = 2.0f;

void compileGround(const unsigned char* header) {
  glBegin(GL_QUADS);
  glColor3ub(header[smx::groundRedAt], header[smx::groundGreenAt], header[smx::groundBlueAt]);
  for (const auto& corner : groundCorners) glVertex3i(corner[0], corner[1], groundZ);
  glEnd();
}

void emitCorner(const unsigned char* point) {
  glColor4ub(point[smx::pointRedAt], point[smx::pointGreenAt], point[smx::pointBlueAt], 255);
  glVertex3i(smx::getInt32(point + smx::pointXAt), smx::getInt32(point + smx::pointYAt),
             smx::getInt32(point + smx::pointZAt));
}

// One primitive block holds the triangles of every object; a file that ends early
// keeps the whole triangles read before the end.
void compileTriangles(SmxReader& reader) {
  glBegin(GL_TRIANGLES);
  while (reader.nextObject()) {
    while (reader.nextTriangle()) {
      emitCorner(reader.corner(0));
      emitCorner(reader.corner(1));
      emitCorner(reader.corner(2));
    }
  }
  glEnd();
}

}  // namespace

SmxModel::~SmxModel() { unload(); }

bool SmxModel::load(const std::string& path) {
  // The old list goes first, so a file that cannot be opened leaves nothing loaded.
  unload();
  filePath = path;
  std::FILE* file = SmxReader::open(filePath.c_str());
  if (!file) return false;

  SmxReader reader(file, SmxReader::sizeOf(file));
  // A file that ends inside its header has no ground colour: its list stays empty.
  const bool headerRead = reader.readHeader(header);
  displayList = glGenLists(1);
  glNewList(displayList, GL_COMPILE);
  if (headerRead) {
    compileGround(header);
    compileTriangles(reader);
  }
  glEndList();
  std::fclose(file);
  loaded = true;
  return true;
}

void SmxModel::unload() {
  if (!loaded) return;
  glDeleteLists(displayList, 1);
  filePath.clear();
  loaded = false;
}

void SmxModel::draw() const {
  if (!loaded) return;
  glCallList(displayList);
  if (!axesShown) return;
  // The width is left set: the overlay sets its own before it draws lines.
  glLineWidth(axisLineWidth);
  glBegin(GL_LINES);
  glColor3f(1, 0, 0);
  glVertex3f(0, 0, 0);
  glVertex3f(axisLength, 0, 0);
  glColor3f(0, 1, 0);
  glVertex3f(0, 0, 0);
  glVertex3f(0, axisLength, 0);
  // The z axis is half as long as the other two.
  glColor3f(0, 0, 1);
  glVertex3f(0, 0, 0);
  glVertex3f(0, 0, axisLength / 2);
  glEnd();
}

void SmxModel::startView(int& x, int& y, int& z) const {
  x = 0;
  y = 0;
  z = -10000;
}

bool SmxModel::isLoaded() const { return loaded; }
bool SmxModel::showAxes() const { return axesShown; }
void SmxModel::setShowAxes(bool on) { axesShown = on; }
std::string SmxModel::path() const { return filePath; }

#include "mesh/SmxModel.h"

#include <GL/gl.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <limits>

#include "mesh/LoadProgress.h"
#include "mesh/PieceCornersBuilder.h"
#include "mesh/SmxDefect.h"
#include "mesh/SmxFormat.h"
#include "mesh/SmxReader.h"
#include "platform/Platform.h"
#include "render/ClipMatrix.h"
#include "render/SoftwareRenderer.h"
#include "render/SubpixelCull.h"

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

// How far short of the far plane every point of the ground must lie, as a share of its w, for none of its
// pixels to get the far plane's depth: the renderer's floats are off by some 1e-7 there, a hundredth of this.
constexpr double farPlaneRoom = 1e-5;

// Whether every corner of the ground, and so every point of it, lies in front of the eye and short of the
// far plane: w > 0 and z <= (1 - room) w are both linear in the point.
bool groundClearOfFarPlane(const ClipMatrix& matrix) {
  const auto& m = matrix.value;
  for (const auto& corner : groundCorners) {
    const double z = m[2][0] * corner[0] + m[2][1] * corner[1] + m[2][2] * groundZ + m[2][3];
    const double w = m[3][0] * corner[0] + m[3][1] * corner[1] + m[3][2] * groundZ + m[3][3];
    if (!(w > 0 && z <= (1 - farPlaneRoom) * w)) return false;
  }
  return true;
}

constexpr GLfloat axisLength = 100000000.0f;
constexpr GLfloat axisLineWidth = 2.0f;

void compileGround(const unsigned char* header) {
  glBegin(GL_QUADS);
  glColor3ub(header[smx::groundRedAt], header[smx::groundGreenAt], header[smx::groundBlueAt]);
  for (const auto& corner : groundCorners) glVertex3i(corner[0], corner[1], groundZ);
  glEnd();
}

// NOTE: Mesa does not survive a failed allocation while it compiles or draws a list (it crashes inside
// the renderer), so GL_OUT_OF_MEMORY cannot be waited for. Before a piece is begun, address space as
// large as what the piece and a frame will take must be to be had, in one block; after the last piece,
// as much as the first frames of the whole track take. Measured with llvmpipe: a 10M-triangle track held
// as lists, loaded and flown over, holds 54 bytes a triangle; a frame of the file list takes up to 70 MB.
// Held as arrays, a triangle takes at most 51 bytes: three points of its own, each three floats and three
// colour bytes, and three 2-byte indices. A frame also lists the pieces it draws and culls, a word each.
constexpr std::uint64_t listBytesPerTriangle = 64;
constexpr std::uint64_t arrayBytesPerTriangle = 3 * (3 * sizeof(float) + 3) + 3 * sizeof(std::uint16_t);
constexpr std::uint64_t rendererReserve = std::uint64_t{96} << 20;
constexpr std::uint64_t trackFrameReserve = std::uint64_t{160} << 20;
constexpr std::uint64_t frameBytesPerTriangle = 6;
constexpr std::uint64_t frameBytesPerPiece = 2 * sizeof(std::size_t);

std::uint64_t pieceBytes(std::int64_t triangles, bool asArrays) {
  return rendererReserve + std::uint64_t(triangles) * (asArrays ? arrayBytesPerTriangle : listBytesPerTriangle);
}

std::uint64_t firstFrameBytes(std::int64_t triangles, std::size_t pieces) {
  return trackFrameReserve + std::uint64_t(triangles) * frameBytesPerTriangle + pieces * frameBytesPerPiece;
}

bool memoryFor(std::uint64_t bytes) {
  return bytes <= std::numeric_limits<std::size_t>::max() && platform::canReserve(std::size_t(bytes));
}

// Up to records triangle records of the current object, drawable or not, each drawable corner handed to
// emit with its place, and the box around them; returns how many were drawable. The box is kept in locals
// while a list is compiled, out of the GL calls' reach.
template <class Emit>
std::int64_t readPiece(SmxReader& reader, std::int64_t records, SmxModel::Piece& piece, Emit emit) {
  std::int32_t low[3], high[3];
  std::fill(std::begin(low), std::end(low), std::numeric_limits<std::int32_t>::max());
  std::fill(std::begin(high), std::end(high), std::numeric_limits<std::int32_t>::min());
  std::int64_t count = 0;
  while (reader.nextTriangle(records)) {
    for (int corner = 0; corner < 3; ++corner) {
      const unsigned char* point = reader.corner(corner);
      const std::int32_t at[3] = {smx::getInt32(point + smx::pointXAt), smx::getInt32(point + smx::pointYAt),
                                  smx::getInt32(point + smx::pointZAt)};
      emit(point, at);
      for (int k = 0; k < 3; ++k) {
        low[k] = std::min(low[k], at[k]);
        high[k] = std::max(high[k], at[k]);
      }
    }
    ++count;
  }
  std::copy(std::begin(low), std::end(low), piece.low);
  std::copy(std::begin(high), std::end(high), piece.high);
  return count;
}

// A piece into a display list of its own.
std::int64_t compilePiece(SmxReader& reader, std::int64_t records, SmxModel::Piece& piece) {
  glNewList(piece.list, GL_COMPILE);
  glBegin(GL_TRIANGLES);
  const std::int64_t count = readPiece(reader, records, piece, [](const unsigned char* point, const std::int32_t* at) {
    glColor4ub(point[smx::pointRedAt], point[smx::pointGreenAt], point[smx::pointBlueAt], 255);
    glVertex3i(at[0], at[1], at[2]);
  });
  glEnd();
  glEndList();
  return count;
}

// A piece into the arrays kept finishes.
std::int64_t keepPiece(SmxReader& reader, std::int64_t records, SmxModel::Piece& piece, PieceCornersBuilder& kept) {
  kept.begin(reader.pointRecords(), std::size_t(reader.pointsHeld()));
  return readPiece(reader, records, piece, [&](const unsigned char* point, const std::int32_t*) { kept.add(point); });
}

void drawAxes() {
  glPushAttrib(GL_LINE_BIT);
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
  glPopAttrib();
}

bool isOutOfMemory(const SmxDefect& defect) {
  return defect.kind == SmxDefect::Kind::BufferNotAllocated || defect.kind == SmxDefect::Kind::PointsNotAllocated;
}

// Errors left by earlier calls (Mesa flags one for each glyph an X font lacks) are not this load's.
void clearGlErrors() {
  for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; ++i) {
  }
}

}  // namespace

SmxModel::SmxModel() = default;
SmxModel::~SmxModel() { unload(); }

bool SmxModel::load(const std::string& path, const Progress& progress) {
  // The old list goes first, so a file that cannot be opened leaves nothing loaded.
  unload();
  filePath = path;
  std::FILE* file = platform::openFile(filePath);
  if (!file) {
    openErrno = errno;
    return fail(Failure::NotOpened);
  }

  const std::int64_t size = SmxReader::sizeOf(file);
  bool outOfMemory = false;
  const auto noteOutOfMemory = [&](const SmxDefect& defect) { outOfMemory |= isOutOfMemory(defect); };
  SmxReader walk(file, size, noteOutOfMemory);
  // A file that ends inside its header has no ground colour: its list stays empty.
  unsigned char header[64];
  const bool headerRead = walk.readHeader(header);
  LoadProgress told(progress, walk.objectCount(), size);
  Failure stopped = countTriangles(walk, told);
  std::rewind(file);
  // No more triangles are drawable than declared, so this refuses nothing that would fit.
  if (stopped == Failure::NoFailure && declared > triangleCeiling) stopped = Failure::OverCeiling;
  if (stopped == Failure::NoFailure && headerRead) {
    SmxReader reader(file, size, noteOutOfMemory);
    reader.readHeader(header);
    stopped = compilePieces(reader, told);
  }
  std::fclose(file);
  if (stopped == Failure::NoFailure && outOfMemory) stopped = Failure::TooBig;
  if (stopped != Failure::NoFailure) {
    deletePieces();
    return fail(stopped);
  }

  displayList = glGenLists(1);
  glNewList(displayList, GL_COMPILE);
  if (headerRead) compileGround(header);
  glEndList();
  loaded = true;
  return true;
}

// A walk over the object headers before anything is compiled, so that a track too big is refused unread.
SmxModel::Failure SmxModel::countTriangles(SmxReader& walk, LoadProgress& progress) {
  std::int64_t held = 0;
  for (std::int64_t objects = 1; walk.skipObject(held); ++objects) {
    declared += held;
    if (!progress.walked(objects)) return Failure::Abandoned;
  }
  return Failure::NoFailure;
}

// The triangle records of each object in runs of at most maxPieceTriangles, the drawable ones of each
// run in a piece of its own. Progress is told after each run and each object, however few of their records
// were drawable.
SmxModel::Failure SmxModel::compilePieces(SmxReader& reader, LoadProgress& progress) {
  clearGlErrors();
  std::int64_t compiled = 0;
  PieceCornersBuilder kept;
  while (reader.nextObject()) {
    while (reader.trianglesLeft() > 0) {
      const std::int64_t records = std::min(reader.trianglesLeft(), maxPieceTriangles);
      if (!memoryFor(pieceBytes(records, arraysHeld))) return Failure::TooBig;
      Piece piece{arraysHeld ? 0 : glGenLists(1), {}, {}};
      if (!arraysHeld && piece.list == 0) return Failure::TooBig;
      const std::int64_t count =
          arraysHeld ? keepPiece(reader, records, piece, kept) : compilePiece(reader, records, piece);
      if (count > 0) {
        pieces.push_back(piece);
        if (arraysHeld) corners.push_back(kept.finish());
      } else if (!arraysHeld) {
        glDeleteLists(piece.list, 1);
      }
      if (glGetError() == GL_OUT_OF_MEMORY) return Failure::TooBig;
      compiled += count;
      if (!progress.readTo(reader.offset())) return Failure::Abandoned;
    }
    if (!progress.readTo(reader.offset())) return Failure::Abandoned;
  }
  return memoryFor(firstFrameBytes(compiled, pieces.size())) ? Failure::NoFailure : Failure::TooBig;
}

bool SmxModel::fail(Failure why) {
  failure = why;
  return false;
}

void SmxModel::deletePieces() {
  for (const Piece& piece : pieces)
    if (piece.list) glDeleteLists(piece.list, 1);
  std::deque<Piece>().swap(pieces);
  std::deque<PieceCorners>().swap(corners);
}

void SmxModel::unload() {
  failure = Failure::NoFailure;
  declared = 0;
  if (!loaded) return;
  drawer.stop();
  glDeleteLists(displayList, 1);
  deletePieces();
  filePath.clear();
  loaded = false;
}

void SmxModel::draw() const {
  counts = {};
  if (!loaded) return;
  const ClipMatrix matrix = ClipMatrix::current();
  if (corners.empty()) {
    glCallList(displayList);
    counts = drawer.draw(matrix, pieces, corners, culling, false);
  } else {
    // Every colour is opaque, so blending changes no pixel. With the depth test at GL_LEQUAL, as the view
    // sets it, the ground drawn last with GL_LESS shows exactly where it would drawn first, wherever its
    // depth is below the 1 the depth buffer is cleared to. So the renderer blends nothing and shades no
    // ground that the track hides; only a ground that may reach the far plane goes first.
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_BLEND);
    const bool groundLast = groundClearOfFarPlane(matrix);
    if (!groundLast) glCallList(displayList);
    counts = drawer.draw(matrix, pieces, corners, culling, culling && smallTriangleCull);
    if (groundLast) {
      glDepthFunc(GL_LESS);
      glCallList(displayList);
    }
    glPopAttrib();
  }
  if (axesShown) drawAxes();
}

void SmxModel::startView(int& x, int& y, int& z) const {
  x = 0;
  y = 0;
  z = -10000;
}

void SmxModel::suitRenderer(const char* renderer) {
  holdAsArrays(isSoftwareRenderer(renderer));
  setSmallTriangleCull(SubpixelCull::provenFor(renderer));
}

bool SmxModel::isLoaded() const { return loaded; }
bool SmxModel::showAxes() const { return axesShown; }
void SmxModel::setShowAxes(bool on) { axesShown = on; }
std::string SmxModel::path() const { return filePath; }

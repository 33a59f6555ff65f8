#include "Circuit.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "Centerline.h"
#include "MeshLayers.h"
#include "Scenery.h"
#include "SmxWriter.h"

namespace {

constexpr double twoPi = 6.283185307179586;

// The first view shows about 2.4e8 x 1.7e8 mesh units; the circuit fills most of it.
constexpr double circuitWidth = 1.2e8;
constexpr double circuitHeight = 0.8e8;
constexpr Area terrainArea{-0.82e8, -0.58e8, 0.82e8, 0.58e8};

constexpr double roadHalfWidth = 1.3e6;
constexpr double kerbWidth = 0.35e6;
constexpr double vergeWidth = 3.2e6;
constexpr double roadside = roadHalfWidth + kerbWidth + vergeWidth;
constexpr double tightestCorner = 8.0e6;
constexpr double cornerRadius = 2.5e7;  // tighter than this gets kerbs and gravel
constexpr double kerbStripe = 1.2e6;
constexpr double mowingStripe = 3.0e6;

constexpr Colour groundColour{88, 110, 64};
constexpr Colour asphalt{78, 78, 82};
constexpr Colour lineWhite{240, 240, 240};
constexpr Colour kerbRed{200, 40, 40};
constexpr Colour kerbWhite{238, 238, 238};
constexpr Colour grassLight{92, 160, 70};
constexpr Colour grassDark{80, 145, 62};
constexpr Colour gravel{206, 190, 150};
constexpr Colour pitAsphalt{98, 98, 104};
constexpr Colour canopy{56, 110, 48};
constexpr Colour canopyTop{40, 88, 38};
constexpr Colour tuftColours[] = {{70, 128, 52}, {98, 150, 66}, {84, 112, 50}, {200, 190, 80}};

// Shares of the triangle budget; the rest goes to tufts.
constexpr double roadShare = 0.36, vergeShare = 0.16, kerbShare = 0.08, terrainShare = 0.32, treeShare = 0.07;

constexpr int roadColumns = 8;   // powers of two, so full tiles hold exactly 65536 points
constexpr int vergeColumns = 4;
constexpr int kerbColumns = 2;
constexpr int trianglesPerBox = 10;
constexpr int trianglesPerTree = 6;
constexpr int pitLaneCells = 16;

struct Budget {
  int roadCells, vergeCells, kerbCells, terrainColumns, terrainRows, trees;
  std::int64_t tufts;
};

int cellsFor(double share, std::int64_t triangles, int trianglesPerCell, int least) {
  return std::max(least, static_cast<int>(share * triangles / trianglesPerCell));
}

Budget planBudget(std::int64_t allTriangles, int boxes) {
  const std::int64_t fixed = std::int64_t{boxes} * trianglesPerBox + 2 * pitLaneCells;
  const std::int64_t triangles = allTriangles - fixed;
  Budget b;
  b.roadCells = cellsFor(roadShare, triangles, 2 * (roadColumns - 1), 8);
  b.vergeCells = cellsFor(vergeShare, triangles, 2 * 2 * (vergeColumns - 1), 4);
  b.kerbCells = cellsFor(kerbShare, triangles, 2 * 2 * (kerbColumns - 1), 4);
  const double terrainCells = std::max(16.0, terrainShare * triangles / 2);
  const double aspect = (terrainArea.maxX - terrainArea.minX) / (terrainArea.maxY - terrainArea.minY);
  b.terrainColumns = std::max(4, static_cast<int>(std::sqrt(terrainCells * aspect)));
  b.terrainRows = std::max(4, static_cast<int>(terrainCells / b.terrainColumns));
  b.trees = cellsFor(treeShare, triangles, trianglesPerTree, 2);
  const std::int64_t used = std::int64_t{b.roadCells} * 2 * (roadColumns - 1) +
                            std::int64_t{b.vergeCells} * 2 * 2 * (vergeColumns - 1) +
                            std::int64_t{b.kerbCells} * 2 * 2 * (kerbColumns - 1) +
                            std::int64_t{b.terrainColumns} * b.terrainRows * 2 + std::int64_t{b.trees} * trianglesPerTree;
  b.tufts = triangles - used;
  return b;
}

bool isCorner(const TrackFrame& f) { return std::abs(f.curvature) * cornerRadius > 1; }

class CircuitWriter {
 public:
  CircuitWriter(SmxWriter& writer, std::uint64_t seed)
      : writer(writer),
        random(seed),
        line(random, circuitWidth - 2 * roadside, circuitHeight - 2 * roadside, tightestCorner),
        distance(line, terrainArea),
        scenery(random, terrainArea, distance, roadside),
        roadRise(random.uniform(0, twoPi)) {}

  void write(const Budget& budget);

 private:
  using BandPoint = std::function<MeshPoint(const TrackFrame&, double s, int column, double offset)>;

  void writeBand(const char* name, int cells, const std::vector<double>& offsets, const BandPoint& pointAt, double from = 0,
                 double to = -1);
  double roadZ(double s) const { return 40000 + 40000 * std::sin(2 * twoPi * s / line.length() + roadRise); }
  MeshPoint beside(const TrackFrame& f, double offset, double z, Colour colour) const {
    return {f.x + f.normalX * offset, f.y + f.normalY * offset, z, colour};
  }

  void writeTerrain(int columns, int rows);
  void writeVerges(int cells);
  void writeKerbs(int cells);
  void writeRoad(int cells);
  void writePitLane();
  void writeBuildings();
  void writeTrees(int count);
  void writeTufts(std::int64_t count);
  void addBox(ShapeBatch& batch, double s, double offset, double length, double depth, double height, Colour roof,
              Colour wall);
  // Off the track by margin, out of the lake and on the terrain.
  bool freeSpot(double x, double y, double margin) const {
    return distance.at(x, y) > roadside + margin && !scenery.inLake(x, y) && x > terrainArea.minX &&
           x < terrainArea.maxX && y > terrainArea.minY && y < terrainArea.maxY;
  }

  SmxWriter& writer;
  Random random;
  Centerline line;
  TrackDistance distance;
  Scenery scenery;
  double roadRise;
};

void CircuitWriter::write(const Budget& budget) {
  // Lower layers first: with the depth test passing equal depths, what comes later
  // wins where the coarse depth buffer cannot tell the layers apart.
  writeTerrain(budget.terrainColumns, budget.terrainRows);
  writeVerges(budget.vergeCells);
  writeKerbs(budget.kerbCells);
  writeRoad(budget.roadCells);
  writePitLane();
  writeBuildings();
  writeTrees(budget.trees);
  writeTufts(budget.tufts);
}

// Offsets run from left to right of the direction of travel, so cells face up.
void CircuitWriter::writeBand(const char* name, int cells, const std::vector<double>& offsets, const BandPoint& pointAt,
                              double from, double to) {
  if (to < from) to = from + line.length();
  const int columns = static_cast<int>(offsets.size());
  writeGrid(writer, name, cells + 1, columns, [&](int row, int column) {
    const double s = from + (to - from) * row / cells;
    return pointAt(line.at(s), s, column, offsets[column]);
  });
}

void CircuitWriter::writeTerrain(int columns, int rows) {
  const double width = terrainArea.maxX - terrainArea.minX, height = terrainArea.maxY - terrainArea.minY;
  writeGrid(writer, "terrain", rows + 1, columns + 1, [&](int row, int column) {
    return scenery.terrainAt(terrainArea.minX + width * column / columns, terrainArea.minY + height * row / rows);
  });
}

void CircuitWriter::writeVerges(int cells) {
  const double inner = roadHalfWidth + kerbWidth, outer = roadside;
  const double step = vergeWidth / (vergeColumns - 1);
  for (const double side : {1.0, -1.0}) {
    std::vector<double> offsets;
    for (int c = 0; c < vergeColumns; ++c) offsets.push_back(side * (side > 0 ? outer - c * step : inner + c * step));
    writeBand(side > 0 ? "verge left" : "verge right", cells, offsets,
              [&, side](const TrackFrame& f, double s, int, double offset) {
                const double out = (std::abs(offset) - inner) / vergeWidth;
                // Gravel lies on the outside of corners, away from the road.
                const bool outside = f.curvature * side < 0;
                Colour colour = static_cast<long long>(s / mowingStripe) % 2 ? grassLight : grassDark;
                if (isCorner(f) && outside && out > 0.3) colour = gravel;
                return beside(f, offset, roadZ(s) - 40000 * out, colour);
              });
  }
}

void CircuitWriter::writeKerbs(int cells) {
  const double inner = roadHalfWidth, outer = roadHalfWidth + kerbWidth;
  for (const double side : {1.0, -1.0}) {
    const std::vector<double> offsets = side > 0 ? std::vector<double>{outer, inner} : std::vector<double>{-inner, -outer};
    writeBand(side > 0 ? "kerb left" : "kerb right", cells, offsets, [&](const TrackFrame& f, double s, int, double offset) {
      Colour colour = grassDark;
      if (isCorner(f)) colour = static_cast<long long>(s / kerbStripe) % 2 ? kerbRed : kerbWhite;
      return beside(f, offset, roadZ(s), colour);
    });
  }
}

void CircuitWriter::writeRoad(int cells) {
  // White edge lines two columns wide, with asphalt starting just inside them.
  const double h = roadHalfWidth;
  const std::vector<double> offsets{h, 0.95 * h, 0.94 * h, 0.3 * h, -0.3 * h, -0.94 * h, -0.95 * h, -h};
  const double spacing = line.length() / cells;
  writeBand("road", cells, offsets, [&](const TrackFrame& f, double s, int column, double offset) {
    const bool edge = column < 2 || column >= roadColumns - 2;
    const double wrapped = std::min(s, line.length() - s);
    const bool startLine = spacing < 1.0e6 && wrapped < spacing / 2;
    const double wear = 1 + 0.06 * std::sin(s / 4.0e6) * std::cos(offset / 7.0e5);
    const Colour tarmac{static_cast<std::uint8_t>(asphalt.red * wear), static_cast<std::uint8_t>(asphalt.green * wear),
                        static_cast<std::uint8_t>(asphalt.blue * wear)};
    return beside(f, offset, roadZ(s), edge || startLine ? lineWhite : tarmac);
  });
}

void CircuitWriter::writePitLane() {
  // Inside the main straight, between the verge and the garages.
  const double inner = roadside + 0.3e6, outer = inner + 1.6e6;
  writeBand("pit lane", pitLaneCells, {outer, inner},
            [&](const TrackFrame& f, double s, int, double offset) { return beside(f, offset, roadZ(s) - 30000, pitAsphalt); },
            -1.2e7, 1.2e7);
}

void CircuitWriter::addBox(ShapeBatch& batch, double s, double offset, double length, double depth, double height,
                           Colour roof, Colour wall) {
  const TrackFrame f = line.at(s);
  const double cx = f.x + f.normalX * offset, cy = f.y + f.normalY * offset;
  const double base = roadZ(s) - 60000, top = base + height;
  // Footprint counter-clockwise seen from +z: along, then across to the left.
  const double du[4] = {-1, 1, 1, -1}, dv[4] = {-1, -1, 1, 1};
  double x[4], y[4];
  for (int k = 0; k < 4; ++k) {
    x[k] = cx + f.tangentX * du[k] * length / 2 + f.normalX * dv[k] * depth / 2;
    y[k] = cy + f.tangentY * du[k] * length / 2 + f.normalY * dv[k] * depth / 2;
  }
  SmxObject& object = batch.roomFor(20);
  int roofCorner[4];
  for (int k = 0; k < 4; ++k) roofCorner[k] = object.addPoint({x[k], y[k], top, roof});
  object.addTriangle(roofCorner[0], roofCorner[1], roofCorner[2]);
  object.addTriangle(roofCorner[0], roofCorner[2], roofCorner[3]);
  // Walls run bottom edge, then top edge backwards, so each faces outward.
  for (int k = 0; k < 4; ++k) {
    const int n = (k + 1) % 4;
    const int a = object.addPoint({x[k], y[k], base, wall});
    const int b = object.addPoint({x[n], y[n], base, wall});
    const int c = object.addPoint({x[n], y[n], top, wall});
    const int d = object.addPoint({x[k], y[k], top, wall});
    object.addTriangle(a, b, c);
    object.addTriangle(a, c, d);
  }
}

constexpr int grandstands = 3, garages = 6, towers = 1;
constexpr int buildingBoxes = grandstands + garages + towers;

void CircuitWriter::writeBuildings() {
  ShapeBatch batch(writer, "buildings");
  const Colour standRoofs[grandstands] = {{60, 90, 170}, {175, 180, 190}, {190, 60, 50}};
  const Colour concrete{170, 168, 160};
  for (int i = 0; i < grandstands; ++i)
    addBox(batch, (i - 1) * 6.5e6, -(roadside + 2.2e6), 5.5e6, 2.6e6, 600000, standRoofs[i], concrete);
  const double garageOffset = roadside + 0.3e6 + 1.6e6 + 1.2e6;
  for (int i = 0; i < garages; ++i)
    addBox(batch, (i - garages / 2.0 + 0.5) * 2.7e6, garageOffset, 2.5e6, 2.2e6, 300000, {228, 228, 222}, concrete);
  addBox(batch, 1.2e7, garageOffset + 0.4e6, 1.6e6, 1.6e6, 1200000, {245, 245, 245}, concrete);
}

void CircuitWriter::writeTrees(int count) {
  ShapeBatch batch(writer, "trees");
  constexpr int forests = 7;
  double forestX[forests], forestY[forests];
  for (int i = 0; i < forests; ++i) {
    forestX[i] = random.uniform(terrainArea.minX, terrainArea.maxX);
    forestY[i] = random.uniform(terrainArea.minY, terrainArea.maxY);
  }
  for (int i = 0; i < count; ++i) {
    double x = 0, y = 0;
    for (int attempt = 0; attempt < 30; ++attempt) {
      const int forest = static_cast<int>(random.next() % forests);
      const double angle = random.uniform(0, twoPi), reach = 1.2e7 * std::sqrt(random.uniform(0, 1));
      x = forestX[forest] + reach * std::cos(angle);
      y = forestY[forest] + reach * std::sin(angle);
      if (freeSpot(x, y, 7.0e6)) break;
    }
    const double radius = random.uniform(4.0e5, 8.0e5), shade = random.uniform(0.85, 1.1);
    const Colour rim{static_cast<std::uint8_t>(canopy.red * shade), static_cast<std::uint8_t>(canopy.green * shade),
                     static_cast<std::uint8_t>(canopy.blue * shade)};
    SmxObject& object = batch.roomFor(7);
    const int top = object.addPoint({x, y, 300000, canopyTop});
    int edge[6];
    for (int k = 0; k < 6; ++k) {
      const double a = twoPi * k / 6;
      edge[k] = object.addPoint({x + radius * std::cos(a), y + radius * std::sin(a), -100000, rim});
    }
    for (int k = 0; k < 6; ++k) object.addTriangle(top, edge[k], edge[(k + 1) % 6]);
  }
}

void CircuitWriter::writeTufts(std::int64_t count) {
  ShapeBatch batch(writer, "tufts");
  for (std::int64_t i = 0; i < count; ++i) {
    double x = 0, y = 0;
    for (int attempt = 0; attempt < 30; ++attempt) {
      x = random.uniform(terrainArea.minX, terrainArea.maxX);
      y = random.uniform(terrainArea.minY, terrainArea.maxY);
      if (freeSpot(x, y, 0.5e6)) break;
    }
    const double size = random.uniform(1.5e5, 3.5e5), turn = random.uniform(0, twoPi);
    const Colour colour = tuftColours[random.next() % std::size(tuftColours)];
    SmxObject& object = batch.roomFor(3);
    int corner[3];
    for (int k = 0; k < 3; ++k) {
      const double a = turn + twoPi * k / 3;
      corner[k] = object.addPoint({x + size * std::cos(a), y + size * std::sin(a), -100000, colour});
    }
    object.addTriangle(corner[0], corner[1], corner[2]);
  }
}

}  // namespace

bool writeCircuit(const std::string& path, std::int64_t triangles, std::uint64_t seed, std::string& error) {
  const Budget budget = planBudget(triangles, buildingBoxes);
  if (triangles < minCircuitTriangles || triangles > maxCircuitTriangles || budget.tufts < 0) {
    error = "the triangle count must be between " + std::to_string(minCircuitTriangles) + " and " +
            std::to_string(maxCircuitTriangles);
    return false;
  }
  SmxWriter writer;
  if (!writer.open(path, "smxgen circuit, seed " + std::to_string(seed), groundColour)) {
    error = "cannot create " + path + ": " + std::strerror(errno);
    return false;
  }
  CircuitWriter(writer, seed).write(budget);
  if (!writer.finish()) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

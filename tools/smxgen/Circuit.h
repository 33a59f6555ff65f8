// A whole racing circuit in SMX: terrain, verges, kerbs, road, pit lane, buildings,
// trees and tufts, every triangle facing up (or outward, for walls).
#pragma once

#include <cstdint>
#include <string>

// Fewer triangles than this cannot hold every part of a circuit.
constexpr std::int64_t minCircuitTriangles = 2000;
constexpr std::int64_t maxCircuitTriangles = 200000000;

// Writes a circuit of exactly `triangles` triangles, the same bytes for the same seed.
// False with a message in `error` when the count is out of range or the file cannot be written.
bool writeCircuit(const std::string& path, std::int64_t triangles, std::uint64_t seed, std::string& error);

// Physical and numerical constants shared by the readers, the orbital and the scene.
#pragma once

#include <cstdint>

// Single precision on purpose: every formula uses these float values, not the
// true constants, so the written numbers depend on exactly these roundings.
constexpr float Pi = 3.14159f;          // 3.1415901184..., not the float nearest to pi
constexpr float BohrRadius = 0.52918f;  // angstrom per bohr

constexpr int MaxElements = 10;
constexpr int MaxAtoms = 100;

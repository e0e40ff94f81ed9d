// The twelve edges of a unit cube. Row e holds the offsets (dx, dy, dz) of
// edge e's start and end corners from the cube's lower corner; the row order
// fixes the order of the crossing list and so the fan apex.
#pragma once

#include <cstdint>

constexpr std::int16_t EdgeStart[12][3] = {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {1, 0, 0}, {1, 0, 0}, {0, 1, 0},
                                           {0, 1, 0}, {1, 1, 0}, {0, 0, 1}, {0, 0, 1}, {1, 0, 1}, {0, 1, 1}};
constexpr std::int16_t EdgeEnd[12][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}, {1, 0, 1}, {1, 1, 0},
                                         {0, 1, 1}, {1, 1, 1}, {1, 0, 1}, {0, 1, 1}, {1, 1, 1}, {1, 1, 1}};

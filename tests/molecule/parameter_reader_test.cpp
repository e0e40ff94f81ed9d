#include <gtest/gtest.h>
#include "molecule/molecule.h"
TEST(Placeholder, Builds) {}

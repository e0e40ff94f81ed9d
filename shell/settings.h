// The six values that steer a calculation, with their start-up defaults.
#pragma once

struct Settings {
  float Threshold = 0.05f;  // contour level of |psi|
  float Cutoff = 3.5f;      // angstrom
  float BondLength = 1.6f;  // angstrom
  int Scale = 4;            // grid points per angstrom
  int Level = 3;            // bisection steps per crossed edge
  int MoNumber = 1;         // counted from 1 in the order of the MOPAC output
};

// Geometry of the six-axis arm.
#ifndef ARM_GEOMETRY_H
#define ARM_GEOMETRY_H
const int kAxes = 6;
const double kJointLimit[kAxes] = {3.1, 2.2, 2.6, 3.1, 2.1, 6.2};
#endif

// The arm "vire_r5" built straight from its published DH table, so the kinematics tests do not
// depend on the description loader.
#pragma once

#include <cmath>
#include <random>

#include "model/robot_model.h"

namespace zemo::test {

inline RobotModel vireR5() {
  RobotModel m;
  m.name = "vire_r5";
  m.dh_nominal.alpha = {0, -M_PI / 2, M_PI, M_PI, -M_PI / 2, M_PI / 2};
  m.dh_nominal.a = {0, 0, 0.408, 0.376, 0, 0};
  m.dh_nominal.d = {0.122, 0.1215, 0, 0, 0.1025, 0.094};
  m.dh_nominal.theta = {M_PI, -M_PI / 2, 0, -M_PI / 2, 0, 0};
  return m;
}

// A calibration-sized compensation that changes every kind of parameter, twists included.
inline DHTable calibrationCompensation() {
  DHTable c;
  c.alpha = {0, 0.000173, -0.009247, 0.003407, -0.000162, 0.002527};
  c.a = {0, -0.00125, 0.001242, -0.000533, -0.000463, 0.000104};
  c.d = {0, 0.000084, -0.000084, 0.000084, 0.000273, -0.001966};
  c.theta = {0.001, 0.0373, -0.0127, -0.03307, -0.0218, 0.0126};
  return c;
}

// The joint vector of the published reference values.
inline JointVector referenceJoints() {
  JointVector q;
  q << 0.6641, 0.393, -1.1606, 0.0172, -1.5708, 0.6641;
  return q;
}

inline JointVector randomJoints(std::mt19937& rng, double range = M_PI) {
  std::uniform_real_distribution<double> u(-range, range);
  JointVector q;
  for (int i = 0; i < kMaxDof; ++i) q[i] = u(rng);
  return q;
}

}  // namespace zemo::test

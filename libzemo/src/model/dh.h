// The one home of the modified-DH link transform.
#pragma once

#include <cmath>

#include <Eigen/Geometry>

#include "model/robot_model.h"

namespace zemo {

// T_{i-1,i} = RotX(alpha) TransX(a) RotZ(theta) TransZ(d), theta including the joint value.
inline Eigen::Isometry3d dhTransform(double alpha, double a, double theta, double d) {
  const double ca = std::cos(alpha), sa = std::sin(alpha);
  const double ct = std::cos(theta), st = std::sin(theta);
  Eigen::Isometry3d T;
  T.linear() << ct, -st, 0.0, st * ca, ct * ca, -sa, st * sa, ct * sa, ca;
  T.translation() << a, -sa * d, ca * d;
  return T;
}

inline Eigen::Isometry3d dhTransform(const DHTable& dh, int i, double q) {
  return dhTransform(dh.alpha[i], dh.a[i], dh.theta[i] + q, dh.d[i]);
}

}  // namespace zemo

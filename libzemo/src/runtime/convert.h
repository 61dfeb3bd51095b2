// Conversions between the interface's std::array records and the library's Eigen types, done
// once at the boundary.
#pragma once

#include <array>

#include <Eigen/Core>
#include <Eigen/Geometry>

#include "data_structure_definition.h"
#include "kinematics/frames.h"
#include "model/robot_model.h"

namespace zemo {
namespace runtime {

using Vector6 = Eigen::Matrix<double, 6, 1>;

inline JointVector toJoints(const std::array<double, 6>& a) {
  return Eigen::Map<const JointVector>(a.data());
}
inline std::array<double, 6> fromJoints(const JointVector& v) {
  std::array<double, 6> a;
  Eigen::Map<JointVector>(a.data()) = v;
  return a;
}
inline Vector6 toVector6(const std::array<double, 6>& a) {
  return Eigen::Map<const Vector6>(a.data());
}
inline std::array<double, 6> fromVector6(const Vector6& v) {
  std::array<double, 6> a;
  Eigen::Map<Vector6>(a.data()) = v;
  return a;
}
inline Eigen::Vector3d toVector3(const std::array<double, 3>& a) {
  return Eigen::Map<const Eigen::Vector3d>(a.data());
}
inline std::array<double, 3> fromVector3(const Eigen::Vector3d& v) {
  return {v.x(), v.y(), v.z()};
}
inline Eigen::Isometry3d toTransform(const std::array<double, 6>& pose) {
  return poseToTransform(toVector6(pose));
}
inline std::array<double, 6> fromTransform(const Eigen::Isometry3d& T) {
  return fromVector6(transformToPose(T));
}

// RLInertia (origin or centre form, inertia Ixx Iyy Izz Ixy Ixz Iyz) <-> centre-form body.
inline BodyInertial toBody(const ZEMO::interface::RLInertia& in) {
  BodyInertial b;
  b.m = in.mass;
  b.c = toVector3(in.center);
  const Eigen::Matrix3d I = inertiaFromSix(toVector6(in.inertia));
  b.I_c = in.mhi ? inertiaOriginToCentre(b.m, b.c, I) : I;
  return b;
}
inline ZEMO::interface::RLInertia fromBody(const BodyInertial& b, bool origin_form) {
  ZEMO::interface::RLInertia out;
  out.mhi = origin_form;
  out.mass = b.m;
  out.center = fromVector3(b.c);
  out.inertia = fromVector6(inertiaToSix(origin_form ? inertiaCentreToOrigin(b.m, b.c, b.I_c) : b.I_c));
  return out;
}

}  // namespace runtime
}  // namespace zemo

// Inertial bookkeeping shared by the dynamics algorithms: the bodies as the recursions see them.
#pragma once

#include <array>

#include <Eigen/Core>

#include "kinematics/frames.h"
#include "model/robot_model.h"

namespace zemo {

// Wrench (fx, fy, fz, mx, my, mz) [N, N m].
using Wrench = Vector6d;
// Column k < dof: wrench of the environment on body k, in DH frame k+1, moment about its origin.
// Column dof: wrench of the environment on the end (tool point, the flange while no tool is set),
// in end coordinates, moment about the end origin. Unused columns must be zero.
using ExternalWrenches = Eigen::Matrix<double, 6, kMaxDof + 1>;

// Centre-of-mass form to the origin form used by the recursions (same frame).
inline LinkInertial toOriginForm(const BodyInertial& b) {
  LinkInertial l;
  l.m = b.m;
  l.mc = b.m * b.c;
  l.I_o = inertiaCentreToOrigin(b.m, b.c, b.I_c);
  return l;
}

// Inertial parameters of a body given in frame b, expressed in frame a (T_a_b = (R, p)).
inline LinkInertial transformInertial(const LinkInertial& l, const Eigen::Matrix3d& R,
                                      const Eigen::Vector3d& p) {
  LinkInertial out;
  const Eigen::Vector3d h = R * l.mc;
  out.m = l.m;
  out.mc = h + l.m * p;
  const double ph = p.dot(h);
  out.I_o = R * l.I_o * R.transpose() + parallelAxisShift(l.m, p) +
            2.0 * ph * Eigen::Matrix3d::Identity() - h * p.transpose() - p * h.transpose();
  return out;
}

inline void addInertial(LinkInertial& acc, const LinkInertial& l) {
  acc.m += l.m;
  acc.mc += l.mc;
  acc.I_o += l.I_o;
}

// The link bodies with the end sensor and the tool payload (flange coordinates) merged into the
// last body.
inline std::array<LinkInertial, kMaxDof> effectiveBodies(const RobotModel& model) {
  std::array<LinkInertial, kMaxDof> bodies = model.links;
  addInertial(bodies[model.dof - 1], toOriginForm(model.sensor));
  addInertial(bodies[model.dof - 1], toOriginForm(model.tool));
  return bodies;
}

}  // namespace zemo

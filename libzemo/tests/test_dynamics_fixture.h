// The arm "vire_r5" for the dynamics tests, built from its DH table and link inertials directly,
// plus a geometric reference (frames, point Jacobians) that does not use the recursions.
#pragma once

#include <array>
#include <cmath>
#include <random>
#include <vector>

#include <Eigen/Geometry>

#include "dynamics/body_inertia.h"
#include "kinematics/forward.h"
#include "model/robot_model.h"

namespace zemo::test {

// Per link: m, m cx, m cy, m cz, XX, XY, XZ, YY, YZ, ZZ in DH frame k about its origin.
using LinkRow = std::array<double, 10>;

// The description's own inertials of vire_r5 (with rotor inertia kVireR5Rotor).
inline const std::array<LinkRow, 6> kVireR5Links = {{
    {4.848581, -0.000048, 0.008761, -0.067172, 0.012788, 0, -0.000005, 0.012731, 0.000224,
     0.0081167},
    {10.7886726, 2.210597, 0, 0.0715169, 0.026496, -0.00002, -0.014597, 0.8627296, 0, 0.856099},
    {2.7735736, 0.7565085, 0.0000098, 0.267191, 0.0286043, 0.000008, -0.0705578, 0.2871784,
     0.000003, 0.2585742},
    {1.5661154, 0.0000156, 0.0186101, -0.0025059, 0.002162, -0.000004, -0.000001, 0.0011579,
     -0.000004, 0.0020704},
    {1.5555689, -0.0000156, -0.0172181, -0.0025151, 0.002162, -0.000004, 0.000001, 0.001126,
     0.0000041, 0.0020007},
    {0.1805243, 0, 0.0000842, -0.0034877, 0.000176, 0, 0, 0.0001509, 0.0000013, 0.00016},
}};
inline const std::array<double, 6> kVireR5Rotor = {2, 2, 2, 0.15, 0.15, 0.15};

// The link parameter set the dynamics reference torques were computed with.
inline const std::array<LinkRow, 6> kLinkPara = {{
    {5.05, 0, 0.01919, 0.00303, 0.0148747, 0, 0, 0.0143018, -1.1514e-05, 0.00957292},
    {11.28, 2.30112, 0, 0.221088, 0.0348333, 0, -0.045102, 0.924262, 0, 0.909428},
    {2.88, 0.777312, 0, 0.285696, 0.031641, 0, -0.0771094, 0.295638, 0, 0.266297},
    {1.62, 0, -0.161514, -0.12636, 0.028259, 0, 0, 0.0111561, -0.0125981, 0.0183029},
    {1.62, 0, -0.004536, -0.00486, 0.00232728, 0, 0, 0.00131458, -1.3608e-05, 0.0022127},
    {0.5, 0, 0, -0.0221, 0.00237077, 0, 0, 0.00237564, 0, 0.00224092},
}};

inline LinkInertial linkFromRow(const LinkRow& r) {
  LinkInertial l;
  l.m = r[0];
  l.mc << r[1], r[2], r[3];
  l.I_o << r[4], r[5], r[6], r[5], r[7], r[8], r[6], r[8], r[9];
  return l;
}

inline void setLinks(RobotModel& model, const std::array<LinkRow, 6>& rows) {
  for (int k = 0; k < 6; ++k) model.links[k] = linkFromRow(rows[k]);
}

inline RobotModel makeVireR5() {
  RobotModel m;
  m.name = "vire_r5";
  m.dof = 6;
  const double pi = M_PI;
  m.dh_nominal.alpha = {0, -pi / 2, pi, pi, -pi / 2, pi / 2};
  m.dh_nominal.a = {0, 0, 0.408, 0.376, 0, 0};
  m.dh_nominal.d = {0.122, 0.1215, 0, 0, 0.1025, 0.094};
  m.dh_nominal.theta = {pi, -pi / 2, 0, -pi / 2, 0, 0};
  setLinks(m, kVireR5Links);
  m.rotor_inertia = kVireR5Rotor;
  return m;
}

inline JointVector jv(std::initializer_list<double> v) {
  JointVector out = JointVector::Zero();
  int i = 0;
  for (double x : v) out[i++] = x;
  return out;
}

// The joint vector the reference numbers use for q, qd and qdd alike.
inline const JointVector kQ0 = jv({0.6641, 0.393, -1.1606, 0.0172, -1.5708, 0.6641});

// T_base_k for k = 0..6 (T[0] the base, T[k] DH frame k).
inline FrameArray frames(const RobotModel& model, const JointVector& q) {
  FrameArray T;
  forwardFrames(kinematicTable(model, true), q, T);
  return T;
}

// Geometric Jacobian (base frame) of point p_base rigidly attached to body k (joints 0..k move it).
inline Eigen::Matrix<double, 6, kMaxDof> pointJacobian(const RobotModel& model,
                                                       const JointVector& q, int k,
                                                       const Eigen::Vector3d& p_base) {
  const auto T = frames(model, q);
  Eigen::Matrix<double, 6, kMaxDof> J = Eigen::Matrix<double, 6, kMaxDof>::Zero();
  for (int i = 0; i <= k; ++i) {
    const Eigen::Vector3d z = T[i + 1].linear().col(2);
    J.col(i) << z.cross(p_base - T[i + 1].translation()), z;
  }
  return J;
}

inline JointVector randomJoints(std::mt19937& rng, double scale) {
  std::uniform_real_distribution<double> u(-scale, scale);
  JointVector v;
  for (int i = 0; i < kMaxDof; ++i) v[i] = u(rng);
  return v;
}

}  // namespace zemo::test

#include "kinematics/forward.h"

#include <Eigen/LU>

#include "model/dh.h"

namespace zemo {

void forwardFrames(const DHTable& dh, const JointVector& q, FrameArray& T_base_k) noexcept {
  T_base_k[0].setIdentity();
  for (int i = 0; i < kMaxDof; ++i) T_base_k[i + 1] = T_base_k[i] * dhTransform(dh, i, q[i]);
}

Eigen::Isometry3d forwardFlange(const DHTable& dh, const JointVector& q) noexcept {
  Eigen::Isometry3d T = dhTransform(dh, 0, q[0]);
  for (int i = 1; i < kMaxDof; ++i) T = T * dhTransform(dh, i, q[i]);
  return T;
}

void jacobianFromFrames(const FrameArray& T_base_k, const Eigen::Vector3d& p_end,
                        Matrix6d& J) noexcept {
  for (int i = 0; i < kMaxDof; ++i) {
    const Eigen::Vector3d z = T_base_k[i + 1].linear().col(2);
    J.block<3, 1>(0, i) = z.cross(p_end - T_base_k[i + 1].translation());
    J.block<3, 1>(3, i) = z;
  }
}

void jacobian(const DHTable& dh, const JointVector& q, const Eigen::Isometry3d& T_flange_end,
              Matrix6d& J) noexcept {
  FrameArray T;
  forwardFrames(dh, q, T);
  jacobianFromFrames(T, (T[kMaxDof] * T_flange_end).translation(), J);
}

void frameMotions(const DHTable& dh, const JointVector& q, const JointVector& qd,
                  const JointVector& qdd, const Eigen::Isometry3d& T_flange_end, TwistArray& twists,
                  TwistArray* accels) noexcept {
  FrameArray T;
  forwardFrames(dh, q, T);
  Eigen::Vector3d w = Eigen::Vector3d::Zero(), wd = Eigen::Vector3d::Zero();
  Eigen::Vector3d v = Eigen::Vector3d::Zero(), a = Eigen::Vector3d::Zero();
  Eigen::Vector3d p = Eigen::Vector3d::Zero();
  for (int i = 0; i < kMaxDof; ++i) {
    const Eigen::Vector3d z = T[i + 1].linear().col(2);
    const Eigen::Vector3d pn = T[i + 1].translation();
    const Eigen::Vector3d r = pn - p;
    // Origin i+1 lies on joint i+1's axis, so it moves with the link before that joint.
    v += w.cross(r);
    a += wd.cross(r) + w.cross(w.cross(r));
    wd += qdd[i] * z + w.cross(qd[i] * z);
    w += qd[i] * z;
    p = pn;
    twists[i] << v, w;
    if (accels) (*accels)[i] << a, wd;
  }
  const Eigen::Vector3d r = (T[kMaxDof] * T_flange_end).translation() - p;
  twists[kMaxDof] << v + w.cross(r), w;
  if (accels) (*accels)[kMaxDof] << a + wd.cross(r) + w.cross(w.cross(r)), wd;
}

Vector6d jacobianDotTimesQd(const DHTable& dh, const JointVector& q, const JointVector& qd,
                            const Eigen::Isometry3d& T_flange_end) noexcept {
  TwistArray tw, acc;
  frameMotions(dh, q, qd, JointVector::Zero(), T_flange_end, tw, &acc);
  return acc[kMaxDof];
}

namespace {

bool solveJacobian(const Matrix6d& J, const Vector6d& rhs, JointVector& x) {
  const Eigen::PartialPivLU<Matrix6d> lu(J);
  if (!(lu.rcond() >= kJacobianMinRcond)) return false;
  x = lu.solve(rhs);
  return true;
}

}  // namespace

bool inverseVelocity(const DHTable& dh, const JointVector& q, const Eigen::Isometry3d& T_flange_end,
                     const Vector6d& v, JointVector& qd) noexcept {
  Matrix6d J;
  jacobian(dh, q, T_flange_end, J);
  return solveJacobian(J, v, qd);
}

bool inverseAcceleration(const DHTable& dh, const JointVector& q,
                         const Eigen::Isometry3d& T_flange_end, const Vector6d& v,
                         const Vector6d& a, JointVector& qd, JointVector& qdd) noexcept {
  Matrix6d J;
  jacobian(dh, q, T_flange_end, J);
  const Eigen::PartialPivLU<Matrix6d> lu(J);
  if (!(lu.rcond() >= kJacobianMinRcond)) return false;
  const JointVector qd_sol = lu.solve(v);
  qdd = lu.solve(a - jacobianDotTimesQd(dh, q, qd_sol, T_flange_end));
  qd = qd_sol;
  return true;
}

int armConfiguration(const DHTable& dh, const JointVector& q) noexcept {
  FrameArray T;
  forwardFrames(dh, q, T);
  return armConfigurationFromFrames(dh, q, T);
}

int armConfigurationFromFrames(const DHTable& dh, const JointVector& q,
                               const FrameArray& T) noexcept {
  const Eigen::Vector3d r = T[5].translation() - T[1].translation();
  const double x_wrist_in_1 = T[1].linear().col(0).dot(r);
  int code = 0;
  if (x_wrist_in_1 < 0.0) code |= 4;
  if (std::sin(dh.theta[2] + q[2]) > 0.0) code |= 2;
  if (std::sin(dh.theta[4] + q[4]) < 0.0) code |= 1;
  return code;
}

}  // namespace zemo

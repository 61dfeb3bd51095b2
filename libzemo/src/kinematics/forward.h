// Forward kinematics of the 6R arm over a modified-DH table: link frames, tool point,
// geometric Jacobian, twists and classical accelerations, inverse velocity and acceleration,
// arm configuration. All quantities are in the base frame; twists list v then w.
#pragma once

#include <array>

#include <Eigen/Core>
#include <Eigen/Geometry>

#include "kinematics/frames.h"
#include "model/robot_model.h"

namespace zemo {

// T_base_k for k = 0..6: [0] the base itself, [k] the DH frame after joint k ([6] the flange).
using FrameArray = std::array<Eigen::Isometry3d, kMaxDof + 1>;
// One twist per DH frame after joint k+1 (origin velocity, link angular velocity), then the
// end point.
using TwistArray = std::array<Vector6d, kMaxDof + 1>;

// Reciprocal condition number of J below which the inverse velocity and acceleration refuse
// to solve: the joint rates would be meaningless there.
constexpr double kJacobianMinRcond = 1e-7;

// The table of the nominal arm, or of the compensated ("real") one.
inline DHTable kinematicTable(const RobotModel& model, bool real) {
  return real ? compensated(model) : model.dh_nominal;
}

void forwardFrames(const DHTable& dh, const JointVector& q, FrameArray& T_base_k) noexcept;
Eigen::Isometry3d forwardFlange(const DHTable& dh, const JointVector& q) noexcept;
// Pose of the end point: the flange times T_flange_end (the tool pose, identity for none).
inline Eigen::Isometry3d forwardEnd(const DHTable& dh, const JointVector& q,
                                    const Eigen::Isometry3d& T_flange_end) noexcept {
  return forwardFlange(dh, q) * T_flange_end;
}

// Column i = [z_i x (p_end - p_i); z_i], rows vx vy vz wx wy wz, joints 1..6.
void jacobian(const DHTable& dh, const JointVector& q, const Eigen::Isometry3d& T_flange_end,
              Matrix6d& J) noexcept;
// The same from frames already computed.
void jacobianFromFrames(const FrameArray& T_base_k, const Eigen::Vector3d& p_end,
                        Matrix6d& J) noexcept;

// Forward recursion: twists (and, when accels is given, classical accelerations d/dt of the
// origin velocity and of the angular velocity) of every DH frame and of the end point.
void frameMotions(const DHTable& dh, const JointVector& q, const JointVector& qd,
                  const JointVector& qdd, const Eigen::Isometry3d& T_flange_end, TwistArray& twists,
                  TwistArray* accels) noexcept;

// Jdot qd of the end point: its acceleration with qdd = 0.
Vector6d jacobianDotTimesQd(const DHTable& dh, const JointVector& q, const JointVector& qd,
                            const Eigen::Isometry3d& T_flange_end) noexcept;

// qd with J qd = v. False (qd untouched) when J is singular within kJacobianMinRcond.
bool inverseVelocity(const DHTable& dh, const JointVector& q, const Eigen::Isometry3d& T_flange_end,
                     const Vector6d& v, JointVector& qd) noexcept;
// qd, qdd with J qd = v and J qdd + Jdot qd = a.
bool inverseAcceleration(const DHTable& dh, const JointVector& q,
                         const Eigen::Isometry3d& T_flange_end, const Vector6d& v,
                         const Vector6d& a, JointVector& qd, JointVector& qdd) noexcept;

// Arm configuration bits: 4 = right shoulder (wrist centre's x in frame 1 below zero),
// 2 = elbow down (sin of joint 3's DH angle above zero), 1 = wrist not flipped (sin of joint
// 5's DH angle below zero). The wrist centre is the origin of frame 5.
int armConfiguration(const DHTable& dh, const JointVector& q) noexcept;
int armConfigurationFromFrames(const DHTable& dh, const JointVector& q,
                               const FrameArray& T_base_k) noexcept;

}  // namespace zemo

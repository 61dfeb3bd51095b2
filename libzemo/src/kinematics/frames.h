// Orientation and frame algebra: pose <-> transform, orientation representations, frame
// composition, wrench and inertia changes of frame. Poses are (x, y, z, rx, ry, rz) with
// R = Rz(rz) Ry(ry) Rx(rx); wrenches are (f, m); F_b_a is frame a expressed in frame b.
#pragma once

#include <Eigen/Core>
#include <Eigen/Geometry>

#include "model/robot_model.h"

namespace zemo {

using Vector6d = Eigen::Matrix<double, 6, 1>;
using Matrix6d = Eigen::Matrix<double, 6, 6>;

// Values are the interface's orientation description codes.
enum class OrientationForm : int {
  kRotation = 0,    // 9 values, row-major 3x3
  kRpy = 1,         // roll, pitch, yaw; R = Rz(yaw) Ry(pitch) Rx(roll)
  kZyz = 2,         // alpha, beta, gamma; R = Rz(alpha) Ry(beta) Rz(gamma), beta in [0, pi]
  kZyx = 3,         // yaw, pitch, roll; the same rotation as kRpy listed in reverse order
  kQuaternion = 4,  // w, x, y, z with w >= 0
  kAxisAngle = 5,   // angle in [0, pi], then the unit axis
};

// Number of doubles of a representation, 0 for an unknown code.
int orientationLength(int form) noexcept;

Eigen::Matrix3d rpyToRotation(double rx, double ry, double rz) noexcept;
// rx = atan2(R21, R22) is kept on its own branch (a pose near rx = -pi stays near -pi).
Eigen::Vector3d rotationToRpy(const Eigen::Matrix3d& R) noexcept;
Eigen::Isometry3d poseToTransform(const Vector6d& pose) noexcept;
Vector6d transformToPose(const Eigen::Isometry3d& T) noexcept;

Eigen::Vector4d rotationToQuaternion(const Eigen::Matrix3d& R) noexcept;  // w first, w >= 0
Eigen::Matrix3d quaternionToRotation(const Eigen::Vector4d& q) noexcept;  // normalises q
Eigen::Vector4d quaternionToAxisAngle(const Eigen::Vector4d& q) noexcept;
Eigen::Vector4d axisAngleToQuaternion(const Eigen::Vector4d& aa) noexcept;

// Rotation by |w| about w / |w|, and its inverse (rotation vector, angle in [0, pi]).
Eigen::Matrix3d expSo3(const Eigen::Vector3d& w) noexcept;
Eigen::Vector3d logSo3(const Eigen::Matrix3d& R) noexcept;

// Converts `in` (representation `from`) into `out` (representation `to`). Returns false for
// an unknown code or an input that is no rotation (zero quaternion or axis, non-finite value).
bool convertOrientation(int from, int to, const double* in, double* out) noexcept;

// F_c_a = F_c_b F_b_a.
Vector6d changeReferenceFrame(const Vector6d& F_b_a, const Vector6d& F_c_b) noexcept;
Vector6d inverseFrame(const Vector6d& F_b_a) noexcept;
// Translation p2 - p1 and the rotation R2 R1^T as roll-pitch-yaw.
Vector6d differPose(const Vector6d& F_a_b1, const Vector6d& F_a_b2) noexcept;
// Position + linear part; rotation Exp(angular part) R (increment taken in the world frame).
Vector6d addDeltaPose(const Vector6d& F_w_a, const Vector6d& da_w) noexcept;
Eigen::Vector3d addDeltaOri(const Eigen::Vector3d& rpy_w_a, const Eigen::Vector3d& w_w,
                            double dt) noexcept;

// f' = R f, m' = R m (the frame's translation ignored).
Vector6d changeWrenchBase(const Vector6d& ft_in_a, const Eigen::Isometry3d& T_b_a) noexcept;
// f' = R f, m' = R m + p x f' (moment taken about the origin of b).
Vector6d changeWrenchFrame(const Vector6d& ft_in_a, const Eigen::Isometry3d& T_b_a) noexcept;

// Inertia tensor order of the interface: Ixx, Iyy, Izz, Ixy, Ixz, Iyz (tensor elements).
Eigen::Matrix3d inertiaFromSix(const Vector6d& I6) noexcept;
Vector6d inertiaToSix(const Eigen::Matrix3d& I) noexcept;
// m (|c|^2 E - c c^T): the parallel-axis term between the centre of mass and a point at -c.
Eigen::Matrix3d parallelAxisShift(double m, const Eigen::Vector3d& c) noexcept;
inline Eigen::Matrix3d inertiaOriginToCentre(double m, const Eigen::Vector3d& c,
                                             const Eigen::Matrix3d& I_origin) noexcept {
  return I_origin - parallelAxisShift(m, c);
}
inline Eigen::Matrix3d inertiaCentreToOrigin(double m, const Eigen::Vector3d& c,
                                             const Eigen::Matrix3d& I_centre) noexcept {
  return I_centre + parallelAxisShift(m, c);
}
// The same body expressed in frame b: centre R c + p, inertia R I R^T (centre form).
BodyInertial changeBodyFrame(const BodyInertial& body_in_a,
                             const Eigen::Isometry3d& T_b_a) noexcept;
// Two bodies given in one frame, combined into one (centre form). Zero total mass gives a
// massless body at the origin with the summed inertias.
BodyInertial combineBodies(const BodyInertial& b1, const BodyInertial& b2) noexcept;

// New orientation of a frame derived from a vector given in the frame's base; position kept.
// Type 1: y along the vector, x the old x made orthogonal to it (columns left unnormalised
// before the angle extraction, the convention of the recorded references). Type 2: turned about
// its own z so that x points at the vector's projection on its xy plane. Returns false for
// another type or a vector that defines no direction.
bool transferReferenceFrame(const Vector6d& F_b_a_old, const Eigen::Vector3d& V_in_b, int type,
                            Vector6d& F_b_a_new) noexcept;

}  // namespace zemo

// Numeric inverse kinematics for any 6R modified-DH chain: Levenberg-Marquardt damped least
// squares on the pose error, box bounds by projection, deterministic restarts. The budget is a
// number of iterations, so a result never depends on the machine's load.
#pragma once

#include <cstdint>

#include <Eigen/Core>
#include <Eigen/Geometry>

#include "kinematics/frames.h"
#include "model/robot_model.h"

namespace zemo {

struct JointBox {
  JointVector lower = JointVector::Constant(-M_PI);  // [rad]
  JointVector upper = JointVector::Constant(M_PI);   // [rad]
};

struct PoseTolerance {
  double position = 1e-9;     // [m]
  double orientation = 1e-9;  // [rad]
};

// Position difference and rotation vector of R_goal R^T, both in the base frame.
Vector6d poseError(const Eigen::Isometry3d& T, const Eigen::Isometry3d& T_goal) noexcept;
bool withinTolerance(const Vector6d& err, const PoseTolerance& tol) noexcept;

// One descent from `seed`, at most `max_iterations` (taken from `budget`, which is decreased
// by the iterations used). True when the end pose T_flange_end after the flange reaches T_goal.
bool solveLeastSquares(const DHTable& dh, const Eigen::Isometry3d& T_flange_end,
                       const Eigen::Isometry3d& T_goal, const JointVector& seed,
                       const JointBox& box, const PoseTolerance& tol, int max_iterations,
                       int& budget, JointVector& q_out) noexcept;

// Deterministic pseudo-random seeds inside a box (splitmix64), the same on every platform.
class SeedSequence {
 public:
  explicit SeedSequence(std::uint64_t seed) : state_(seed) {}
  JointVector next(const JointBox& box) noexcept;

 private:
  std::uint64_t state_;
};

}  // namespace zemo

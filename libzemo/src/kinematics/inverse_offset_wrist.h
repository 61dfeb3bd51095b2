// Closed-form inverse kinematics of the offset-wrist arm family: joint 2 perpendicular to
// joint 1, joints 2, 3 and 4 parallel, joints 5 and 6 perpendicular to their predecessors, no
// link length on the last link. Up to eight branches (shoulder x elbow x wrist).
#pragma once

#include <array>

#include <Eigen/Core>
#include <Eigen/Geometry>

#include "model/robot_model.h"

namespace zemo {

// Below these the branch is singular and a joint is free (set to its reference value).
constexpr double kIkWristSingularSin = 1e-10;  // |sin| of joint 5's DH angle: q6 free
constexpr double kIkShoulderSingular = 1e-10;  // [m] wrist centre on axis 1: q1 free
// Elbow: cosine of joint 3's DH angle may exceed 1 by this much (stretched or folded arm)
// before the target counts as out of reach.
constexpr double kIkElbowReachTol = 1e-9;
// Shoulder: the wrist centre may come this much inside the offset cylinder about axis 1.
constexpr double kIkShoulderReachTol = 1e-9;  // [m]
// Overshoot still turned into a refinement seed: a compensation moves the reach this little.
constexpr double kIkSeedReachSlack = 1e-2;  // [m] on the shoulder, [-] on the elbow cosine
// Seeds keep this distance from the shoulder and elbow singularities, so that the two branches
// meeting there start apart and refine to the two distinct solutions of the real arm.
constexpr double kIkSeedSingularMargin = 2e-2;  // [rad]

constexpr int kOffsetWristBranches = 8;

struct OffsetWristSolutions {
  std::array<JointVector, kOffsetWristBranches> q;
  int count = 0;
};

// True when the table belongs to the family (within 1e-9 on the angles and lengths).
bool isOffsetWristArm(const DHTable& dh) noexcept;

// All branches reaching T_base_flange, angles in (-pi, pi]; free joints take q_ref's value.
// Branches that coincide (singular postures) are returned once. The table must satisfy
// isOffsetWristArm. With `seeds_only` a target slightly out of reach still gives the nearest
// (stretched) branches, as starting points for refinement on a compensated table.
void solveOffsetWrist(const DHTable& dh, const Eigen::Isometry3d& T_base_flange,
                      const JointVector& q_ref, OffsetWristSolutions& out,
                      bool seeds_only = false) noexcept;

}  // namespace zemo

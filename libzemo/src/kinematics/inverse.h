// Inverse kinematics of the arm: the closed form for the offset-wrist family (refined on the
// compensated table when the compensation leaves the family), a numeric solver otherwise, and
// the selection of solutions by bounds, configuration and distance to a reference.
#pragma once

#include <array>

#include <Eigen/Core>
#include <Eigen/Geometry>

#include "kinematics/inverse_numeric.h"
#include "model/robot_model.h"

namespace zemo {

constexpr int kMaxIkSolutions = 16;           // a 6R chain has at most 16 solutions
constexpr int kIkConfigAny = -1;              // any configuration
constexpr int kIkConfigOfReference = 8;       // the configuration of q_ref
constexpr int kIkDefaultBudget = 2000;        // [iterations]
constexpr int kIkMaxBudget = 200000;          // [iterations] larger requests are cut to this
constexpr int kIkIterationsPerSeed = 100;     // [iterations] one descent of the numeric solver
constexpr double kIkDefaultTolerance = 1e-6;  // [m] and [rad]

struct IkRequest {
  Eigen::Isometry3d T_base_goal = Eigen::Isometry3d::Identity();  // target of the tool point
  JointVector q_ref = JointVector::Zero();                        // [rad] reference and seed
  bool bounded = false;  // false: the model's joint limits when it has any, else none
  JointBox box;          // [rad] used when bounded
  JointVector weight = JointVector::Ones();                     // weights of the distance to q_ref
  PoseTolerance tol{kIkDefaultTolerance, kIkDefaultTolerance};  // acceptance of a solution
  int config = kIkConfigAny;      // 0..7, kIkConfigAny or kIkConfigOfReference
  int budget = kIkDefaultBudget;  // [iterations] of the numeric solver and refinement
};

enum class IkStatus {
  kOk = 0,
  kUnreachable,          // no joint vector reaches the target
  kOutOfBounds,          // solutions exist, none within the bounds
  kNoSuchConfiguration,  // solutions within the bounds, none of the requested configuration
};

struct IkSolutionSet {
  std::array<JointVector, kMaxIkSolutions> q;
  std::array<int, kMaxIkSolutions> config{};
  int count = 0;
};

// All solutions within the bounds and of the requested configuration, nearest to q_ref first.
IkStatus inverseKinematicsAll(const RobotModel& model, bool real, const IkRequest& req,
                              IkSolutionSet& out) noexcept;
// The admissible solution nearest to q_ref (weighted).
IkStatus inverseKinematics(const RobotModel& model, bool real, const IkRequest& req,
                           JointVector& q_out) noexcept;

}  // namespace zemo

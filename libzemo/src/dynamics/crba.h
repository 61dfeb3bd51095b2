// Joint-space inertia matrix by composite rigid bodies.
#pragma once

#include <Eigen/Core>

#include "model/robot_model.h"

namespace zemo {

using JointMatrix = Eigen::Matrix<double, kMaxDof, kMaxDof>;

// M(q) [kg m^2] of the compensated arm, rotor inertia on the diagonal, end sensor and tool
// payload on the last body. Symmetric; rows and columns beyond dof are zero.
JointMatrix massMatrix(const RobotModel& model, const JointVector& q);

}  // namespace zemo

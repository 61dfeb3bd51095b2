// Forward dynamics: the joint accelerations that given torques produce.
#pragma once

#include "dynamics/body_inertia.h"
#include "model/robot_model.h"

namespace zemo {

// Solves M(q) qdd = tau - C(q, qd) qd - G(q) - (external torque) with a Cholesky factorisation.
// W_env as for inverseDynamics (nullptr for none). Returns false, qdd untouched, when M is not
// positive definite (physically inconsistent inertial parameters).
bool forwardDynamics(const RobotModel& model, const JointVector& q, const JointVector& qd,
                     const JointVector& tau, const ExternalWrenches* W_env, JointVector& qdd);

}  // namespace zemo

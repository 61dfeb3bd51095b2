// Recursive Newton-Euler inverse dynamics on the modified-DH chain of the compensated arm.
#pragma once

#include "dynamics/body_inertia.h"
#include "model/robot_model.h"

namespace zemo {

// Joint torques [N m] that produce qdd at (q, qd) under the model's gravity, including the rotor
// (armature) torque rotor_inertia * qdd and the end sensor and tool payload on the last body.
// W_env: wrenches of the environment on the arm (see ExternalWrenches), nullptr for none. Entries
// beyond dof are 0.
JointVector inverseDynamics(const RobotModel& model, const JointVector& q, const JointVector& qd,
                            const JointVector& qdd, const ExternalWrenches* W_env = nullptr);

// The same recursion with an explicit gravity vector [m/s^2] in the base frame.
JointVector inverseDynamics(const RobotModel& model, const JointVector& q, const JointVector& qd,
                            const JointVector& qdd, const ExternalWrenches* W_env,
                            const Eigen::Vector3d& gravity);

// Coriolis and centrifugal torque C(q, qd) qd [N m]: no gravity, no acceleration.
JointVector coriolisTorque(const RobotModel& model, const JointVector& q, const JointVector& qd);

// Torque [N m] that holds the arm still against the model's gravity.
JointVector gravityTorque(const RobotModel& model, const JointVector& q);

}  // namespace zemo

// Force- and motion-control settings of one library instance: written by the fc and mc
// operations, read by the controllers. Values are stored as given once validated.
#pragma once

#include <array>

#include "data_structure_definition.h"

namespace zemo {

using Array6 = std::array<double, 6>;

// Force-control parameters of one space. In Cartesian space the six entries are x, y, z,
// rx, ry, rz of the task frame; in joint space joints 1 to 6.
struct ForceControlSpaceParams {
  std::array<int, 6> select{};  // 1: the direction is force-controlled, 0: position-held
  Array6 threshold{};           // [N | N m] dead band below which a wrench is ignored
  Array6 limit{};               // [N | N m] largest wrench the controller may command
  Array6 stiffness{};           // [N/m | N m/rad] (also the mass slot of the admittance)
  Array6 damp{};                // [N s/m | N m s/rad]
};

struct ForceControlParameters {
  std::array<ForceControlSpaceParams, 2> space;  // index: 0 joint, 1 Cartesian
  Array6 sensitivity{};                          // per-direction gain of the wrench error
  double over_estimated_dis = 0.0;               // [m] allowed overshoot past the contact
  Array6 max_adjust_speed{};                     // [m/s | rad/s] largest force-loop correction
  bool max_adjust_symmetric = true;              // the limit holds in both directions
  bool singularity_consistent = false;           // damp the correction near singularities
  Array6 singularity_value{};                    // thresholds of that damping
  std::array<Array6, 4> virtual_force{};         // [N | N m] per frame: base, tool, user, joint
  Array6 pid_p{}, pid_i{}, pid_d{}, pid_v{};     // force-loop gains, V: velocity feed-forward
  Array6 damping_coe{};                          // per-joint damping coefficients
  Array6 gain_coe{};                             // per-joint gain coefficients
  Array6 joint_torq_coe{};                       // per-joint torque scaling
};

struct MotionControlParameters {
  double period = 0.005;  // [s] control cycle
  ZEMO::interface::ControlMode type = ZEMO::interface::POS;
  Array6 max_joint_speed{};     // [rad/s]; zero: the model's limits apply
  double max_tran_speed = 0.0;  // [m/s]; zero: no limit set
  double max_rot_speed = 0.0;   // [rad/s]; zero: no limit set
};

struct ControlParameters {
  ForceControlParameters fc;
  MotionControlParameters mc;
};

}  // namespace zemo

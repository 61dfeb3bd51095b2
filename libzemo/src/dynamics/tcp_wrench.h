// Contact wrench at the tool point from an end force/torque sensor reading.
#pragma once

#include <Eigen/Geometry>

#include "dynamics/body_inertia.h"
#include "model/robot_model.h"

namespace zemo {

// W_sensor: offset-free reading in the sensor frame (moment about its origin). T_flange_sensor:
// sensor pose in the flange. The tool payload (model.tool, flange coordinates) hangs beyond the
// sensor: its weight under the model's gravity at q is removed, and the rest is moved to the tool
// point (model.T_flange_tool), in tool coordinates with the moment about the tool point.
// Quasi-static: the payload's inertial forces are not removed.
Wrench tcpWrenchFromEndSensor(const RobotModel& model, const JointVector& q, const Wrench& W_sensor,
                              const Eigen::Isometry3d& T_flange_sensor);

}  // namespace zemo

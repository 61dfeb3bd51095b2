// Loading a robot model from its description: URDF (chain, limits, inertials, collision
// meshes), SRDF (disabled collision pairs) and the per-model parameter file.
#pragma once

#include <string>

#include "model/robot_model.h"

namespace zemo {

// Reads description_dir + "urdf/<name>.urdf", "urdf/<name>.srdf" and "config/<name>.json".
// Returns 0 or a negative code of the interface; on failure `model` is untouched and `error`
// says why.
int loadRobotModel(const std::string& name, const std::string& description_dir,
                   RobotModel& model, std::string& error);

// The same from URDF and SRDF text; parameters the URDF cannot hold get their defaults.
int loadRobotModelFromString(const std::string& urdf, const std::string& srdf, RobotModel& model,
                             std::string& error);

}  // namespace zemo

// Feedback of one arm as the controller reports it each cycle: joint motion, joint torque or
// current, temperature and friction, force/torque sensor readings, and the estimator settings.
// Written by the robot-state operations after they validated their input; read by the
// estimators and controllers.
#pragma once

#include <array>

#include <Eigen/Geometry>

#include "dynamics/body_inertia.h"
#include "model/robot_model.h"

namespace zemo {

// Where a force/torque sensor sits; the values match the interface's sensor types.
enum class SensorSite : int { End = 0, Base = 1, Joint = 2 };
constexpr int kSensorSites = 3;

// One force/torque reading. End: sensor frame, moment about its origin. Base: base frame.
// Joint: one torque per joint.
struct SensorReading {
  Vector6d values = Vector6d::Zero();  // [N, N m]
  bool valid = false;                  // a reading arrived since the state was initialised
};

// Bandwidth of the momentum observer that estimates external joint torques.
constexpr double kDefaultObserverGain = 50.0;  // [1/s]

struct RobotStateData {
  JointVector q = JointVector::Zero();    // [rad]
  JointVector qd = JointVector::Zero();   // [rad/s]
  JointVector qdd = JointVector::Zero();  // [rad/s^2]
  bool has_position = false;              // q holds a sample (difference quotients may start)

  JointVector torque = JointVector::Zero();       // [N m | A] measured joint torque or current
  JointVector temperature = JointVector::Zero();  // [deg C]
  JointVector friction = JointVector::Zero();     // [N m] friction the drives report

  std::array<SensorReading, kSensorSites> sensor;
  JointVector observer_gain = JointVector::Constant(kDefaultObserverGain);  // [1/s]
};

// Back to the state of a freshly loaded model: at rest at zero, no readings, default gains.
void resetState(RobotStateData& state);

// Measured joint motion, stored as given.
void setJointMotion(RobotStateData& state, const JointVector& q, const JointVector& qd,
                    const JointVector& qdd);

// Joint motion from positions alone: velocity and acceleration are backward differences over
// period [s] (> 0) against the previous sample; the first sample after a reset is at rest.
void setJointPosition(RobotStateData& state, const JointVector& q, double period);

// Wrench at the tool point, in tool coordinates, from the last end-sensor reading at the last
// joint position (payload weight removed); zero while no end-sensor reading arrived.
Wrench tcpWrench(const RobotModel& model, const RobotStateData& state);

}  // namespace zemo

#include "state/robot_state.h"

#include "dynamics/tcp_wrench.h"

namespace zemo {

void resetState(RobotStateData& state) {
  state = RobotStateData{};
}

void setJointMotion(RobotStateData& state, const JointVector& q, const JointVector& qd,
                    const JointVector& qdd) {
  state.q = q;
  state.qd = qd;
  state.qdd = qdd;
  state.has_position = true;
}

void setJointPosition(RobotStateData& state, const JointVector& q, double period) {
  if (!state.has_position) {
    setJointMotion(state, q, JointVector::Zero(), JointVector::Zero());
    return;
  }
  const JointVector qd = (q - state.q) / period;
  setJointMotion(state, q, qd, (qd - state.qd) / period);
}

Wrench tcpWrench(const RobotModel& model, const RobotStateData& state) {
  const SensorReading& end = state.sensor[static_cast<int>(SensorSite::End)];
  if (!end.valid) return Wrench::Zero();
  return tcpWrenchFromEndSensor(model, state.q, end.values, model.T_flange_sensor);
}

}  // namespace zemo

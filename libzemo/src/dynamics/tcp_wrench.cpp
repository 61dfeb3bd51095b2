#include "dynamics/tcp_wrench.h"

#include "kinematics/forward.h"

namespace zemo {

Wrench tcpWrenchFromEndSensor(const RobotModel& model, const JointVector& q, const Wrench& W_sensor,
                              const Eigen::Isometry3d& T_flange_sensor) {
  const Eigen::Matrix3d R_base_sensor =
      forwardFlange(kinematicTable(model, true), q).linear() * T_flange_sensor.linear();

  const Eigen::Vector3d f_weight = R_base_sensor.transpose() * (model.tool.m * model.gravity);
  const Eigen::Vector3d c_in_sensor = T_flange_sensor.inverse() * model.tool.c;
  const Eigen::Vector3d f = W_sensor.head<3>() - f_weight;
  const Eigen::Vector3d m = W_sensor.tail<3>() - c_in_sensor.cross(f_weight);

  const Eigen::Isometry3d T_sensor_tool = T_flange_sensor.inverse() * model.T_flange_tool;
  const Eigen::Matrix3d Rt = T_sensor_tool.linear().transpose();
  Wrench W_tool;
  W_tool << Rt * f, Rt * (m - T_sensor_tool.translation().cross(f));
  return W_tool;
}

}  // namespace zemo

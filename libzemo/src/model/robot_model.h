// The robot model: read-mostly constants of one arm, loaded once and changed only by the
// library's setters. Algorithms take it by const reference and keep their scratch data apart.
#pragma once

#include <array>
#include <string>
#include <vector>

#include <Eigen/Core>
#include <Eigen/Geometry>

namespace zemo {

constexpr int kMaxDof = 6;
using JointVector = Eigen::Matrix<double, kMaxDof, 1>;

// Modified Denavit-Hartenberg table: frame i-1 -> i = RotX(alpha) TransX(a) RotZ(theta + q) TransZ(d).
struct DHTable {
  std::array<double, kMaxDof> alpha{};  // [rad]
  std::array<double, kMaxDof> a{};      // [m]
  std::array<double, kMaxDof> d{};      // [m]
  std::array<double, kMaxDof> theta{};  // [rad] joint zero offset
  std::array<double, kMaxDof> beta{};   // [rad] carried, unused by the kinematics
};

// Inertial parameters of one body in its own DH frame, about the frame origin.
struct LinkInertial {
  double m = 0.0;                                    // [kg]
  Eigen::Vector3d mc = Eigen::Vector3d::Zero();      // [kg m] first moment m * c
  Eigen::Matrix3d I_o = Eigen::Matrix3d::Zero();     // [kg m^2] about the frame origin
};

// Inertial description of a rigid body attached to a frame (tool, workpiece, sensor).
struct BodyInertial {
  double m = 0.0;                                    // [kg]
  Eigen::Vector3d c = Eigen::Vector3d::Zero();       // [m] centre of mass in the frame
  Eigen::Matrix3d I_c = Eigen::Matrix3d::Zero();     // [kg m^2] about the centre of mass
};

struct JointLimits {
  std::array<double, kMaxDof> upper{};        // [rad]
  std::array<double, kMaxDof> lower{};        // [rad]
  std::array<double, kMaxDof> velocity{};     // [rad/s]
  std::array<double, kMaxDof> max_avg_torque{};  // [N m]
};

// Collision geometry of one link as the description gives it.
struct LinkCollision {
  std::string mesh_path;  // absolute path of the mesh file, empty when the link has none
  Eigen::Isometry3d T_link_mesh = Eigen::Isometry3d::Identity();
  Eigen::Vector3d scale = Eigen::Vector3d::Ones();
};

// A link pair excluded from self-collision checking, with the description's reason
// ("Adjacent", "Never", "Default", "Always", "User").
struct DisabledPair {
  std::string link1, link2, reason;
};

// Friction law of one joint as set through the interface (law tag and its parameter list).
struct FrictionSetting {
  int type = 0;  // FrictionType of the interface; 0: none
  std::vector<double> para;
};

struct RobotModel {
  std::string name;
  int dof = kMaxDof;
  DHTable dh_nominal;
  DHTable dh_comp;  // compensation added member by member to the nominal set
  std::array<LinkInertial, kMaxDof> links;  // body k carries joint k+1, in DH frame k+1
  std::array<double, kMaxDof> rotor_inertia{};  // [kg m^2] reflected armature per joint
  JointLimits limits;
  Eigen::Vector3d gravity{0.0, 0.0, -9.81};  // [m/s^2] in the base frame
  Eigen::Isometry3d T_flange_tool = Eigen::Isometry3d::Identity();
  BodyInertial tool;  // payload on the flange: centre and inertia in flange coordinates
  // Link names of the description: [0] the base, [k] the body moved by joint k.
  std::vector<std::string> link_names;
  std::string end_effector;  // fixed link at the flange, may be empty
  std::vector<LinkCollision> collision;  // per link name index, same size as link_names
  std::vector<DisabledPair> disabled_pairs;
  std::array<double, kMaxDof> joint_module_constant{};  // [N m / A] torque constant per joint
  std::array<double, kMaxDof> start_stop_torque{};      // [N m]
  double payload = 0.0;                                 // [kg] rated payload
  Eigen::Isometry3d T_flange_sensor = Eigen::Isometry3d::Identity();
  BodyInertial sensor;  // end sensor body, in flange coordinates
  int workpiece_mode = 0;  // 0: tool on the flange; 1: the robot carries the workpiece
  Eigen::Isometry3d T_base_workpiece = Eigen::Isometry3d::Identity();
  std::vector<FrictionSetting> friction;  // one per joint, empty: no friction model
};

// Nominal table plus compensation, the table of the "real" (calibrated) arm.
inline DHTable compensated(const RobotModel& model) {
  DHTable t = model.dh_nominal;
  for (int i = 0; i < kMaxDof; ++i) {
    t.alpha[i] += model.dh_comp.alpha[i];
    t.a[i] += model.dh_comp.a[i];
    t.d[i] += model.dh_comp.d[i];
    t.theta[i] += model.dh_comp.theta[i];
    t.beta[i] += model.dh_comp.beta[i];
  }
  return t;
}

}  // namespace zemo

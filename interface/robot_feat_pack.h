// Force-control feature packs: free drive, curved-surface following and peg-in-hole assembly,
// driven cycle by cycle through a library instance.
#pragma once

#include <array>
#include <vector>

#include "data_structure_definition.h"
#include "robot_library_interface.h"

namespace ZEMO {
namespace pack {

// Phases of the assembly, used in this order; there is no phase 0.
enum AssembleStatus : int {
  locate_z = 1,
  local_insert_detect = 2,
  locate_xy = 3,
  locate_move = 4,
  search_z = 5,
  search_insert_detect = 6,
  search_xy = 7,
  insert = 8,
};

// One sample of robot feedback.
struct RobotState {
  interface::RLJntArray q {};         // [rad]
  interface::RLJntArray qd {};        // [rad/s]
  interface::RLJntArray qdd {};       // [rad/s^2]
  interface::RLJntArray torq {};      // [N m] or the measured joint quantity
  interface::RLJntArray temp {};      // [deg C]
  interface::RLJntArray friction {};  // [N m]
  interface::RLWrench sensor {};      // force/torque sensor reading
  bool has_sensor = false;
};

struct RobotCommand {
  interface::RLJntArray cmd_q {};     // [rad]
  interface::RLJntArray cmd_qd {};    // [rad/s]
  interface::RLJntArray cmd_qdd {};   // [rad/s^2]
  interface::RLJntArray cmd_torq {};  // [N m]
};

struct FreeDriveEnable {
  std::vector<int> enable;  // per joint or direction: 1 free, 0 held
  interface::RLJntArray damp_per {};
  interface::DoubleVec cart_damp;
  interface::DoubleVec cart_interia_;
  interface::DoubleVec singular_range;
  interface::FcDesignParam design_para;
};

struct FreeDrive {
  RobotState state;
  interface::RLPose task_frame {};
};

struct CurvedFit {
  RobotState state;
  bool first_period = false;  // the call is the first cycle
  std::vector<int> enable;    // force-controlled directions (1)
  interface::RLWrench goal_wrench {};
  interface::RLJntArray ref_q {};
  interface::RLJntArray ref_qd {};
  interface::RLJntArray ref_qdd {};
};

struct FCcontrollerParam {
  bool use_default_params = true;  // ignore the vectors and use the library's defaults
  interface::DescribeSpace space = interface::CARTESIAN;
  std::vector<int> fc_enable{1, 1, 1, 1, 1, 1};
  std::vector<double> M;  // mass per direction
  std::vector<double> D;  // damping per direction
  std::vector<double> K;  // stiffness per direction
  std::vector<double> force_limit;
  std::vector<double> force_threshold;
};

struct AssemblyStateParams {
  RobotState state;
  interface::RLJntArray goal_force {};  // force to hold, six values
  interface::RLPose task_Frame {};
  interface::RLJntArray ref_q {};
  interface::RLJntArray ref_qd {};
  interface::RLJntArray ref_qdd {};
};

struct AssemblyCraftParams {
  AssembleStatus status{};
  interface::RLPose pos_begin {};
  double sensor_limit_inTool = 0.0;  // [N] in the tool frame
  double axle_offset = 0.0;          // [m]
  double aolt_diameter = 0.0;        // [m]
  double seek_distance = 0.0;        // [m]
  double HoleDepth = 0.0;            // [m]
};

int FPFreeDriveEnable(const ZEMOIntfacePtr& robot, const FreeDriveEnable& param);
int FPFreeDrive(const ZEMOIntfacePtr& robot, const FreeDrive& drive, RobotCommand& command);
int FPCurvedFit(const ZEMOIntfacePtr& robot, CurvedFit& fit, std::array<double, 6>& cmd_q,
                std::array<double, 6>& cmd_qd);
int FPAssembleEnable(const ZEMOIntfacePtr& robot, const AssembleStatus& status,
                     const FCcontrollerParam& param);
int FPAssembleCmdOut(const ZEMOIntfacePtr& robot, const AssemblyStateParams& state,
                     const AssemblyCraftParams& craft, std::array<double, 6>& cmd_q,
                     std::array<double, 6>& cmd_qd, bool& contact, bool& over,
                     std::array<double, 6>& cmd_pos);

}  // namespace pack
}  // namespace ZEMO

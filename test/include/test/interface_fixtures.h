#pragma once

#include <memory>
#include <string>

#include <unittest/unittest.h>

#include "robot_library_interface.h"
#include "zemo_utility.h"

#include "test/test_parameters.h"

enum RobotType {
  vire_r3 = 0, vire_r5 = 1, vire_r10 = 2, vire_r12 = 3, vire_r16 = 4, vire_r20 = 5,
  vire_r10X = 12, vire_r12X = 13, vire_rQ20 = 23, vire_K3 = 30, vire_K5 = 31, vire_K10 = 32,
  vire_W3 = 40, vire_W6 = 41, vire_U6 = 50, vire_U12 = 51, vire_P12Z = 61
};

// Every fixture test gets its own library instance and logger; the body loads a model.
struct VireRobotInterface {
  ZEMOIntfacePtr robot;
  ZEMO::interface::RLPose tcp;
  ZEMO::LoggerPtr log_;
  unsigned int dof;

  VireRobotInterface() : robot(), tcp(), log_() {
    log_ = std::make_shared<ZEMO::Logger>();
    robot = CreateZEMOIntfacePtr();
    log_->setLogLevel(2);
    robot->rlSetLogLevel(ZEMO::interface::LogLevel::WARN);
    tcp = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
    dof = 6;
  }

  void Setup(const std::string& robot_name) {
    if (robot) {
      robot->rlInitialRobot(robot_name, std::string(urdf_path));
      dof = robot->mdlGetRobotDOF();
    } else {
      log_->error() << "实例化" << robot_name << "失败" << std::endl;
      log_->end("Setup", ZEMO::GetSourceFilename(__FILE__), 41);
    }
  }

  std::string convertIdentifyTypeToString(const ZEMO::interface::DynCalibType& identify_type) {
    switch (identify_type) {
      case ZEMO::interface::BODY_JNT_CURRENT:
        return "body_jnt_current/";
      case ZEMO::interface::BODY_BASE_SENSOR:
        return "body_base_sensor/";
      case ZEMO::interface::TOOL_JNT_CURRENT:
        return "tool_jnt_current/";
      case ZEMO::interface::TOOL_END_SENSOR:
        return "tool_end_sensor/";
      default:
        return "";
    }
  }
};

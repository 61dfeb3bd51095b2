#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "robot_library_interface.h"
#include "runtime/error_text.h"
#include "shapes.h"
#include "zemo_utility.h"

namespace {

using ZEMO::interface::LogLevel;

struct Record {
  int level;
  std::string file;
  int line;
  std::string message;
};

// Collects what a logger or library instance hands to its handler.
struct Capture {
  std::shared_ptr<std::vector<Record>> records = std::make_shared<std::vector<Record>>();
  ZEMO::LogHandler handler() const {
    auto out = records;
    return [out](const int& level, const char* file, const int& line, const std::string& msg) {
      out->push_back({level, file, line, msg});
    };
  }
};

TEST(Logger, EmitsOnlyMessagesAtOrBelowItsLevel) {
  ZEMO::Logger log;
  Capture capture;
  ASSERT_EQ(log.setLogHandler(capture.handler()), 0);
  EXPECT_EQ(log.getLogLevel(), 0u);
  log.setLogLevel(2);
  log.error() << "bad value " << 3;
  log.end("check", "file.cpp", 12);
  log.info() << "hidden";
  log.end("check", "file.cpp", 13);
  log.warn() << "shown";
  log.end("other", "b.cpp", 7);
  ASSERT_EQ(capture.records->size(), 2u);
  EXPECT_EQ((*capture.records)[0].level, 1);
  EXPECT_EQ((*capture.records)[0].file, "file.cpp");
  EXPECT_EQ((*capture.records)[0].line, 12);
  EXPECT_EQ((*capture.records)[0].message, "zemo::check - bad value 3");
  // The suppressed message must not leak into the next one.
  EXPECT_EQ((*capture.records)[1].message, "zemo::other - shown");
  EXPECT_EQ((*capture.records)[1].level, 2);
  EXPECT_EQ(log.getCurLevel(), 2u);
}

TEST(Logger, RefusesAnEmptyHandlerAndKeepsThePreviousOne) {
  ZEMO::Logger log;
  Capture capture;
  log.setLogHandler(capture.handler());
  EXPECT_LT(log.setLogHandler(ZEMO::LogHandler()), 0);
  log.fatal() << "still delivered";
  log.end("f", "x.cpp", 1);
  ASSERT_EQ(capture.records->size(), 1u);
  EXPECT_EQ((*capture.records)[0].message, "zemo::f - still delivered");
}

TEST(Logger, GetSourceFilenameKeepsTheLastPathComponent) {
  EXPECT_STREQ(ZEMO::GetSourceFilename("/a/b/interface_fixtures.h"), "interface_fixtures.h");
  EXPECT_STREQ(ZEMO::GetSourceFilename("plain.cpp"), "plain.cpp");
  EXPECT_STREQ(ZEMO::GetSourceFilename("dir/"), "");
  EXPECT_STREQ(ZEMO::GetSourceFilename(nullptr), "");
}

TEST(TextParsing, StrToDouble) {
  struct Case {
    const char* text;
    bool ok;
    double value;
  };
  const Case cases[] = {
      {"4.25", true, 4.25}, {"  -1e-3 \r", true, -1e-3}, {"7", true, 7.0},
      {"", false, 0.0},     {"   ", false, 0.0},         {"abc", false, 0.0},
      {"1.5x", false, 0.0}, {"1 2", false, 0.0},         {"1e999", false, 0.0},
  };
  for (const Case& c : cases) {
    double value = 123.0;
    const int ret = ZEMO::StrToDouble(c.text, value);
    if (c.ok) {
      EXPECT_EQ(ret, 0) << "'" << c.text << "'";
      EXPECT_DOUBLE_EQ(value, c.value) << "'" << c.text << "'";
    } else {
      EXPECT_LT(ret, 0) << "'" << c.text << "'";
      EXPECT_TRUE(std::isnan(value)) << "'" << c.text << "'";
    }
  }
  double value = 0.0;
  EXPECT_LT(ZEMO::StrToDouble(nullptr, value), 0);
}

TEST(TextParsing, SplitString) {
  struct Case {
    std::string line;
    std::string separator;
    int ret_sign;  // 0 success, -1 error
    std::vector<double> values;
  };
  const std::vector<Case> cases = {
      {"1,2,3", ",", 0, {1, 2, 3}}, {" 1 , -2.5 ,3\r", ",", 0, {1, -2.5, 3}},
      {"1,x,3", ",", -1, {1}},      {"1,,3", ",", -1, {1}},
      {"1,2,", ",", -1, {1, 2}},    {"", ",", 0, {}},
      {"  \r", ",", 0, {}},         {"  0.5   6  -7 ", " ", 0, {0.5, 6, -7}},
      {"1;;2", ";;", 0, {1, 2}},    {"42", ",", 0, {42}},
  };
  for (const Case& c : cases) {
    std::vector<double> values{99.0};
    const int ret = ZEMO::SplitString(c.line, c.separator, values);
    if (c.ret_sign == 0)
      EXPECT_EQ(ret, 0) << "'" << c.line << "'";
    else
      EXPECT_LT(ret, 0) << "'" << c.line << "'";
    EXPECT_EQ(values, c.values) << "'" << c.line << "'";
  }
}

TEST(ErrorText, EveryCodeOfTheEnumerationsHasItsOwnText) {
  const std::vector<std::pair<int, const char*>> codes = {
      {ZEMO::E_NO_ERROR, "E_NO_ERROR"},
      {ZEMO::E_ERR_ERROR, "E_ERR_ERROR"},
      {ZEMO::E_INT_NOT_IMPL, "E_INT_NOT_IMPL"},
      {ZEMO::E_FUNC_NOT_IMPL, "E_FUNC_NOT_IMPL"},
      {ZEMO::E_VERSION_DISMATCH, "E_VERSION_DISMATCH"},
      {ZEMO::E_MAJOR_DISMATCH, "E_MAJOR_DISMATCH"},
      {ZEMO::E_MINOR_DISMATCH, "E_MINOR_DISMATCH"},
      {ZEMO::E_PATCH_DISMATCH, "E_PATCH_DISMATCH"},
      {ZEMO::E_FILE_NOT_EXIST, "E_FILE_NOT_EXIST"},
      {ZEMO::E_PARSE_PLUGIN_FAILED, "E_PARSE_PLUGIN_FAILED"},
      {ZEMO::E_LIBRARY_INITIAL_FAILED, "E_LIBRARY_INITIAL_FAILED"},
      {ZEMO::E_DIMENSION_DISMATCH, "E_DIMENSION_DISMATCH"},
      {ZEMO::E_INVALID_FUNCTION, "E_INVALID_FUNCTION"},
      {ZEMO::interface::E_MODEL_NO_ERROR, "E_MODEL_NO_ERROR"},
      {ZEMO::interface::E_MODEL_DEGRADED, "E_MODEL_DEGRADED"},
      {ZEMO::interface::E_ROBOT_DOF_DISMATCH, "E_ROBOT_DOF_DISMATCH"},
      {ZEMO::interface::E_INVALID_URDF_FILE, "E_INVALID_URDF_FILE"},
      {ZEMO::interface::E_URDF_INVALID_COLOR, "E_URDF_INVALID_COLOR"},
      {ZEMO::interface::E_URDF_NUM_COLOR, "E_URDF_NUM_COLOR"},
      {ZEMO::interface::E_URDF_INVALID_VECTOR, "E_URDF_INVALID_VECTOR"},
      {ZEMO::interface::E_URDF_NUM_VECTOR, "E_URDF_NUM_VECTOR"},
      {ZEMO::interface::E_URDF_INVALID_XYZ, "E_URDF_INVALID_XYZ"},
      {ZEMO::interface::E_URDF_INVALID_RPY, "E_URDF_INVALID_RPY"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_DAMPING, "E_URDF_INVALID_JOINT_DAMPING"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_FRICTION, "E_URDF_INVALID_JOINT_FRICTION"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_LOWER_LIMIT, "E_URDF_INVALID_JOINT_LOWER_LIMIT"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_UPPER_LIMIT, "E_URDF_INVALID_JOINT_UPPER_LIMIT"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_EFFORT, "E_URDF_INVALID_JOINT_EFFORT"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_INERTIA, "E_URDF_INVALID_JOINT_INERTIA"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_STIFFNESS, "E_URDF_INVALID_JOINT_STIFFNESS"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_OFFSET, "E_URDF_INVALID_JOINT_OFFSET"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_MOTOR_CONSTANT, "E_URDF_INVALID_JOINT_MOTOR_CONSTANT"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_RATIO, "E_URDF_INVALID_JOINT_RATIO"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_SCALE, "E_URDF_INVALID_JOINT_SCALE"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_SOFT_LOWER_LIMIT,
       "E_URDF_INVALID_JOINT_SOFT_LOWER_LIMIT"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_SOFT_UPPER_LIMIT,
       "E_URDF_INVALID_JOINT_SOFT_UPPER_LIMIT"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_K_POSITION, "E_URDF_INVALID_JOINT_K_POSITION"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_K_VELOCITY, "E_URDF_INVALID_JOINT_K_VELOCITY"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_RISING, "E_URDF_INVALID_JOINT_RISING"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_FALLING, "E_URDF_INVALID_JOINT_FALLING"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_MIMIC_MULTIPLIER,
       "E_URDF_INVALID_JOINT_MIMIC_MULTIPLIER"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_MIMIC_OFFSET, "E_URDF_INVALID_JOINT_MIMIC_OFFSET"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_NAME, "E_URDF_INVALID_JOINT_NAME"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_POSE, "E_URDF_INVALID_JOINT_POSE"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_TYPE, "E_URDF_INVALID_JOINT_TYPE"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_AXIS, "E_URDF_INVALID_JOINT_AXIS"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_LIMIT, "E_URDF_INVALID_JOINT_LIMIT"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_PROPERTY, "E_URDF_INVALID_JOINT_PROPERTY"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_SAFETY, "E_URDF_INVALID_JOINT_SAFETY"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_CALIBRATION, "E_URDF_INVALID_JOINT_CALIBRATION"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_MIMIC, "E_URDF_INVALID_JOINT_MIMIC"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_DYNAMICS, "E_URDF_INVALID_JOINT_DYNAMICS"},
      {ZEMO::interface::E_URDF_INVALID_MATERIAL_ATTRIBUTE, "E_URDF_INVALID_MATERIAL_ATTRIBUTE"},
      {ZEMO::interface::E_URDF_SPHERE_NO_RADIUS, "E_URDF_SPHERE_NO_RADIUS"},
      {ZEMO::interface::E_URDF_SPHERE_INVALID_RADIUS, "E_URDF_SPHERE_INVALID_RADIUS"},
      {ZEMO::interface::E_URDF_BOX_NO_SIZE, "E_URDF_BOX_NO_SIZE"},
      {ZEMO::interface::E_URDF_BOX_INVALID_SIZE, "E_URDF_BOX_INVALID_SIZE"},
      {ZEMO::interface::E_URDF_CYLINDER_INVALID_PARA, "E_URDF_CYLINDER_INVALID_PARA"},
      {ZEMO::interface::E_URDF_MESH_INVALID_PARA, "E_URDF_MESH_INVALID_PARA"},
      {ZEMO::interface::E_URDF_INERTIA_INVALID_PARA, "E_URDF_INERTIA_INVALID_PARA"},
      {ZEMO::interface::E_URDF_VISUAL_INVALID_PARA, "E_URDF_VISUAL_INVALID_PARA"},
      {ZEMO::interface::E_URDF_COLLISION_INVALID_PARA, "E_URDF_COLLISION_INVALID_PARA"},
      {ZEMO::interface::E_URDF_LINK_INVALID_PARA, "E_URDF_LINK_INVALID_PARA"},
      {ZEMO::interface::E_URDF_LINK_JOINT_PARENT, "E_URDF_LINK_JOINT_PARENT"},
      {ZEMO::interface::E_URDF_NO_CHILD_LINK, "E_URDF_NO_CHILD_LINK"},
      {ZEMO::interface::E_URDF_NO_PARENT_LINK, "E_URDF_NO_PARENT_LINK"},
      {ZEMO::interface::E_URDF_INVALID_ROOT_LINK, "E_URDF_INVALID_ROOT_LINK"},
      {ZEMO::interface::E_URDF_INVALID_JOINT_START_STOP, "E_URDF_INVALID_JOINT_START_STOP"},
      {ZEMO::interface::E_ROBOT_MODEL_CONSTRUCT, "E_ROBOT_MODEL_CONSTRUCT"},
      {ZEMO::interface::E_KDL_TREE_CONSTRUCT, "E_KDL_TREE_CONSTRUCT"},
      {ZEMO::interface::E_SHAPE_INVALID_PATH, "E_SHAPE_INVALID_PATH"},
      {ZEMO::interface::E_DIM_ERROR, "E_DIM_ERROR"},
      {ZEMO::interface::E_DH_ERROR_UPDATE_FAILED, "E_DH_ERROR_UPDATE_FAILED"},
      {ZEMO::interface::E_MDL_INVALID_COLLISION_SHAPE, "E_MDL_INVALID_COLLISION_SHAPE"},
      {ZEMO::interface::E_MDL_INVALID_STL_FILE, "E_MDL_INVALID_STL_FILE"},
      {ZEMO::interface::E_MDL_TOOL_WORKPIECE_DISMATCH, "E_MDL_TOOL_WORKPIECE_DISMATCH"},
      {ZEMO::interface::E_URDF_PROTECT_TORQUE_INVALID_PARA, "E_URDF_PROTECT_TORQUE_INVALID_PARA"},
      {ZEMO::interface::E_URDF_EQUA_INERTIA_INVALID_PARA, "E_URDF_EQUA_INERTIA_INVALID_PARA"},
      {ZEMO::interface::E_URDF_FRICTION_COEFF_INVALID_PARA, "E_URDF_FRICTION_COEFF_INVALID_PARA"},
      {ZEMO::interface::E_INVALID_LINK_SHAPE, "E_INVALID_LINK_SHAPE"},
      {ZEMO::interface::E_URDF_JOINT_COLLISION_INVALID_PARA, "E_URDF_JOINT_COLLISION_INVALID_PARA"},
      {ZEMO::interface::E_INVALID_LINK_NAME, "E_INVALID_LINK_NAME"},
      {ZEMO::interface::E_PLN_OK, "E_PLN_OK"},
      {ZEMO::interface::E_PLN_FINISHED, "E_PLN_FINISHED"},
      {ZEMO::interface::E_PLN_TRAJ_FINISHED, "E_PLN_TRAJ_FINISHED"},
      {ZEMO::interface::E_PLN_EXEC_EMPTY, "E_PLN_EXEC_EMPTY"},
      {ZEMO::interface::E_PLN_PATH_TOO_SHORT, "E_PLN_PATH_TOO_SHORT"},
      {ZEMO::interface::E_PLN_LOOK_AHEAD_SPLIT, "E_PLN_LOOK_AHEAD_SPLIT"},
      {ZEMO::interface::E_PLN_LOOK_AHEAD_CHANGE_V0, "E_PLN_LOOK_AHEAD_CHANGE_V0"},
      {ZEMO::interface::E_PLN_LOOK_AHEAD_CHANGE_V1, "E_PLN_LOOK_AHEAD_CHANGE_V1"},
      {ZEMO::interface::E_PLN_TRAJ_INERST_FAILED, "E_PLN_TRAJ_INERST_FAILED"},
      {ZEMO::interface::E_PLN_EXCEED_MAX_TRAJECTORY_SEGMENT_SIZE,
       "E_PLN_EXCEED_MAX_TRAJECTORY_SEGMENT_SIZE"},
      {ZEMO::interface::E_PLN_STOPPED, "E_PLN_STOPPED"},
      {ZEMO::interface::E_PLN_IGNORE_PATH_MAX_VA, "E_PLN_IGNORE_PATH_MAX_VA"},
      {ZEMO::interface::E_PLN_UNDEFINED_POS_INDEX, "E_PLN_UNDEFINED_POS_INDEX"},
      {ZEMO::interface::E_PLN_ZERO_LENGTH, "E_PLN_ZERO_LENGTH"},
      {ZEMO::interface::E_PLN_DOUBLE_S_NOT_FEASIBLE, "E_PLN_DOUBLE_S_NOT_FEASIBLE"},
      {ZEMO::interface::E_PLN_DOUBLE_S_CAL_TIMEOUT, "E_PLN_DOUBLE_S_CAL_TIMEOUT"},
      {ZEMO::interface::E_PLN_INVALID_PATH_TYPE, "E_PLN_INVALID_PATH_TYPE"},
      {ZEMO::interface::E_PLN_INVALID_STATUS, "E_PLN_INVALID_STATUS"},
      {ZEMO::interface::E_PLN_ERROR_MODE, "E_PLN_ERROR_MODE"},
      {ZEMO::interface::E_PLN_SPLINE_SCALE_TIMEOUT, "E_PLN_SPLINE_SCALE_TIMEOUT"},
      {ZEMO::interface::E_PLN_PLINE_NO_SOLUTION, "E_PLN_PLINE_NO_SOLUTION"},
      {ZEMO::interface::E_PLN_DOUBLE_S_CAL_ERR, "E_PLN_DOUBLE_S_CAL_ERR"},
      {ZEMO::interface::E_PLN_CUBIC_SPLINE_INVALID_PARA, "E_PLN_CUBIC_SPLINE_INVALID_PARA"},
      {ZEMO::interface::E_PLN_INVALID_CYCLE_TIME, "E_PLN_INVALID_CYCLE_TIME"},
      {ZEMO::interface::E_PLN_INVALID_MAX_CART_VEL, "E_PLN_INVALID_MAX_CART_VEL"},
      {ZEMO::interface::E_PLN_INVALID_MAX_CART_ACC, "E_PLN_INVALID_MAX_CART_ACC"},
      {ZEMO::interface::E_PLN_INVALID_MAX_JOINT_VEL, "E_PLN_INVALID_MAX_JOINT_VEL"},
      {ZEMO::interface::E_PLN_INVALID_MAX_JOINT_ACC, "E_PLN_INVALID_MAX_JOINT_ACC"},
      {ZEMO::interface::E_PLN_INVALID_JERK_ACC_RATIO, "E_PLN_INVALID_JERK_ACC_RATIO"},
      {ZEMO::interface::E_PLN_INVALID_SACLE_VEL_ACC, "E_PLN_INVALID_SACLE_VEL_ACC"},
      {ZEMO::interface::E_PLN_INVALID_EQUIVALENT_RADIUS, "E_PLN_INVALID_EQUIVALENT_RADIUS"},
      {ZEMO::interface::E_PLN_INVALID_DURATION, "E_PLN_INVALID_DURATION"},
      {ZEMO::interface::E_PLN_ERR_VELOCITY_MODE, "E_PLN_ERR_VELOCITY_MODE"},
      {ZEMO::interface::E_PLN_CIRCULAR_POINT_COINCIDENCE, "E_PLN_CIRCULAR_POINT_COINCIDENCE"},
      {ZEMO::interface::E_PLN_CIRCULAR_POINT_IN_LINE, "E_PLN_CIRCULAR_POINT_IN_LINE"},
      {ZEMO::interface::E_PLN_INVALID_ROADPOINT, "E_PLN_INVALID_ROADPOINT"},
      {ZEMO::interface::E_PLN_CAL_VEL_PROFILE_FAILED, "E_PLN_CAL_VEL_PROFILE_FAILED"},
      {ZEMO::interface::E_PLN_PROFILE_UPDATE_FAILED, "E_PLN_PROFILE_UPDATE_FAILED"},
      {ZEMO::interface::E_PLN_POINT_UPDATE_FAILED, "E_PLN_POINT_UPDATE_FAILED"},
      {ZEMO::interface::E_PLN_POINT_NOT_ENOUGH, "E_PLN_POINT_NOT_ENOUGH"},
      {ZEMO::interface::E_PLN_INVALID_POINT, "E_PLN_INVALID_POINT"},
      {ZEMO::interface::E_PLN_INVALID_DIMENSION, "E_PLN_INVALID_DIMENSION"},
      {ZEMO::interface::E_PLN_INVALID_PATH_ID, "E_PLN_INVALID_PATH_ID"},
      {ZEMO::interface::E_PLN_USR_DEC_TOO_SMALL, "E_PLN_USR_DEC_TOO_SMALL"},
      {ZEMO::interface::E_PLN_ADJUST_VELOCITY_FAILED, "E_PLN_ADJUST_VELOCITY_FAILED"},
      {ZEMO::interface::E_PLN_INVALID_LEFT_BLEND, "E_PLN_INVALID_LEFT_BLEND"},
      {ZEMO::interface::E_PLN_POINTS_COLLINEAR, "E_PLN_POINTS_COLLINEAR"},
      {ZEMO::interface::E_PLN_INITIAL_SPEED_ADJUST, "E_PLN_INITIAL_SPEED_ADJUST"},
      {ZEMO::interface::E_PLN_INVALID_SAMPLE_PERIOD, "E_PLN_INVALID_SAMPLE_PERIOD"},
      {ZEMO::interface::E_PLN_ADJUST_JERK_FAILED, "E_PLN_ADJUST_JERK_FAILED"},
      {ZEMO::interface::E_PLN_INVALID_TIME_SERIES, "E_PLN_INVALID_TIME_SERIES"},
      {ZEMO::interface::E_PLN_INVALID_PARAMETER_SET, "E_PLN_INVALID_PARAMETER_SET"},
      {ZEMO::interface::E_PLN_CAL_PHASE_PVA_FAILED, "E_PLN_CAL_PHASE_PVA_FAILED"},
      {ZEMO::interface::E_STA_NO_ERROR, "E_STA_NO_ERROR"},
      {ZEMO::interface::E_STA_NO_REF_TRAJECTORY, "E_STA_NO_REF_TRAJECTORY"},
      {ZEMO::interface::E_STA_INVALID_REF_TRAJECTORY, "E_STA_INVALID_REF_TRAJECTORY"},
      {ZEMO::interface::E_STA_INVALID_VELOCITY_FEEDBACK, "E_STA_INVALID_VELOCITY_FEEDBACK"},
      {ZEMO::interface::E_STA_INVALID_ACCELERATION_FEEDBACK, "E_STA_INVALID_ACCELERATION_FEEDBACK"},
      {ZEMO::interface::E_STA_INVALID_FRAME, "E_STA_INVALID_FRAME"},
      {ZEMO::interface::E_STA_CONTROL_COVARIANCE_INVALID, "E_STA_CONTROL_COVARIANCE_INVALID"},
      {ZEMO::interface::E_STA_MEASUREMENT_COVARIANCE_INVALID,
       "E_STA_MEASUREMENT_COVARIANCE_INVALID"},
      {ZEMO::interface::E_STA_VARIABLE_NOT_EXSIT, "E_STA_VARIABLE_NOT_EXSIT"},
      {ZEMO::interface::E_STA_CAL_ACM_FAILED, "E_STA_CAL_ACM_FAILED"},
      {ZEMO::interface::E_STA_JOINT_OVERSPEED_PROTECTION, "E_STA_JOINT_OVERSPEED_PROTECTION"},
      {ZEMO::interface::E_STA_ESTIMATE_METHOD_NOT_IMPL, "E_STA_ESTIMATE_METHOD_NOT_IMPL"},
      {ZEMO::interface::E_STA_ESTIMATE_METHOD_ERROR, "E_STA_ESTIMATE_METHOD_ERROR"},
  };
  const std::string unknown = zemo::runtime::errorDescription(123456789);
  EXPECT_EQ(unknown, "unknown error code 123456789");
  for (const auto& code : codes) {
    const std::string text = zemo::runtime::errorDescription(code.first);
    EXPECT_FALSE(text.empty()) << code.second;
    EXPECT_EQ(text.find("unknown error code"), std::string::npos) << code.second;
  }
  // Equal absolute values of a warning and an error are different codes.
  EXPECT_NE(zemo::runtime::errorDescription(ZEMO::interface::E_PLN_TRAJ_FINISHED),
            zemo::runtime::errorDescription(ZEMO::interface::E_PLN_UNDEFINED_POS_INDEX));
}

TEST(Library, RefusesModelOperationsBeforeAModelIsLoaded) {
  ZEMOIntfacePtr robot = CreateZEMOIntfacePtr();
  ASSERT_TRUE(robot);
  Capture capture;
  ASSERT_EQ(robot->rlSetLogHandler(capture.handler()), 0);
  EXPECT_EQ(robot->tpSetCycleTime(0.005), ZEMO::E_LIBRARY_INITIAL_FAILED);
  EXPECT_EQ(robot->rsInitialRobotState(), ZEMO::E_LIBRARY_INITIAL_FAILED);
  ASSERT_FALSE(capture.records->empty());
  EXPECT_EQ(capture.records->back().level, 1);
  EXPECT_NE(capture.records->back().message.find("rsInitialRobotState"), std::string::npos);

  // A failed load leaves the instance without a model.
  EXPECT_LT(robot->rlInitialRobot("no_such_robot", ZEMO_DESCRIPTION_DIR), 0);
  EXPECT_EQ(robot->tpSetCycleTime(0.005), ZEMO::E_LIBRARY_INITIAL_FAILED);
  EXPECT_LT(robot->rlInitialRobotFromString("", ""), 0);
  EXPECT_EQ(robot->tpSetCycleTime(0.005), ZEMO::E_LIBRARY_INITIAL_FAILED);
}

TEST(Library, LoadsAModelAndStopsRefusing) {
  ZEMOIntfacePtr robot = CreateZEMOIntfacePtr();
  ASSERT_GE(robot->rlInitialRobot("vire_r5", ZEMO_DESCRIPTION_DIR), 0);
  EXPECT_NE(robot->tpSetCycleTime(0.005), ZEMO::E_LIBRARY_INITIAL_FAILED);
  EXPECT_EQ(robot->mdlGetRobotName(), "vire_r5");

  ZEMOIntfacePtr loaded = CreateZEMOIntfacePtrFromFile("vire_r5", ZEMO_DESCRIPTION_DIR);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->mdlGetRobotName(), "vire_r5");
  EXPECT_FALSE(CreateZEMOIntfacePtrFromFile("no_such_robot", ZEMO_DESCRIPTION_DIR));
  EXPECT_FALSE(CreateZEMOIntfacePtrFromFile(nullptr, ZEMO_DESCRIPTION_DIR));
}

TEST(Library, LogLevelDecidesWhatReachesTheHandler) {
  ZEMOIntfacePtr robot = CreateZEMOIntfacePtr();
  Capture capture;
  robot->rlSetLogHandler(capture.handler());
  EXPECT_EQ(robot->rlSetLogLevel(LogLevel::FATAL), 0);
  robot->tpSetCycleTime(0.005);
  EXPECT_TRUE(capture.records->empty());
  EXPECT_EQ(robot->rlSetLogLevel(LogLevel::ERROR), 0);
  robot->tpSetCycleTime(0.005);
  EXPECT_EQ(capture.records->size(), 1u);
  EXPECT_LT(robot->rlSetLogLevel(static_cast<LogLevel>(6)), 0);
  EXPECT_LT(robot->rlSetLogLevel(static_cast<LogLevel>(-1)), 0);
  EXPECT_LT(robot->rlSetLogHandler(ZEMO::LogHandler()), 0);
}

TEST(Library, VersionNumberAndModuleText) {
  ZEMOIntfacePtr robot = CreateZEMOIntfacePtr();
  int major = 0, minor = 0, patch = 0;
  ASSERT_EQ(std::sscanf(ZEMO_VERSION, "%d.%d.%d", &major, &minor, &patch), 3);
  EXPECT_EQ(robot->rlGetVersionNumber(), major * 10000 + minor * 100 + patch);
  EXPECT_EQ(robot->rlGetModuleVersion(0), std::string("libzemo ") + ZEMO_VERSION + "\n");
  const std::string all = robot->rlGetModuleVersion(1);
  EXPECT_EQ(all.rfind(robot->rlGetModuleVersion(0), 0), 0u);
  for (const char* module : {"zemo_model ", "zemo_planning ", "zemo_runtime "})
    EXPECT_NE(all.find(module), std::string::npos) << module;
}

TEST(Shapes, ConstructorsSetTypeAndDimensions) {
  namespace gs = ZEMO::geometric_shapes;
  const gs::Box box(10, 0.6, 10);
  EXPECT_EQ(box.type, gs::BOX);
  EXPECT_EQ(box.size, (std::array<double, 3>{10, 0.6, 10}));
  const gs::Cylinder cylinder(0.02, 0.03);
  EXPECT_EQ(cylinder.type, gs::CYLINDER);
  EXPECT_EQ(cylinder.radius, 0.02);
  EXPECT_EQ(cylinder.length, 0.03);
  EXPECT_EQ(gs::Mesh().type, gs::MESH);
  gs::Plane plane(0, 1, 0, 0.5);
  EXPECT_EQ(plane.type, gs::PLANE);
  EXPECT_FALSE(plane.bounded);
  plane.setExtent({0.2, 0.3});
  EXPECT_TRUE(plane.bounded);
  EXPECT_EQ(plane.extent, (std::array<double, 2>{0.2, 0.3}));
  EXPECT_EQ(plane.b, 1.0);
  EXPECT_EQ(plane.d, 0.5);
  const gs::ShapePtr shape = std::make_shared<gs::Sphere>(0.1);
  EXPECT_EQ(shape->type, gs::SPHERE);
}

}  // namespace

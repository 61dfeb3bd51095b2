#include <unittest/unittest.h>
#include "test/interface_fixtures.h"
using namespace ZEMO;
using namespace ZEMO::interface;
SUITE(SUITE_ZEMO_MDL_TOOL_PARA) {
  TEST_FIXTURE(VireRobotInterface, testSetWorkpiecePose) {
    Setup("vire_r5");

    int ret = robot->mdlSetWorkpieceMode(1);
    CHECK(ret >= E_NO_ERROR);

    RLPose F_feature_in_base = {1, 1, 1, 0, 0, 0};
    ret = robot->mdlSetWorkpiecePose(F_feature_in_base);
    CHECK(ret >= E_NO_ERROR);
  }

  TEST_FIXTURE(VireRobotInterface, testSetToolPose) {
    Setup("vire_r5");
    // Pitch inside [-pi/2, pi/2].
    RLPose tool_pose1 = {1.1, 2.1, 3.1, -2.04159, 1.04159, -2.04159};
    // Pitch beyond pi/2: the same rotation as tool_pose1 to five decimals.
    RLPose tool_pose2 = {1.1, 2.1, 3.1, 1.1, 2.1, 1.1};

    RLPose get_pose1{};
    RLPose get_pose2{};

    robot->mdlSetToolPose(tool_pose1);
    robot->mdlGetToolPose(get_pose1);

    robot->mdlSetToolPose(tool_pose2);
    robot->mdlGetToolPose(get_pose2);

    // The getter returns one normalised representation for both.
    CHECK_ARRAY_CLOSE(get_pose1.data(), get_pose2.data(), 6, 1e-4);
  }

  TEST_FIXTURE(VireRobotInterface, testSetEndSensorPose) {
    Setup("vire_r5");
    RLPose endsensorpose = {1.1, 1.1, 1.1, 1.1, 1.1, 1.1};

    int ret = robot->mdlSetEndSensorPose(endsensorpose);
    CHECK(ret >= E_NO_ERROR);
  }

  TEST_FIXTURE(VireRobotInterface, testSetToolInertia) {
    Setup("vire_r5");
    // Centre-of-mass form: mhi false, mass, centre, inertia (Ixx, Iyy, Izz, Ixy, Ixz, Iyz).
    RLInertia toolinertia{false, 1.1, {1.1, 1.1, 1.1}, {1.1, 1.1, 1.1, 1.1, 1.1, 1.1}};

    int ret = robot->mdlSetToolInertia(toolinertia);
    CHECK(ret >= E_NO_ERROR);
  }

  TEST_FIXTURE(VireRobotInterface, testSetEndSensorInertia) {
    Setup("vire_r5");
    // The sensor body takes the same values as the tool.
    RLInertia endsensorinertia{false, 1.1, {1.1, 1.1, 1.1}, {1.1, 1.1, 1.1, 1.1, 1.1, 1.1}};

    int ret = robot->mdlSetEndSensorInertia(endsensorinertia);
    CHECK(ret >= E_NO_ERROR);
  }
}

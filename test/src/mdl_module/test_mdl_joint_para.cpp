#include <unittest/unittest.h>
#include "robot_library_interface.h"
#include "test/interface_fixtures.h"
using namespace ZEMO::interface;
SUITE(SUITE_ZEMO_MDL_JOINT_PARA) {
  TEST_FIXTURE(VireRobotInterface, testSetJointModuleConstant) {
    Setup("vire_r5");
    RLJntArray jointmoduleconstant_ref = {1.1, 1.1, 1.1, 1.1, 1.1, 1.1};
    robot->mdlSetJointModuleConstant(jointmoduleconstant_ref);
    RLJntArray jointmoduleconstant_get = robot->mdlGetJointModuleConstant();

    // Module constants are stored as given, without rounding.
    CHECK_ARRAY_CLOSE(jointmoduleconstant_ref, jointmoduleconstant_get, 6, 1e-8);
  }

  TEST_FIXTURE(VireRobotInterface, testSetJointPositionRange) {
    Setup("vire_r5");
    const double pi = 3.141592653589793;
    RLJntArray upperlimit = {pi, pi, pi, pi, pi, pi};
    RLJntArray lowerlimit = {-pi, -pi, -pi, -pi, -pi, -pi};
    robot->mdlSetJointPositionRange(upperlimit, lowerlimit);
    RLJntArray upperlimitget{};
    RLJntArray lowerlimitget{};
    robot->mdlGetJointPositionRange(upperlimitget, lowerlimitget);
    CHECK_ARRAY_CLOSE(upperlimit, upperlimitget, 6, 1e-8);
    CHECK_ARRAY_CLOSE(lowerlimit, lowerlimitget, 6, 1e-8);
  }

  TEST_FIXTURE(VireRobotInterface, testGetJointMaximumAverageTorque) {
    Setup("vire_r5");
    RLJntArray maxAverageTorque = {0, 0, 0, 0, 0, 0};
    RLJntArray maxAverageTorque_ref = {133, 133, 133, 13.5, 13.5, 13.5};

    int ret = robot->mdlGetJointMaximumAverageTorque(maxAverageTorque);
    CHECK(ret >= 0);
    CHECK_ARRAY_CLOSE(maxAverageTorque_ref, maxAverageTorque, 6, 1e-8);
  }
}

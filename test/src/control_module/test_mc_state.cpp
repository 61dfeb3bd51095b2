#include <unittest/unittest.h>
#include "robot_library_interface.h"
#include "test/interface_fixtures.h"

using namespace ZEMO::interface;

SUITE(SUITE_ZEMO_MC_SET_PARA) {
  TEST_FIXTURE(VireRobotInterface, testSetControlPeriod) {
    Setup("vire_r5");
    double period = 0.005;
    robot->mcSetControlPeriod(period);
    double periodGet = robot->mcGetControlPeriod();
    CHECK_CLOSE(period, periodGet, 1e-8);
  }

  TEST_FIXTURE(VireRobotInterface, testSetControlType) {
    Setup("vire_r5");
    ControlMode type = ADM;
    int ret = robot->mcSetControlType(type);
    CHECK(ret >= 0);
    ControlMode typeGet = robot->mcGetControlType();
    CHECK_EQUAL(int(type), int(typeGet));
  }

  TEST_FIXTURE(VireRobotInterface, testSetMaxJointSpeed) {
    Setup("vire_r5");
    RLJntArray speed = {1.1, 1.1, 1.1, 1.1, 1.1, 1.1};
    robot->mcSetMaxJointSpeed(speed);
  }

  TEST_FIXTURE(VireRobotInterface, testSetMaxTranSpeed) {
    Setup("vire_r5");
    double vel = 1.1;
    robot->mcSetMaxTranSpeed(vel);
    double velGet = robot->mcGetMaxTranSpeed();
    CHECK_CLOSE(vel, velGet, 1e-8);
  }

  TEST_FIXTURE(VireRobotInterface, testSetMaxRotSpeed) {
    Setup("vire_r5");
    double rot = 1.1;
    robot->mcSetMaxRotSpeed(rot);
    double rotGet = robot->mcGetMaxRotSpeed();
    CHECK_CLOSE(rot, rotGet, 1e-8);
  }
}

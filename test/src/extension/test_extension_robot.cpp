#include <string>
#include <unittest/unittest.h>
#include "robot_library_interface.h"
#include "test/interface_fixtures.h"

SUITE(SUITE_ZEMO_EXTENSION_ROBOT_PARA) {
  // Passes as long as the version query returns.
  TEST_FIXTURE(VireRobotInterface, testSetGetControlPeriod) {
    Setup("vire_r5");
    std::string gav = robot->rlGetModuleVersion(0);
  }
}

#include <unittest/unittest.h>
#include "robot_library_interface.h"
#include "test/interface_fixtures.h"

using namespace ZEMO;
using namespace ZEMO::interface;

SUITE(SUITE_ZEMO_NORM) {
  // The norms only go to the log; nothing is checked.
  TEST_FIXTURE(VireRobotInterface, testutlVectorNorm) {
    const double data1[5] = {1.0, 2.0, 3.0, 4.0, 5.0};
    const double data2[1] = {-0.2};
    const double result1 = robot->utlVectorNorm(data1, 5);
    const double result2 = robot->utlVectorNorm(data2, 1);
    log_->info() << "result1:\t" << result1 << std::endl;
    log_->end("RunImpl", ZEMO::GetSourceFilename(__FILE__), __LINE__);
    log_->info() << "result2:\t" << result2 << std::endl;
    log_->end("RunImpl", ZEMO::GetSourceFilename(__FILE__), __LINE__);
  }
}

#include <vector>
#include <unittest/unittest.h>
#include "robot_library_interface.h"
#include "test/interface_fixtures.h"

using namespace ZEMO;
using namespace ZEMO::interface;

SUITE(SUITE_ZEMO_SEARCH_POINT) {
  // Data set 1 or 2 from the first input parameter; any other set compares nothing.
  TEST_FIXTURE(VireRobotInterface, testutlSearchPoint) {
    const int data_type = getTestType().first;
    std::vector<Array3d> point_in;
    double alpha = 0.0;
    std::vector<double> point_out_ref;
    if (data_type == 1) {
      point_in = {{1, 0, 0}, {7, 0, 0}, {1, 2, 0}};
      alpha = 2.356194490192345;
      point_out_ref = {5, 2, 0};
    } else if (data_type == 2) {
      point_in = {{1, 0, 0}, {7, 0, 0}, {1, 2, 0}};
      alpha = 0.7853981633974483;
      point_out_ref = {9, 2, 0};
    }

    Array3d point_out = {0.0, 0.0, 0.0};
    int ret = robot->utlSearchPoint(point_in, alpha, point_out);
    CHECK(ret >= E_NO_ERROR);
    CHECK_ARRAY_CLOSE(point_out_ref.data(), point_out.data(), point_out_ref.size(), 1e-8);
  }
}

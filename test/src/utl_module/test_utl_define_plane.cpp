#include <vector>
#include <unittest/unittest.h>
#include "robot_library_interface.h"
#include "shapes.h"
#include "test/interface_fixtures.h"

using namespace ZEMO;
using namespace ZEMO::interface;

SUITE(SUITE_ZEMO_DEFINE_PLANE) {
  // The references are the planes 2x + 1 = 0 and 2x + 2y + 2z + 1 = 0: d is scaled to 1.
  TEST_FIXTURE(VireRobotInterface, defineplane) {
    ZEMO::geometric_shapes::Plane plane(0, 0, 0, 0);
    const int data_type = getTestType().first;
    std::vector<Array3d> points_in;
    Array3d point_direction = {0.0, 0.0, 0.0};
    Array3d normal_out_ref = {0.0, 0.0, 0.0};
    if (data_type == 1) {
      points_in = {{-0.5, 0, 0}, {-0.5, 0.5, 0}, {-0.5, 0.5, 0.5}};
      point_direction = {5, 2, 0};
      normal_out_ref = {2, 0, 0};
    } else if (data_type == 2) {
      points_in = {{0, 0, -0.5}, {1, 0, -1.5}, {0, 1, -1.5}};
      point_direction = {9, 2, 0};
      normal_out_ref = {2, 2, 2};
    }

    int ret = robot->utlDefinePlane(points_in, point_direction, plane);
    Array3d normal_out = {plane.a, plane.b, plane.c};
    CHECK(ret >= E_NO_ERROR);
    CHECK_ARRAY_CLOSE(normal_out_ref.data(), normal_out.data(), 3, 1e-8);
  }
}

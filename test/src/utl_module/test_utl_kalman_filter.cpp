#include <string>
#include <vector>
#include <unittest/unittest.h>
#include "robot_library_interface.h"
#include "test/data_file.h"
#include "test/interface_fixtures.h"
#include "test/plan_util.h"

using namespace ZEMO;
using namespace ZEMO::interface;

SUITE(SUITE_ZEMO_KALMAN_FILTER) {
  // Position and velocity measured (type 2); the covariance P is carried from call to call.
  TEST_FIXTURE(VireRobotInterface, testutlKalmanFilterPVA) {
    std::vector<std::vector<double>> data_origin, data_ref;
    int ret = ZEMO::ReadFromFile2D("./test/data/utl_module/test_filter_kalman/test.txt", ",",
                                   data_origin);
    CHECK(ret >= 0);
    ret = ZEMO::ReadFromFile2D("./test/data/utl_module/test_filter_kalman/test_ref.txt", ",",
                               data_ref);
    CHECK(ret >= 0);

    // A missing, empty or short file ends the test here instead of being read out of range.
    bool data_complete = !data_origin.empty() && data_ref.size() <= data_origin.size();
    for (const auto& line : data_origin) data_complete = data_complete && line.size() >= 2;
    for (const auto& line : data_ref) data_complete = data_complete && line.size() >= 3;
    CHECK(data_complete);
    if (!data_complete) return;

    const std::size_t data_num = data_origin.size();
    std::vector<std::vector<double>> data_filter(data_num);
    const int type = 2;
    const double sample_time = 0.005;
    const double Q[3] = {1.0, 1.0, 4000.0};
    const double R[3] = {1e-06, 1e-05, 1.0};
    double x = data_origin[0][0], xd = data_origin[0][1], xdd = 0.0;
    double P[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    std::vector<std::vector<double>> joints_pos(2), joints_vel(2), joints_acc(2);
    const double cmp_allowed_tol = 0.001;

    for (std::size_t i = 0; i < data_num; ++i) {
      const double x_last = x, xd_last = xd, xdd_last = xdd;
      x = data_origin[i][0];
      xd = data_origin[i][1];
      ret = robot->utlKalmanFilterPVA(type, sample_time, Q, R, x_last, xd_last, xdd_last, x, xd,
                                      xdd, P);
      CHECK(ret >= E_NO_ERROR);
      data_filter[i] = {x, xd, xdd};
      joints_pos[0].push_back(data_origin[i][0]);
      joints_vel[0].push_back(data_origin[i][1]);
      joints_pos[1].push_back(x);
      joints_vel[1].push_back(xd);
      joints_acc[1].push_back(xdd);
    }

    for (std::size_t i = 0; i < data_ref.size(); ++i) {
      CHECK_ARRAY_CLOSE(data_ref[i], data_filter[i], 3, cmp_allowed_tol);
    }

    ZEMO::plotData(joints_pos, "q", "q", "time", "q");
    ZEMO::plotData(joints_vel, "qd", "qd", "time", "qd");
    ZEMO::plotData(joints_acc, "qdd", "qdd", "time", "qdd");
  }
}

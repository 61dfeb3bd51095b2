#include <string>
#include <vector>
#include <unittest/unittest.h>
#include "robot_library_interface.h"
#include "test/data_file.h"
#include "test/interface_fixtures.h"
#include "test/plan_util.h"

using namespace ZEMO;
using namespace ZEMO::interface;

namespace {

// At least `rows` lines of at least `cols` values each.
bool tableHolds(const std::vector<std::vector<double>>& table, std::size_t rows, std::size_t cols) {
  if (table.size() < rows) return false;
  for (const auto& line : table)
    if (line.size() < cols) return false;
  return true;
}

}  // namespace

SUITE(SUITE_ZEMO_IIR_FILTER) {
  // Butterworth low pass of order 1 at 15 Hz on a 125 Hz recording, every channel from rest.
  TEST_FIXTURE(VireRobotInterface, testUtlIIRFilter) {
    const int order = 1;
    const double fd = 15.0, fs = 125.0;
    std::vector<std::vector<double>> before;
    int ret = ZEMO::ReadFromFile2D("./test/data/iir_filter/coffee.txt", " ", before);
    CHECK(ret >= 0);
    const std::size_t N = before.size();
    const std::size_t M = N > 0 ? before[0].size() : 0;
    CHECK(N > 0 && M > 0);
    if (!(N > 0 && M > 0)) return;

    std::vector<std::vector<double>> after(M), raw_and_result(M), ref_and_local_filted(M);
    std::vector<std::vector<double>> ref_filted;
    ret = ZEMO::ReadFromFile2D("./test/data/iir_filter/IIR_filter_matlab.txt", " ", ref_filted);
    CHECK(ret >= 0);
    const double filter_allowed_tol = 0.05;

    // Rows shorter than the first, or a reference shorter than the recording, end the test.
    const bool data_complete = tableHolds(before, N, M) && tableHolds(ref_filted, N, M);
    CHECK(data_complete);
    if (!data_complete) return;

    for (std::size_t i = 0; i < N; ++i)
      for (std::size_t j = 0; j < M; ++j) raw_and_result[j].push_back(before[i][j]);

    ret = robot->utlIIRFilter(order, fd, fs, raw_and_result, after);
    CHECK(ret >= E_NO_ERROR);

    // The comparisons read after[0] and its match in the raw and reference channels.
    const bool output_fits = after.size() == M && after[0].size() <= N;
    CHECK(output_fits);
    if (!output_fits) return;

    raw_and_result.insert(raw_and_result.end(), after.begin(), after.end());
    for (std::size_t i = 0; i < N; ++i)
      for (std::size_t j = 0; j < M; ++j) ref_and_local_filted[j].push_back(ref_filted[i][j]);
    ref_and_local_filted.insert(ref_and_local_filted.end(), after.begin(), after.end());

    const std::size_t n = after[0].size();
    // Loose: the filtered signal follows the raw one; a pass-through passes this check only.
    CHECK_ARRAY_CLOSE(raw_and_result[0], raw_and_result[M], n, filter_allowed_tol);
    CHECK_ARRAY_CLOSE(ref_and_local_filted[0], ref_and_local_filted[M], n, 1e-4);

    ZEMO::plotData(raw_and_result, "figure 1", "title1", "xlabel", "ylabel");
    ZEMO::plotData(ref_and_local_filted, "figure 2", "title2", "xlabel", "ylabel");
  }

  // Notch at 40 Hz, gain 0.01 there, 40 Hz wide, unit pass-band gain, on a 400 Hz recording.
  TEST_FIXTURE(VireRobotInterface, testUtlNotchFilter) {
    const double notch_freq = 40.0, depth = 0.01, fbb = 40.0, K = 1.0, fs = 400.0;
    double x = 0, x_last = 0, x_lastlast = 0, y = 0, y_last = 0, y_lastlast = 0;
    std::vector<std::vector<double>> before;
    int ret = ZEMO::ReadFromFile2D("./test/data/iir_filter/test_notch.txt", " ", before);
    CHECK(ret >= 0);
    const std::size_t N = before.size();
    const std::size_t M = N > 0 ? before[0].size() : 0;
    CHECK(N > 0 && M > 0);
    if (!(N > 0 && M > 0)) return;

    std::vector<std::vector<double>> after(M), raw_and_result(M), ref_and_local_filted(M);
    std::vector<std::vector<double>> ref_filted;
    ret = ZEMO::ReadFromFile2D("./test/data/iir_filter/notch_filter_matlab.txt", " ", ref_filted);
    CHECK(ret >= 0);
    const double filter_allowed_tol = 10.0, allowed_tol_ref_v_local = 0.03;

    const bool data_complete = tableHolds(before, N, M) && tableHolds(ref_filted, N, M);
    CHECK(data_complete);
    if (!data_complete) return;

    for (std::size_t i = 0; i < N; ++i)
      for (std::size_t j = 0; j < M; ++j) raw_and_result[j].push_back(before[i][j]);
    ret = robot->utlNotchFilter(notch_freq, depth, fbb, K, fs, raw_and_result, after);
    CHECK(ret >= E_NO_ERROR);

    const bool output_fits = after.size() == M && after[0].size() <= N;
    CHECK(output_fits);
    if (!output_fits) return;
    raw_and_result.insert(raw_and_result.end(), after.begin(), after.end());

    // The one-sample form with the history kept here; plotted beside the batch output.
    std::vector<double> real_after;
    for (std::size_t i = 0; i < N; ++i) {
      x = before[i][0];
      robot->utlNotchFilterStep(notch_freq, depth, fbb, K, fs, x_lastlast, x_last, x, y_lastlast,
                                y_last, y);
      real_after.push_back(y);
      x_lastlast = x_last;
      x_last = x;
      y_lastlast = y_last;
      y_last = y;
    }
    raw_and_result.push_back(real_after);

    for (std::size_t i = 0; i < N; ++i)
      for (std::size_t j = 0; j < M; ++j) ref_and_local_filted[j].push_back(ref_filted[i][j]);
    ref_and_local_filted.insert(ref_and_local_filted.end(), after.begin(), after.end());

    const std::size_t n = after[0].size();
    CHECK_ARRAY_CLOSE(raw_and_result[0], raw_and_result[M], n, filter_allowed_tol);
    CHECK_ARRAY_CLOSE(ref_and_local_filted[0], ref_and_local_filted[M], n, allowed_tol_ref_v_local);

    ZEMO::plotData(raw_and_result, "figure 1", "title1", "xlabel", "ylabel");
    ZEMO::plotData(ref_and_local_filted, "figure 2", "title2", "xlabel", "ylabel");
  }
}

SUITE(SUITE_ZEMO_LOWPASS_FILTER) {
  // First-order low pass at 3 Hz of every column; the first line is its own previous output.
  TEST_FIXTURE(VireRobotInterface, testutlLowpassFilter) {
    std::vector<std::vector<double>> data_origin, ref_filted;
    int ret = ZEMO::ReadFromFile2D("./test/data/utl_module/test_filter_kalman/test.txt", ",",
                                   data_origin);
    CHECK(ret >= 0);
    ret = ZEMO::ReadFromFile2D("./test/data/utl_module/test_filter_kalman/lowpass_matlab.txt", " ",
                               ref_filted);
    CHECK(ret >= 0);

    const std::size_t data_num = data_origin.size();
    const std::size_t width = data_num > 0 ? data_origin[0].size() : 0;
    const bool data_complete = data_num > 0 && width >= 2 &&
                               tableHolds(data_origin, data_num, width) &&
                               tableHolds(ref_filted, data_num, 2);
    CHECK(data_complete);
    if (!data_complete) return;

    const int dof = static_cast<int>(width);
    std::vector<std::vector<double>> data_filter(data_num);
    const double sample_time = 0.005, cutoff_frequency = 3.0;
    std::vector<double> x = data_origin[0], x_last(width);
    std::vector<std::vector<double>> joints_pos(2), joints_vel(2), joints_acc(2);
    std::vector<std::vector<double>> ref_and_local_filted_pos(2), ref_and_local_filted_vel(2);

    for (std::size_t i = 0; i < data_num; ++i) {
      x_last = x;
      x = data_origin[i];
      ret = robot->utlLowpassFilter(sample_time, cutoff_frequency, dof, x_last.data(), x.data());
      CHECK(ret >= E_NO_ERROR);
      data_filter[i] = x;
      joints_pos[0].push_back(data_origin[i][0]);
      joints_vel[0].push_back(data_origin[i][1]);
      joints_pos[1].push_back(x[0]);
      joints_vel[1].push_back(x[1]);
    }

    for (const auto& line : ref_filted) {
      ref_and_local_filted_pos[0].push_back(line[0]);
      ref_and_local_filted_vel[0].push_back(line[1]);
    }
    ref_and_local_filted_pos[1] = joints_pos[1];
    ref_and_local_filted_vel[1] = joints_vel[1];

    const std::size_t n = data_num;
    CHECK_ARRAY_CLOSE(ref_and_local_filted_pos[0], joints_pos[1], n, 1e-4);
    CHECK_ARRAY_CLOSE(ref_and_local_filted_vel[0], joints_vel[1], n, 1e-4);

    ZEMO::plotData(joints_pos, "q", "q", "time", "q");
    ZEMO::plotData(joints_vel, "qd", "qd", "time", "qd");
  }
}

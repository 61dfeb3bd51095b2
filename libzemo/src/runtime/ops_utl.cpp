#include <string>

#include <Eigen/Core>

#include "runtime/zemo_library.h"
#include "utility/geometry.h"
#include "utility/iir_filter.h"
#include "utility/kalman_pva.h"
#include "utility/lowpass.h"
#include "utility/notch_filter.h"

namespace zemo {
namespace runtime {

namespace {

std::vector<Eigen::Vector3d> toPoints(const std::vector<Array3d>& points) {
  std::vector<Eigen::Vector3d> out;
  out.reserve(points.size());
  for (const Array3d& p : points) out.emplace_back(p[0], p[1], p[2]);
  return out;
}

}  // namespace

int ZemoLibrary::utlKalmanFilterPVA(const int& type, const double& sample_time, const double* Q,
                                    const double* R, const double& x_last, const double& xd_last,
                                    const double& xdd_last, double& x, double& xd, double& xdd,
                                    double* P) {
  if (P == nullptr) {
    logError("utlKalmanFilterPVA", "P = null must hold 9 values");
    return ZEMO::E_ERR_ERROR;
  }
  using RowMajor3d = Eigen::Matrix<double, 3, 3, Eigen::RowMajor>;
  Eigen::Matrix3d cov = Eigen::Map<const RowMajor3d>(P);
  Eigen::Vector3d s(x, xd, xdd);
  std::string why;
  const int ret = kalmanFilterPVA(type, sample_time, Q, R,
                                  Eigen::Vector3d(x_last, xd_last, xdd_last), s, cov, why);
  if (ret < 0) {
    logError("utlKalmanFilterPVA", why);
    return ret;
  }
  x = s(0);
  xd = s(1);
  xdd = s(2);
  RowMajor3d::Map(P) = cov;
  return ZEMO::E_NO_ERROR;
}

int ZemoLibrary::utlLowpassFilter(const double& sample_time, const double& cutoff_frequency,
                                  const int& count, const double* x_last, double* x) {
  std::string why;
  const int ret = lowpassFilter(sample_time, cutoff_frequency, count, x_last, x, why);
  if (ret < 0) logError("utlLowpassFilter", why);
  return ret;
}

int ZemoLibrary::utlIIRFilter(const int& order, const double& fd, const double& fs,
                              const DoubleVecVec& input, DoubleVecVec& output) {
  std::string why;
  const int ret = iirFilter(order, fd, fs, input, output, why);
  if (ret < 0) logError("utlIIRFilter", why);
  return ret;
}

int ZemoLibrary::utlNotchFilter(const double& notch_frequency, const double& depth,
                                const double& fbb, const double& K, const double& fs,
                                const DoubleVecVec& input, DoubleVecVec& output) {
  std::string why;
  const int ret = notchFilter(notch_frequency, depth, fbb, K, fs, input, output, why);
  if (ret < 0) logError("utlNotchFilter", why);
  return ret;
}

int ZemoLibrary::utlNotchFilterStep(const double& notch_frequency, const double& depth,
                                    const double& fbb, const double& K, const double& fs,
                                    const double& x_lastlast, const double& x_last, const double& x,
                                    const double& y_lastlast, const double& y_last, double& y) {
  std::string why;
  const int ret = notchFilterStep(notch_frequency, depth, fbb, K, fs, x_lastlast, x_last, x,
                                  y_lastlast, y_last, y, why);
  if (ret < 0) logError("utlNotchFilterStep", why);
  return ret;
}

int ZemoLibrary::utlSearchPoint(const std::vector<Array3d>& points, const double& alpha,
                                Array3d& point_out) {
  Eigen::Vector3d out;
  std::string why;
  const int ret = searchPoint(toPoints(points), alpha, out, why);
  if (ret < 0) {
    logError("utlSearchPoint", why);
    return ret;
  }
  point_out = {out(0), out(1), out(2)};
  return ZEMO::E_NO_ERROR;
}

double ZemoLibrary::utlVectorNorm(const double* values, const int& count) {
  const double norm = vectorNorm(values, count);
  if (norm < 0.0)
    logError("utlVectorNorm", "count = " + std::to_string(count) +
                                  (values == nullptr ? " with no values" : " must be >= 0"));
  return norm;
}

int ZemoLibrary::utlDefinePlane(const std::vector<Array3d>& points, const Array3d& direction,
                                geometric_shapes::Plane& plane) {
  Eigen::Vector4d coeff;
  std::string why;
  const int ret = definePlane(
      toPoints(points), Eigen::Vector3d(direction[0], direction[1], direction[2]), coeff, why);
  if (ret < 0) {
    logError("utlDefinePlane", why);
    return ret;
  }
  plane.a = coeff(0);
  plane.b = coeff(1);
  plane.c = coeff(2);
  plane.d = coeff(3);
  return ZEMO::E_NO_ERROR;
}

}  // namespace runtime
}  // namespace zemo

#include "utility/kalman_pva.h"

#include <Eigen/Cholesky>

#include "utility/argument_checks.h"

namespace zemo {
namespace {

template <int M>
bool correct(const Eigen::Vector3d& s_pred, const Eigen::Matrix3d& P_pred,
             const Eigen::Vector3d& z_full, const double* R, Eigen::Vector3d& s,
             Eigen::Matrix3d& P) {
  const Eigen::Matrix<double, M, 3> H = Eigen::Matrix3d::Identity().topRows<M>();
  Eigen::Matrix<double, M, M> R_m = Eigen::Matrix<double, M, M>::Zero();
  for (int i = 0; i < M; ++i) R_m(i, i) = R[i];
  const Eigen::Matrix<double, M, M> S = H * P_pred * H.transpose() + R_m;
  const Eigen::LLT<Eigen::Matrix<double, M, M>> llt(S);
  if (llt.info() != Eigen::Success) return false;
  // K = P H' S^-1, solved rather than inverted.
  const Eigen::Matrix<double, 3, M> K = llt.solve(H * P_pred).transpose();
  const Eigen::Matrix<double, M, 1> innovation = z_full.head<M>() - H * s_pred;
  s = s_pred + K * innovation;
  const Eigen::Matrix3d I_KH = Eigen::Matrix3d::Identity() - K * H;
  P = I_KH * P_pred * I_KH.transpose() + K * R_m * K.transpose();
  return true;
}

}  // namespace

int kalmanFilterPVA(int type, double Ts, const double* Q, const double* R,
                    const Eigen::Vector3d& s_last, Eigen::Vector3d& s, Eigen::Matrix3d& P,
                    std::string& error) {
  if (type < kMeasurePosition || type > kMeasurePositionVelocityAcceleration)
    return rejectArgument(error, "type", type, "is not 1, 2 or 3");
  if (!isPositiveFinite(Ts)) return rejectArgument(error, "sample time", Ts, "must be > 0");
  if (Q == nullptr || R == nullptr) return rejectArgument(error, "Q, R", "null", "must be given");
  for (int i = 0; i < 3; ++i)
    if (!(Q[i] >= 0.0) || !std::isfinite(Q[i]))
      return rejectArgument(error, "Q[" + std::to_string(i) + "]", Q[i], "must be >= 0");
  for (int i = 0; i < type; ++i)
    if (!isPositiveFinite(R[i]))
      return rejectArgument(error, "R[" + std::to_string(i) + "]", R[i], "must be > 0");
  if (!s_last.allFinite())
    return rejectArgument(error, "previous state", s_last.transpose(), "is not finite");
  if (!s.head(type).allFinite())
    return rejectArgument(error, "measurement", s.head(type).transpose(), "is not finite");
  if (!P.allFinite()) return rejectArgument(error, "P", "(3x3)", "is not finite");

  Eigen::Matrix3d F = Eigen::Matrix3d::Identity();
  F(0, 1) = Ts;
  F(0, 2) = 0.5 * Ts * Ts;
  F(1, 2) = Ts;
  const Eigen::Vector3d s_pred = F * s_last;
  Eigen::Matrix3d P_pred = F * P * F.transpose();
  P_pred.diagonal() += Eigen::Vector3d(Q[0], Q[1], Q[2]);

  Eigen::Vector3d s_new;
  Eigen::Matrix3d P_new;
  bool ok = false;
  switch (type) {
    case kMeasurePosition:
      ok = correct<1>(s_pred, P_pred, s, R, s_new, P_new);
      break;
    case kMeasurePositionVelocity:
      ok = correct<2>(s_pred, P_pred, s, R, s_new, P_new);
      break;
    default:
      ok = correct<3>(s_pred, P_pred, s, R, s_new, P_new);
      break;
  }
  if (!ok || !s_new.allFinite() || !P_new.allFinite()) {
    error = "innovation covariance is not positive definite (P is not a covariance)";
    return ZEMO::E_ERR_ERROR;
  }
  s = s_new;
  P = P_new;
  return ZEMO::E_NO_ERROR;
}

}  // namespace zemo

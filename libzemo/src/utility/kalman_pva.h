// Kalman filter of one coordinate under a constant-acceleration model.
//
// State s = (x, xd, xdd) sampled every Ts; between samples
//   s_k = F s_{k-1} + w,   F = [1 Ts Ts^2/2; 0 1 Ts; 0 0 1],   w ~ N(0, diag(Q)),
// and the measurement z = H s + v, v ~ N(0, diag(R) restricted to the measured components).
// `type` says what is measured:
//   1  position only                      H = [1 0 0]
//   2  position and velocity              H = [1 0 0; 0 1 0]
//   3  position, velocity, acceleration   H = I
// The covariance update uses the Joseph form so that P stays symmetric positive semi-definite.
#pragma once

#include <string>

#include <Eigen/Core>

namespace zemo {

enum KalmanPVAMeasurement : int {
  kMeasurePosition = 1,
  kMeasurePositionVelocity = 2,
  kMeasurePositionVelocityAcceleration = 3,
};

// s_last: the previous estimate. s: on entry the measurement in its first `type` components
// (the rest is ignored), on return the new estimate. P: 3x3 covariance carried between calls.
// Q: process noise variance per state (>= 0); R: measurement noise variance per measured
// component (> 0). Returns 0, or a negative code with s and P untouched and `error` set.
int kalmanFilterPVA(int type, double Ts, const double* Q, const double* R,
                    const Eigen::Vector3d& s_last, Eigen::Vector3d& s, Eigen::Matrix3d& P,
                    std::string& error);

}  // namespace zemo

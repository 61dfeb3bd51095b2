#include "kinematics/inverse_numeric.h"

#include <Eigen/Cholesky>

#include "kinematics/forward.h"

namespace zemo {

namespace {

constexpr double kInitialDamping = 1e-3;
constexpr double kMinDamping = 1e-12;
constexpr double kMaxDamping = 1e6;
constexpr int kMaxDampingTries = 12;  // raises of the damping before a step counts as failed

}  // namespace

Vector6d poseError(const Eigen::Isometry3d& T, const Eigen::Isometry3d& T_goal) noexcept {
  Vector6d e;
  e.head<3>() = T_goal.translation() - T.translation();
  e.tail<3>() = logSo3(T_goal.linear() * T.linear().transpose());
  return e;
}

bool withinTolerance(const Vector6d& err, const PoseTolerance& tol) noexcept {
  return err.head<3>().norm() <= tol.position && err.tail<3>().norm() <= tol.orientation;
}

bool solveLeastSquares(const DHTable& dh, const Eigen::Isometry3d& T_flange_end,
                       const Eigen::Isometry3d& T_goal, const JointVector& seed,
                       const JointBox& box, const PoseTolerance& tol, int max_iterations,
                       int& budget, JointVector& q_out) noexcept {
  JointVector q = seed.cwiseMax(box.lower).cwiseMin(box.upper);
  FrameArray T;
  forwardFrames(dh, q, T);
  Eigen::Isometry3d T_end = T[kMaxDof] * T_flange_end;
  Vector6d e = poseError(T_end, T_goal);
  double cost = e.squaredNorm();
  double lambda = kInitialDamping;
  for (int it = 0; it < max_iterations && budget > 0; ++it) {
    if (withinTolerance(e, tol)) break;
    --budget;
    Matrix6d J;
    jacobianFromFrames(T, T_end.translation(), J);
    const Matrix6d A = J.transpose() * J;
    const JointVector g = J.transpose() * e;
    bool improved = false;
    for (int tries = 0; tries < kMaxDampingTries && lambda < kMaxDamping; ++tries) {
      Matrix6d H = A;
      H.diagonal() += lambda * (A.diagonal() + JointVector::Ones());
      const JointVector dq = H.ldlt().solve(g);
      const JointVector q_new = (q + dq).cwiseMax(box.lower).cwiseMin(box.upper);
      FrameArray T_new;
      forwardFrames(dh, q_new, T_new);
      const Eigen::Isometry3d T_end_new = T_new[kMaxDof] * T_flange_end;
      const Vector6d e_new = poseError(T_end_new, T_goal);
      const double cost_new = e_new.squaredNorm();
      if (cost_new < cost) {
        q = q_new;
        T = T_new;
        T_end = T_end_new;
        e = e_new;
        cost = cost_new;
        lambda = std::max(lambda / 3.0, kMinDamping);
        improved = true;
        break;
      }
      lambda *= 4.0;
    }
    if (!improved) break;  // a local minimum (or the bounds) stops the descent
  }
  q_out = q;
  return withinTolerance(e, tol);
}

JointVector SeedSequence::next(const JointBox& box) noexcept {
  JointVector q;
  for (int i = 0; i < kMaxDof; ++i) {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    const double u = static_cast<double>(z >> 11) * (1.0 / 9007199254740992.0);
    q[i] = box.lower[i] + u * (box.upper[i] - box.lower[i]);
  }
  return q;
}

}  // namespace zemo

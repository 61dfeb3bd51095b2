#include "kinematics/inverse_offset_wrist.h"

#include <algorithm>
#include <cmath>

#include "kinematics/forward.h"
#include "model/dh.h"

namespace zemo {

namespace {

constexpr double kFamilyTol = 1e-9;
constexpr double kDuplicateTol = 1e-9;  // [rad] branches closer than this are one

double wrapAngle(double x) {
  x = std::remainder(x, 2.0 * M_PI);
  return x <= -M_PI ? x + 2.0 * M_PI : x;
}

void addUnique(const JointVector& q, OffsetWristSolutions& out) {
  for (int k = 0; k < out.count; ++k) {
    double worst = 0.0;
    for (int i = 0; i < kMaxDof; ++i)
      worst = std::max(worst, std::abs(wrapAngle(q[i] - out.q[k][i])));
    if (worst < kDuplicateTol) return;
  }
  if (out.count < kOffsetWristBranches) out.q[out.count++] = q;
}

}  // namespace

bool isOffsetWristArm(const DHTable& dh) noexcept {
  return std::abs(std::cos(dh.alpha[1])) < kFamilyTol &&
         std::abs(std::sin(dh.alpha[2])) < kFamilyTol &&
         std::abs(std::sin(dh.alpha[3])) < kFamilyTol &&
         std::abs(std::cos(dh.alpha[4])) < kFamilyTol &&
         std::abs(std::cos(dh.alpha[5])) < kFamilyTol && std::abs(dh.a[5]) < kFamilyTol &&
         std::abs(dh.a[2]) > kFamilyTol && std::abs(dh.a[3]) > kFamilyTol;
}

void solveOffsetWrist(const DHTable& dh, const Eigen::Isometry3d& T_base_flange,
                      const JointVector& q_ref, OffsetWristSolutions& out,
                      bool seeds_only) noexcept {
  out.count = 0;
  // The constant part of the first link moves into the target.
  Eigen::Isometry3d C0 = Eigen::Isometry3d::Identity();
  C0.linear() = Eigen::AngleAxisd(dh.alpha[0], Eigen::Vector3d::UnitX()).toRotationMatrix();
  C0.translation() = Eigen::Vector3d(dh.a[0], 0.0, 0.0);
  const Eigen::Isometry3d T = C0.inverse() * T_base_flange;

  const double s_a1 = std::sin(dh.alpha[1]), s_a4 = std::sin(dh.alpha[4]);
  const double s_a5 = std::sin(dh.alpha[5]);
  const double e2 = std::cos(dh.alpha[2]) > 0.0 ? 1.0 : -1.0;
  const double e3 = std::cos(dh.alpha[3]) > 0.0 ? 1.0 : -1.0;
  const double a2 = dh.a[2], a3 = dh.a[3];

  // Offset of the wrist centre along the parallel axes (y of frame 1, which z2 follows):
  // the same for every joint vector.
  const double Y = -s_a1 * (dh.d[1] + e2 * dh.d[2] + e2 * e3 * dh.d[3]);

  const Eigen::Vector3d z6 = T.linear().col(2);
  const Eigen::Vector3d p5 = T.translation() - dh.d[5] * z6;
  const double px = p5.x(), py = p5.y();
  const double r = std::hypot(px, py);

  const double shoulder_tol = seeds_only ? kIkSeedReachSlack : kIkShoulderReachTol;
  const double elbow_tol = seeds_only ? kIkSeedReachSlack : kIkElbowReachTol;
  std::array<double, 2> phi1{};
  int n1 = 0;
  if (r < kIkShoulderSingular && std::abs(Y) < kIkShoulderSingular) {
    phi1[n1++] = dh.theta[0] + q_ref[0];
  } else {
    if (r < std::abs(Y) - shoulder_tol) return;
    double beta = std::asin(std::clamp(Y / r, -1.0, 1.0));
    if (seeds_only)
      beta = std::clamp(beta, -M_PI / 2 + kIkSeedSingularMargin, M_PI / 2 - kIkSeedSingularMargin);
    const double psi = std::atan2(py, px);
    phi1[n1++] = psi - beta;
    phi1[n1++] = psi - M_PI + beta;
  }

  // Joint 4's axis in frame 1, whatever the joint values.
  const Eigen::Vector3d z4_in_1 = e2 * e3 * Eigen::Vector3d(0.0, -s_a1, std::cos(dh.alpha[1]));
  Eigen::Isometry3d C1 = Eigen::Isometry3d::Identity();
  C1.linear() = Eigen::AngleAxisd(dh.alpha[1], Eigen::Vector3d::UnitX()).toRotationMatrix();
  C1.translation() = Eigen::Vector3d(dh.a[1], 0.0, 0.0);
  const Eigen::Isometry3d C1_inv = C1.inverse();
  const double kappa = -s_a4 * s_a5;
  const Eigen::Matrix3d R23_inv =
      Eigen::AngleAxisd(-(dh.alpha[2] + dh.alpha[3]), Eigen::Vector3d::UnitX()).toRotationMatrix();

  for (int i1 = 0; i1 < n1; ++i1) {
    const Eigen::Isometry3d T_1_6 = dhTransform(0.0, 0.0, phi1[i1], dh.d[0]).inverse() * T;
    const Eigen::Vector3d z6_in_1 = T_1_6.linear().col(2);
    const double c5 = kappa * z4_in_1.dot(z6_in_1);
    const double s5 = z4_in_1.cross(z6_in_1).norm();
    const Eigen::Vector3d m = T_1_6.linear().transpose() * z4_in_1;
    for (int w = 0; w < 2; ++w) {
      const double phi5 = (w == 0 ? 1.0 : -1.0) * std::atan2(s5, c5);
      const double sin5 = std::sin(phi5);
      double phi6;
      if (std::abs(sin5) < kIkWristSingularSin) {
        phi6 = dh.theta[5] + q_ref[5];
      } else {
        const double g = (s_a4 * sin5) > 0.0 ? 1.0 : -1.0;
        phi6 = std::atan2(-m.y() * g, m.x() * g);
      }
      const Eigen::Isometry3d T_4_6 = dhTransform(dh.alpha[4], dh.a[4], phi5, dh.d[4]) *
                                      dhTransform(dh.alpha[5], dh.a[5], phi6, dh.d[5]);
      const Eigen::Isometry3d Tp = C1_inv * T_1_6 * T_4_6.inverse();
      const double Px = Tp.translation().x(), Py = Tp.translation().y();
      const double c3 = (Px * Px + Py * Py - a2 * a2 - a3 * a3) / (2.0 * a2 * a3);
      if (std::abs(c3) > 1.0 + elbow_tol) continue;
      const double c3c = std::clamp(c3, -1.0, 1.0);
      const Eigen::Matrix3d M = Tp.linear() * R23_inv;
      const double Phi = std::atan2(M(1, 0), M(0, 0));
      for (int e = 0; e < 2; ++e) {
        double elbow = std::atan2(std::sqrt(1.0 - c3c * c3c), c3c);
        if (seeds_only)
          elbow = std::clamp(elbow, kIkSeedSingularMargin, M_PI - kIkSeedSingularMargin);
        const double phi3 = (e == 0 ? 1.0 : -1.0) * elbow;
        const double phi2 =
            std::atan2(Py, Px) - std::atan2(e2 * a3 * std::sin(phi3), a2 + a3 * std::cos(phi3));
        const double phi4 = e2 * e3 * (Phi - phi2 - e2 * phi3);
        JointVector q;
        q << phi1[i1] - dh.theta[0], phi2 - dh.theta[1], phi3 - dh.theta[2], phi4 - dh.theta[3],
            phi5 - dh.theta[4], phi6 - dh.theta[5];
        for (int i = 0; i < kMaxDof; ++i) q[i] = wrapAngle(q[i]);
        if (seeds_only)
          out.q[out.count++] = q;
        else
          addUnique(q, out);
      }
    }
  }
}

}  // namespace zemo

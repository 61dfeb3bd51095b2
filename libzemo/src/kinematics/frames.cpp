#include "kinematics/frames.h"

#include <algorithm>
#include <cmath>

namespace zemo {

namespace {

constexpr double kGimbalLock = 1e-12;    // [rad] distance of pitch from +-pi/2
constexpr double kSmallAngle = 1e-15;    // [rad] below this a rotation vector is zero
constexpr double kMinDirection = 1e-15;  // norm below which a vector defines no direction

bool allFinite(const double* v, int n) {
  for (int i = 0; i < n; ++i)
    if (!std::isfinite(v[i])) return false;
  return true;
}

// Every form goes through the rotation matrix, which keeps the conversions consistent.
bool toRotation(int form, const double* in, Eigen::Matrix3d& R) {
  switch (form) {
    case 0:
      R = Eigen::Map<const Eigen::Matrix<double, 3, 3, Eigen::RowMajor>>(in);
      return true;
    case 1:
      R = rpyToRotation(in[0], in[1], in[2]);
      return true;
    case 2:
      R = Eigen::AngleAxisd(in[0], Eigen::Vector3d::UnitZ()) *
          Eigen::AngleAxisd(in[1], Eigen::Vector3d::UnitY()) *
          Eigen::AngleAxisd(in[2], Eigen::Vector3d::UnitZ());
      return true;
    case 3:
      R = rpyToRotation(in[2], in[1], in[0]);
      return true;
    case 4: {
      const Eigen::Vector4d q(in[0], in[1], in[2], in[3]);
      if (q.norm() < kMinDirection) return false;
      R = quaternionToRotation(q);
      return true;
    }
    case 5: {
      const Eigen::Vector3d k(in[1], in[2], in[3]);
      if (k.norm() < kMinDirection) return false;
      R = Eigen::AngleAxisd(in[0], k.normalized()).toRotationMatrix();
      return true;
    }
    default:
      return false;
  }
}

void fromRotation(int form, const Eigen::Matrix3d& R, double* out) {
  switch (form) {
    case 0: {
      Eigen::Map<Eigen::Matrix<double, 3, 3, Eigen::RowMajor>> M(out);
      M = R;
      break;
    }
    case 1: {
      const Eigen::Vector3d rpy = rotationToRpy(R);
      std::copy(rpy.data(), rpy.data() + 3, out);
      break;
    }
    case 2: {
      const double b = std::atan2(std::hypot(R(0, 2), R(1, 2)), R(2, 2));
      double a = 0.0, c = 0.0;
      if (std::sin(b) > kGimbalLock) {
        a = std::atan2(R(1, 2), R(0, 2));
        c = std::atan2(R(2, 1), -R(2, 0));
      } else if (R(2, 2) > 0.0) {
        c = std::atan2(R(1, 0), R(0, 0));  // R = Rz(a + c)
      } else {
        c = std::atan2(R(1, 0), -R(0, 0));  // R = Rz(a - c) Ry(pi)
      }
      out[0] = a;
      out[1] = b;
      out[2] = c;
      break;
    }
    case 3: {
      const Eigen::Vector3d rpy = rotationToRpy(R);
      out[0] = rpy.z();
      out[1] = rpy.y();
      out[2] = rpy.x();
      break;
    }
    case 4: {
      const Eigen::Vector4d q = rotationToQuaternion(R);
      std::copy(q.data(), q.data() + 4, out);
      break;
    }
    case 5: {
      const Eigen::Vector4d aa = quaternionToAxisAngle(rotationToQuaternion(R));
      std::copy(aa.data(), aa.data() + 4, out);
      break;
    } break;
    default:
      break;
  }
}

}  // namespace

int orientationLength(int form) noexcept {
  switch (form) {
    case 0:
      return 9;
    case 1:
    case 2:
    case 3:
      return 3;
    case 4:
    case 5:
      return 4;
    default:
      return 0;
  }
}

Eigen::Matrix3d rpyToRotation(double rx, double ry, double rz) noexcept {
  const double cx = std::cos(rx), sx = std::sin(rx);
  const double cy = std::cos(ry), sy = std::sin(ry);
  const double cz = std::cos(rz), sz = std::sin(rz);
  Eigen::Matrix3d R;
  R << cz * cy, cz * sy * sx - sz * cx, cz * sy * cx + sz * sx,  //
      sz * cy, sz * sy * sx + cz * cx, sz * sy * cx - cz * sx,   //
      -sy, cy * sx, cy * cx;
  return R;
}

Eigen::Vector3d rotationToRpy(const Eigen::Matrix3d& R) noexcept {
  const double ry = std::atan2(-R(2, 0), std::hypot(R(0, 0), R(1, 0)));
  if (std::abs(std::abs(ry) - M_PI / 2) < kGimbalLock)
    return {0.0, ry, std::atan2(-R(0, 1), R(1, 1))};  // roll and yaw share one axis: all in yaw
  return {std::atan2(R(2, 1), R(2, 2)), ry, std::atan2(R(1, 0), R(0, 0))};
}

Eigen::Isometry3d poseToTransform(const Vector6d& pose) noexcept {
  Eigen::Isometry3d T = Eigen::Isometry3d::Identity();
  T.linear() = rpyToRotation(pose[3], pose[4], pose[5]);
  T.translation() = pose.head<3>();
  return T;
}

Vector6d transformToPose(const Eigen::Isometry3d& T) noexcept {
  Vector6d pose;
  pose.head<3>() = T.translation();
  pose.tail<3>() = rotationToRpy(T.linear());
  return pose;
}

Eigen::Vector4d rotationToQuaternion(const Eigen::Matrix3d& R) noexcept {
  Eigen::Vector4d q;
  const double tr = R.trace();
  if (tr > R.diagonal().maxCoeff()) {
    const double w = 0.5 * std::sqrt(1.0 + tr);
    q << w, (R(2, 1) - R(1, 2)) / (4 * w), (R(0, 2) - R(2, 0)) / (4 * w),
        (R(1, 0) - R(0, 1)) / (4 * w);
  } else {
    int i = 0;
    R.diagonal().maxCoeff(&i);
    const int j = (i + 1) % 3, k = (i + 2) % 3;
    const double s = 2.0 * std::sqrt(std::max(0.0, 1.0 + R(i, i) - R(j, j) - R(k, k)));
    q[0] = (R(k, j) - R(j, k)) / s;
    q[1 + i] = s / 4;
    q[1 + j] = (R(j, i) + R(i, j)) / s;
    q[1 + k] = (R(k, i) + R(i, k)) / s;
  }
  return q[0] >= 0.0 ? q : Eigen::Vector4d(-q);
}

Eigen::Matrix3d quaternionToRotation(const Eigen::Vector4d& qin) noexcept {
  const Eigen::Vector4d q = qin.normalized();
  const double w = q[0], x = q[1], y = q[2], z = q[3];
  Eigen::Matrix3d R;
  R << 1 - 2 * (y * y + z * z), 2 * (x * y - w * z), 2 * (x * z + w * y),  //
      2 * (x * y + w * z), 1 - 2 * (x * x + z * z), 2 * (y * z - w * x),   //
      2 * (x * z - w * y), 2 * (y * z + w * x), 1 - 2 * (x * x + y * y);
  return R;
}

Eigen::Vector4d quaternionToAxisAngle(const Eigen::Vector4d& qin) noexcept {
  Eigen::Vector4d q = qin.normalized();
  if (q[0] < 0.0) q = -q;
  const double s = q.tail<3>().norm();
  Eigen::Vector4d aa;
  aa[0] = 2.0 * std::atan2(s, q[0]);
  if (s > kSmallAngle)
    aa.tail<3>() = q.tail<3>() / s;
  else
    aa.tail<3>() = Eigen::Vector3d::UnitX();  // no rotation: any axis, a fixed one
  return aa;
}

Eigen::Vector4d axisAngleToQuaternion(const Eigen::Vector4d& aa) noexcept {
  const Eigen::Vector3d k = aa.tail<3>().normalized();
  Eigen::Vector4d q;
  q[0] = std::cos(aa[0] / 2);
  q.tail<3>() = std::sin(aa[0] / 2) * k;
  return q[0] >= 0.0 ? q : Eigen::Vector4d(-q);
}

Eigen::Matrix3d expSo3(const Eigen::Vector3d& w) noexcept {
  const double th = w.norm();
  if (th < kSmallAngle) return Eigen::Matrix3d::Identity();
  return Eigen::AngleAxisd(th, w / th).toRotationMatrix();
}

Eigen::Vector3d logSo3(const Eigen::Matrix3d& R) noexcept {
  const Eigen::Vector4d aa = quaternionToAxisAngle(rotationToQuaternion(R));
  return aa[0] * aa.tail<3>();
}

bool convertOrientation(int from, int to, const double* in, double* out) noexcept {
  const int n_in = orientationLength(from);
  if (n_in == 0 || orientationLength(to) == 0 || in == nullptr || out == nullptr) return false;
  if (!allFinite(in, n_in)) return false;
  Eigen::Matrix3d R;
  if (!toRotation(from, in, R)) return false;
  fromRotation(to, R, out);
  return true;
}

Vector6d changeReferenceFrame(const Vector6d& F_b_a, const Vector6d& F_c_b) noexcept {
  return transformToPose(poseToTransform(F_c_b) * poseToTransform(F_b_a));
}

Vector6d inverseFrame(const Vector6d& F_b_a) noexcept {
  return transformToPose(poseToTransform(F_b_a).inverse());
}

Vector6d differPose(const Vector6d& F_a_b1, const Vector6d& F_a_b2) noexcept {
  Vector6d d;
  d.head<3>() = F_a_b2.head<3>() - F_a_b1.head<3>();
  d.tail<3>() = rotationToRpy(rpyToRotation(F_a_b2[3], F_a_b2[4], F_a_b2[5]) *
                              rpyToRotation(F_a_b1[3], F_a_b1[4], F_a_b1[5]).transpose());
  return d;
}

Vector6d addDeltaPose(const Vector6d& F_w_a, const Vector6d& da_w) noexcept {
  Vector6d out;
  out.head<3>() = F_w_a.head<3>() + da_w.head<3>();
  out.tail<3>() =
      rotationToRpy(expSo3(da_w.tail<3>()) * rpyToRotation(F_w_a[3], F_w_a[4], F_w_a[5]));
  return out;
}

Eigen::Vector3d addDeltaOri(const Eigen::Vector3d& rpy_w_a, const Eigen::Vector3d& w_w,
                            double dt) noexcept {
  return rotationToRpy(expSo3(w_w * dt) * rpyToRotation(rpy_w_a[0], rpy_w_a[1], rpy_w_a[2]));
}

Vector6d changeWrenchBase(const Vector6d& ft_in_a, const Eigen::Isometry3d& T_b_a) noexcept {
  Vector6d out;
  out.head<3>() = T_b_a.linear() * ft_in_a.head<3>();
  out.tail<3>() = T_b_a.linear() * ft_in_a.tail<3>();
  return out;
}

Vector6d changeWrenchFrame(const Vector6d& ft_in_a, const Eigen::Isometry3d& T_b_a) noexcept {
  Vector6d out = changeWrenchBase(ft_in_a, T_b_a);
  out.tail<3>() += T_b_a.translation().cross(out.head<3>());
  return out;
}

Eigen::Matrix3d inertiaFromSix(const Vector6d& v) noexcept {
  Eigen::Matrix3d I;
  I << v[0], v[3], v[4], v[3], v[1], v[5], v[4], v[5], v[2];
  return I;
}

Vector6d inertiaToSix(const Eigen::Matrix3d& I) noexcept {
  Vector6d v;
  v << I(0, 0), I(1, 1), I(2, 2), I(0, 1), I(0, 2), I(1, 2);
  return v;
}

Eigen::Matrix3d parallelAxisShift(double m, const Eigen::Vector3d& c) noexcept {
  return m * (c.squaredNorm() * Eigen::Matrix3d::Identity() - c * c.transpose());
}

BodyInertial changeBodyFrame(const BodyInertial& body_in_a,
                             const Eigen::Isometry3d& T_b_a) noexcept {
  BodyInertial out;
  out.m = body_in_a.m;
  out.c = T_b_a * body_in_a.c;
  out.I_c = T_b_a.linear() * body_in_a.I_c * T_b_a.linear().transpose();
  return out;
}

BodyInertial combineBodies(const BodyInertial& b1, const BodyInertial& b2) noexcept {
  BodyInertial out;
  out.m = b1.m + b2.m;
  if (out.m <= 0.0) {
    out.I_c = b1.I_c + b2.I_c;
    return out;
  }
  out.c = (b1.m * b1.c + b2.m * b2.c) / out.m;
  out.I_c = b1.I_c + parallelAxisShift(b1.m, b1.c - out.c) + b2.I_c +
            parallelAxisShift(b2.m, b2.c - out.c);
  return out;
}

bool transferReferenceFrame(const Vector6d& F_b_a_old, const Eigen::Vector3d& V_in_b, int type,
                            Vector6d& F_b_a_new) noexcept {
  const Eigen::Matrix3d R0 = rpyToRotation(F_b_a_old[3], F_b_a_old[4], F_b_a_old[5]);
  const Eigen::Vector3d v = R0.transpose() * V_in_b;
  Eigen::Matrix3d N;
  if (type == 1) {
    const Eigen::Vector3d z = Eigen::Vector3d::UnitX().cross(v);
    if (z.norm() < kMinDirection) return false;  // v along the old x: no plane to keep
    N.col(0) = v.cross(z);
    N.col(1) = v;
    N.col(2) = z;
  } else if (type == 2) {
    if (std::hypot(v.x(), v.y()) < kMinDirection) return false;  // v along the frame's z
    N = Eigen::AngleAxisd(std::atan2(v.y(), v.x()), Eigen::Vector3d::UnitZ()).toRotationMatrix();
  } else {
    return false;
  }
  // Angles taken from the raw entries on purpose: the recorded type-1 results use them so.
  const Eigen::Matrix3d M = R0 * N;
  F_b_a_new.head<3>() = F_b_a_old.head<3>();
  F_b_a_new[3] = std::atan2(M(2, 1), M(2, 2));
  F_b_a_new[4] = std::atan2(-M(2, 0), std::hypot(M(0, 0), M(1, 0)));
  F_b_a_new[5] = std::atan2(M(1, 0), M(0, 0));
  return true;
}

}  // namespace zemo

// Orientation conversions and frame algebra: published worked examples, and round trips and
// identities over seeded random rotations.
#include <gtest/gtest.h>

#include <random>

#include "kinematics/frames.h"

namespace zemo {
namespace {

Vector6d vec6(double a, double b, double c, double d, double e, double f) {
  Vector6d v;
  v << a, b, c, d, e, f;
  return v;
}

void expectNear(const Eigen::MatrixXd& expected, const Eigen::MatrixXd& actual, double tol,
                const std::string& what) {
  EXPECT_LE((expected - actual).cwiseAbs().maxCoeff(), tol)
      << what << "\nexpected " << expected.transpose() << "\nactual   " << actual.transpose();
}

Eigen::Matrix3d randomRotation(std::mt19937& rng) {
  std::normal_distribution<double> n;
  return Eigen::Quaterniond(n(rng), n(rng), n(rng), n(rng)).normalized().toRotationMatrix();
}

TEST(Orientation, PublishedExampleInEveryForm) {
  const double rpy[3] = {-M_PI / 4, M_PI / 6, M_PI / 3};
  const double rot_ref[9] = {0.433012701892219,
                             -0.789149130992431,
                             -0.435595740399158,
                             0.75,
                             0.047367172745377,
                             0.659739608441171,
                             -0.5,
                             -0.612372435695794,
                             0.612372435695795};
  const double quat_ref[4] = {0.7233, -0.4397, 0.0223, 0.532};
  const double aa_ref[4] = {1.524403531616318, -0.636741125415042, 0.032236815089338,
                            0.770403483220372};
  double rot[9], quat[4], aa[4], back[3];
  ASSERT_TRUE(convertOrientation(1, 0, rpy, rot));
  expectNear(Eigen::Map<const Eigen::Matrix<double, 9, 1>>(rot_ref),
             Eigen::Map<Eigen::Matrix<double, 9, 1>>(rot), 1e-12, "RPY -> ROTATION");
  ASSERT_TRUE(convertOrientation(0, 4, rot_ref, quat));
  expectNear(Eigen::Map<const Eigen::Vector4d>(quat_ref), Eigen::Map<Eigen::Vector4d>(quat), 1e-4,
             "ROTATION -> QUATERNION");
  ASSERT_TRUE(convertOrientation(4, 5, quat, aa));
  expectNear(Eigen::Map<const Eigen::Vector4d>(aa_ref), Eigen::Map<Eigen::Vector4d>(aa), 1e-9,
             "QUATERNION -> AXIS_ANGLE");
  ASSERT_TRUE(convertOrientation(5, 1, aa_ref, back));
  expectNear(Eigen::Map<const Eigen::Vector3d>(rpy), Eigen::Map<Eigen::Vector3d>(back), 1e-9,
             "AXIS_ANGLE -> RPY");
}

// Every pair of forms, both directions, must describe the same rotation; canonical outputs
// keep their sign conventions (w >= 0, angle in [0, pi], unit axis, ZYZ beta in [0, pi]).
TEST(Orientation, AllFormsRoundTripThroughEachOther) {
  std::mt19937 rng(5);
  std::vector<Eigen::Matrix3d> rotations = {Eigen::Matrix3d::Identity(),
                                            rpyToRotation(0.3, M_PI / 2, -0.4),  // gimbal lock
                                            rpyToRotation(0.2, -M_PI / 2, 0.9),  // gimbal lock
                                            rpyToRotation(M_PI, 0.0, 0.0),       // half turn
                                            rpyToRotation(0.0, 0.0, -M_PI)};
  for (int i = 0; i < 200; ++i) rotations.push_back(randomRotation(rng));
  for (const Eigen::Matrix3d& R : rotations) {
    Eigen::Matrix<double, 3, 3, Eigen::RowMajor> Rrow = R;
    for (int form = 0; form <= 5; ++form) {
      double mid[9], out[9];
      ASSERT_TRUE(convertOrientation(0, form, Rrow.data(), mid));
      ASSERT_TRUE(convertOrientation(form, 0, mid, out));
      const Eigen::Map<Eigen::Matrix<double, 3, 3, Eigen::RowMajor>> Rback(out);
      EXPECT_LE((Rback - R).cwiseAbs().maxCoeff(), 1e-12) << "form " << form << "\n" << R;
      if (form == 4) {
        EXPECT_GE(mid[0], 0.0);
      }
      if (form == 5) {
        EXPECT_GE(mid[0], 0.0);
        EXPECT_LE(mid[0], M_PI + 1e-15);
        EXPECT_NEAR(1.0, Eigen::Vector3d(mid[1], mid[2], mid[3]).norm(), 1e-12);
      }
      if (form == 2) {
        EXPECT_GE(mid[1], 0.0);
      }
      for (int to = 0; to <= 5; ++to) {
        double other[9], again[9];
        ASSERT_TRUE(convertOrientation(form, to, mid, other));
        ASSERT_TRUE(convertOrientation(to, 0, other, again));
        const Eigen::Map<Eigen::Matrix<double, 3, 3, Eigen::RowMajor>> R2(again);
        EXPECT_LE((R2 - R).cwiseAbs().maxCoeff(), 1e-12) << form << " -> " << to;
      }
    }
  }
}

TEST(Orientation, RejectsWhatIsNoRotation) {
  const double zero_quat[4] = {0, 0, 0, 0};
  const double zero_axis[4] = {1.0, 0, 0, 0};
  const double nan_rpy[3] = {0.1, NAN, 0.2};
  const double rpy[3] = {0.1, 0.2, 0.3};
  double out[9];
  EXPECT_FALSE(convertOrientation(4, 0, zero_quat, out));
  EXPECT_FALSE(convertOrientation(5, 0, zero_axis, out));
  EXPECT_FALSE(convertOrientation(1, 0, nan_rpy, out));
  EXPECT_FALSE(convertOrientation(1, 6, rpy, out));
  EXPECT_FALSE(convertOrientation(-1, 0, rpy, out));
  EXPECT_FALSE(convertOrientation(1, 0, nullptr, out));
  // A quaternion need not be unit length: it is normalised.
  const double scaled[4] = {2.0, 0.0, 0.0, 0.0};
  double R[9];
  ASSERT_TRUE(convertOrientation(4, 0, scaled, R));
  EXPECT_NEAR(1.0, R[0], 1e-15);
}

TEST(FrameAlgebra, PublishedExamples) {
  const double s = M_PI / 6;
  const Vector6d P30 = vec6(0.1, 0.1, 0.1, s, s, s);
  expectNear(vec6(0.215849, 0.209151, 0.168301, 1.380671, 0.597406, 1.380671),
             changeReferenceFrame(P30, P30), 1e-6, "composition");
  expectNear(vec6(-0.068301, -0.109151, -0.115849, -0.281035, -0.675132, -0.281035),
             inverseFrame(P30), 1e-6, "inverse");
  expectNear(vec6(0.1, 0.1, 0.1, 0, 0, 0), differPose(P30, vec6(0.2, 0.2, 0.2, s, s, s)), 1e-12,
             "difference");
  const Vector6d F = vec6(0.2, 0.2, 0.2, 0.1, 0.1, -0.2);
  expectNear(vec6(1.622622273852641, 1.395969243589209, 3.068935780910095, 5.737623361647075,
                  3.080512409840206, 5.992208787871379),
             changeWrenchFrame(vec6(1, 2, 3, 4, 5, 6), poseToTransform(F)), 1e-12, "wrench frame");
  const Vector6d ft = vec6(0.1, 0.1, 0.1, s, s, s);
  expectNear(ft, changeWrenchBase(ft, poseToTransform(vec6(0.2, 0.2, 0.2, 0, 0, 0))), 1e-15,
             "a translation leaves wrench components alone");
  expectNear(vec6(0.4, 0.5, 0.1, 0.1812535885613343, 0.5398866824727723, -0.3771952494229008),
             addDeltaPose(F, vec6(0.2, 0.3, -0.1, 0.2, 0.4, -0.2)), 1e-12, "delta pose");
  expectNear(Eigen::Vector3d(0.1967418273039535, 0.3446142900044906, 0.388966030435815),
             addDeltaOri({0.2, 0.3, 0.4}, {-0.2, 0.4, -0.1}, 0.1), 1e-12, "delta orientation");

  Vector6d out;
  ASSERT_TRUE(transferReferenceFrame(F, {0.2, 0.3, -0.5}, 1, out));
  expectNear(vec6(0.2, 0.2, 0.2, -0.9845221501972578, -0.1520575274796477, -0.3738635744251785),
             out, 1e-12, "transfer type 1");
  ASSERT_TRUE(transferReferenceFrame(F, {0.2, 0.3, -0.5}, 2, out));
  expectNear(vec6(0.2, 0.2, 0.2, 0.1384229764454744, -0.02847609243476468, 0.7844924766636903), out,
             1e-12, "transfer type 2");
}

TEST(FrameAlgebra, TransferRejectsUndefinedDirections) {
  const Vector6d F = vec6(0.2, 0.2, 0.2, 0.1, 0.1, -0.2);
  const Eigen::Matrix3d R = rpyToRotation(0.1, 0.1, -0.2);
  Vector6d out = Vector6d::Constant(7.0);
  EXPECT_FALSE(transferReferenceFrame(F, R.col(0), 1, out)) << "vector along the frame's x";
  EXPECT_FALSE(transferReferenceFrame(F, R.col(2), 2, out)) << "vector along the frame's z";
  EXPECT_FALSE(transferReferenceFrame(F, {0.2, 0.3, -0.5}, 3, out));
  EXPECT_EQ(Vector6d::Constant(7.0), out);
}

TEST(FrameAlgebra, InertiaExamplesAndIdentities) {
  const double s = M_PI / 6;
  BodyInertial body;
  body.m = 5.05;
  body.c = {0, 0.0038, 0.0006};
  body.I_c = inertiaFromSix(vec6(0.0148, 0, 0, 0.0143, 0, 0.0095));
  const BodyInertial moved = changeBodyFrame(body, poseToTransform(vec6(0.1, 0.1, 0.1, s, s, s)));
  EXPECT_DOUBLE_EQ(5.05, moved.m);
  expectNear(Eigen::Vector3d(0.099552, 0.103195, 0.102095), moved.c, 1e-6, "moved centre");
  expectNear(vec6(0.00111, 0.010012, 0.003678, 0.018491, 0.00167, -0.001436),
             inertiaToSix(moved.I_c), 1e-6, "moved inertia");

  expectNear(vec6(0.01472526, -1.818e-06, -7.2922e-05, 0.0143, 0, 0.009511514),
             inertiaToSix(inertiaOriginToCentre(body.m, body.c, body.I_c)), 1e-9,
             "origin form to centre form");

  const BodyInertial twice = combineBodies(moved, moved);
  EXPECT_DOUBLE_EQ(10.1, twice.m);
  expectNear(moved.c, twice.c, 1e-15, "combined centre");
  expectNear(2.0 * inertiaToSix(moved.I_c), inertiaToSix(twice.I_c), 1e-15, "combined inertia");

  // Two different bodies: the combination about the common origin is the sum of the parts.
  BodyInertial other;
  other.m = 1.3;
  other.c = {-0.2, 0.05, 0.3};
  other.I_c = inertiaFromSix(vec6(0.02, 0.03, 0.01, 0.001, -0.002, 0.003));
  const BodyInertial both = combineBodies(body, other);
  expectNear(inertiaCentreToOrigin(body.m, body.c, body.I_c) +
                 inertiaCentreToOrigin(other.m, other.c, other.I_c),
             inertiaCentreToOrigin(both.m, both.c, both.I_c), 1e-15, "sum about the origin");
  const BodyInertial massless = combineBodies(BodyInertial{}, BodyInertial{});
  EXPECT_TRUE(massless.c.allFinite());
}

}  // namespace
}  // namespace zemo

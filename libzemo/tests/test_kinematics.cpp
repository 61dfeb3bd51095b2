// Forward kinematics, Jacobian, motions and configuration of the arm: the published reference
// values of "vire_r5", and finite-difference checks over seeded random joint vectors.
#include <gtest/gtest.h>

#include <random>

#include "kinematics/forward.h"
#include "test_kinematics_model.h"

namespace zemo {
namespace {

using test::referenceJoints;
using test::vireR5;

void expectNear(const Eigen::MatrixXd& expected, const Eigen::MatrixXd& actual, double tol,
                const std::string& what) {
  ASSERT_EQ(expected.rows(), actual.rows()) << what;
  ASSERT_EQ(expected.cols(), actual.cols()) << what;
  EXPECT_LE((expected - actual).cwiseAbs().maxCoeff(), tol) << what << "\nexpected\n"
                                                            << expected << "\nactual\n"
                                                            << actual;
}

Vector6d vec6(double a, double b, double c, double d, double e, double f) {
  Vector6d v;
  v << a, b, c, d, e, f;
  return v;
}

TEST(ForwardKinematics, ReproducesPublishedReference) {
  const DHTable dh = vireR5().dh_nominal;
  const JointVector q = referenceJoints();

  const Vector6d pose = transformToPose(forwardFlange(dh, q));
  expectNear(vec6(-0.424915927341309, -0.48687058574014, 0.411360972073454, -3.141589761044286, 0,
                  -1.5708),
             pose, 1e-4, "flange pose");
  EXPECT_LT(pose[3], 0.0) << "rx must stay on its own branch near -pi";

  Matrix6d J;
  jacobian(dh, q, Eigen::Isometry3d::Identity(), J);
  Matrix6d J_ref;
  J_ref << 0.48687058574014, -0.2278636111917, -0.0689312483115955, 0.0740226475246494,
      0.0579369618345739, 0,  //
      -0.424915927341309, -0.178347825481479, -0.0539521785852604, 0.0579371938913785,
      -0.0740223510384526, 0,                                                             //
      0, -0.634692324256803, 0.478444061920827, -0.102499654718029, 0, 0,                 //
      0, 0.61635065780815, -0.616350657808149, 0.616350657808149, -0.787471819566323, 0,  //
      0, -0.787471819571635, 0.787471819571635, -0.787471819571635, -0.616350657803991,
      5.1565278883332e-06,  //
      1, 0, 0, 0, -3.67320510369848e-06, -0.999999999986508;
  expectNear(J_ref, J, 1e-4, "Jacobian");
  EXPECT_NEAR(J.determinant(), -0.089289613773873, 1e-4);

  TwistArray tw, acc;
  frameMotions(dh, q, q, q, Eigen::Isometry3d::Identity(), tw, &acc);
  const Vector6d v_ref = vec6(0.224047773469802, -0.172389635549398, -0.806478713391551,
                              2.205124764888592, -0.268793696454444, 5.769879537e-06);
  expectNear(v_ref, J * q, 1e-4, "twist J qd");
  expectNear(vec6(1.1983336, 0.64049983, -0.416421, 2.5621317, 2.6600472, 2.4674261), acc[kMaxDof],
             1e-4, "classical acceleration of the flange");

  const double link_twists[7][6] = {
      {0, 0, 0, 0, 0, 0.6641},
      {0.0635396, 0.0497322, 0, 0.242226, -0.309476, 0.6641},
      {0.0108546, -0.123273, -0.0614056, 0.957562, -1.22342, 0.6641},
      {0.156826, -0.326068, -0.645473, 0.968164, -1.23696, 0.6641},
      {0.198781, -0.379671, -0.80648, 2.20512, -0.268797, 0.664106},
      {0.224048, -0.17239, -0.806479, 2.20512, -0.268794, 5.76988e-06},
      {0.224048, -0.17239, -0.806479, 2.20512, -0.268794, 5.76988e-06}};
  for (int k = 0; k <= kMaxDof; ++k)
    expectNear(Eigen::Map<const Vector6d>(link_twists[k]), tw[k], 1e-4,
               "link twist " + std::to_string(k));

  EXPECT_EQ(1, armConfiguration(dh, q)) << "the reference posture is LUN";
}

// Against the closed form of vire_r5's wrist-centre offset in frame 1, over random postures,
// plus the boundary values: sin q3 = 0 counts as up, sin q5 = 0 as flipped.
TEST(ForwardKinematics, ConfigurationMatchesClosedForm) {
  const DHTable dh = vireR5().dh_nominal;
  auto closed_form = [](const JointVector& q) {
    const double s = 0.408 * std::sin(q[1]) + 0.376 * std::sin(q[1] - q[2]) +
                     0.1025 * std::sin(q[1] - q[2] + q[3]);
    return 4 * (s < 0) + 2 * (std::sin(q[2]) > 0) + (std::sin(q[4]) < 0);
  };
  std::mt19937 rng(3);
  int seen = 0;
  for (int trial = 0; trial < 500; ++trial) {
    const JointVector q = test::randomJoints(rng);
    const int code = armConfiguration(dh, q);
    ASSERT_EQ(closed_form(q), code) << "q = " << q.transpose();
    seen |= 1 << code;
  }
  EXPECT_EQ(0xFF, seen) << "every configuration occurs in the sweep";
  JointVector q = referenceJoints();
  q[2] = 0.0;
  q[4] = 0.0;
  EXPECT_EQ(0, armConfiguration(dh, q) & 3);
}

// Independent truth: central differences of the forward kinematics, with a tool offset and a
// compensated table so that no term of the analytic forms goes untested.
TEST(ForwardKinematics, JacobianAndJdotQdMatchFiniteDifferences) {
  RobotModel model = vireR5();
  model.dh_comp = test::calibrationCompensation();
  const DHTable dh = compensated(model);
  Eigen::Isometry3d tool = Eigen::Isometry3d::Identity();
  tool.translate(Eigen::Vector3d(0.03, -0.02, 0.15));
  tool.rotate(Eigen::AngleAxisd(0.7, Eigen::Vector3d(1, 2, 3).normalized()));
  std::mt19937 rng(7);
  const double h = 1e-6;
  for (int trial = 0; trial < 50; ++trial) {
    const JointVector q = test::randomJoints(rng);
    const JointVector qd = test::randomJoints(rng, 2.0);
    Matrix6d J;
    jacobian(dh, q, tool, J);
    Matrix6d J_fd;
    for (int i = 0; i < kMaxDof; ++i) {
      JointVector qp = q, qm = q;
      qp[i] += h;
      qm[i] -= h;
      const Eigen::Isometry3d Tp = forwardEnd(dh, qp, tool), Tm = forwardEnd(dh, qm, tool);
      J_fd.block<3, 1>(0, i) = (Tp.translation() - Tm.translation()) / (2 * h);
      J_fd.block<3, 1>(3, i) = logSo3(Tp.linear() * Tm.linear().transpose()) / (2 * h);
    }
    expectNear(J_fd, J, 1e-7, "Jacobian at trial " + std::to_string(trial));

    // d/dt (J qd) along q(t) = q + t qd.
    Matrix6d Jp, Jm;
    jacobian(dh, q + h * qd, tool, Jp);
    jacobian(dh, q - h * qd, tool, Jm);
    const Vector6d jdot_qd_fd = (Jp - Jm) * qd / (2 * h);
    expectNear(jdot_qd_fd, jacobianDotTimesQd(dh, q, qd, tool), 1e-6,
               "Jdot qd at trial " + std::to_string(trial));

    TwistArray tw;
    frameMotions(dh, q, qd, JointVector::Zero(), tool, tw, nullptr);
    expectNear(J * qd, tw[kMaxDof], 1e-12, "end twist");
  }
}

TEST(ForwardKinematics, InverseVelocityAndAccelerationSolveExactly) {
  const DHTable dh = vireR5().dh_nominal;
  const Eigen::Isometry3d none = Eigen::Isometry3d::Identity();
  const JointVector q = referenceJoints();
  const Vector6d v = vec6(0.224047773469802, -0.172389635549398, -0.806478713391551,
                          2.205124764888592, -0.268793696454444, 5.769879537e-06);
  const Vector6d a = vec6(1.1983336, 0.64049983, -0.416421, 2.5621317, 2.6600472, 2.4674261);
  JointVector qd, qdd;
  ASSERT_TRUE(inverseVelocity(dh, q, none, v, qd));
  expectNear(q, qd, 1e-4, "qd of the published twist");
  ASSERT_TRUE(inverseAcceleration(dh, q, none, v, a, qd, qdd));
  expectNear(q, qd, 1e-4, "qd");
  expectNear(q, qdd, 1e-4, "qdd of the published acceleration");

  std::mt19937 rng(11);
  for (int trial = 0; trial < 20; ++trial) {
    const JointVector qr = test::randomJoints(rng);
    const JointVector qd_true = test::randomJoints(rng, 2.0), qdd_true = test::randomJoints(rng);
    TwistArray tw, acc;
    frameMotions(dh, qr, qd_true, qdd_true, none, tw, &acc);
    if (!inverseAcceleration(dh, qr, none, tw[kMaxDof], acc[kMaxDof], qd, qdd)) continue;
    expectNear(qd_true, qd, 1e-8, "qd round trip");
    expectNear(qdd_true, qdd, 1e-7, "qdd round trip");
  }
}

// At a wrist singularity (q5 = 0) and with the arm stretched, the solver reports failure and
// leaves its outputs alone instead of returning huge rates.
TEST(ForwardKinematics, InverseVelocityRefusesSingularJacobian) {
  const DHTable dh = vireR5().dh_nominal;
  JointVector wrist = referenceJoints();
  wrist[4] = 0.0;
  JointVector stretched = referenceJoints();
  stretched[2] = 0.0;
  for (const JointVector& q : {wrist, stretched}) {
    JointVector qd = JointVector::Constant(42.0), qdd = JointVector::Constant(42.0);
    EXPECT_FALSE(inverseVelocity(dh, q, Eigen::Isometry3d::Identity(), Vector6d::Ones(), qd));
    EXPECT_FALSE(inverseAcceleration(dh, q, Eigen::Isometry3d::Identity(), Vector6d::Ones(),
                                     Vector6d::Ones(), qd, qdd));
    EXPECT_EQ(JointVector::Constant(42.0), qd);
    EXPECT_EQ(JointVector::Constant(42.0), qdd);
  }
}

}  // namespace
}  // namespace zemo

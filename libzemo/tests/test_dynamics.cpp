#include <random>
#include <sstream>

#include <Eigen/Eigenvalues>
#include <gtest/gtest.h>

#include "dynamics/crba.h"
#include "dynamics/forward_dynamics.h"
#include "dynamics/rnea.h"
#include "test_dynamics_fixture.h"

namespace zemo::test {
namespace {

std::string show(const JointVector& v) {
  std::ostringstream s;
  s.precision(17);
  s << v.transpose();
  return s.str();
}

// A tool off the flange axis with a payload, so that the tool paths are exercised.
RobotModel withTool(RobotModel m) {
  m.T_flange_tool = Eigen::Translation3d(0.03, -0.02, 0.15) *
                    Eigen::AngleAxisd(0.7, Eigen::Vector3d(1, 2, 3).normalized());
  m.tool.m = 1.3;
  m.tool.c << 0.01, 0.02, 0.08;
  m.tool.I_c << 0.004, 0.0002, -0.0001, 0.0002, 0.005, 0.0003, -0.0001, 0.0003, 0.003;
  return m;
}

ExternalWrenches randomWrenches(std::mt19937& rng, int dof) {
  std::uniform_real_distribution<double> u(-20.0, 20.0);
  ExternalWrenches W = ExternalWrenches::Zero();
  for (int k = 0; k <= dof; ++k)
    for (int r = 0; r < 6; ++r) W(r, k) = u(rng);
  return W;
}

TEST(Dynamics, PublishedReferenceNumbers) {
  RobotModel model = makeVireR5();
  const JointVector q_m = jv({M_PI / 2, M_PI / 2, M_PI / 2, 0, 0, 0});
  const double M_ref[6][6] = {
      {4.12335, -0.209565, 0.209565, -0.0267481, 0.00682738, -1.68123e-05},
      {-0.209565, 4.76, -0.892506, 0.0940904, -0.0147005, 0.000200313},
      {0.209565, -0.892506, 2.89251, -0.0940904, 0.0147005, -0.000200313},
      {-0.0267481, 0.0940904, -0.0940904, 0.171098, -0.00315742, 0.000168668},
      {0.00682738, -0.0147005, 0.0147005, -0.00315742, 0.153091, -6.58655e-06},
      {-1.68123e-05, 0.000200313, -0.000200313, 0.000168668, -6.58655e-06, 0.15016}};
  const JointMatrix M = massMatrix(model, q_m);
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 6; ++j) EXPECT_NEAR(M(i, j), M_ref[i][j], 1e-4) << i << "," << j;

  setLinks(model, kLinkPara);
  const JointVector tau_ref = jv({3.78783, -39.9948, 18.0068, -0.373297, -0.235099, 0.0940828});
  const JointVector tau = inverseDynamics(model, kQ0, kQ0, kQ0);
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(tau[i], tau_ref[i], 1e-4) << i;

  ExternalWrenches W = ExternalWrenches::Zero();
  W.col(6) << -22.0025, 7.6498, -53.7775, -117.2313, -13.0462, 44.2201;
  const JointVector tau_ft_ref = jv({61.0809, 80.5938, -91.3385, 88.7059, 84.3659, -44.126});
  const JointVector tau_ft = inverseDynamics(model, kQ0, kQ0, kQ0, &W);
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(tau_ft[i], tau_ft_ref[i], 1e-4) << i;
}

TEST(Dynamics, MassMatrixIsInverseDynamicsColumnsAndPositiveDefinite) {
  std::mt19937 rng(11);
  for (const RobotModel& model : {makeVireR5(), withTool(makeVireR5())}) {
    for (int trial = 0; trial < 50; ++trial) {
      const JointVector q = randomJoints(rng, M_PI);
      SCOPED_TRACE("q = " + show(q));
      const JointMatrix M = massMatrix(model, q);
      for (int j = 0; j < 6; ++j) {
        const JointVector col = inverseDynamics(model, q, JointVector::Zero(), JointVector::Unit(j),
                                                nullptr, Eigen::Vector3d::Zero());
        EXPECT_LT((M.col(j) - col).cwiseAbs().maxCoeff(), 1e-12) << "column " << j;
      }
      EXPECT_LT((M - M.transpose()).cwiseAbs().maxCoeff(), 1e-14);
      EXPECT_GT(Eigen::SelfAdjointEigenSolver<JointMatrix>(M).eigenvalues().minCoeff(), 0.0);
    }
  }
}

TEST(Dynamics, InverseDynamicsIsInertiaCoriolisAndGravity) {
  std::mt19937 rng(12);
  const RobotModel model = withTool(makeVireR5());
  for (int trial = 0; trial < 50; ++trial) {
    const JointVector q = randomJoints(rng, M_PI), qd = randomJoints(rng, 3.0),
                      qdd = randomJoints(rng, 10.0);
    SCOPED_TRACE("q = " + show(q) + " qd = " + show(qd) + " qdd = " + show(qdd));
    const JointVector sum =
        massMatrix(model, q) * qdd + coriolisTorque(model, q, qd) + gravityTorque(model, q);
    EXPECT_LT((inverseDynamics(model, q, qd, qdd) - sum).cwiseAbs().maxCoeff(), 1e-10);
  }
}

TEST(Dynamics, ForwardDynamicsInvertsInverseDynamics) {
  std::mt19937 rng(13);
  RobotModel three_axis = makeVireR5();
  three_axis.dof = 3;
  for (const RobotModel& model : {makeVireR5(), withTool(makeVireR5()), three_axis}) {
    SCOPED_TRACE("dof " + std::to_string(model.dof));
    for (int trial = 0; trial < 50; ++trial) {
      JointVector q = randomJoints(rng, M_PI), qd = randomJoints(rng, 3.0),
                  qdd = randomJoints(rng, 10.0);
      q.tail(6 - model.dof).setZero();
      qd.tail(6 - model.dof).setZero();
      qdd.tail(6 - model.dof).setZero();
      const ExternalWrenches W = randomWrenches(rng, model.dof);
      SCOPED_TRACE("q = " + show(q) + " qd = " + show(qd) + " qdd = " + show(qdd));
      const JointVector tau = inverseDynamics(model, q, qd, qdd, &W);
      JointVector qdd_fd = JointVector::Constant(99.0);
      ASSERT_TRUE(forwardDynamics(model, q, qd, tau, &W, qdd_fd));
      EXPECT_LT((qdd_fd - qdd).cwiseAbs().maxCoeff(), 1e-9);
    }
  }
}

TEST(Dynamics, ForwardDynamicsRefusesAnIndefiniteInertia) {
  RobotModel model = makeVireR5();
  for (auto& l : model.links) l = LinkInertial{};
  model.rotor_inertia = {};
  JointVector qdd = JointVector::Constant(7.0);
  EXPECT_FALSE(forwardDynamics(model, kQ0, kQ0, kQ0, nullptr, qdd));
  EXPECT_EQ(qdd, JointVector::Constant(7.0));
}

// Potential energy -g . sum(m_k p_com_k); the holding torque is its gradient.
double potentialEnergy(const RobotModel& model, const JointVector& q) {
  const auto T = frames(model, q);
  const auto bodies = effectiveBodies(model);
  double V = 0.0;
  for (int k = 0; k < model.dof; ++k) {
    const Eigen::Vector3d first_moment =
        T[k + 1].linear() * bodies[k].mc + bodies[k].m * T[k + 1].translation();
    V -= model.gravity.dot(first_moment);
  }
  return V;
}

TEST(Dynamics, GravityTorqueIsGradientOfPotentialEnergy) {
  std::mt19937 rng(14);
  const double h = 1e-6;
  for (const RobotModel& model : {makeVireR5(), withTool(makeVireR5())}) {
    for (int trial = 0; trial < 30; ++trial) {
      const JointVector q = randomJoints(rng, M_PI);
      SCOPED_TRACE("q = " + show(q));
      const JointVector G = gravityTorque(model, q);
      for (int i = 0; i < 6; ++i) {
        const JointVector e = h * JointVector::Unit(i);
        const double dV = (potentialEnergy(model, q + e) - potentialEnergy(model, q - e)) / (2 * h);
        EXPECT_NEAR(G[i], dV, 1e-7) << "joint " << i;
      }
    }
  }
}

// Kinetic energy changes at qd^T C: qd^T C(q, qd) = 1/2 qd^T dM/dt qd, and C is quadratic in qd.
TEST(Dynamics, CoriolisTorqueBalancesPower) {
  std::mt19937 rng(15);
  const RobotModel model = withTool(makeVireR5());
  const double h = 1e-6;
  for (int trial = 0; trial < 30; ++trial) {
    const JointVector q = randomJoints(rng, M_PI), qd = randomJoints(rng, 3.0);
    SCOPED_TRACE("q = " + show(q) + " qd = " + show(qd));
    const JointMatrix Mdot =
        (massMatrix(model, q + h * qd) - massMatrix(model, q - h * qd)) / (2 * h);
    const JointVector C = coriolisTorque(model, q, qd);
    EXPECT_NEAR(qd.dot(C), 0.5 * qd.dot(Mdot * qd), 1e-6);
    EXPECT_LT((coriolisTorque(model, q, 2.0 * qd) - 4.0 * C).cwiseAbs().maxCoeff(), 1e-10);
  }
}

// tau(W) - tau(0) = -J^T [R f; R m] for a wrench on body k given at a frame attached to it.
TEST(Dynamics, ExternalWrenchesMapThroughJacobianTranspose) {
  std::mt19937 rng(16);
  for (const RobotModel& model : {makeVireR5(), withTool(makeVireR5())}) {
    for (int trial = 0; trial < 20; ++trial) {
      const JointVector q = randomJoints(rng, M_PI), qd = randomJoints(rng, 2.0),
                        qdd = randomJoints(rng, 5.0);
      SCOPED_TRACE("q = " + show(q));
      const ExternalWrenches all = randomWrenches(rng, 6);
      const JointVector tau0 = inverseDynamics(model, q, qd, qdd);
      const auto T = frames(model, q);
      JointVector expected_sum = tau0;
      for (int entry = 0; entry <= 6; ++entry) {
        ExternalWrenches W = ExternalWrenches::Zero();
        W.col(entry) = all.col(entry);
        const int body = entry < 6 ? entry : 5;
        const Eigen::Isometry3d T_frame = entry < 6 ? T[entry + 1] : T[6] * model.T_flange_tool;
        Wrench W_base;
        W_base << T_frame.linear() * W.col(entry).head<3>(),
            T_frame.linear() * W.col(entry).tail<3>();
        const JointVector expected =
            tau0 - pointJacobian(model, q, body, T_frame.translation()).transpose() * W_base;
        EXPECT_LT((inverseDynamics(model, q, qd, qdd, &W) - expected).cwiseAbs().maxCoeff(), 1e-9)
            << "entry " << entry;
        expected_sum += expected - tau0;
      }
      EXPECT_LT((inverseDynamics(model, q, qd, qdd, &all) - expected_sum).cwiseAbs().maxCoeff(),
                1e-9);
    }
  }
}

// Each flange body adds its weight at its centre and J_c^T diag(m E, R I_c R^T) J_c to M.
TEST(Dynamics, FlangeBodiesAreRigidBodiesOnTheFlange) {
  std::mt19937 rng(17);
  const RobotModel bare = makeVireR5();
  RobotModel loaded = withTool(bare);
  loaded.sensor.m = 0.4;
  loaded.sensor.c << 0.0, -0.01, 0.02;
  loaded.sensor.I_c = Eigen::Vector3d(3e-4, 3e-4, 5e-4).asDiagonal();
  for (int trial = 0; trial < 20; ++trial) {
    const JointVector q = randomJoints(rng, M_PI);
    SCOPED_TRACE("q = " + show(q));
    const Eigen::Isometry3d T_flange = frames(bare, q)[6];
    JointVector G = gravityTorque(bare, q);
    JointMatrix M = massMatrix(bare, q);
    for (const BodyInertial& body : {loaded.tool, loaded.sensor}) {
      const Eigen::Matrix<double, 6, kMaxDof> Jc = pointJacobian(bare, q, 5, T_flange * body.c);
      Wrench weight;
      weight << body.m * bare.gravity, Eigen::Vector3d::Zero();
      G -= Jc.transpose() * weight;
      Eigen::Matrix<double, 6, 6> spatial = Eigen::Matrix<double, 6, 6>::Zero();
      spatial.topLeftCorner<3, 3>() = body.m * Eigen::Matrix3d::Identity();
      spatial.bottomRightCorner<3, 3>() =
          T_flange.linear() * body.I_c * T_flange.linear().transpose();
      M += Jc.transpose() * spatial * Jc;
    }
    EXPECT_LT((gravityTorque(loaded, q) - G).cwiseAbs().maxCoeff(), 1e-10);
    EXPECT_LT((massMatrix(loaded, q) - M).cwiseAbs().maxCoeff(), 1e-12);
  }
}

}  // namespace
}  // namespace zemo::test

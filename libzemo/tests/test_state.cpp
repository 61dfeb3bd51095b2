#include <cmath>

#include <gtest/gtest.h>

#include "state/robot_state.h"

namespace zemo {
namespace {

constexpr double kTol = 1e-12;

TEST(JointPosition, FirstSampleAfterResetIsAtRest) {
  RobotStateData state;
  state.qd.setConstant(3.0);  // left over from before the reset
  resetState(state);
  setJointPosition(state, JointVector::Constant(0.7), 0.005);
  EXPECT_TRUE(state.q.isApprox(JointVector::Constant(0.7)));
  EXPECT_TRUE(state.qd.isZero());
  EXPECT_TRUE(state.qdd.isZero());
}

// Constant acceleration a from rest: backward differences give qdd = a exactly from the third
// sample on and qd = a (t - dt/2), the exact velocity half a step back.
TEST(JointPosition, DifferencesOfConstantAccelerationAreExact) {
  const double dt = 0.004;
  JointVector a;
  a << 1.0, -2.0, 0.5, 3.0, -0.25, 0.0;
  RobotStateData state;
  for (int k = 0; k <= 10; ++k) {
    const double t = k * dt;
    setJointPosition(state, 0.5 * a * t * t, dt);
    if (k < 2) continue;
    for (int j = 0; j < kMaxDof; ++j) {
      EXPECT_NEAR(state.qd[j], a[j] * (t - 0.5 * dt), 1e-9) << "sample " << k << " joint " << j;
      EXPECT_NEAR(state.qdd[j], a[j], 1e-6) << "sample " << k << " joint " << j;
    }
  }
}

TEST(State, ResetForgetsReadingsAndGains) {
  RobotStateData state;
  setJointMotion(state, JointVector::Ones(), JointVector::Ones(), JointVector::Ones());
  state.sensor[static_cast<int>(SensorSite::End)] = {Vector6d::Ones(), true};
  state.observer_gain.setZero();
  state.torque.setOnes();
  resetState(state);
  EXPECT_FALSE(state.has_position);
  EXPECT_TRUE(state.q.isZero());
  EXPECT_TRUE(state.torque.isZero());
  for (const SensorReading& r : state.sensor) EXPECT_FALSE(r.valid);
  EXPECT_TRUE(state.observer_gain.isApprox(JointVector::Constant(kDefaultObserverGain)));
}

// An arm whose DH table is all zero: every joint turns about the base z axis and the flange
// sits at the base origin, so R_base_flange = Rz(q1 + ... + q6).
RobotModel planarTurntable() {
  RobotModel model;
  model.name = "turntable";
  return model;
}

TEST(TcpWrench, ZeroUntilAnEndReadingArrives) {
  RobotModel model = planarTurntable();
  model.tool.m = 2.0;
  RobotStateData state;
  // A base-sensor reading is not the end sensor's.
  state.sensor[static_cast<int>(SensorSite::Base)] = {Vector6d::Ones(), true};
  EXPECT_TRUE(tcpWrench(model, state).isZero());
}

// Horizontal gravity along -x of the base and the arm turned by pi/2: the 2 kg payload at the
// flange origin weighs (0, 19.62, 0) N in flange coordinates. A reading of exactly that is the
// payload alone, so no contact wrench is left; at the zero posture the same reading is not.
TEST(TcpWrench, RemovesThePayloadWeightAtTheFedPosture) {
  RobotModel model = planarTurntable();
  model.gravity = Eigen::Vector3d(-9.81, 0.0, 0.0);
  model.tool.m = 2.0;
  RobotStateData state;
  Vector6d reading;
  reading << 0.0, 19.62, 0.0, 0.0, 0.0, 0.0;
  state.sensor[static_cast<int>(SensorSite::End)] = {reading, true};

  JointVector q = JointVector::Zero();
  q[0] = M_PI / 2;
  setJointMotion(state, q, JointVector::Zero(), JointVector::Zero());
  EXPECT_LT(tcpWrench(model, state).norm(), 1e-9);

  setJointMotion(state, JointVector::Zero(), JointVector::Zero(), JointVector::Zero());
  Vector6d expected;  // reading minus the weight (-19.62, 0, 0) seen at the zero posture
  expected << 19.62, 19.62, 0.0, 0.0, 0.0, 0.0;
  EXPECT_LT((tcpWrench(model, state) - expected).norm(), 1e-9);
}

// Without payload the wrench is only moved: sensor 0.1 m above the flange along z, tool point
// at the flange, a force of 1 N along x gives the moment p x f = (0, 0.1, 0) at the tool point.
TEST(TcpWrench, UsesTheModelsSensorPose) {
  RobotModel model = planarTurntable();
  model.T_flange_sensor.translation() = Eigen::Vector3d(0.0, 0.0, 0.1);
  RobotStateData state;
  Vector6d reading;
  reading << 1.0, 0.0, 0.0, 0.0, 0.0, 0.0;
  state.sensor[static_cast<int>(SensorSite::End)] = {reading, true};
  Vector6d expected;
  expected << 1.0, 0.0, 0.0, 0.0, 0.1, 0.0;
  EXPECT_LT((tcpWrench(model, state) - expected).norm(), kTol);
}

}  // namespace
}  // namespace zemo

// Force- and motion-control parameters through the library boundary: per-space storage,
// exact read-back, and refusal of bad input without touching what was stored.
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "robot_library_interface.h"

using namespace ZEMO::interface;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

struct SpacePair {
  const char* name;
  int (ZEMOIntface::*set)(const DescribeSpace&, const double*);
  const double* (ZEMOIntface::*get)(const DescribeSpace&);
};

const SpacePair kSpacePairs[] = {
    {"threshold", &ZEMOIntface::fcSetThreshold, &ZEMOIntface::fcGetThreshold},
    {"limit", &ZEMOIntface::fcSetLimit, &ZEMOIntface::fcGetLimit},
    {"stiffness", &ZEMOIntface::fcSetStiffness, &ZEMOIntface::fcGetStiffness},
    {"damp", &ZEMOIntface::fcSetDamp, &ZEMOIntface::fcGetDamp},
};

std::vector<double> read6(const double* p) {
  return std::vector<double>(p, p + 6);
}

class ControlParams : public ::testing::Test {
 protected:
  void SetUp() override {
    robot = CreateZEMOIntfacePtr();
    robot->rlSetLogLevel(LogLevel::FATAL);
  }
  void load() { ASSERT_GE(robot->rlInitialRobot("vire_r5", ZEMO_DESCRIPTION_DIR), 0); }
  ZEMOIntfacePtr robot;
};

TEST_F(ControlParams, EachSpaceKeepsItsOwnValues) {
  const double joint[6] = {1, 2, 3, 4, 5, 6};
  const double cart[6] = {60, 50, 40, 30, 20, 10};
  for (const SpacePair& p : kSpacePairs) {
    SCOPED_TRACE(p.name);
    ASSERT_GE(((*robot).*p.set)(JOINT, joint), 0);
    ASSERT_GE(((*robot).*p.set)(CARTESIAN, cart), 0);
    EXPECT_EQ(read6(((*robot).*p.get)(JOINT)), read6(joint));
    EXPECT_EQ(read6(((*robot).*p.get)(CARTESIAN)), read6(cart));
  }
  // The four families are distinct storage: the last write of one leaves the others alone.
  EXPECT_EQ(read6(robot->fcGetThreshold(JOINT)), read6(joint));
}

TEST_F(ControlParams, BadSpaceValuesAreRefusedAndChangeNothing) {
  const double good[6] = {1.5, 0, 0, 0, 0, 2.5};
  struct Case {
    const char* what;
    DescribeSpace space;
    std::vector<double> values;
  };
  const std::vector<Case> cases = {
      {"negative", CARTESIAN, {1, 1, -0.1, 1, 1, 1}},
      {"nan", JOINT, {1, 1, 1, 1, 1, kNaN}},
      {"infinite", CARTESIAN, {std::numeric_limits<double>::infinity(), 0, 0, 0, 0, 0}},
      {"space FULL", FULL, {1, 1, 1, 1, 1, 1}},
      {"space NOT_DEFINED", DescribeSpace::NOT_DEFINED, {1, 1, 1, 1, 1, 1}},
  };
  for (const SpacePair& p : kSpacePairs) {
    ASSERT_GE(((*robot).*p.set)(JOINT, good), 0);
    ASSERT_GE(((*robot).*p.set)(CARTESIAN, good), 0);
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(p.name) + ": " + c.what);
      EXPECT_LT(((*robot).*p.set)(c.space, c.values.data()), 0);
      EXPECT_EQ(read6(((*robot).*p.get)(JOINT)), read6(good));
      EXPECT_EQ(read6(((*robot).*p.get)(CARTESIAN)), read6(good));
    }
    EXPECT_LT(((*robot).*p.set)(JOINT, nullptr), 0);
    // A getter of an undefined space still returns six readable values.
    EXPECT_EQ(read6(((*robot).*p.get)(FULL)), std::vector<double>(6, 0.0));
  }
}

TEST_F(ControlParams, SelectionFlagsAreZeroOrOne) {
  const int flags[6] = {1, 0, 1, 0, 0, 1};
  ASSERT_GE(robot->fcSetSelectVector(CARTESIAN, flags), 0);
  const int bad[6] = {1, 2, 0, 0, 0, 0};
  EXPECT_LT(robot->fcSetSelectVector(CARTESIAN, bad), 0);
  EXPECT_LT(robot->fcSetSelectVector(FULL, flags), 0);
  const int* got = robot->fcGetSelectVector(CARTESIAN);
  EXPECT_EQ(std::vector<int>(got, got + 6), std::vector<int>(flags, flags + 6));
  got = robot->fcGetSelectVector(JOINT);
  EXPECT_EQ(std::vector<int>(got, got + 6), std::vector<int>(6, 0));
}

TEST_F(ControlParams, JointCoefficientsNeedOneValuePerJoint) {
  load();
  const std::vector<double> damping = {40, 40, 40, 5, 5, 5};
  ASSERT_GE(robot->fcSetDampingCoe(damping), 0);
  EXPECT_EQ(robot->fcSetDampingCoe({40, 40, 40}), ZEMO::E_DIMENSION_DISMATCH);
  EXPECT_EQ(robot->fcSetGainCoe(std::vector<double>(7, 0.1)), ZEMO::E_DIMENSION_DISMATCH);
  EXPECT_LT(robot->fcSetDampingCoe({40, 40, 40, 5, 5, -5}), 0);
  EXPECT_EQ(read6(robot->fcGetDampingCoe()), damping);  // untouched and unclamped
  EXPECT_EQ(read6(robot->fcGetGainCoe()), std::vector<double>(6, 0.0));
}

TEST_F(ControlParams, OtherForceSettingsRefuseNonFiniteInput) {
  const double ok[6] = {1.1, 0, 0, 0, 0, 0};
  const double nan[6] = {0, 0, kNaN, 0, 0, 0};
  const double neg[6] = {0, 0, 0, -1, 0, 0};
  EXPECT_GE(robot->fcSetSensitivity(ok), 0);
  EXPECT_LT(robot->fcSetSensitivity(neg), 0);
  EXPECT_GE(robot->fcSetOverEstimatedDis(1.1), 0);
  EXPECT_LT(robot->fcSetOverEstimatedDis(-0.1), 0);
  EXPECT_LT(robot->fcSetMaxAdjustSpeed(nan, true), 0);
  EXPECT_LT(robot->fcEnableSingularityConsistent(true, {0, 0, 0, -1, 0, 0}), 0);
  EXPECT_GE(robot->fcAddVirtualForce(CoordType::TOOL, neg), 0);  // a wrench may be negative
  EXPECT_LT(robot->fcAddVirtualForce(CoordType(7), ok), 0);
  EXPECT_LT(robot->fcSetForceLoopPIDVGains(ok, ok, neg, ok), 0);
  EXPECT_GE(robot->fcSetForceLoopPIDVGains(ok, ok, ok, neg), 0);
  const double coeff[6] = {0.5, 0.5, 0.5, 0.5, 0.5, 0.5};
  ASSERT_GE(robot->fcSetJointTorqCoe(coeff), 0);
  EXPECT_LT(robot->fcSetJointTorqCoe(nan), 0);
  EXPECT_EQ(read6(robot->fcGetJointTorqCoe()), read6(coeff));
}

TEST_F(ControlParams, MotionSettingsReadBackAndRefuseBadValues) {
  load();
  ASSERT_GE(robot->mcSetControlPeriod(0.004), 0);
  for (double bad : {0.0, -0.001, kNaN}) EXPECT_LT(robot->mcSetControlPeriod(bad), 0) << bad;
  EXPECT_EQ(robot->mcGetControlPeriod(), 0.004);

  for (ControlMode m : {POS, ADM, IMP, JOINT_TOR}) {
    EXPECT_GE(robot->mcSetControlType(m), 0);
    EXPECT_EQ(robot->mcGetControlType(), m);
  }
  EXPECT_LT(robot->mcSetControlType(static_cast<ControlMode>(5)), 0);
  EXPECT_EQ(robot->mcGetControlType(), JOINT_TOR);

  ASSERT_GE(robot->mcSetMaxTranSpeed(1.1), 0);
  EXPECT_LT(robot->mcSetMaxTranSpeed(-1.0), 0);
  EXPECT_EQ(robot->mcGetMaxTranSpeed(), 1.1);
  ASSERT_GE(robot->mcSetMaxRotSpeed(2.2), 0);
  EXPECT_LT(robot->mcSetMaxRotSpeed(kNaN), 0);
  EXPECT_EQ(robot->mcGetMaxRotSpeed(), 2.2);

  EXPECT_GE(robot->mcSetMaxJointSpeed({1.1, 1.1, 1.1, 1.1, 1.1, 1.1}), 0);
  // Above the joint rating of the model (2.5964 rad/s for joint 1), and not positive.
  EXPECT_LT(robot->mcSetMaxJointSpeed({2.6, 1, 1, 1, 1, 1}), 0);
  EXPECT_LT(robot->mcSetMaxJointSpeed({1, 1, 1, 1, 0, 1}), 0);
}

}  // namespace

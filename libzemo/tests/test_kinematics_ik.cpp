// Inverse kinematics: closed-form round trips, the branch count against a brute-force search,
// singular postures, bounds and configuration selection, compensated refinement and the numeric
// solver for chains outside the closed-form family.
#include <gtest/gtest.h>

#include <random>

#include "kinematics/forward.h"
#include "kinematics/inverse.h"
#include "kinematics/inverse_offset_wrist.h"
#include "test_kinematics_model.h"

namespace zemo {
namespace {

using test::vireR5;

double poseDistance(const Eigen::Isometry3d& a, const Eigen::Isometry3d& b) {
  const Vector6d e = poseError(a, b);
  return std::max(e.head<3>().norm(), e.tail<3>().norm());
}

double angleDistance(const JointVector& a, const JointVector& b) {
  double worst = 0.0;
  for (int i = 0; i < kMaxDof; ++i)
    worst = std::max(worst, std::abs(std::remainder(a[i] - b[i], 2.0 * M_PI)));
  return worst;
}

IkRequest requestFor(const Eigen::Isometry3d& goal, const JointVector& q_ref) {
  IkRequest r;
  r.T_base_goal = goal;
  r.q_ref = q_ref;
  return r;
}

// Every branch reaches the pose, the joint vector that produced it is among them, and on a
// generic posture the eight branches carry eight different configurations.
// vire_r5, and a member of the family that uses every parameter the closed form allows
// (base twist and offset, shoulder length, offsets along the parallel axes, wrist length,
// parallel axes without flips, joint zero offsets).
TEST(InverseKinematics, ClosedFormRoundTripOverRandomPostures) {
  DHTable other;
  other.alpha = {0.3, M_PI / 2, 0.0, M_PI, M_PI / 2, -M_PI / 2};
  other.a = {0.1, 0.05, 0.45, 0.39, 0.02, 0};
  other.d = {0.2, 0.13, 0.04, -0.03, 0.11, 0.08};
  other.theta = {0.1, -0.2, 0.3, 0.4, -0.5, 0.6};
  ASSERT_TRUE(isOffsetWristArm(other));
  std::mt19937 rng(2024);
  for (int trial = 0; trial < 4000; ++trial) {
    RobotModel model = vireR5();
    if (trial % 2) model.dh_nominal = other;
    const JointVector q = test::randomJoints(rng);
    const Eigen::Isometry3d T = forwardFlange(model.dh_nominal, q);
    OffsetWristSolutions sol;
    solveOffsetWrist(model.dh_nominal, T, JointVector::Zero(), sol);
    ASSERT_GT(sol.count, 0) << "q = " << q.transpose();
    bool found_self = false;
    int codes = 0;
    for (int k = 0; k < sol.count; ++k) {
      ASSERT_LE(poseDistance(forwardFlange(model.dh_nominal, sol.q[k]), T), 1e-9)
          << "q = " << q.transpose() << "\nbranch " << sol.q[k].transpose();
      found_self |= angleDistance(sol.q[k], q) < 1e-7;
      codes |= 1 << armConfiguration(model.dh_nominal, sol.q[k]);
    }
    EXPECT_TRUE(found_self) << "q = " << q.transpose();
    EXPECT_EQ(sol.count, __builtin_popcount(codes))
        << "configurations not distinct, q = " << q.transpose();
  }
}

// Brute force: many seeded descents of the numeric solver collect the distinct solutions of
// a pose; the closed form must find exactly as many.
TEST(InverseKinematics, BranchCountMatchesBruteForce) {
  const RobotModel model = vireR5();
  const Eigen::Isometry3d none = Eigen::Isometry3d::Identity();
  std::mt19937 rng(99);
  for (int trial = 0; trial < 6; ++trial) {
    const JointVector q = test::randomJoints(rng);
    const Eigen::Isometry3d T = forwardFlange(model.dh_nominal, q);
    OffsetWristSolutions sol;
    solveOffsetWrist(model.dh_nominal, T, JointVector::Zero(), sol);
    std::vector<JointVector> brute;
    SeedSequence seeds(trial + 1);
    const JointBox wide{JointVector::Constant(-3 * M_PI), JointVector::Constant(3 * M_PI)};
    for (int s = 0; s < 400; ++s) {
      int budget = 200;
      JointVector qs;
      if (!solveLeastSquares(model.dh_nominal, none, T, seeds.next(JointBox{}), wide,
                             {1e-12, 1e-12}, 200, budget, qs))
        continue;
      bool known = false;
      for (const JointVector& b : brute) known |= angleDistance(b, qs) < 1e-6;
      if (!known) brute.push_back(qs);
    }
    EXPECT_EQ(static_cast<int>(brute.size()), sol.count) << "q = " << q.transpose();
  }
  // Out of reach: neither finds anything.
  Eigen::Isometry3d far = Eigen::Isometry3d::Identity();
  far.translation() << 1.5, 0.2, 0.3;
  OffsetWristSolutions sol;
  solveOffsetWrist(model.dh_nominal, far, JointVector::Zero(), sol);
  EXPECT_EQ(0, sol.count);
  IkSolutionSet set;
  EXPECT_EQ(IkStatus::kUnreachable,
            inverseKinematicsAll(model, false, requestFor(far, JointVector::Zero()), set));
}

// Singular postures: the free joint takes the reference value, so a reference at the
// singularity comes back unchanged; every returned branch still reaches the pose.
TEST(InverseKinematics, SingularPosturesReturnTheReference) {
  const RobotModel model = vireR5();
  struct Case {
    const char* name;
    JointVector q;
  };
  JointVector wrist_elbow, wrist, elbow, folded;
  wrist_elbow << 0, 8.59519e-15, -8.51691e-15, 3.03687, -8.37861e-15, 0;
  wrist << 0.3, -0.7, 1.1, 0.4, 0.0, 1.2;
  elbow << -0.5, 0.6, 0.0, -1.3, 0.8, 2.0;
  folded << 0.5, 0.2, M_PI, 0.7, -M_PI, -0.4;
  for (const Case& c : {Case{"wrist and elbow", wrist_elbow}, Case{"wrist", wrist},
                        Case{"elbow", elbow}, Case{"folded, flipped wrist", folded}}) {
    const Eigen::Isometry3d T = forwardFlange(model.dh_nominal, c.q);
    IkRequest req = requestFor(T, c.q);
    req.bounded = true;
    req.box = {JointVector::Constant(-3.3), JointVector::Constant(3.3)};
    IkSolutionSet all;
    ASSERT_EQ(IkStatus::kOk, inverseKinematicsAll(model, true, req, all)) << c.name;
    for (int k = 0; k < all.count; ++k)
      EXPECT_LE(poseDistance(forwardFlange(model.dh_nominal, all.q[k]), T), 1e-9)
          << c.name << " branch " << all.q[k].transpose();
    JointVector q;
    ASSERT_EQ(IkStatus::kOk, inverseKinematics(model, true, req, q)) << c.name;
    EXPECT_LE((q - c.q).cwiseAbs().maxCoeff(), 1e-6) << c.name << ": " << q.transpose();
  }
}

// Reference postures on the wrist and elbow singularities: the reference's own configuration
// must still be found although its sines are zero.
TEST(InverseKinematics, ConfigurationOfASingularReference) {
  const RobotModel model = vireR5();
  JointVector q_ref;
  q_ref << 0, 0, 0, 3.03687, 0, 0;
  Vector6d goal;
  goal << -0.197993, -0.3911388, 0.263248, 3.141563, 7.015e-05, 0.310528;
  IkRequest req = requestFor(poseToTransform(goal), q_ref);
  req.bounded = true;
  req.box = {JointVector::Constant(-3.054326), JointVector::Constant(3.054326)};
  req.tol = {1e-4, 1e-4};
  req.config = kIkConfigOfReference;
  JointVector q;
  ASSERT_EQ(IkStatus::kOk, inverseKinematics(model, true, req, q));
  EXPECT_EQ(armConfiguration(model.dh_nominal, q_ref), armConfiguration(model.dh_nominal, q));

  q_ref << 0, -5.55112e-17, 0, 3.03687, 2.22045e-16, 0;
  req = requestFor(forwardFlange(model.dh_nominal, q_ref), q_ref);
  req.config = kIkConfigOfReference;
  ASSERT_EQ(IkStatus::kOk, inverseKinematics(model, true, req, q));
  EXPECT_LE((q - q_ref).cwiseAbs().maxCoeff(), 1e-9) << q.transpose();
}

// Bounds are never given up for a solution outside them; whole turns are used to get inside.
TEST(InverseKinematics, BoundsAreHonoured) {
  const RobotModel model = vireR5();
  IkRequest req;
  Vector6d goal;
  goal << -0.139684, -0.747838, 0.439066, 3.05165, 0.032435, 1.80417;
  req.T_base_goal = poseToTransform(goal);
  req.q_ref << 0.12427, -0.768758, 0.511241, -0.197806, 1.548436, -0.111537;
  req.bounded = true;
  req.box.lower = req.q_ref - JointVector::Constant(M_PI / 2);
  req.box.upper = req.q_ref + JointVector::Constant(M_PI / 2);
  IkSolutionSet all;
  ASSERT_EQ(IkStatus::kOk,
            inverseKinematicsAll(model, false, requestFor(req.T_base_goal, req.q_ref), all))
      << "the pose is reachable";
  JointVector q = JointVector::Constant(5.0);
  EXPECT_EQ(IkStatus::kOutOfBounds, inverseKinematics(model, false, req, q));
  EXPECT_EQ(JointVector::Constant(5.0), q);

  // A branch just beyond pi on joint 6 is admitted one turn down when the bounds reach there.
  JointVector q_true;
  q_true << 0.4, -0.5, 1.0, 0.3, 0.9, 3.4;
  IkRequest turn = requestFor(forwardFlange(model.dh_nominal, q_true), q_true);
  turn.bounded = true;
  turn.box = {JointVector::Constant(-2 * M_PI), JointVector::Constant(2 * M_PI)};
  ASSERT_EQ(IkStatus::kOk, inverseKinematics(model, false, turn, q));
  EXPECT_LE((q - q_true).cwiseAbs().maxCoeff(), 1e-9) << q.transpose();
  turn.box.upper[5] = 3.0;
  ASSERT_EQ(IkStatus::kOk, inverseKinematicsAll(model, false, turn, all));
  for (int k = 0; k < all.count; ++k) {
    EXPECT_TRUE((all.q[k].array() >= turn.box.lower.array()).all());
    EXPECT_TRUE((all.q[k].array() <= turn.box.upper.array()).all()) << all.q[k].transpose();
  }
}

// Without bounds in the request the model's own joint limits apply.
TEST(InverseKinematics, ModelLimitsApplyWhenNoBoundsAreGiven) {
  RobotModel model = vireR5();
  JointVector q_true;
  q_true << 0.4, -0.5, 1.0, 0.3, 0.9, -1.2;
  const IkRequest req = requestFor(forwardFlange(model.dh_nominal, q_true), q_true);
  IkSolutionSet unlimited, limited;
  ASSERT_EQ(IkStatus::kOk, inverseKinematicsAll(model, false, req, unlimited));
  model.limits.upper = {3, 3, 3, 3, 3, 3};
  model.limits.lower = {-3, -3, 0.5, -3, -3, -3};
  ASSERT_EQ(IkStatus::kOk, inverseKinematicsAll(model, false, req, limited));
  EXPECT_LT(limited.count, unlimited.count);
  for (int k = 0; k < limited.count; ++k) EXPECT_GE(limited.q[k][2], 0.5);
}

TEST(InverseKinematics, ConfigurationSelection) {
  const RobotModel model = vireR5();
  const JointVector q_ref = test::referenceJoints();  // LUN
  const IkRequest base = requestFor(forwardFlange(model.dh_nominal, q_ref), q_ref);
  IkSolutionSet any;
  ASSERT_EQ(IkStatus::kOk, inverseKinematicsAll(model, false, base, any));
  ASSERT_EQ(4, any.count) << "this pose has four branches (checked by brute force)";
  int found = 0;
  for (int config = 0; config < 8; ++config) {
    IkRequest req = base;
    req.config = config;
    JointVector q;
    const IkStatus status = inverseKinematics(model, false, req, q);
    const bool exists = std::find(any.config.begin(), any.config.begin() + any.count, config) !=
                        any.config.begin() + any.count;
    ASSERT_EQ(exists ? IkStatus::kOk : IkStatus::kNoSuchConfiguration, status) << config;
    if (!exists) continue;
    ++found;
    EXPECT_EQ(config, armConfiguration(model.dh_nominal, q));
    IkSolutionSet all;
    ASSERT_EQ(IkStatus::kOk, inverseKinematicsAll(model, false, req, all));
    EXPECT_EQ(1, all.count) << "one branch per configuration at a generic posture";
  }
  EXPECT_EQ(any.count, found);
  IkRequest sub = base;
  sub.config = kIkConfigOfReference;
  JointVector q;
  ASSERT_EQ(IkStatus::kOk, inverseKinematics(model, false, sub, q));
  EXPECT_LE((q - q_ref).cwiseAbs().maxCoeff(), 1e-9);

  // The weights decide which branch is nearest: a reference with the other shoulder side's
  // joints 2-6 but this side's joint 1 selects the other side, unless only joint 1 counts.
  int other = 0;
  while (other < any.count && std::abs(any.q[other][0] - q_ref[0]) < 1.0) ++other;
  ASSERT_LT(other, any.count);
  IkRequest mixed = base;
  mixed.q_ref = any.q[other];
  mixed.q_ref[0] = q_ref[0];
  ASSERT_EQ(IkStatus::kOk, inverseKinematics(model, false, mixed, q));
  EXPECT_LE((q - any.q[other]).cwiseAbs().maxCoeff(), 1e-9) << q.transpose();
  mixed.weight << 1, 0, 0, 0, 0, 0;
  ASSERT_EQ(IkStatus::kOk, inverseKinematics(model, false, mixed, q));
  EXPECT_NEAR(q_ref[0], q[0], 1e-9) << q.transpose();

  // A configuration the pose cannot take inside the bounds.
  IkRequest none = base;
  none.config = 5;  // RUN exists (joint 1 at -2.0992), outside a window around q_ref[0]
  none.bounded = true;
  none.box = {JointVector::Constant(-3.0), JointVector::Constant(3.0)};
  none.box.upper[0] = q_ref[0] + 0.1;
  none.box.lower[0] = q_ref[0] - 0.1;
  EXPECT_EQ(IkStatus::kNoSuchConfiguration, inverseKinematics(model, false, none, q));
}

// Compensated ("real") kinematics: the closed-form branches of the nominal arm are refined
// on the compensated table, within the iteration budget.
TEST(InverseKinematics, CompensatedRefinementReachesTheRealPose) {
  RobotModel model = vireR5();
  model.dh_comp = test::calibrationCompensation();
  const DHTable real = compensated(model);
  std::mt19937 rng(17);
  for (int trial = 0; trial < 300; ++trial) {
    const JointVector q = test::randomJoints(rng);
    const Eigen::Isometry3d T = forwardFlange(real, q);
    IkRequest req = requestFor(T, q);
    req.tol = {1e-9, 1e-9};
    IkSolutionSet all;
    ASSERT_EQ(IkStatus::kOk, inverseKinematicsAll(model, true, req, all)) << q.transpose();
    for (int k = 0; k < all.count; ++k)
      ASSERT_LE(poseDistance(forwardFlange(real, all.q[k]), T), 1e-9) << q.transpose();
    // The single solution is the nearest of all, also for a reference away from the answer.
    IkRequest away = req;
    away.q_ref = q + 0.4 * test::randomJoints(rng, 1.0);
    IkSolutionSet all_away;
    JointVector single;
    ASSERT_EQ(IkStatus::kOk, inverseKinematicsAll(model, true, away, all_away));
    ASSERT_EQ(IkStatus::kOk, inverseKinematics(model, true, away, single));
    EXPECT_LE((single - all_away.q[0]).cwiseAbs().maxCoeff(), 1e-7) << "q = " << q.transpose();
    ASSERT_LE((all.q[0] - q).cwiseAbs().maxCoeff(), 1e-7)
        << "nearest is the origin posture, q = " << q.transpose() << "\nfound " << all.count
        << ", nearest " << all.q[0].transpose();
  }

  // Brute force on the compensated arm: seeded descents find no solution the refinement misses.
  for (int trial = 0; trial < 6; ++trial) {
    const JointVector q = test::randomJoints(rng);
    const Eigen::Isometry3d T = forwardFlange(real, q);
    IkSolutionSet all;
    ASSERT_EQ(IkStatus::kOk, inverseKinematicsAll(model, true, requestFor(T, q), all));
    std::vector<JointVector> brute;
    SeedSequence seeds(trial + 100);
    const JointBox wide{JointVector::Constant(-3 * M_PI), JointVector::Constant(3 * M_PI)};
    for (int s = 0; s < 400; ++s) {
      int budget = 200;
      JointVector qs;
      if (!solveLeastSquares(real, Eigen::Isometry3d::Identity(), T, seeds.next(JointBox{}), wide,
                             {1e-12, 1e-12}, 200, budget, qs))
        continue;
      bool known = false;
      for (const JointVector& b : brute) known |= angleDistance(b, qs) < 1e-6;
      if (!known) brute.push_back(qs);
    }
    EXPECT_EQ(static_cast<int>(brute.size()), all.count) << "q = " << q.transpose();
  }

  // A small change of the link lengths: the nominal target met by the compensated arm.
  RobotModel lengths = vireR5();
  lengths.dh_comp.a[2] = 0.00007175;
  lengths.dh_comp.a[3] = 0.00010688;
  JointVector q_ref;
  q_ref << -2.1016259, -0.842232995, 1.04719755, 2.165085998553, 1.396000031, -0.00272899681841;
  const Eigen::Isometry3d T_nominal = forwardFlange(lengths.dh_nominal, q_ref);
  JointVector q;
  ASSERT_EQ(IkStatus::kOk, inverseKinematics(lengths, true, requestFor(T_nominal, q_ref), q));
  EXPECT_LE(poseDistance(forwardFlange(compensated(lengths), q), T_nominal), 1e-9);
}

// With a tool, the target is the tool point.
TEST(InverseKinematics, ToolPointTarget) {
  RobotModel model = vireR5();
  Vector6d tool;
  tool << -0.021836, -0.020454, 0.0389728, 1.5708, 0, -1.5708;
  model.T_flange_tool = poseToTransform(tool);
  const JointVector q_ref = test::referenceJoints();
  const Eigen::Isometry3d T = forwardEnd(model.dh_nominal, q_ref, model.T_flange_tool);
  IkSolutionSet all;
  ASSERT_EQ(IkStatus::kOk, inverseKinematicsAll(model, false, requestFor(T, q_ref), all));
  for (int k = 0; k < all.count; ++k)
    EXPECT_LE(poseDistance(forwardEnd(model.dh_nominal, all.q[k], model.T_flange_tool), T), 1e-9);
  EXPECT_LE((all.q[0] - q_ref).cwiseAbs().maxCoeff(), 1e-9);
}

// A chain outside the family (joints 2 and 3 not parallel) goes to the numeric solver: it
// reaches reachable poses, honours bounds and gives the same answer on every run.
TEST(InverseKinematics, NumericSolverForOtherChains) {
  RobotModel model = vireR5();
  model.dh_nominal.alpha[2] = M_PI - 0.4;
  model.dh_nominal.a[4] = 0.03;
  ASSERT_FALSE(isOffsetWristArm(model.dh_nominal));
  std::mt19937 rng(5);
  int solved = 0;
  for (int trial = 0; trial < 100; ++trial) {
    const JointVector q = test::randomJoints(rng);
    const Eigen::Isometry3d T = forwardFlange(model.dh_nominal, q);
    JointVector q_ref = q + 0.3 * test::randomJoints(rng, 1.0);
    IkRequest req = requestFor(T, q_ref);
    req.tol = {1e-9, 1e-9};
    JointVector sol, again;
    if (inverseKinematics(model, false, req, sol) != IkStatus::kOk) continue;
    ++solved;
    ASSERT_LE(poseDistance(forwardFlange(model.dh_nominal, sol), T), 1e-9);
    ASSERT_EQ(IkStatus::kOk, inverseKinematics(model, false, req, again));
    ASSERT_EQ(sol, again) << "the search is deterministic";
  }
  EXPECT_GE(solved, 98);

  const JointVector q = test::referenceJoints();
  IkRequest boxed = requestFor(forwardFlange(model.dh_nominal, q), JointVector::Zero());
  boxed.bounded = true;
  boxed.box = {q - JointVector::Constant(0.05), q + JointVector::Constant(0.05)};
  IkSolutionSet all;
  ASSERT_EQ(IkStatus::kOk, inverseKinematicsAll(model, false, boxed, all));
  for (int k = 0; k < all.count; ++k) EXPECT_LE((all.q[k] - q).cwiseAbs().maxCoeff(), 0.05);
  boxed.box = {q + JointVector::Constant(0.2), q + JointVector::Constant(0.3)};
  boxed.budget = 500;
  EXPECT_NE(IkStatus::kOk, inverseKinematicsAll(model, false, boxed, all));
}

}  // namespace
}  // namespace zemo

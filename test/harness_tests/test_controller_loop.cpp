#include <memory>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "interface_stub.h"
#include "test/plan_util.h"

namespace {

using namespace ZEMO::interface;

// A planner that plays a scripted list of statuses and a robot state that echoes the reference
// as the joint command (or fails at a scripted cycle).
class ScriptedPlanner : public StubIntface {
 public:
  std::vector<int> pop_status;  // status of each fetch; the last one repeats
  int fail_command_at = -1;     // cycle whose rsCalJointCommand fails
  int fetches = 0, commands = 0;
  std::vector<CoordType> ref_spaces;
  RLJntArray last_ref{};

  unsigned int mdlGetRobotDOF() override { return 6; }
  int rsUpdateJointPVA(const RLJntArray&, const RLJntArray&, const RLJntArray&,
                       const bool&) override {
    return 0;
  }
  int tpPopTrajectoryPoint(double, TrajectoryPoint& point) override {
    const int status = pop_status[std::min<std::size_t>(fetches, pop_status.size() - 1)];
    ++fetches;
    point.point.type = JOINT;
    point.point.id = 1.0;
    point.time = 100.0 * fetches;  // must not leak into the time stamps
    point.point.joint.fill(0.01 * fetches);
    ZEMO::phase_vv[0] = fetches;
    ZEMO::phase_vv[1] = -fetches;
    return status;
  }
  int rsSetRefTraj(const CoordType& type, const RLPose&, const double* q, const double*,
                   const double*) override {
    ref_spaces.push_back(type);
    for (int i = 0; i < 6; ++i) last_ref[i] = q[i];
    return 0;
  }
  int kdSpaceTransform(const RLJntArray& q, const RLJntArray&, const RLJntArray&, RLPose& pose,
                       RLTwist&, RLTwist&) override {
    pose.fill(q[0] * 10.0);
    return 0;
  }
  int rsCalJointCommand(RLJntArray& q, RLJntArray& qd, RLJntArray& qdd,
                        const Array2d&) override {
    ++commands;
    if (commands == fail_command_at) return -65001;
    q = last_ref;
    qd.fill(0.0);
    qdd.fill(0.0);
    return 0;
  }
};

struct LoopRecord {
  std::vector<TrajectoryPoint> points;
  ZEMO::JointRows pos, vel, acc;
  std::vector<double> t;
  int ret = 0;
};

LoopRecord play(const std::shared_ptr<ScriptedPlanner>& planner) {
  LoopRecord r;
  ZEMOIntfacePtr robot = planner;
  r.ret = ZEMO::generateTrajectoryPoints(robot, RLJntArray{}, 0.005, r.points, r.pos, r.vel,
                                         r.acc, r.t);
  return r;
}

TEST(ControllerLoop, EmptyQueueOnFirstFetchStoresOneIteration) {
  auto planner = std::make_shared<ScriptedPlanner>();
  planner->pop_status = {E_PLN_EXEC_EMPTY};
  const LoopRecord r = play(planner);
  EXPECT_EQ(r.ret, 0);
  ASSERT_EQ(r.points.size(), 1u);
  ASSERT_EQ(r.t.size(), 1u);
  EXPECT_DOUBLE_EQ(r.t[0], 0.005);
  EXPECT_EQ(r.pos.size(), 1u);
}

TEST(ControllerLoop, TimeStampsReferencesAndPhaseValues) {
  auto planner = std::make_shared<ScriptedPlanner>();
  planner->pop_status = {0, -40002, 0, E_PLN_EXEC_EMPTY};  // an error status alone goes on
  const LoopRecord r = play(planner);
  ASSERT_EQ(r.points.size(), 4u);
  for (std::size_t i = 0; i < r.t.size(); ++i) {
    EXPECT_NEAR(r.t[i], 0.005 * (i + 1), 1e-15);
    EXPECT_DOUBLE_EQ(r.points[i].wrench[0], i + 1.0) << "phase_vv[0] kept with the point";
    EXPECT_DOUBLE_EQ(r.points[i].wrench[1], -(i + 1.0));
    EXPECT_DOUBLE_EQ(r.points[i].point.pose[0], 0.1 * (i + 1)) << "Cartesian fields filled";
    EXPECT_DOUBLE_EQ(r.pos[i][0], 0.01 * (i + 1)) << "the command is the next measured state";
  }
  for (CoordType c : planner->ref_spaces) EXPECT_EQ(c, CoordType::JOINT);
}

TEST(ControllerLoop, FailedCommandStopsWithoutStoringThePoint) {
  auto planner = std::make_shared<ScriptedPlanner>();
  planner->pop_status = {0};
  planner->fail_command_at = 3;
  testing::internal::CaptureStdout();
  const LoopRecord r = play(planner);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(r.ret, -65001);
  EXPECT_EQ(r.points.size(), 2u);
  EXPECT_EQ(r.t.size(), 2u);
  EXPECT_EQ(out.rfind("err pos: ", 0), 0u) << out;
}

TEST(Memcpyjoints, OnlyRowsOfSixAreCopied) {
  ZEMO::JointRows out;
  ZEMO::memcpyjoints({{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5}}, out);
  ASSERT_EQ(out.size(), 2u);
  EXPECT_DOUBLE_EQ(out[0][5], 6.0);
  for (double v : out[1]) EXPECT_DOUBLE_EQ(v, 0.0);
}

}  // namespace

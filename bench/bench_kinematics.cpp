// Kinematics kernels against KDL's recursive solvers on the same modified-DH chain: forward
// kinematics, Jacobian, all-solutions IK, single IK on a compensated arm, and the success rate
// of the IK on random reachable poses. Run: bench_kinematics --benchmark_repetitions=20
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include <kdl/chain.hpp>
#include <kdl/chainfksolverpos_recursive.hpp>
#include <kdl/chainiksolverpos_lma.hpp>
#include <kdl/chainjnttojacsolver.hpp>

#include "kinematics/forward.h"
#include "kinematics/inverse.h"
#include "kinematics/inverse_offset_wrist.h"

namespace {

using namespace zemo;

RobotModel vireR5() {
  RobotModel m;
  m.dh_nominal.alpha = {0, -M_PI / 2, M_PI, M_PI, -M_PI / 2, M_PI / 2};
  m.dh_nominal.a = {0, 0, 0.408, 0.376, 0, 0};
  m.dh_nominal.d = {0.122, 0.1215, 0, 0, 0.1025, 0.094};
  m.dh_nominal.theta = {M_PI, -M_PI / 2, 0, -M_PI / 2, 0, 0};
  return m;
}

DHTable calibration() {
  DHTable c;
  c.alpha = {0, 0.000173, -0.009247, 0.003407, -0.000162, 0.002527};
  c.a = {0, -0.00125, 0.001242, -0.000533, -0.000463, 0.000104};
  c.d = {0, 0.000084, -0.000084, 0.000084, 0.000273, -0.001966};
  c.theta = {0.001, 0.0373, -0.0127, -0.03307, -0.0218, 0.0126};
  return c;
}

// Each modified-DH link as a fixed RotX(alpha) TransX(a) segment and a joint segment
// RotZ(q) RotZ(theta) TransZ(d).
KDL::Chain kdlChain(const DHTable& dh) {
  KDL::Chain chain;
  for (int i = 0; i < kMaxDof; ++i) {
    chain.addSegment(
        KDL::Segment(KDL::Joint(KDL::Joint::None),
                     KDL::Frame(KDL::Rotation::RotX(dh.alpha[i]), KDL::Vector(dh.a[i], 0, 0))));
    chain.addSegment(
        KDL::Segment(KDL::Joint(KDL::Joint::RotZ),
                     KDL::Frame(KDL::Rotation::RotZ(dh.theta[i]), KDL::Vector(0, 0, dh.d[i]))));
  }
  return chain;
}

const std::vector<JointVector>& samples() {
  static const std::vector<JointVector> qs = [] {
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> u(-M_PI, M_PI);
    std::vector<JointVector> v(10000);
    for (JointVector& q : v)
      for (int i = 0; i < kMaxDof; ++i) q[i] = u(rng);
    return v;
  }();
  return qs;
}

KDL::JntArray toKdl(const JointVector& q) {
  KDL::JntArray a(kMaxDof);
  for (int i = 0; i < kMaxDof; ++i) a(i) = q[i];
  return a;
}

void BM_Fk(benchmark::State& state) {
  const DHTable dh = vireR5().dh_nominal;
  const auto& qs = samples();
  std::size_t k = 0;
  for (auto _ : state) {
    Eigen::Isometry3d T = forwardFlange(dh, qs[k++ % qs.size()]);
    benchmark::DoNotOptimize(T);
  }
}

void BM_Fk_KDL(benchmark::State& state) {
  const KDL::Chain chain = kdlChain(vireR5().dh_nominal);
  KDL::ChainFkSolverPos_recursive fk(chain);
  std::vector<KDL::JntArray> qs;
  for (const JointVector& q : samples()) qs.push_back(toKdl(q));
  KDL::Frame F;
  std::size_t k = 0;
  for (auto _ : state) {
    fk.JntToCart(qs[k++ % qs.size()], F);
    benchmark::DoNotOptimize(F);
  }
}

void BM_Jacobian(benchmark::State& state) {
  const DHTable dh = vireR5().dh_nominal;
  const auto& qs = samples();
  Matrix6d J;
  std::size_t k = 0;
  for (auto _ : state) {
    jacobian(dh, qs[k++ % qs.size()], Eigen::Isometry3d::Identity(), J);
    benchmark::DoNotOptimize(J);
  }
}

void BM_Jacobian_KDL(benchmark::State& state) {
  const KDL::Chain chain = kdlChain(vireR5().dh_nominal);
  KDL::ChainJntToJacSolver solver(chain);
  std::vector<KDL::JntArray> qs;
  for (const JointVector& q : samples()) qs.push_back(toKdl(q));
  KDL::Jacobian J(kMaxDof);
  std::size_t k = 0;
  for (auto _ : state) {
    solver.JntToJac(qs[k++ % qs.size()], J);
    benchmark::DoNotOptimize(J.data);
  }
}

std::vector<Eigen::Isometry3d> goals(const DHTable& dh) {
  std::vector<Eigen::Isometry3d> T;
  for (const JointVector& q : samples()) T.push_back(forwardFlange(dh, q));
  return T;
}

// All branches, verified and sorted: the library's full all-solutions path.
void BM_IkAll(benchmark::State& state) {
  const RobotModel model = vireR5();
  const auto T = goals(model.dh_nominal);
  const auto& qs = samples();
  IkSolutionSet set;
  std::size_t k = 0;
  for (auto _ : state) {
    IkRequest req;
    req.T_base_goal = T[k % T.size()];
    req.q_ref = qs[k % qs.size()];
    ++k;
    benchmark::DoNotOptimize(inverseKinematicsAll(model, false, req, set));
  }
}

// The compensated arm: closed-form branches of the nominal arm refined on the real table.
void BM_IkSingleCompensated(benchmark::State& state) {
  RobotModel model = vireR5();
  model.dh_comp = calibration();
  const auto T = goals(compensated(model));
  const auto& qs = samples();
  std::mt19937 rng(1);
  std::normal_distribution<double> n(0.0, 0.05);
  std::vector<JointVector> refs;
  for (const JointVector& q : qs)
    refs.push_back(q + JointVector::NullaryExpr([&] { return n(rng); }));
  JointVector q;
  std::size_t k = 0;
  for (auto _ : state) {
    IkRequest req;
    req.T_base_goal = T[k % T.size()];
    req.q_ref = refs[k % refs.size()];
    ++k;
    benchmark::DoNotOptimize(inverseKinematics(model, true, req, q));
  }
}

// KDL's Levenberg-Marquardt from a seed near the answer: one solution, not all of them.
void BM_IkSingle_KDL_LMA(benchmark::State& state) {
  RobotModel model = vireR5();
  model.dh_comp = calibration();
  const DHTable dh = compensated(model);
  const KDL::Chain chain = kdlChain(dh);
  KDL::ChainIkSolverPos_LMA ik(chain);
  KDL::ChainFkSolverPos_recursive fk(chain);
  std::mt19937 rng(1);
  std::normal_distribution<double> n(0.0, 0.05);
  std::vector<KDL::Frame> T;
  std::vector<KDL::JntArray> seeds;
  for (const JointVector& q : samples()) {
    KDL::Frame F;
    fk.JntToCart(toKdl(q), F);
    T.push_back(F);
    seeds.push_back(toKdl(q + JointVector::NullaryExpr([&] { return n(rng); })));
  }
  KDL::JntArray out(kMaxDof);
  std::size_t k = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ik.CartToJnt(seeds[k % seeds.size()], T[k % T.size()], out));
    ++k;
  }
}

// Success on the 10000 reachable poses: every returned branch reaches the pose to 1e-9 and the
// joint vector that produced the pose is among them (nominal), or is found (compensated).
void BM_IkSuccessRate(benchmark::State& state) {
  const bool real = state.range(0) != 0;
  RobotModel model = vireR5();
  if (real) model.dh_comp = calibration();
  const DHTable dh = kinematicTable(model, real);
  const auto& qs = samples();
  double ok = 0;
  for (auto _ : state) {
    ok = 0;
    for (const JointVector& q : qs) {
      IkRequest req;
      req.T_base_goal = forwardFlange(dh, q);
      req.q_ref = q;
      req.tol = {1e-9, 1e-9};
      IkSolutionSet set;
      if (inverseKinematicsAll(model, real, req, set) != IkStatus::kOk) continue;
      bool all_reach = true, self = false;
      for (int s = 0; s < set.count; ++s) {
        const Vector6d e = poseError(forwardFlange(dh, set.q[s]), req.T_base_goal);
        all_reach &= e.head<3>().norm() <= 1e-9 && e.tail<3>().norm() <= 1e-9;
        self |= (set.q[s] - q).cwiseAbs().maxCoeff() < 1e-7;
      }
      ok += all_reach && self;
    }
  }
  state.counters["success_pct"] = 100.0 * ok / static_cast<double>(qs.size());
}

}  // namespace

BENCHMARK(BM_Fk);
BENCHMARK(BM_Fk_KDL);
BENCHMARK(BM_Jacobian);
BENCHMARK(BM_Jacobian_KDL);
BENCHMARK(BM_IkAll);
BENCHMARK(BM_IkSingleCompensated);
BENCHMARK(BM_IkSingle_KDL_LMA);
BENCHMARK(BM_IkSuccessRate)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

// Dynamics kernels beside orocos KDL on the same vire_r5 chain (link parameters, no armature).
// Run in Release: bench_dynamics --benchmark_repetitions=20 reports median and max per kernel.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include <benchmark/benchmark.h>
#include <kdl/chain.hpp>
#include <kdl/chaindynparam.hpp>
#include <kdl/chainidsolver_recursive_newton_euler.hpp>

#include "dynamics/crba.h"
#include "dynamics/rnea.h"
#include "model/robot_model.h"

namespace {

using zemo::JointVector;

zemo::RobotModel benchModel() {
  zemo::RobotModel m;
  const double pi = M_PI;
  m.dh_nominal.alpha = {0, -pi / 2, pi, pi, -pi / 2, pi / 2};
  m.dh_nominal.a = {0, 0, 0.408, 0.376, 0, 0};
  m.dh_nominal.d = {0.122, 0.1215, 0, 0, 0.1025, 0.094};
  m.dh_nominal.theta = {pi, -pi / 2, 0, -pi / 2, 0, 0};
  const double rows[6][10] = {
      {5.05, 0, 0.01919, 0.00303, 0.0148747, 0, 0, 0.0143018, -1.1514e-05, 0.00957292},
      {11.28, 2.30112, 0, 0.221088, 0.0348333, 0, -0.045102, 0.924262, 0, 0.909428},
      {2.88, 0.777312, 0, 0.285696, 0.031641, 0, -0.0771094, 0.295638, 0, 0.266297},
      {1.62, 0, -0.161514, -0.12636, 0.028259, 0, 0, 0.0111561, -0.0125981, 0.0183029},
      {1.62, 0, -0.004536, -0.00486, 0.00232728, 0, 0, 0.00131458, -1.3608e-05, 0.0022127},
      {0.5, 0, 0, -0.0221, 0.00237077, 0, 0, 0.00237564, 0, 0.00224092}};
  for (int k = 0; k < 6; ++k) {
    const double* r = rows[k];
    m.links[k].m = r[0];
    m.links[k].mc << r[1], r[2], r[3];
    m.links[k].I_o << r[4], r[5], r[6], r[5], r[7], r[8], r[6], r[8], r[9];
  }
  return m;
}

// Each DH link as a fixed RotX(alpha) TransX(a) segment, then the joint RotZ(theta) TransZ(d)
// carrying the body (centre-of-mass form, as KDL wants it).
KDL::Chain kdlChain(const zemo::RobotModel& m) {
  KDL::Chain chain;
  for (int i = 0; i < 6; ++i) {
    chain.addSegment(KDL::Segment(KDL::Joint(KDL::Joint::Fixed),
                                  KDL::Frame(KDL::Rotation::RotX(m.dh_nominal.alpha[i]),
                                             KDL::Vector(m.dh_nominal.a[i], 0, 0))));
    const zemo::LinkInertial& l = m.links[i];
    const Eigen::Vector3d c = l.mc / l.m;
    const Eigen::Matrix3d Ic =
        l.I_o - l.m * (c.squaredNorm() * Eigen::Matrix3d::Identity() - c * c.transpose());
    const KDL::RigidBodyInertia body(
        l.m, KDL::Vector(c.x(), c.y(), c.z()),
        KDL::RotationalInertia(Ic(0, 0), Ic(1, 1), Ic(2, 2), Ic(0, 1), Ic(0, 2), Ic(1, 2)));
    chain.addSegment(KDL::Segment(KDL::Joint(KDL::Joint::RotZ),
                                  KDL::Frame(KDL::Rotation::RotZ(m.dh_nominal.theta[i]),
                                             KDL::Vector(0, 0, m.dh_nominal.d[i])),
                                  body));
  }
  return chain;
}

struct States {
  std::vector<JointVector> q, qd, qdd;
  explicit States(int n) {
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> u(-M_PI, M_PI);
    for (int k = 0; k < n; ++k) {
      JointVector a, b, c;
      for (int i = 0; i < 6; ++i) a[i] = u(rng), b[i] = u(rng), c[i] = u(rng);
      q.push_back(a), qd.push_back(b), qdd.push_back(c);
    }
  }
};

const zemo::RobotModel kModel = benchModel();
const States kStates(256);

KDL::JntArray toKdl(const JointVector& v) {
  KDL::JntArray a(6);
  for (int i = 0; i < 6; ++i) a(i) = v[i];
  return a;
}

void BM_Rnea(benchmark::State& state) {
  std::size_t k = 0;
  for (auto _ : state) {
    const std::size_t i = k++ & 255;
    JointVector tau = zemo::inverseDynamics(kModel, kStates.q[i], kStates.qd[i], kStates.qdd[i]);
    benchmark::DoNotOptimize(tau);
  }
}

void BM_KdlRnea(benchmark::State& state) {
  const KDL::Chain chain = kdlChain(kModel);
  KDL::ChainIdSolver_RNE solver(chain, KDL::Vector(0, 0, -9.81));
  std::vector<KDL::JntArray> q, qd, qdd;
  for (int i = 0; i < 256; ++i) {
    q.push_back(toKdl(kStates.q[i]));
    qd.push_back(toKdl(kStates.qd[i]));
    qdd.push_back(toKdl(kStates.qdd[i]));
  }
  KDL::Wrenches f_ext(chain.getNrOfSegments(), KDL::Wrench::Zero());
  KDL::JntArray tau(6);
  std::size_t k = 0;
  for (auto _ : state) {
    const std::size_t i = k++ & 255;
    solver.CartToJnt(q[i], qd[i], qdd[i], f_ext, tau);
    benchmark::DoNotOptimize(tau.data);
  }
}

void BM_MassMatrix(benchmark::State& state) {
  std::size_t k = 0;
  for (auto _ : state) {
    zemo::JointMatrix M = zemo::massMatrix(kModel, kStates.q[k++ & 255]);
    benchmark::DoNotOptimize(M);
  }
}

void BM_KdlMassMatrix(benchmark::State& state) {
  const KDL::Chain chain = kdlChain(kModel);
  KDL::ChainDynParam dyn(chain, KDL::Vector(0, 0, -9.81));
  std::vector<KDL::JntArray> q;
  for (int i = 0; i < 256; ++i) q.push_back(toKdl(kStates.q[i]));
  KDL::JntSpaceInertiaMatrix M(6);
  std::size_t k = 0;
  for (auto _ : state) {
    dyn.JntToMass(q[k++ & 255], M);
    benchmark::DoNotOptimize(M.data);
  }
}

double maxOf(const std::vector<double>& v) {
  return *std::max_element(v.begin(), v.end());
}

// Both libraries must compute the same quantities, or the timings compare nothing.
bool agreeWithKdl() {
  const KDL::Chain chain = kdlChain(kModel);
  KDL::ChainIdSolver_RNE rne(chain, KDL::Vector(0, 0, -9.81));
  KDL::ChainDynParam dyn(chain, KDL::Vector(0, 0, -9.81));
  KDL::Wrenches f_ext(chain.getNrOfSegments(), KDL::Wrench::Zero());
  double err = 0.0;
  for (int i = 0; i < 256; ++i) {
    KDL::JntArray tau(6);
    rne.CartToJnt(toKdl(kStates.q[i]), toKdl(kStates.qd[i]), toKdl(kStates.qdd[i]), f_ext, tau);
    err = std::max(
        err, (zemo::inverseDynamics(kModel, kStates.q[i], kStates.qd[i], kStates.qdd[i]) - tau.data)
                 .cwiseAbs()
                 .maxCoeff());
    KDL::JntSpaceInertiaMatrix M(6);
    dyn.JntToMass(toKdl(kStates.q[i]), M);
    err = std::max(err, (zemo::massMatrix(kModel, kStates.q[i]) - M.data).cwiseAbs().maxCoeff());
  }
  std::fprintf(stderr, "max |zemo - KDL| over 256 states: %.3g\n", err);
  return err < 1e-9;
}

}  // namespace

BENCHMARK(BM_Rnea)->ComputeStatistics("max", maxOf);
BENCHMARK(BM_KdlRnea)->ComputeStatistics("max", maxOf);
BENCHMARK(BM_MassMatrix)->ComputeStatistics("max", maxOf);
BENCHMARK(BM_KdlMassMatrix)->ComputeStatistics("max", maxOf);

int main(int argc, char** argv) {
  if (!agreeWithKdl()) return 1;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

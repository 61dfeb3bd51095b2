// Collision queries of the vire_r5 arm on its own collision meshes, with the description's
// disabled pairs. Target: one self-collision check of a posture (poses given) under 50 us.
// Run in Release: bench_collision --benchmark_repetitions=20 reports median and max.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "collision/collision_world.h"
#include "kinematics/forward.h"

namespace {

using zemo::JointVector;
using zemo::collision::CollisionWorld;
using zemo::collision::PairReason;

const std::vector<std::string> kLinks = {"base_Link",    "shoulder_Link", "upperArm_Link",
                                         "foreArm_Link", "wrist1_Link",   "wrist2_Link",
                                         "wrist3_Link"};

struct Arm {
  CollisionWorld world{kLinks};
  zemo::DHTable dh;
  std::vector<std::vector<Eigen::Isometry3d>> postures;  // link poses of seeded random postures
  bool ok = true;

  Arm() {
    const double pi = M_PI;
    dh.alpha = {0, -pi / 2, pi, pi, -pi / 2, pi / 2};
    dh.a = {0, 0, 0.408, 0.376, 0, 0};
    dh.d = {0.122, 0.1215, 0, 0, 0.1025, 0.094};
    dh.theta = {pi, -pi / 2, 0, -pi / 2, 0, 0};
    const std::string dir = std::string(ZEMO_DESCRIPTION_DIR) + "meshes/vire_r5/collision/";
    for (std::size_t k = 0; k < kLinks.size(); ++k) {
      zemo::collision::ShapeParams mesh;
      mesh.kind = zemo::collision::ShapeKind::Mesh;
      mesh.name = kLinks[k];
      mesh.path = dir + "link" + std::to_string(k) + ".STL";
      std::string error;
      if (world.addShape(kLinks[k], mesh, Eigen::Isometry3d::Identity(), &error) !=
          zemo::collision::GeometryStatus::Ok) {
        std::fprintf(stderr, "bench_collision: %s\n", error.c_str());
        ok = false;
      }
    }
    zemo::collision::PairMap pairs;
    for (std::size_t k = 1; k < kLinks.size(); ++k)
      pairs[{kLinks[k - 1], kLinks[k]}] = {PairReason::Adjacent, true};
    for (const char* never : {"upperArm_Link", "foreArm_Link", "wrist1_Link"})
      pairs[{kLinks[0], never}] = {PairReason::Never, true};
    pairs[{"wrist1_Link", "wrist3_Link"}] = {PairReason::Never, true};
    world.setPairMap(pairs);

    std::mt19937 rng(3);
    std::uniform_real_distribution<double> u(-M_PI, M_PI);
    for (int i = 0; i < 256; ++i) {
      JointVector q;
      for (int j = 0; j < 6; ++j) q[j] = u(rng);
      zemo::FrameArray frames;
      zemo::forwardFrames(dh, q, frames);
      postures.emplace_back(frames.begin(), frames.end());
    }
  }
};

double maxOf(const std::vector<double>& v) {
  return *std::max_element(v.begin(), v.end());
}

Arm& arm() {
  static Arm instance;
  return instance;
}

void BM_SelfCollisionCheck(benchmark::State& state) {
  Arm& a = arm();
  if (!a.ok) return state.SkipWithError("collision meshes missing");
  zemo::collision::CollisionReport report;
  std::size_t i = 0, collisions = 0;
  for (auto _ : state) {
    a.world.checkCollision(a.postures[i++ % a.postures.size()], true, false, report);
    collisions += report.collision;
    benchmark::DoNotOptimize(report);
  }
  state.counters["colliding_share"] = double(collisions) / double(state.iterations());
}
BENCHMARK(BM_SelfCollisionCheck)->Unit(benchmark::kMicrosecond)->ComputeStatistics("max", maxOf);

void BM_SelfCollisionWithKinematics(benchmark::State& state) {
  Arm& a = arm();
  if (!a.ok) return state.SkipWithError("collision meshes missing");
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> u(-M_PI, M_PI);
  JointVector q;
  for (int j = 0; j < 6; ++j) q[j] = u(rng);
  zemo::FrameArray frames;
  std::vector<Eigen::Isometry3d> T_base_link(frames.size());
  zemo::collision::CollisionReport report;
  for (auto _ : state) {
    zemo::forwardFrames(a.dh, q, frames);
    std::copy(frames.begin(), frames.end(), T_base_link.begin());
    a.world.checkCollision(T_base_link, true, false, report);
    benchmark::DoNotOptimize(report);
    q[state.iterations() % 6] += 0.01;
  }
}
BENCHMARK(BM_SelfCollisionWithKinematics)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("max", maxOf);

void BM_MinimumDistance(benchmark::State& state) {
  Arm& a = arm();
  if (!a.ok) return state.SkipWithError("collision meshes missing");
  zemo::collision::DistanceReport report;
  std::size_t i = 0;
  for (auto _ : state) {
    a.world.minimumDistance(a.postures[i++ % a.postures.size()], 2.0, true, false, report);
    benchmark::DoNotOptimize(report);
  }
}
BENCHMARK(BM_MinimumDistance)->Unit(benchmark::kMicrosecond)->ComputeStatistics("max", maxOf);

}  // namespace

BENCHMARK_MAIN();

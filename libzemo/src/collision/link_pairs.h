// Which link pairs the self-collision check can skip, found by sampling joint postures.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <Eigen/Geometry>

#include "collision/collision_world.h"

namespace zemo {
namespace collision {

// Turns a joint vector into the link poses T_base_link, one per link of the world; false on
// failure.
using LinkPoseFunction =
    std::function<bool(const std::vector<double>& q, std::vector<Eigen::Isometry3d>& T_base_link)>;

struct PairSamplingOptions {
  int num_trials = 1000;
  double always_fraction =
      0.95;  // pairs colliding in at least this share of the samples are ALWAYS
  std::uint32_t seed = 1;
  std::vector<double> lower, upper;  // [rad] joint limits, one per joint
  std::vector<double> default_q;     // [rad] default posture; empty: all zero
  std::vector<std::pair<std::string, std::string>> adjacent;  // links joined by a joint
};

struct PairSamplingStats {
  int samples = 0;                   // postures evaluated (failed pose evaluations are not counted)
  std::vector<int> collision_count;  // per pair of the result map, in map order
};

// Fills pairs with every pair of links that carry geometry: ADJACENT, DEFAULT (colliding at the
// default posture), ALWAYS, NEVER (no collision in any sample) disabled, the rest NOT_DISABLED.
// The world's own pair map is ignored and left unchanged.
GeometryStatus computeDisabledPairs(CollisionWorld& world, const LinkPoseFunction& poses,
                                    const PairSamplingOptions& options, PairMap& pairs,
                                    PairSamplingStats* stats = nullptr);

}  // namespace collision
}  // namespace zemo

#include "collision/link_pairs.h"

#include <algorithm>
#include <random>

namespace zemo {
namespace collision {

namespace {

bool isAdjacent(const PairSamplingOptions& options, const std::string& a, const std::string& b) {
  return std::any_of(options.adjacent.begin(), options.adjacent.end(), [&](const auto& p) {
    return (p.first == a && p.second == b) || (p.first == b && p.second == a);
  });
}

}  // namespace

GeometryStatus computeDisabledPairs(CollisionWorld& world, const LinkPoseFunction& poses,
                                    const PairSamplingOptions& options, PairMap& pairs,
                                    PairSamplingStats* stats) {
  pairs.clear();
  const auto& names = world.linkNames();
  const std::size_t dof = options.lower.size();
  if (options.upper.size() != dof ||
      (!options.default_q.empty() && options.default_q.size() != dof))
    return GeometryStatus::InvalidPoses;
  for (std::size_t j = 0; j < dof; ++j)
    if (!(options.lower[j] <= options.upper[j])) return GeometryStatus::InvalidPoses;

  struct Candidate {
    int a, b;
    int hits = 0;
  };
  std::vector<Candidate> open;
  for (int a = 0; a < static_cast<int>(names.size()); ++a)
    for (int b = a + 1; b < static_cast<int>(names.size()); ++b) {
      if (!world.hasGeometry(a) || !world.hasGeometry(b)) continue;
      if (isAdjacent(options, names[a], names[b]))
        pairs[{names[a], names[b]}] = {PairReason::Adjacent, true};
      else
        open.push_back({a, b});
    }

  std::vector<Eigen::Isometry3d> T_base_link;
  const std::vector<double> q0 =
      options.default_q.empty() ? std::vector<double>(dof, 0.0) : options.default_q;
  if (!poses(q0, T_base_link) || world.setLinkPoses(T_base_link) != GeometryStatus::Ok)
    return GeometryStatus::InvalidPoses;
  std::vector<Candidate> sampled;
  for (const Candidate& c : open) {
    if (world.linksCollide(c.a, c.b))
      pairs[{names[c.a], names[c.b]}] = {PairReason::Default, true};
    else
      sampled.push_back(c);
  }

  std::mt19937 rng(options.seed);
  std::vector<double> q(dof);
  int samples = 0;
  for (int trial = 0; trial < options.num_trials; ++trial) {
    for (std::size_t j = 0; j < dof; ++j)
      q[j] = std::uniform_real_distribution<double>(options.lower[j], options.upper[j])(rng);
    if (!poses(q, T_base_link) || world.setLinkPoses(T_base_link) != GeometryStatus::Ok) continue;
    ++samples;
    for (Candidate& c : sampled)
      if (world.linksCollide(c.a, c.b)) ++c.hits;
  }

  for (const Candidate& c : sampled) {
    PairState state;
    if (samples > 0 && c.hits >= options.always_fraction * samples)
      state = {PairReason::Always, true};
    else if (samples > 0 && c.hits == 0)
      state = {PairReason::Never, true};
    pairs[{names[c.a], names[c.b]}] = state;
  }
  if (stats) {
    stats->samples = samples;
    stats->collision_count.clear();
    for (const auto& entry : pairs) {
      const auto it = std::find_if(sampled.begin(), sampled.end(), [&](const Candidate& c) {
        return names[c.a] == entry.first.first && names[c.b] == entry.first.second;
      });
      stats->collision_count.push_back(it == sampled.end() ? -1 : it->hits);
    }
  }
  return samples > 0 || options.num_trials <= 0 ? GeometryStatus::Ok : GeometryStatus::InvalidPoses;
}

}  // namespace collision
}  // namespace zemo

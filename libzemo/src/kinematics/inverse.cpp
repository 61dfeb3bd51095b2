#include "kinematics/inverse.h"

#include <algorithm>
#include <cmath>

#include "kinematics/forward.h"
#include "kinematics/inverse_offset_wrist.h"

namespace zemo {

namespace {

constexpr double kRefineTolerance = 1e-12;     // [m], [rad] aim of a refinement
constexpr double kNumericDuplicateTol = 1e-6;  // [rad] numeric solutions closer are one
constexpr double kBoundSlack = 1e-12;          // [rad] a value this far outside is on the bound
constexpr int kNumericStallSeeds = 64;         // seeds without a new solution end the search
constexpr std::uint64_t kNumericSeed = 0x5EED5EEDull;
constexpr int kIkTargetCorrections = 3;     // closed-form passes per compensated branch
constexpr int kIkReferenceIterations = 15;  // descent from q_ref: it converges fast or not at all
// [rad] how far refinement on a compensated arm may move a branch in the distance ordering
constexpr double kIkSelectionSlack = 0.2;
constexpr double kIkNearSingularSin = 0.2;  // below it the single search takes every branch

double wrapAngle(double x) {
  x = std::remainder(x, 2.0 * M_PI);
  return x <= -M_PI ? x + 2.0 * M_PI : x;
}

struct Search {
  DHTable dh;
  Eigen::Isometry3d T_flange_end;
  Eigen::Isometry3d T_goal;
  bool bounded = false;
  JointBox box;
  int config = kIkConfigAny;
  int budget = 0;
  // What became of the candidates, for the status of an empty result.
  int reached = 0, in_bounds = 0;
};

bool modelHasLimits(const RobotModel& model) {
  for (int i = 0; i < kMaxDof; ++i)
    if (!(model.limits.upper[i] > model.limits.lower[i])) return false;
  return true;
}

Search makeSearch(const RobotModel& model, bool real, const IkRequest& req) {
  Search s;
  s.dh = kinematicTable(model, real);
  s.T_flange_end = model.T_flange_tool;
  s.T_goal = req.T_base_goal;
  if (req.bounded) {
    s.bounded = true;
    s.box = req.box;
  } else if (modelHasLimits(model)) {
    s.bounded = true;
    for (int i = 0; i < kMaxDof; ++i) {
      s.box.lower[i] = model.limits.lower[i];
      s.box.upper[i] = model.limits.upper[i];
    }
  }
  s.config = req.config == kIkConfigOfReference ? armConfiguration(s.dh, req.q_ref) : req.config;
  s.budget = req.budget <= 0 ? kIkDefaultBudget : std::min(req.budget, kIkMaxBudget);
  return s;
}

// Whole turns that bring each joint inside the bounds, nearest to the reference.
bool shiftTurns(JointVector& q, const JointVector& q_ref, const Search& s) {
  for (int i = 0; i < kMaxDof; ++i) {
    double best = 0.0, best_dist = INFINITY;
    for (int k = -2; k <= 2; ++k) {
      double v = q[i] + 2.0 * M_PI * k;
      if (s.bounded) {
        if (v < s.box.lower[i] - kBoundSlack || v > s.box.upper[i] + kBoundSlack) continue;
        v = std::clamp(v, s.box.lower[i], s.box.upper[i]);
      } else if (std::abs(k) > 1) {
        continue;
      }
      const double dist = std::abs(v - q_ref[i]);
      if (dist < best_dist) {
        best_dist = dist;
        best = v;
      }
    }
    if (!std::isfinite(best_dist)) return false;
    q[i] = best;
  }
  return true;
}

double weightedDistance(const JointVector& q, const IkRequest& req) {
  return (q - req.q_ref).cwiseAbs2().dot(req.weight);
}

double angleDistance(const JointVector& a, const JointVector& b) {
  double worst = 0.0;
  for (int i = 0; i < kMaxDof; ++i) worst = std::max(worst, std::abs(wrapAngle(a[i] - b[i])));
  return worst;
}

// Moves a nominal branch towards the compensated arm's solution without inverting a Jacobian:
// the compensation's effect at q, D = T_nominal(q)^-1 T_real(q), varies slowly with q, so the
// nominal closed form for the target corrected by D lands near the real solution, also close
// to singular postures where a descent from the raw branch may stall.
void correctTarget(const DHTable& nominal, const Search& s, const JointVector& q_ref, int& budget,
                   JointVector& q) {
  const Eigen::Isometry3d T_goal_flange = s.T_goal * s.T_flange_end.inverse();
  for (int it = 0; it < kIkTargetCorrections && budget > 0; ++it, --budget) {
    const Eigen::Isometry3d D = forwardFlange(nominal, q).inverse() * forwardFlange(s.dh, q);
    OffsetWristSolutions sol;
    solveOffsetWrist(nominal, T_goal_flange * D.inverse(), q_ref, sol, true);
    int best = -1;
    for (int k = 0; k < sol.count; ++k)
      if (best < 0 || angleDistance(sol.q[k], q) < angleDistance(sol.q[best], q)) best = k;
    if (best < 0) return;
    q = sol.q[best];
  }
}

// Refines (when asked), verifies, moves into the bounds and checks the configuration.
bool admit(JointVector& q, bool refine, const IkRequest& req, Search& s, int& config,
           int iterations = kIkIterationsPerSeed) {
  if (refine) {
    const JointBox wide{JointVector::Constant(-4.0 * M_PI), JointVector::Constant(4.0 * M_PI)};
    solveLeastSquares(s.dh, s.T_flange_end, s.T_goal, q, wide, {kRefineTolerance, kRefineTolerance},
                      iterations, s.budget, q);
    for (int i = 0; i < kMaxDof; ++i) q[i] = wrapAngle(q[i]);
  }
  FrameArray T;
  forwardFrames(s.dh, q, T);
  const Eigen::Isometry3d T_end = T[kMaxDof] * s.T_flange_end;
  // |R1 - R2|_F = 2 sqrt(2) sin(angle / 2): the angle without a logarithm.
  const double angle_approx = (T_end.linear() - s.T_goal.linear()).norm() / std::sqrt(2.0);
  if ((T_end.translation() - s.T_goal.translation()).norm() > req.tol.position ||
      angle_approx > req.tol.orientation)
    return false;
  ++s.reached;
  config = armConfigurationFromFrames(s.dh, q, T);  // whole turns leave it unchanged
  if (!shiftTurns(q, req.q_ref, s)) return false;
  ++s.in_bounds;
  return s.config == kIkConfigAny || config == s.config;
}

IkStatus emptyStatus(const Search& s) {
  if (s.reached == 0) return IkStatus::kUnreachable;
  if (s.in_bounds == 0) return IkStatus::kOutOfBounds;
  return IkStatus::kNoSuchConfiguration;
}

bool isNew(const JointVector& q, const IkSolutionSet& set) {
  for (int k = 0; k < set.count; ++k)
    if ((q - set.q[k]).cwiseAbs().maxCoeff() < kNumericDuplicateTol) return false;
  return true;
}

// Closed-form branches: exact on a family table, a start for refinement on a compensated one.
bool analyticBranches(const RobotModel& model, const Search& s, const IkRequest& req,
                      OffsetWristSolutions& raw, bool& refine) {
  const DHTable* base = nullptr;
  if (isOffsetWristArm(s.dh)) {
    base = &s.dh;
    refine = false;
  } else if (isOffsetWristArm(model.dh_nominal)) {
    base = &model.dh_nominal;
    refine = true;
  } else {
    return false;
  }
  solveOffsetWrist(*base, s.T_goal * s.T_flange_end.inverse(), req.q_ref, raw, refine);
  return true;
}

// Numeric search: q_ref first, then deterministic seeds; stops when `single` finds one.
void numericSearch(const IkRequest& req, Search& s, bool single, IkSolutionSet& out) {
  const JointBox seed_box = s.bounded ? s.box : JointBox{};
  const JointBox solve_box =
      s.bounded ? s.box
                : JointBox{JointVector::Constant(-4.0 * M_PI), JointVector::Constant(4.0 * M_PI)};
  const PoseTolerance aim{std::min(req.tol.position, kRefineTolerance * 100),
                          std::min(req.tol.orientation, kRefineTolerance * 100)};
  SeedSequence seeds(kNumericSeed);
  JointVector seed = req.q_ref;
  int stall = 0;
  while (s.budget > 0 && out.count < kMaxIkSolutions && stall < kNumericStallSeeds) {
    JointVector q;
    solveLeastSquares(s.dh, s.T_flange_end, s.T_goal, seed, solve_box, aim, kIkIterationsPerSeed,
                      s.budget, q);
    if (!s.bounded)
      for (int i = 0; i < kMaxDof; ++i) q[i] = wrapAngle(q[i]);
    int config = 0;
    if (admit(q, false, req, s, config) && isNew(q, out)) {
      out.q[out.count] = q;
      out.config[out.count] = config;
      ++out.count;
      stall = 0;
      if (single) return;
    } else {
      ++stall;
    }
    seed = seeds.next(seed_box);
  }
}

}  // namespace

IkStatus inverseKinematicsAll(const RobotModel& model, bool real, const IkRequest& req,
                              IkSolutionSet& out) noexcept {
  out.count = 0;
  Search s = makeSearch(model, real, req);
  OffsetWristSolutions raw;
  bool refine = false;
  if (analyticBranches(model, s, req, raw, refine)) {
    // The reference itself is the best start for the solution nearest to it; when it already
    // reaches the goal it is returned as it is, which keeps the goal's own angle branches at
    // singular postures (a closed-form branch may differ from it by rounding there).
    JointVector q = req.q_ref;
    const bool ref_reaches =
        withinTolerance(poseError(forwardEnd(s.dh, q, s.T_flange_end), s.T_goal),
                        {kRefineTolerance, kRefineTolerance});
    if (refine || ref_reaches) {
      int config = 0;
      if (admit(q, refine && !ref_reaches, req, s, config)) {
        out.q[0] = q;
        out.config[0] = config;
        out.count = 1;
      }
    }
    for (int k = 0; k < raw.count; ++k) {
      // A compensated branch is refined both as it is and from a corrected start: near a
      // singular posture either may stall or fall into a neighbouring branch, not both.
      for (int attempt = 0; attempt < (refine ? 2 : 1); ++attempt) {
        JointVector q = raw.q[k];
        if (attempt == 1) correctTarget(model.dh_nominal, s, req.q_ref, s.budget, q);
        int config = 0;
        if (admit(q, refine, req, s, config) && isNew(q, out) && out.count < kMaxIkSolutions) {
          out.q[out.count] = q;
          out.config[out.count] = config;
          ++out.count;
        }
      }
    }
  }
  // A compensation can move a target across a singular boundary of the nominal arm, where no
  // nominal branch leads to it: search numerically then.
  if (out.count == 0 && !isOffsetWristArm(s.dh)) numericSearch(req, s, false, out);
  if (out.count == 0) return emptyStatus(s);
  // Nearest first: a short insertion sort over at most 16 entries.
  for (int i = 1; i < out.count; ++i)
    for (int j = i; j > 0 && weightedDistance(out.q[j], req) < weightedDistance(out.q[j - 1], req);
         --j) {
      std::swap(out.q[j], out.q[j - 1]);
      std::swap(out.config[j], out.config[j - 1]);
    }
  return IkStatus::kOk;
}

namespace {

// Single solution on a compensated arm: the reference and then the nominal branches in order of
// distance are refined, until the next branch is farther than the best solution by more than a
// refinement can move it. False when nothing was found or a branch is close to a singular
// posture (the full search decides then).
bool nearestCompensated(const RobotModel& model, const IkRequest& req, Search& s,
                        JointVector& q_out) {
  OffsetWristSolutions raw;
  solveOffsetWrist(model.dh_nominal, s.T_goal * s.T_flange_end.inverse(), req.q_ref, raw, true);
  // Close to an elbow or wrist singularity refinement moves branches too far for the ordering.
  for (int k = 0; k < raw.count; ++k)
    if (std::abs(std::sin(model.dh_nominal.theta[2] + raw.q[k][2])) < kIkNearSingularSin ||
        std::abs(std::sin(model.dh_nominal.theta[4] + raw.q[k][4])) < kIkNearSingularSin)
      return false;
  std::array<std::pair<double, int>, kOffsetWristBranches> order;
  Search unbounded = s;
  unbounded.bounded = false;
  for (int k = 0; k < raw.count; ++k) {
    JointVector q = raw.q[k];
    shiftTurns(q, req.q_ref, unbounded);
    order[k] = {weightedDistance(q, req), k};
  }
  for (int i = 1; i < raw.count; ++i)
    for (int j = i; j > 0 && order[j].first < order[j - 1].first; --j)
      std::swap(order[j], order[j - 1]);
  double best = INFINITY;
  JointVector q = req.q_ref;
  int config = 0;
  if (admit(q, true, req, s, config, kIkReferenceIterations)) {
    best = weightedDistance(q, req);
    q_out = q;
  }
  for (int n = 0; n < raw.count; ++n) {
    if (std::isfinite(best) &&
        std::sqrt(order[n].first) >
            std::sqrt(best) + kIkSelectionSlack * std::sqrt(req.weight.maxCoeff()))
      break;
    for (int attempt = 0; attempt < 2; ++attempt) {
      q = raw.q[order[n].second];
      if (attempt == 1) correctTarget(model.dh_nominal, s, req.q_ref, s.budget, q);
      if (!admit(q, true, req, s, config)) continue;
      // Both starts are kept: near a singular posture they may reach two close solutions.
      const double d = weightedDistance(q, req);
      if (d < best) {
        best = d;
        q_out = q;
      }
    }
  }
  return std::isfinite(best);
}

}  // namespace

IkStatus inverseKinematics(const RobotModel& model, bool real, const IkRequest& req,
                           JointVector& q_out) noexcept {
  const DHTable dh = kinematicTable(model, real);
  if (!isOffsetWristArm(dh) && isOffsetWristArm(model.dh_nominal)) {
    Search s = makeSearch(model, real, req);
    if (nearestCompensated(model, req, s, q_out)) return IkStatus::kOk;
  }
  IkSolutionSet found;
  IkStatus status = IkStatus::kOk;
  if (isOffsetWristArm(model.dh_nominal) || isOffsetWristArm(dh)) {
    status = inverseKinematicsAll(model, real, req, found);  // at most eight branches: take all
  } else {
    Search s = makeSearch(model, real, req);
    numericSearch(req, s, true, found);
    if (found.count == 0) status = emptyStatus(s);
  }
  if (status == IkStatus::kOk) q_out = found.q[0];
  return status;
}

}  // namespace zemo

// Kinematics and frame transforms: interface records converted once, inputs validated here,
// the kernels of kinematics/ doing the work. Operations without a real_fk flag describe the
// real (compensated) arm; the end point is the tool point (the flange while no tool is set).
#include <cmath>
#include <string>

#include "kinematics/forward.h"
#include "kinematics/frames.h"
#include "kinematics/inverse.h"
#include "runtime/convert.h"
#include "runtime/zemo_library.h"

namespace zemo {
namespace runtime {
namespace {

template <std::size_t N>
bool allFinite(const std::array<double, N>& a) {
  for (double v : a)
    if (!std::isfinite(v)) return false;
  return true;
}

template <typename Container>
std::string listValues(const Container& a) {
  std::string s;
  for (std::size_t i = 0; i < a.size(); ++i) s += (i ? ", " : "") + std::to_string(a[i]);
  return s;
}

bool finiteInertia(const RLInertia& in) {
  return std::isfinite(in.mass) && allFinite(in.center) && allFinite(in.inertia);
}

bool allFiniteVector(const std::vector<double>& v) {
  for (double x : v)
    if (!std::isfinite(x)) return false;
  return true;
}

void jacobianRows(const Matrix6d& J, double* jac) {
  Eigen::Map<Eigen::Matrix<double, 6, 6, Eigen::RowMajor>> rows(jac);
  rows = J;
}

}  // namespace

int ZemoLibrary::kdCalForwardPosition(const RLJntArray& q, bool real_fk, bool end_in_base,
                                      RLPose& T_out) {
  if (const int ret = requireModel("kdCalForwardPosition")) return ret;
  if (!allFinite(q)) {
    logError("kdCalForwardPosition", "q not finite: " + listValues(q));
    return E_DIM_ERROR;
  }
  // end_in_base false: the flange itself, the frame the tool and sensor calibrations work in.
  const Eigen::Isometry3d T_flange_end =
      end_in_base ? model_.T_flange_tool : Eigen::Isometry3d::Identity();
  T_out = fromTransform(forwardEnd(kinematicTable(model_, real_fk), toJoints(q), T_flange_end));
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::kdCalForwardPositions(const RLJntArray& q, bool real_fk,
                                       std::vector<RLPose>& T_out, std::vector<RLPose>& T_add) {
  if (const int ret = requireModel("kdCalForwardPositions")) return ret;
  if (!allFinite(q)) {
    logError("kdCalForwardPositions", "q not finite: " + listValues(q));
    return E_DIM_ERROR;
  }
  FrameArray T;
  forwardFrames(kinematicTable(model_, real_fk), toJoints(q), T);
  T_out.resize(kMaxDof + 1);
  for (int k = 0; k <= kMaxDof; ++k) T_out[k] = fromTransform(T[k]);  // [0] the base itself
  T_add.assign(1, fromTransform(T[kMaxDof] * model_.T_flange_tool));  // the tool point
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::kdCalForwardVelocity(const RLJntArray& q, const RLJntArray& qd, RLTwist& v) {
  if (const int ret = requireModel("kdCalForwardVelocity")) return ret;
  if (!allFinite(q) || !allFinite(qd)) {
    logError("kdCalForwardVelocity",
             "q or qd not finite: q " + listValues(q) + "; qd " + listValues(qd));
    return E_DIM_ERROR;
  }
  Matrix6d J;
  jacobian(compensated(model_), toJoints(q), model_.T_flange_tool, J);
  v = fromVector6(J * toJoints(qd));
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::kdCalForwardVelocities(const RLJntArray& q, const RLJntArray& qd,
                                        std::vector<RLTwist>& v) {
  if (const int ret = requireModel("kdCalForwardVelocities")) return ret;
  if (!allFinite(q) || !allFinite(qd)) {
    logError("kdCalForwardVelocities",
             "q or qd not finite: q " + listValues(q) + "; qd " + listValues(qd));
    return E_DIM_ERROR;
  }
  TwistArray tw;
  frameMotions(compensated(model_), toJoints(q), toJoints(qd), JointVector::Zero(),
               model_.T_flange_tool, tw, nullptr);
  v.resize(kMaxDof + 1);
  for (int k = 0; k <= kMaxDof; ++k) v[k] = fromVector6(tw[k]);
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::kdSpaceTransform(const RLJntArray& q, const RLJntArray& qd, const RLJntArray& qdd,
                                  RLPose& T_out, RLTwist& v, RLTwist& a) {
  if (const int ret = requireModel("kdSpaceTransform")) return ret;
  if (!allFinite(q) || !allFinite(qd) || !allFinite(qdd)) {
    logError("kdSpaceTransform", "q, qd or qdd not finite: q " + listValues(q) + "; qd " +
                                     listValues(qd) + "; qdd " + listValues(qdd));
    return E_DIM_ERROR;
  }
  const DHTable dh = compensated(model_);
  TwistArray tw, acc;
  frameMotions(dh, toJoints(q), toJoints(qd), toJoints(qdd), model_.T_flange_tool, tw, &acc);
  T_out = fromTransform(forwardEnd(dh, toJoints(q), model_.T_flange_tool));
  v = fromVector6(tw[kMaxDof]);
  a = fromVector6(acc[kMaxDof]);
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::kdCalInverseVelocity(const RLJntArray& q, const RLTwist& v, RLJntArray& qd) {
  if (const int ret = requireModel("kdCalInverseVelocity")) return ret;
  if (!allFinite(q) || !allFinite(v)) {
    logError("kdCalInverseVelocity",
             "q or v not finite: q " + listValues(q) + "; v " + listValues(v));
    return E_DIM_ERROR;
  }
  JointVector qd_out;
  if (!inverseVelocity(compensated(model_), toJoints(q), model_.T_flange_tool, toVector6(v),
                       qd_out)) {
    logError("kdCalInverseVelocity", "the Jacobian is singular at q " + listValues(q));
    return ZEMO::E_ERR_ERROR;
  }
  qd = fromJoints(qd_out);
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::kdCalInverseAcceleration(const RLJntArray& q, const RLTwist& v, const RLTwist& a,
                                          RLJntArray& qd, RLJntArray& qdd) {
  if (const int ret = requireModel("kdCalInverseAcceleration")) return ret;
  if (!allFinite(q) || !allFinite(v) || !allFinite(a)) {
    logError("kdCalInverseAcceleration", "q, v or a not finite: q " + listValues(q) + "; v " +
                                             listValues(v) + "; a " + listValues(a));
    return E_DIM_ERROR;
  }
  JointVector qd_out, qdd_out;
  if (!inverseAcceleration(compensated(model_), toJoints(q), model_.T_flange_tool, toVector6(v),
                           toVector6(a), qd_out, qdd_out)) {
    logError("kdCalInverseAcceleration", "the Jacobian is singular at q " + listValues(q));
    return ZEMO::E_ERR_ERROR;
  }
  qd = fromJoints(qd_out);
  qdd = fromJoints(qdd_out);
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::kdCalJacobian(const RLJntArray& q, bool in_base, double* jac) {
  if (const int ret = requireModel("kdCalJacobian")) return ret;
  if (jac == nullptr || !allFinite(q)) {
    logError("kdCalJacobian", jac ? "q not finite: " + listValues(q) : "no output array");
    return E_DIM_ERROR;
  }
  const DHTable dh = compensated(model_);
  Matrix6d J;
  jacobian(dh, toJoints(q), model_.T_flange_tool, J);
  if (!in_base) {
    // Both halves expressed in the end point's own frame.
    const Eigen::Matrix3d Rt =
        forwardEnd(dh, toJoints(q), model_.T_flange_tool).linear().transpose();
    J.topRows<3>() = Rt * J.topRows<3>();
    J.bottomRows<3>() = Rt * J.bottomRows<3>();
  }
  jacobianRows(J, jac);
  return E_MODEL_NO_ERROR;
}

double ZemoLibrary::kdCalJacobianDeterminant(const RLJntArray& q, bool) {
  if (requireModel("kdCalJacobianDeterminant") != 0) return 0.0;
  if (!allFinite(q)) {
    logError("kdCalJacobianDeterminant", "q not finite: " + listValues(q));
    return 0.0;
  }
  // A rotation of both halves leaves the determinant unchanged: one value for both frames.
  Matrix6d J;
  jacobian(compensated(model_), toJoints(q), model_.T_flange_tool, J);
  return J.determinant();
}

RobotConfiguration ZemoLibrary::kdGetRobotConfiguration(const RLJntArray& q) {
  if (requireModel("kdGetRobotConfiguration") != 0) return NONE;
  if (!allFinite(q)) {
    logError("kdGetRobotConfiguration", "q not finite: " + listValues(q));
    return NONE;
  }
  return static_cast<RobotConfiguration>(armConfiguration(compensated(model_), toJoints(q)));
}

namespace {

// IKConfigInfo -> IkRequest; an empty string on success, else what is wrong.
std::string toIkRequest(const IKConfigInfo& in, const RobotModel& model, IkRequest& req) {
  if (!allFinite(in.goal)) return "goal not finite: " + listValues(in.goal);
  if (!allFinite(in.q_ref)) return "q_ref not finite: " + listValues(in.q_ref);
  for (const auto* bound : {&in.upper_bound, &in.lower_bound}) {
    if (!bound->empty() && bound->size() != static_cast<std::size_t>(kMaxDof))
      return std::string(bound == &in.upper_bound ? "upper_bound" : "lower_bound") +
             " needs 6 values, got " + std::to_string(bound->size());
    if (!allFiniteVector(*bound))
      return std::string(bound == &in.upper_bound ? "upper_bound" : "lower_bound") +
             " not finite: " + listValues(*bound);
  }
  if (!in.weight_js.empty()) {
    if (in.weight_js.size() != static_cast<std::size_t>(kMaxDof))
      return "weight_js needs 6 values, got " + std::to_string(in.weight_js.size());
    for (double w : in.weight_js)
      if (!(w >= 0.0) || !std::isfinite(w))
        return "weight_js must be >= 0: " + listValues(in.weight_js);
  }
  if (!(in.sol_tolerance[0] > 0.0) || !(in.sol_tolerance[1] > 0.0) || !allFinite(in.sol_tolerance))
    return "sol_tolerance must be > 0: " + listValues(in.sol_tolerance);
  if (!(in.timeout >= 1.0))
    return "timeout (iterations) must be >= 1: " + std::to_string(in.timeout);
  if (in.config < NONE || in.config > Subspace)
    return "config must be -1..8, got " + std::to_string(static_cast<int>(in.config));

  req.T_base_goal = toTransform(in.goal);
  req.q_ref = toJoints(in.q_ref);
  // One side given: the other is the model's limit, or two turns when the model has none.
  const bool has_upper = !in.upper_bound.empty(), has_lower = !in.lower_bound.empty();
  req.bounded = has_upper || has_lower;
  for (int i = 0; req.bounded && i < kMaxDof; ++i) {
    const bool model_limits = model.limits.upper[i] > model.limits.lower[i];
    req.box.upper[i] =
        has_upper ? in.upper_bound[i] : (model_limits ? model.limits.upper[i] : 2.0 * M_PI);
    req.box.lower[i] =
        has_lower ? in.lower_bound[i] : (model_limits ? model.limits.lower[i] : -2.0 * M_PI);
    if (req.box.lower[i] > req.box.upper[i])
      return "joint " + std::to_string(i + 1) + ": lower bound " +
             std::to_string(req.box.lower[i]) + " above upper bound " +
             std::to_string(req.box.upper[i]);
  }
  if (!in.weight_js.empty()) req.weight = Eigen::Map<const JointVector>(in.weight_js.data());
  req.tol = {in.sol_tolerance[0], in.sol_tolerance[1]};
  req.config = static_cast<int>(in.config);
  req.budget = static_cast<int>(std::min(in.timeout, static_cast<double>(kIkMaxBudget)));
  return {};
}

const char* ikFailure(IkStatus status) {
  switch (status) {
    case IkStatus::kUnreachable:
      return "the goal is out of reach";
    case IkStatus::kOutOfBounds:
      return "no solution within the joint bounds";
    case IkStatus::kNoSuchConfiguration:
      return "no solution of the requested configuration within the bounds";
    default:
      return "";
  }
}

}  // namespace

int ZemoLibrary::kdCalInversePosition(const IKConfigInfo& config, const bool& real_ik,
                                      RLJntArray& joint_res) {
  if (const int ret = requireModel("kdCalInversePosition")) return ret;
  IkRequest req;
  const std::string error = toIkRequest(config, model_, req);
  if (!error.empty()) {
    logError("kdCalInversePosition", error);
    return E_DIM_ERROR;
  }
  JointVector q;
  const IkStatus status = inverseKinematics(model_, real_ik, req, q);
  if (status != IkStatus::kOk) {
    logError("kdCalInversePosition",
             std::string(ikFailure(status)) + ", goal " + listValues(config.goal));
    return ZEMO::E_ERR_ERROR;
  }
  joint_res = fromJoints(q);
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::kdCalInversePositionAll(const IKConfigInfo& config, bool real_ik,
                                         std::vector<RLJntArray>& joint_res) {
  if (const int ret = requireModel("kdCalInversePositionAll")) return ret;
  joint_res.clear();
  IkRequest req;
  const std::string error = toIkRequest(config, model_, req);
  if (!error.empty()) {
    logError("kdCalInversePositionAll", error);
    return E_DIM_ERROR;
  }
  IkSolutionSet set;
  const IkStatus status = inverseKinematicsAll(model_, real_ik, req, set);
  if (status != IkStatus::kOk) {
    logError("kdCalInversePositionAll",
             std::string(ikFailure(status)) + ", goal " + listValues(config.goal));
    return ZEMO::E_ERR_ERROR;
  }
  for (int k = 0; k < set.count; ++k) joint_res.push_back(fromJoints(set.q[k]));
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::kdTransformOrientation(const OriDescription& from, const OriDescription& to,
                                        const double* in, double* out) {
  if (in == nullptr || out == nullptr) {
    logError("kdTransformOrientation", "no input or output array");
    return E_DIM_ERROR;
  }
  const int n_in = orientationLength(from);
  if (n_in == 0 || orientationLength(to) == 0) {
    logError("kdTransformOrientation", "unknown representation: from " +
                                           std::to_string(static_cast<int>(from)) + ", to " +
                                           std::to_string(static_cast<int>(to)));
    return E_DIM_ERROR;
  }
  if (!convertOrientation(from, to, in, out)) {
    logError("kdTransformOrientation",
             "input is no rotation: " + listValues(std::vector<double>(in, in + n_in)));
    return E_DIM_ERROR;
  }
  return E_MODEL_NO_ERROR;
}

RLPose ZemoLibrary::kdChangeReferenceFrame(const RLPose& F_b_a, const RLPose& F_c_b) {
  if (!allFinite(F_b_a) || !allFinite(F_c_b)) {
    logError("kdChangeReferenceFrame",
             "pose not finite: F_b_a " + listValues(F_b_a) + "; F_c_b " + listValues(F_c_b));
    return {};
  }
  return fromVector6(changeReferenceFrame(toVector6(F_b_a), toVector6(F_c_b)));
}

RLInertia ZemoLibrary::kdChangeReferenceFrameInertia(const RLInertia& body_a_a,
                                                     const RLPose& F_b_a) {
  if (!finiteInertia(body_a_a) || !allFinite(F_b_a)) {
    logError("kdChangeReferenceFrameInertia",
             "inertia or pose not finite, pose " + listValues(F_b_a));
    return {};
  }
  // The result keeps the input's form; an origin form is then about the origin of b.
  return fromBody(changeBodyFrame(toBody(body_a_a), toTransform(F_b_a)), body_a_a.mhi);
}

RLPose ZemoLibrary::kdInverseFrame(const RLPose& F_b_a) {
  if (!allFinite(F_b_a)) {
    logError("kdInverseFrame", "pose not finite: " + listValues(F_b_a));
    return {};
  }
  return fromVector6(inverseFrame(toVector6(F_b_a)));
}

RLPose ZemoLibrary::kdCalDifferPose(const RLPose& F_a_b1, const RLPose& F_a_b2) {
  if (!allFinite(F_a_b1) || !allFinite(F_a_b2)) {
    logError("kdCalDifferPose",
             "pose not finite: " + listValues(F_a_b1) + "; " + listValues(F_a_b2));
    return {};
  }
  return fromVector6(differPose(toVector6(F_a_b1), toVector6(F_a_b2)));
}

RLWrench ZemoLibrary::kdChangeWrenchBase(const RLWrench& ft_in_a, const RLPose& F_b_a) {
  if (!allFinite(ft_in_a) || !allFinite(F_b_a)) {
    logError("kdChangeWrenchBase",
             "wrench or pose not finite: " + listValues(ft_in_a) + "; " + listValues(F_b_a));
    return {};
  }
  return fromVector6(changeWrenchBase(toVector6(ft_in_a), toTransform(F_b_a)));
}

Array3d ZemoLibrary::kdChangeVectorBase(const Array3d& V_in_a, const RLPose& F_b_a) {
  if (!allFinite(V_in_a) || !allFinite(F_b_a)) {
    logError("kdChangeVectorBase",
             "vector or pose not finite: " + listValues(V_in_a) + "; " + listValues(F_b_a));
    return {};
  }
  return fromVector3(toTransform(F_b_a).linear() * toVector3(V_in_a));
}

RLInertia ZemoLibrary::kdAddInertia(const RLInertia& body_a, const RLInertia& body_b) {
  if (!finiteInertia(body_a) || !finiteInertia(body_b)) {
    logError("kdAddInertia", "inertia not finite, masses " + std::to_string(body_a.mass) + ", " +
                                 std::to_string(body_b.mass));
    return {};
  }
  // Two origin forms give an origin form about the same origin, otherwise the centre form.
  return fromBody(combineBodies(toBody(body_a), toBody(body_b)), body_a.mhi && body_b.mhi);
}

RLInertia ZemoLibrary::kdInertiaTransform(const RLInertia& body) {
  if (!finiteInertia(body)) {
    logError("kdInertiaTransform", "inertia not finite, mass " + std::to_string(body.mass));
    return {};
  }
  return fromBody(toBody(body), false);
}

RLWrench ZemoLibrary::kdChangeWrenchFrame(const RLWrench& ft_in_a, const RLPose& F_b_a) {
  if (!allFinite(ft_in_a) || !allFinite(F_b_a)) {
    logError("kdChangeWrenchFrame",
             "wrench or pose not finite: " + listValues(ft_in_a) + "; " + listValues(F_b_a));
    return {};
  }
  return fromVector6(changeWrenchFrame(toVector6(ft_in_a), toTransform(F_b_a)));
}

int ZemoLibrary::kdTransferReferenceFrame(const RLPose& F_b_a_old, const Array3d& V_in_a,
                                          const int& type, RLPose& F_b_a_new) {
  if (!allFinite(F_b_a_old) || !allFinite(V_in_a)) {
    logError("kdTransferReferenceFrame",
             "pose or vector not finite: " + listValues(F_b_a_old) + "; " + listValues(V_in_a));
    return E_DIM_ERROR;
  }
  if (type != 1 && type != 2) {
    logError("kdTransferReferenceFrame", "type must be 1 or 2, got " + std::to_string(type));
    return E_DIM_ERROR;
  }
  Vector6d out;
  if (!transferReferenceFrame(toVector6(F_b_a_old), toVector3(V_in_a), type, out)) {
    logError("kdTransferReferenceFrame", "the vector defines no new axis for type " +
                                             std::to_string(type) + ": " + listValues(V_in_a));
    return E_DIM_ERROR;
  }
  F_b_a_new = fromVector6(out);
  return E_MODEL_NO_ERROR;
}

RLPose ZemoLibrary::kdAddDeltaPose(const RLPose& F_w_a, const RLTwist& da_w) {
  if (!allFinite(F_w_a) || !allFinite(da_w)) {
    logError("kdAddDeltaPose",
             "pose or increment not finite: " + listValues(F_w_a) + "; " + listValues(da_w));
    return {};
  }
  return fromVector6(addDeltaPose(toVector6(F_w_a), toVector6(da_w)));
}

Array3d ZemoLibrary::kdAddDeltaOri(const Array3d& R_w_a, const Array3d& ra_w, const double& dt) {
  if (!allFinite(R_w_a) || !allFinite(ra_w) || !std::isfinite(dt)) {
    logError("kdAddDeltaOri", "orientation, rate or dt not finite: " + listValues(R_w_a) + "; " +
                                  listValues(ra_w) + "; dt " + std::to_string(dt));
    return {};
  }
  return fromVector3(addDeltaOri(toVector3(R_w_a), toVector3(ra_w), dt));
}

}  // namespace runtime
}  // namespace zemo

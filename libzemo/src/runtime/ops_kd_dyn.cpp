// Dynamics, friction and the tool-point wrench: interface records converted once, inputs
// validated here, the kernels of dynamics/ doing the work on the compensated arm.
#include <cmath>
#include <string>

#include "dynamics/crba.h"
#include "dynamics/forward_dynamics.h"
#include "dynamics/friction.h"
#include "dynamics/rnea.h"
#include "dynamics/tcp_wrench.h"
#include "runtime/convert.h"
#include "runtime/zemo_library.h"

namespace zemo {
namespace runtime {
namespace {

bool allFinite(const RLJntArray& a) {
  for (double v : a)
    if (!std::isfinite(v)) return false;
  return true;
}

std::string listValues(const RLJntArray& a) {
  std::string s;
  for (std::size_t i = 0; i < a.size(); ++i) s += (i ? ", " : "") + std::to_string(a[i]);
  return s;
}

// Joint entries beyond the arm's joints are ignored and reported as zero.
JointVector toArmJoints(const RLJntArray& a, int dof) {
  JointVector v = toJoints(a);
  v.tail(kMaxDof - dof).setZero();
  return v;
}

// Checks the joint arrays and ft_ext and fills W; returns the reason of a refusal, empty if none.
// Empty ft_ext: no external wrench; otherwise one per link frame and the end, dof + 1 entries.
std::string dynamicsInputs(int dof, std::initializer_list<const RLJntArray*> joints,
                           const std::vector<RLWrench>& ft_ext, ExternalWrenches& W) {
  for (const RLJntArray* a : joints)
    if (!allFinite(*a)) return "joint values not finite: " + listValues(*a);
  W.setZero();
  if (ft_ext.empty()) return {};
  if (ft_ext.size() != static_cast<std::size_t>(dof) + 1) {
    return "ft_ext needs " + std::to_string(dof + 1) +
           " wrenches (one per link frame, then the end) or none, got " +
           std::to_string(ft_ext.size());
  }
  for (std::size_t k = 0; k < ft_ext.size(); ++k) {
    if (!allFinite(ft_ext[k]))
      return "ft_ext[" + std::to_string(k) + "] not finite: " + listValues(ft_ext[k]);
    W.col(k) = toVector6(ft_ext[k]);
  }
  return {};
}

}  // namespace

RLWrench ZemoLibrary::kdCalTcpWrenchFromEndSensor(const RLWrench& ft_sensor, const RLJntArray& q,
                                                  const RLJntArray& qd, const RLJntArray& qdd) {
  const char* op = "kdCalTcpWrenchFromEndSensor";
  if (requireModel(op)) return {};
  ExternalWrenches unused;
  if (const std::string bad = dynamicsInputs(model_.dof, {&ft_sensor, &q, &qd, &qdd}, {}, unused);
      !bad.empty()) {
    logError(op, bad);
    return {};
  }
  // The payload's weight is removed quasi-statically; qd and qdd only pass validation.
  return fromVector6(tcpWrenchFromEndSensor(model_, toArmJoints(q, model_.dof),
                                            toVector6(ft_sensor), model_.T_flange_sensor));
}

int ZemoLibrary::kdCalInertiaMatrix(const RLJntArray& q, DoubleVecVec& M) {
  const char* op = "kdCalInertiaMatrix";
  if (const int ret = requireModel(op)) return ret;
  ExternalWrenches unused;
  if (const std::string bad = dynamicsInputs(model_.dof, {&q}, {}, unused); !bad.empty()) {
    logError(op, bad);
    return E_DIM_ERROR;
  }
  const JointMatrix Mq = massMatrix(model_, toArmJoints(q, model_.dof));
  M.assign(model_.dof, std::vector<double>(model_.dof));
  for (int i = 0; i < model_.dof; ++i)
    for (int j = 0; j < model_.dof; ++j) M[i][j] = Mq(i, j);
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::kdCalInverseDynamics(const RLJntArray& q, const RLJntArray& qd,
                                      const RLJntArray& qdd, const std::vector<RLWrench>& ft_ext,
                                      RLJntArray& torque) {
  const char* op = "kdCalInverseDynamics";
  if (const int ret = requireModel(op)) return ret;
  ExternalWrenches W;
  if (const std::string bad = dynamicsInputs(model_.dof, {&q, &qd, &qdd}, ft_ext, W);
      !bad.empty()) {
    logError(op, bad);
    return E_DIM_ERROR;
  }
  const int n = model_.dof;
  torque = fromJoints(inverseDynamics(model_, toArmJoints(q, n), toArmJoints(qd, n),
                                      toArmJoints(qdd, n), ft_ext.empty() ? nullptr : &W));
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::kdCalForwardDynamics(const RLJntArray& q, const RLJntArray& qd,
                                      const RLJntArray& torque, const std::vector<RLWrench>& ft_ext,
                                      RLJntArray& qdd) {
  const char* op = "kdCalForwardDynamics";
  if (const int ret = requireModel(op)) return ret;
  ExternalWrenches W;
  if (const std::string bad = dynamicsInputs(model_.dof, {&q, &qd, &torque}, ft_ext, W);
      !bad.empty()) {
    logError(op, bad);
    return E_DIM_ERROR;
  }
  const int n = model_.dof;
  JointVector out;
  if (!forwardDynamics(model_, toArmJoints(q, n), toArmJoints(qd, n), toArmJoints(torque, n),
                       ft_ext.empty() ? nullptr : &W, out)) {
    logError(op, "the joint-space inertia matrix is not positive definite at q = " + listValues(q) +
                     "; check the link dynamic parameters");
    return E_ERR_ERROR;
  }
  qdd = fromJoints(out);
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::kdCalCoriolisTorque(const RLJntArray& q, const RLJntArray& qd, RLJntArray& C) {
  const char* op = "kdCalCoriolisTorque";
  if (const int ret = requireModel(op)) return ret;
  ExternalWrenches unused;
  if (const std::string bad = dynamicsInputs(model_.dof, {&q, &qd}, {}, unused); !bad.empty()) {
    logError(op, bad);
    return E_DIM_ERROR;
  }
  C = fromJoints(coriolisTorque(model_, toArmJoints(q, model_.dof), toArmJoints(qd, model_.dof)));
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::kdCalGravityTorque(const RLJntArray& q, RLJntArray& G) {
  const char* op = "kdCalGravityTorque";
  if (const int ret = requireModel(op)) return ret;
  ExternalWrenches unused;
  if (const std::string bad = dynamicsInputs(model_.dof, {&q}, {}, unused); !bad.empty()) {
    logError(op, bad);
    return E_DIM_ERROR;
  }
  G = fromJoints(gravityTorque(model_, toArmJoints(q, model_.dof)));
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::kdCalFriction(const RLJntArray& q, const RLJntArray& qd,
                               const RLJntArray& temperature, const RLJntArray& load,
                               RLJntArray& friction) {
  const char* op = "kdCalFriction";
  if (const int ret = requireModel(op)) return ret;
  ExternalWrenches unused;
  if (const std::string bad =
          dynamicsInputs(model_.dof, {&q, &qd, &temperature, &load}, {}, unused);
      !bad.empty()) {
    logError(op, bad);
    return E_DIM_ERROR;
  }
  RLJntArray out{};
  for (std::size_t i = 0; i < model_.friction.size() && i < out.size(); ++i) {
    if (temperature[i] <= -273.15) {
      logError(op, "joint " + std::to_string(i + 1) +
                       " temperature below absolute zero: " + std::to_string(temperature[i]));
      return E_DIM_ERROR;
    }
    JointFriction law;
    std::string error;
    // The setter validated the settings already; a failure here means the model was altered.
    if (!makeJointFriction(model_.friction[i].type, model_.friction[i].para, law, error)) {
      logError(op, "joint " + std::to_string(i + 1) + ": " + error);
      return E_URDF_FRICTION_COEFF_INVALID_PARA;
    }
    out[i] = frictionTorque(law, qd[i], temperature[i], load[i]);
  }
  friction = out;
  return E_MODEL_NO_ERROR;
}

}  // namespace runtime
}  // namespace zemo

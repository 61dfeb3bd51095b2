// Model parameters: read back what was set, validated once here at the boundary.
#include <cmath>
#include <string>

#include "dynamics/dynamic_parameters.h"
#include "dynamics/friction.h"
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

template <std::size_t N>
std::string listValues(const std::array<double, N>& a) {
  std::string s;
  for (std::size_t i = 0; i < N; ++i) s += (i ? ", " : "") + std::to_string(a[i]);
  return s;
}

DHPara toDHPara(const DHTable& t) {
  DHPara p;
  p.modified = true;
  p.alpha = t.alpha;
  p.a = t.a;
  p.d = t.d;
  p.theta = t.theta;
  p.beta = t.beta;
  return p;
}

bool finiteInertia(const RLInertia& in) {
  return std::isfinite(in.mass) && allFinite(in.center) && allFinite(in.inertia);
}

}  // namespace

int ZemoLibrary::linkIndex(const std::string& link_name) const {
  for (std::size_t k = 1; k < model_.link_names.size() && k <= kMaxDof; ++k)
    if (model_.link_names[k] == link_name) return static_cast<int>(k) - 1;
  return -1;
}

const std::string& ZemoLibrary::mdlGetRobotName() { return model_.name; }

unsigned int ZemoLibrary::mdlGetRobotDOF() {
  return loaded_ ? static_cast<unsigned int>(model_.dof) : 0u;
}

int ZemoLibrary::mdlSetGravityVectorInbase(const Array3d& gravity) {
  if (const int ret = requireModel("mdlSetGravityVectorInbase")) return ret;
  if (!allFinite(gravity)) {
    logError("mdlSetGravityVectorInbase", "gravity is not finite: " + listValues(gravity));
    return E_DIM_ERROR;
  }
  model_.gravity = toVector3(gravity);
  return E_MODEL_NO_ERROR;
}

Array3d ZemoLibrary::mdlGetGravityVectorInbase() { return fromVector3(model_.gravity); }

DHPara ZemoLibrary::mdlGetRobotDHPara(bool compensated) {
  return toDHPara(compensated ? zemo::compensated(model_) : model_.dh_nominal);
}

int ZemoLibrary::mdlSetRobotDHPara(const DHPara& compensation) {
  if (const int ret = requireModel("mdlSetRobotDHPara")) return ret;
  if (!allFinite(compensation.alpha) || !allFinite(compensation.a) || !allFinite(compensation.d) ||
      !allFinite(compensation.theta) || !allFinite(compensation.beta)) {
    logError("mdlSetRobotDHPara", "the DH compensation holds a value that is not finite");
    return E_DH_ERROR_UPDATE_FAILED;
  }
  model_.dh_comp.alpha = compensation.alpha;
  model_.dh_comp.a = compensation.a;
  model_.dh_comp.d = compensation.d;
  model_.dh_comp.theta = compensation.theta;
  model_.dh_comp.beta = compensation.beta;
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::mdlSetJointRotorInertia(const RLJntArray& inertia) {
  if (const int ret = requireModel("mdlSetJointRotorInertia")) return ret;
  for (double v : inertia)
    if (!std::isfinite(v) || v < 0.0) {
      logError("mdlSetJointRotorInertia", "rotor inertia must be finite and >= 0: " +
                                              listValues(inertia));
      return E_URDF_INVALID_JOINT_INERTIA;
    }
  model_.rotor_inertia = inertia;
  return E_MODEL_NO_ERROR;
}

RLJntArray ZemoLibrary::mdlGetJointRotorInertia() { return model_.rotor_inertia; }

int ZemoLibrary::mdlSetSegmentPara(const std::string& link_name, const RLInertia& inertia) {
  if (const int ret = requireModel("mdlSetSegmentPara")) return ret;
  const int k = linkIndex(link_name);
  if (k < 0) {
    logError("mdlSetSegmentPara", "no moving link named '" + link_name + "'");
    return E_INVALID_LINK_NAME;
  }
  if (!finiteInertia(inertia) || inertia.mass < 0.0) {
    logError("mdlSetSegmentPara", "link '" + link_name + "': mass must be >= 0 and all finite");
    return E_URDF_INERTIA_INVALID_PARA;
  }
  const BodyInertial body = toBody(inertia);
  LinkInertial& link = model_.links[k];
  link.m = body.m;
  link.mc = body.m * body.c;
  link.I_o = inertiaCentreToOrigin(body.m, body.c, body.I_c);
  segment_origin_form_[k] = inertia.mhi;
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::mdlGetSegmentPara(const std::string& link_name, RLInertia& inertia) {
  if (const int ret = requireModel("mdlGetSegmentPara")) return ret;
  const int k = linkIndex(link_name);
  if (k < 0) {
    logError("mdlGetSegmentPara", "no moving link named '" + link_name + "'");
    return E_INVALID_LINK_NAME;
  }
  const LinkInertial& link = model_.links[k];
  BodyInertial body;
  body.m = link.m;
  body.c = link.m > 0.0 ? Eigen::Vector3d(link.mc / link.m) : Eigen::Vector3d::Zero();
  body.I_c = inertiaOriginToCentre(body.m, body.c, link.I_o);
  inertia = fromBody(body, segment_origin_form_[k]);
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::mdlSetDynamicPara(const std::vector<double>& para) {
  if (const int ret = requireModel("mdlSetDynamicPara")) return ret;
  std::vector<double> form0;
  std::string error;
  if (!dynamicParametersToForm0(para, form0, error)) {
    logError("mdlSetDynamicPara", error);
    return E_DIM_ERROR;
  }
  model_.links = linksFromForm0(form0);
  return E_MODEL_NO_ERROR;
}

std::vector<double> ZemoLibrary::mdlGetDynamicPara() {
  if (!loaded_) return {};
  return form0FromLinks(model_.links);
}

int ZemoLibrary::mdlSetJointStartStopTorque(const RLJntArray& torque) {
  if (const int ret = requireModel("mdlSetJointStartStopTorque")) return ret;
  for (double v : torque)
    if (!std::isfinite(v) || v < 0.0) {
      logError("mdlSetJointStartStopTorque",
               "start/stop torque must be finite and >= 0: " + listValues(torque));
      return E_URDF_INVALID_JOINT_START_STOP;
    }
  model_.start_stop_torque = torque;
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::mdlGetJointStartStopTorque(RLJntArray& torque) {
  if (const int ret = requireModel("mdlGetJointStartStopTorque")) return ret;
  torque = model_.start_stop_torque;
  return E_MODEL_NO_ERROR;
}

RLJntArray ZemoLibrary::mdlGetJointMaximumVelocity() { return model_.limits.velocity; }

int ZemoLibrary::mdlSetJointModuleConstant(const RLJntArray& constant) {
  if (const int ret = requireModel("mdlSetJointModuleConstant")) return ret;
  if (!allFinite(constant)) {
    logError("mdlSetJointModuleConstant", "not finite: " + listValues(constant));
    return E_URDF_INVALID_JOINT_MOTOR_CONSTANT;
  }
  model_.joint_module_constant = constant;
  return E_MODEL_NO_ERROR;
}

RLJntArray ZemoLibrary::mdlGetJointModuleConstant() { return model_.joint_module_constant; }

int ZemoLibrary::mdlSetJointPositionRange(const RLJntArray& upper, const RLJntArray& lower) {
  if (const int ret = requireModel("mdlSetJointPositionRange")) return ret;
  for (int i = 0; i < kMaxDof; ++i)
    if (!std::isfinite(upper[i]) || !std::isfinite(lower[i]) || lower[i] > upper[i]) {
      logError("mdlSetJointPositionRange", "joint " + std::to_string(i + 1) + ": lower " +
                                               std::to_string(lower[i]) + " above upper " +
                                               std::to_string(upper[i]) + " or not finite");
      return E_URDF_INVALID_JOINT_LIMIT;
    }
  model_.limits.upper = upper;
  model_.limits.lower = lower;
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::mdlGetJointPositionRange(RLJntArray& upper, RLJntArray& lower) {
  if (const int ret = requireModel("mdlGetJointPositionRange")) return ret;
  upper = model_.limits.upper;
  lower = model_.limits.lower;
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::mdlGetJointMaximumAverageTorque(RLJntArray& torque) {
  if (const int ret = requireModel("mdlGetJointMaximumAverageTorque")) return ret;
  torque = model_.limits.max_avg_torque;
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::mdlSetWorkpieceMode(int mode) {
  if (const int ret = requireModel("mdlSetWorkpieceMode")) return ret;
  if (mode != 0 && mode != 1) {
    logError("mdlSetWorkpieceMode", "mode must be 0 (tool) or 1 (workpiece), got " +
                                        std::to_string(mode));
    return E_MDL_TOOL_WORKPIECE_DISMATCH;
  }
  model_.workpiece_mode = mode;
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::mdlSetWorkpiecePose(const RLPose& F_feature_in_base) {
  if (const int ret = requireModel("mdlSetWorkpiecePose")) return ret;
  if (!allFinite(F_feature_in_base)) {
    logError("mdlSetWorkpiecePose", "not finite: " + listValues(F_feature_in_base));
    return E_DIM_ERROR;
  }
  model_.T_base_workpiece = toTransform(F_feature_in_base);
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::mdlSetToolPose(const RLPose& T_flange_tool) {
  if (const int ret = requireModel("mdlSetToolPose")) return ret;
  if (!allFinite(T_flange_tool)) {
    logError("mdlSetToolPose", "not finite: " + listValues(T_flange_tool));
    return E_DIM_ERROR;
  }
  model_.T_flange_tool = toTransform(T_flange_tool);
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::mdlGetToolPose(RLPose& T_flange_tool) {
  if (const int ret = requireModel("mdlGetToolPose")) return ret;
  T_flange_tool = fromTransform(model_.T_flange_tool);
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::mdlSetEndSensorPose(const RLPose& T_flange_sensor) {
  if (const int ret = requireModel("mdlSetEndSensorPose")) return ret;
  if (!allFinite(T_flange_sensor)) {
    logError("mdlSetEndSensorPose", "not finite: " + listValues(T_flange_sensor));
    return E_DIM_ERROR;
  }
  model_.T_flange_sensor = toTransform(T_flange_sensor);
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::mdlSetToolInertia(const RLInertia& inertia) {
  if (const int ret = requireModel("mdlSetToolInertia")) return ret;
  if (!finiteInertia(inertia) || inertia.mass < 0.0) {
    logError("mdlSetToolInertia", "mass must be >= 0 and every value finite, mass " +
                                      std::to_string(inertia.mass));
    return E_URDF_INERTIA_INVALID_PARA;
  }
  model_.tool = toBody(inertia);
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::mdlSetEndSensorInertia(const RLInertia& inertia) {
  if (const int ret = requireModel("mdlSetEndSensorInertia")) return ret;
  if (!finiteInertia(inertia) || inertia.mass < 0.0) {
    logError("mdlSetEndSensorInertia", "mass must be >= 0 and every value finite, mass " +
                                           std::to_string(inertia.mass));
    return E_URDF_INERTIA_INVALID_PARA;
  }
  model_.sensor = toBody(inertia);
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::mdlSetFrictionPara(const std::vector<FrictionParam>& para) {
  if (const int ret = requireModel("mdlSetFrictionPara")) return ret;
  if (para.size() != static_cast<std::size_t>(model_.dof)) {
    logError("mdlSetFrictionPara", "one friction model per joint expected, got " +
                                       std::to_string(para.size()));
    return E_DIM_ERROR;
  }
  std::vector<FrictionSetting> friction;
  for (std::size_t i = 0; i < para.size(); ++i) {
    JointFriction checked;
    std::string error;
    if (!makeJointFriction(static_cast<int>(para[i].type), para[i].para, checked, error)) {
      logError("mdlSetFrictionPara", "joint " + std::to_string(i + 1) + ": " + error);
      return E_URDF_FRICTION_COEFF_INVALID_PARA;
    }
    friction.push_back({static_cast<int>(para[i].type), para[i].para});
  }
  model_.friction = std::move(friction);
  return E_MODEL_NO_ERROR;
}

}  // namespace runtime
}  // namespace zemo

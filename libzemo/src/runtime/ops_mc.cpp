#include <cmath>
#include <sstream>
#include <string>

#include "runtime/zemo_library.h"

namespace zemo {
namespace runtime {

namespace {

// E_NO_ERROR for a finite, strictly positive value; else the reason naming it.
int checkPositive(const char* name, double v, std::string& why) {
  if (std::isfinite(v) && v > 0.0) return E_NO_ERROR;
  std::ostringstream s;
  s << name << " = " << v << " must be finite and > 0";
  why = s.str();
  return E_ERR_ERROR;
}

}  // namespace

int ZemoLibrary::mcSetControlPeriod(double period) {
  std::string why;
  const int ret = checkPositive("period", period, why);
  if (ret < 0) {
    logError("mcSetControlPeriod", why);
    return ret;
  }
  control_.mc.period = period;
  return E_NO_ERROR;
}

const double& ZemoLibrary::mcGetControlPeriod() {
  return control_.mc.period;
}

int ZemoLibrary::mcSetControlType(const ControlMode& mode) {
  switch (mode) {
    case POS:
    case ADM:
    case IMP:
    case JOINT_TOR:
      control_.mc.type = mode;
      return E_NO_ERROR;
  }
  logError("mcSetControlType", "mode " + std::to_string(static_cast<int>(mode)) +
                                   " is not POS (0), ADM (10), IMP (20) or JOINT_TOR (30)");
  return E_ERR_ERROR;
}

ControlMode ZemoLibrary::mcGetControlType() {
  return control_.mc.type;
}

int ZemoLibrary::mcSetMaxJointSpeed(const RLJntArray& speed) {
  const int n = loaded_ ? model_.dof : kMaxDof;
  for (int i = 0; i < n; ++i) {
    std::string why;
    if (checkPositive(("speed[" + std::to_string(i) + "]").c_str(), speed[i], why) < 0) {
      logError("mcSetMaxJointSpeed", why);
      return E_ERR_ERROR;
    }
    // A limit above the joint's own rating would let commands exceed what the drive allows.
    const double rated = model_.limits.velocity[i];
    if (loaded_ && rated > 0.0 && speed[i] > rated) {
      std::ostringstream s;
      s << "speed[" << i << "] = " << speed[i] << " exceeds the joint's limit " << rated;
      logError("mcSetMaxJointSpeed", s.str());
      return E_ERR_ERROR;
    }
  }
  control_.mc.max_joint_speed = speed;
  return E_NO_ERROR;
}

int ZemoLibrary::mcSetMaxTranSpeed(const double& speed) {
  std::string why;
  const int ret = checkPositive("speed", speed, why);
  if (ret < 0) {
    logError("mcSetMaxTranSpeed", why);
    return ret;
  }
  control_.mc.max_tran_speed = speed;
  return E_NO_ERROR;
}

const double& ZemoLibrary::mcGetMaxTranSpeed() {
  return control_.mc.max_tran_speed;
}

int ZemoLibrary::mcSetMaxRotSpeed(const double& speed) {
  std::string why;
  const int ret = checkPositive("speed", speed, why);
  if (ret < 0) {
    logError("mcSetMaxRotSpeed", why);
    return ret;
  }
  control_.mc.max_rot_speed = speed;
  return E_NO_ERROR;
}

const double& ZemoLibrary::mcGetMaxRotSpeed() {
  return control_.mc.max_rot_speed;
}

}  // namespace runtime
}  // namespace zemo

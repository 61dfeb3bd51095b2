#include "runtime/zemo_library.h"

#include <cmath>
#include <mutex>
#include <sstream>
#include <string>

#include "runtime/convert.h"
#include "state/robot_state.h"

namespace zemo {
namespace runtime {
namespace {

// Empty when all n values are finite (and not negative if asked); else what is wrong.
std::string checkValues(const char* name, const double* v, int n, bool non_negative = false) {
  for (int i = 0; i < n; ++i) {
    if (std::isfinite(v[i]) && !(non_negative && v[i] < 0.0)) continue;
    std::ostringstream s;
    s << name << "[" << i << "] = " << v[i]
      << (std::isfinite(v[i]) ? " must not be negative" : " is not finite");
    return s.str();
  }
  return {};
}

}  // namespace

int ZemoLibrary::rsInitialRobotState() {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("rsInitialRobotState")) return ret;
  resetState(state_);
  return E_STA_NO_ERROR;
}

int ZemoLibrary::rsUpdateJointPVA(const RLJntArray& q, const RLJntArray& qd, const RLJntArray& qdd,
                                  const bool& flag) {
  const char* op = "rsUpdateJointPVA";
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel(op)) return ret;
  std::string why = checkValues("q", q.data(), kMaxDof);
  if (!why.empty()) {
    logError(op, why);
    return E_ERR_ERROR;
  }
  if (flag) {
    setJointPosition(state_, toJoints(q), control_.mc.period);
    return E_STA_NO_ERROR;
  }
  why = checkValues("qd", qd.data(), kMaxDof);
  if (!why.empty()) {
    logError(op, why);
    return E_STA_INVALID_VELOCITY_FEEDBACK;
  }
  why = checkValues("qdd", qdd.data(), kMaxDof);
  if (!why.empty()) {
    logError(op, why);
    return E_STA_INVALID_ACCELERATION_FEEDBACK;
  }
  setJointMotion(state_, toJoints(q), toJoints(qd), toJoints(qdd));
  return E_STA_NO_ERROR;
}

int ZemoLibrary::rsUpdateJointCT(const RLJntArray& current, const RLJntArray& temperature,
                                 const RLJntArray& friction) {
  const char* op = "rsUpdateJointCT";
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel(op)) return ret;
  std::string why = checkValues("current", current.data(), kMaxDof);
  if (why.empty()) why = checkValues("temperature", temperature.data(), kMaxDof);
  if (why.empty()) why = checkValues("friction", friction.data(), kMaxDof);
  if (!why.empty()) {
    logError(op, why);
    return E_ERR_ERROR;
  }
  state_.torque = toJoints(current);
  state_.temperature = toJoints(temperature);
  state_.friction = toJoints(friction);
  return E_STA_NO_ERROR;
}

int ZemoLibrary::rsUpdateFTSensorData(const FTSensorType& sensor, const double* data) {
  const char* op = "rsUpdateFTSensorData";
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel(op)) return ret;
  const int site = static_cast<int>(sensor);
  if (site < 0 || site >= kSensorSites) {
    logError(op, "sensor = " + std::to_string(site) + " is no sensor type (END, BASE, JOINT)");
    return E_ERR_ERROR;
  }
  const std::string why = data ? checkValues("data", data, 6) : "data is a null pointer";
  if (!why.empty()) {
    logError(op, why);
    return E_ERR_ERROR;
  }
  SensorReading& reading = state_.sensor[site];
  reading.values = Eigen::Map<const Vector6d>(data);
  reading.valid = true;
  return E_STA_NO_ERROR;
}

int ZemoLibrary::rsSetExternalForceEstimationGain(const RLJntArray& gain) {
  const char* op = "rsSetExternalForceEstimationGain";
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel(op)) return ret;
  // Zero switches a joint's estimate off; a negative gain would make the observer diverge.
  const std::string why = checkValues("gain", gain.data(), kMaxDof, true);
  if (!why.empty()) {
    logError(op, why);
    return E_ERR_ERROR;
  }
  state_.observer_gain = toJoints(gain);
  return E_STA_NO_ERROR;
}

RLWrench ZemoLibrary::rsGetTCPWrench() {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (requireModel("rsGetTCPWrench")) return {};
  return fromVector6(tcpWrench(model_, state_));
}

int ZemoLibrary::rsSetRefTraj(const CoordType&, const RLPose&, const double*, const double*,
                              const double*) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("rsSetRefTraj")) return ret;
  return notBuilt("rsSetRefTraj");
}

int ZemoLibrary::rsSetGoalForce(const CoordType&, const RLPose&, const RLWrench&) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("rsSetGoalForce")) return ret;
  return notBuilt("rsSetGoalForce");
}

int ZemoLibrary::rsCalJointCommand(RLJntArray&, RLJntArray&, RLJntArray&, const Array2d&) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("rsCalJointCommand")) return ret;
  return notBuilt("rsCalJointCommand");
}

int ZemoLibrary::rsDetectRobotCollision(const RLJntArray&, JointCollisionResult&) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("rsDetectRobotCollision")) return ret;
  return notBuilt("rsDetectRobotCollision");
}

RLJntArray ZemoLibrary::rsGetExternalForceEstimate() {
  std::lock_guard<std::mutex> lock(state_mutex_);
  notBuilt("rsGetExternalForceEstimate");
  return {};
}

}  // namespace runtime
}  // namespace zemo

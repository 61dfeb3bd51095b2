#include "runtime/zemo_library.h"

#include <mutex>

namespace zemo {
namespace runtime {

int ZemoLibrary::rsInitialRobotState() {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("rsInitialRobotState")) return ret;
  return notBuilt("rsInitialRobotState");
}

int ZemoLibrary::rsUpdateJointPVA(const RLJntArray&, const RLJntArray&, const RLJntArray&,
                                  const bool&) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("rsUpdateJointPVA")) return ret;
  return notBuilt("rsUpdateJointPVA");
}

int ZemoLibrary::rsUpdateJointCT(const RLJntArray&, const RLJntArray&, const RLJntArray&) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("rsUpdateJointCT")) return ret;
  return notBuilt("rsUpdateJointCT");
}

int ZemoLibrary::rsUpdateFTSensorData(const FTSensorType&, const double*) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("rsUpdateFTSensorData")) return ret;
  return notBuilt("rsUpdateFTSensorData");
}

int ZemoLibrary::rsSetExternalForceEstimationGain(const RLJntArray&) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("rsSetExternalForceEstimationGain")) return ret;
  return notBuilt("rsSetExternalForceEstimationGain");
}

RLWrench ZemoLibrary::rsGetTCPWrench() {
  std::lock_guard<std::mutex> lock(state_mutex_);
  notBuilt("rsGetTCPWrench");
  return {};
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

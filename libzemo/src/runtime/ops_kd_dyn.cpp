#include "runtime/zemo_library.h"

namespace zemo {
namespace runtime {

RLWrench ZemoLibrary::kdCalTcpWrenchFromEndSensor(const RLWrench&, const RLJntArray&,
                                                  const RLJntArray&, const RLJntArray&) {
  notBuilt("kdCalTcpWrenchFromEndSensor");
  return {};
}

int ZemoLibrary::kdCalInertiaMatrix(const RLJntArray&, DoubleVecVec&) {
  if (const int ret = requireModel("kdCalInertiaMatrix")) return ret;
  return notBuilt("kdCalInertiaMatrix");
}

int ZemoLibrary::kdCalInverseDynamics(const RLJntArray&, const RLJntArray&, const RLJntArray&,
                                      const std::vector<RLWrench>&, RLJntArray&) {
  if (const int ret = requireModel("kdCalInverseDynamics")) return ret;
  return notBuilt("kdCalInverseDynamics");
}

int ZemoLibrary::kdCalForwardDynamics(const RLJntArray&, const RLJntArray&, const RLJntArray&,
                                      const std::vector<RLWrench>&, RLJntArray&) {
  if (const int ret = requireModel("kdCalForwardDynamics")) return ret;
  return notBuilt("kdCalForwardDynamics");
}

int ZemoLibrary::kdCalCoriolisTorque(const RLJntArray&, const RLJntArray&, RLJntArray&) {
  if (const int ret = requireModel("kdCalCoriolisTorque")) return ret;
  return notBuilt("kdCalCoriolisTorque");
}

int ZemoLibrary::kdCalGravityTorque(const RLJntArray&, RLJntArray&) {
  if (const int ret = requireModel("kdCalGravityTorque")) return ret;
  return notBuilt("kdCalGravityTorque");
}

int ZemoLibrary::kdCalFriction(const RLJntArray&, const RLJntArray&, const RLJntArray&,
                               const RLJntArray&, RLJntArray&) {
  if (const int ret = requireModel("kdCalFriction")) return ret;
  return notBuilt("kdCalFriction");
}

}  // namespace runtime
}  // namespace zemo

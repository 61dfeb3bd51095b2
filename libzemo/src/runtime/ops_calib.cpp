#include "runtime/zemo_library.h"

namespace zemo {
namespace runtime {

int ZemoLibrary::calibUserFrameInBase(const CoordCalibMethod&, const std::vector<RLPose>&,
                                      RLPose&) {
  return notBuilt("calibUserFrameInBase");
}

int ZemoLibrary::calibToolPosInFlange(const std::vector<RLPose>&, Array3d&, double&) {
  return notBuilt("calibToolPosInFlange");
}

int ZemoLibrary::calibToolOriInFlange(const CoordCalibMethod&, const std::vector<RLPose>&,
                                      Array3d&) {
  return notBuilt("calibToolOriInFlange");
}

int ZemoLibrary::calibToolWithFTSensor(const std::vector<RLPose>&, const std::vector<RLWrench>&,
                                       FtSensorCalibResult&) {
  if (const int ret = requireModel("calibToolWithFTSensor")) return ret;
  return notBuilt("calibToolWithFTSensor");
}

int ZemoLibrary::calibGenerateExciteTraj(const CalibConfig&, DoubleVecVec&, DoubleVec&) {
  if (const int ret = requireModel("calibGenerateExciteTraj")) return ret;
  return notBuilt("calibGenerateExciteTraj");
}

int ZemoLibrary::calibDynamicParameter(const CalibConfig&, const DoubleVecVec&,
                                       std::vector<double>&) {
  if (const int ret = requireModel("calibDynamicParameter")) return ret;
  return notBuilt("calibDynamicParameter");
}

int ZemoLibrary::calibRobotKinematicParameter(const RobotKinCalibPara&,
                                              const std::vector<RobotKinCalibDualInput>&,
                                              RobotKinCalibPara&, std::vector<DataFeature>&) {
  if (const int ret = requireModel("calibRobotKinematicParameter")) return ret;
  return notBuilt("calibRobotKinematicParameter");
}

}  // namespace runtime
}  // namespace zemo

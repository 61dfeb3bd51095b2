#include "robot_feat_pack.h"

#include <string>

#include "runtime/zemo_library.h"
#include "zemo_utility.h"

namespace ZEMO {
namespace pack {
namespace {

// Reports through the instance's logger, or at error level when the pointer holds no instance
// of this library.
int notBuilt(const ZEMOIntfacePtr& robot, const char* function) {
  if (auto* library = dynamic_cast<zemo::runtime::ZemoLibrary*>(robot.get()))
    return zemo::runtime::reportNotBuilt(library->logger(), function);
  Logger log;
  log.setLogLevel(static_cast<unsigned int>(LogLevel::Error));
  return zemo::runtime::reportNotBuilt(log, function);
}

}  // namespace

int FPFreeDriveEnable(const ZEMOIntfacePtr& robot, const FreeDriveEnable&) {
  return notBuilt(robot, "FPFreeDriveEnable");
}

int FPFreeDrive(const ZEMOIntfacePtr& robot, const FreeDrive&, RobotCommand&) {
  return notBuilt(robot, "FPFreeDrive");
}

int FPCurvedFit(const ZEMOIntfacePtr& robot, CurvedFit&, std::array<double, 6>&,
                std::array<double, 6>&) {
  return notBuilt(robot, "FPCurvedFit");
}

int FPAssembleEnable(const ZEMOIntfacePtr& robot, const AssembleStatus&, const FCcontrollerParam&) {
  return notBuilt(robot, "FPAssembleEnable");
}

int FPAssembleCmdOut(const ZEMOIntfacePtr& robot, const AssemblyStateParams&,
                     const AssemblyCraftParams&, std::array<double, 6>&, std::array<double, 6>&,
                     bool&, bool&, std::array<double, 6>&) {
  return notBuilt(robot, "FPAssembleCmdOut");
}

}  // namespace pack
}  // namespace ZEMO

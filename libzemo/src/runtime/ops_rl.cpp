#include "runtime/zemo_library.h"

#include <cstdio>
#include <memory>
#include <mutex>
#include <sstream>
#include <utility>

#include "runtime/error_text.h"
#include "runtime/model_loader.h"

namespace zemo {
namespace runtime {
namespace {

// Modules of the reference library, each versioned with the library.
constexpr const char* kModules[] = {"model",    "kinematics",  "dynamics", "collision",
                                    "utility",  "calibration", "control",  "state",
                                    "planning", "runtime"};

int versionNumber() {
  int major = 0, minor = 0, patch = 0;
  std::sscanf(ZEMO_VERSION, "%d.%d.%d", &major, &minor, &patch);
  return major * 10000 + minor * 100 + patch;
}

}  // namespace

const double kZeroValues[6] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
const int kZeroFlags[6] = {0, 0, 0, 0, 0, 0};

ZemoLibrary::ZemoLibrary() {
  logger_.setLogLevel(static_cast<unsigned int>(log_level_));
}

ZemoLibrary::~ZemoLibrary() = default;

void ZemoLibrary::logError(const char* op, const std::string& message) {
  logger_.error() << message;
  logger_.end(op, ZEMO::GetSourceFilename(__FILE__), __LINE__);
}

int reportNotBuilt(ZEMO::Logger& log, const char* op) {
  log.error() << op << " is not built yet";
  log.end(op, ZEMO::GetSourceFilename(__FILE__), __LINE__);
  return ZEMO::E_FUNC_NOT_IMPL;
}

int ZemoLibrary::notBuilt(const char* op) {
  return reportNotBuilt(logger_, op);
}

int ZemoLibrary::requireModel(const char* op) {
  if (loaded_) return ZEMO::E_NO_ERROR;
  logError(op, std::string(op) + ": no robot model is loaded");
  return ZEMO::E_LIBRARY_INITIAL_FAILED;
}

void ZemoLibrary::installModel(RobotModel&& model) {
  model_ = std::move(model);
  segment_origin_form_ = {};
  resetState(state_);
  collision_ready_ = false;
  loaded_ = true;
}

int ZemoLibrary::rlInitialRobot(const std::string& robot_name, const std::string& description_dir) {
  RobotModel model;
  std::string error;
  const int ret = loadRobotModel(robot_name, description_dir, model, error);
  if (ret < 0) {
    logError("rlInitialRobot",
             "robot '" + robot_name + "' from '" + description_dir + "': " + error);
    return ret;
  }
  std::lock_guard<std::mutex> lock(state_mutex_);
  installModel(std::move(model));
  return ret;
}

int ZemoLibrary::rlInitialRobotFromString(const std::string& urdf, const std::string& srdf) {
  RobotModel model;
  std::string error;
  const int ret = loadRobotModelFromString(urdf, srdf, model, error);
  if (ret < 0) {
    logError("rlInitialRobotFromString", error);
    return ret;
  }
  std::lock_guard<std::mutex> lock(state_mutex_);
  installModel(std::move(model));
  return ret;
}

int ZemoLibrary::rlSetLogLevel(const LogLevel& level) {
  const int value = static_cast<int>(level);
  if (value < static_cast<int>(LogLevel::FATAL) || value > static_cast<int>(LogLevel::VERBOSE)) {
    logError("rlSetLogLevel", "level " + std::to_string(value) + " is not a log level (0 to 5)");
    return ZEMO::E_ERR_ERROR;
  }
  log_level_ = level;
  logger_.setLogLevel(static_cast<unsigned int>(value));
  return ZEMO::E_NO_ERROR;
}

int ZemoLibrary::rlSetLogHandler(const ZEMO::LogHandler& handler) {
  const int ret = logger_.setLogHandler(handler);
  if (ret < 0) logError("rlSetLogHandler", "the handler is empty; the previous one stays");
  return ret;
}

std::string ZemoLibrary::rlGetErrDescription(int code) {
  return errorDescription(code);
}

int ZemoLibrary::rlGetVersionNumber() {
  return versionNumber();
}

std::string ZemoLibrary::rlGetModuleVersion(int flag) {
  std::ostringstream text;
  text << "libzemo " << ZEMO_VERSION << "\n";
  if (flag != 0) {
    for (const char* module : kModules) text << "zemo_" << module << " " << ZEMO_VERSION << "\n";
  }
  return text.str();
}

}  // namespace runtime
}  // namespace zemo

extern "C" ZEMOIntfacePtr CreateZEMOIntfacePtr() {
  return std::make_shared<zemo::runtime::ZemoLibrary>();
}

extern "C" ZEMOIntfacePtr CreateZEMOIntfacePtrFromFile(const char* robot_name,
                                                       const char* description_dir) {
  auto library = std::make_shared<zemo::runtime::ZemoLibrary>();
  if (robot_name == nullptr || description_dir == nullptr) {
    ZEMO::Logger log;
    log.setLogLevel(static_cast<unsigned int>(ZEMO::LogLevel::Error));
    log.error() << "the robot name or the description directory is a null pointer";
    log.end("CreateZEMOIntfacePtrFromFile", ZEMO::GetSourceFilename(__FILE__), __LINE__);
    return nullptr;
  }
  if (library->rlInitialRobot(robot_name, description_dir) < 0) return nullptr;
  return library;
}

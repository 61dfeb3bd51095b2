#include "runtime/zemo_library.h"

#include <mutex>

namespace ZEMO {
double phase_vv[2] = {0.0, 0.0};
}  // namespace ZEMO

namespace zemo {
namespace runtime {

int ZemoLibrary::tpSetInitialState(const RLJntArray&, const RLJntArray&, const RLJntArray&, int) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("tpSetInitialState")) return ret;
  return notBuilt("tpSetInitialState");
}

int ZemoLibrary::tpSetCycleTime(const double&) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("tpSetCycleTime")) return ret;
  return notBuilt("tpSetCycleTime");
}

int ZemoLibrary::tpSetVelAccLimits(const RLJntArray&, const RLJntArray&, const Array2d&,
                                   const Array2d&, int) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("tpSetVelAccLimits")) return ret;
  return notBuilt("tpSetVelAccLimits");
}

int ZemoLibrary::tpSetVelAccRatio(double, double, int) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("tpSetVelAccRatio")) return ret;
  return notBuilt("tpSetVelAccRatio");
}

int ZemoLibrary::tpSetPlannerCapacity(PlannerCapacity, int) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("tpSetPlannerCapacity")) return ret;
  return notBuilt("tpSetPlannerCapacity");
}

int ZemoLibrary::tpGetPlannerCapacity(PlannerCapacity) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("tpGetPlannerCapacity")) return ret;
  return notBuilt("tpGetPlannerCapacity");
}

int ZemoLibrary::tpGetPlannerDepth(PlannerQueue) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("tpGetPlannerDepth")) return ret;
  return notBuilt("tpGetPlannerDepth");
}

double ZemoLibrary::tpGetDuration(double) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  notBuilt("tpGetDuration");
  return 0.0;
}

double ZemoLibrary::tpGetRemainingDuration() {
  std::lock_guard<std::mutex> lock(state_mutex_);
  notBuilt("tpGetRemainingDuration");
  return 0.0;
}

int ZemoLibrary::tpAddPathPoint(const PathPoint&, const PathProperty&, const MoveProperty&) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("tpAddPathPoint")) return ret;
  return notBuilt("tpAddPathPoint");
}

int ZemoLibrary::tpAddPathPoints(const std::vector<PathPoint>&, const PathProperty&,
                                 const MoveProperty&) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("tpAddPathPoints")) return ret;
  return notBuilt("tpAddPathPoints");
}

int ZemoLibrary::tpAddSpeedMove(int, int, const MoveProperty&) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("tpAddSpeedMove")) return ret;
  return notBuilt("tpAddSpeedMove");
}

int ZemoLibrary::tpEndPathInput() {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("tpEndPathInput")) return ret;
  return notBuilt("tpEndPathInput");
}

int ZemoLibrary::tpPopTrajectoryPoint(double, TrajectoryPoint&) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("tpPopTrajectoryPoint")) return ret;
  return notBuilt("tpPopTrajectoryPoint");
}

int ZemoLibrary::tpGetTrajectoryAtGivenTime(int, double, PathPoint&) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("tpGetTrajectoryAtGivenTime")) return ret;
  return notBuilt("tpGetTrajectoryAtGivenTime");
}

int ZemoLibrary::tpGetPathPointAtGivenTime(double, unsigned int, std::vector<PathPoint>&) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("tpGetPathPointAtGivenTime")) return ret;
  return notBuilt("tpGetPathPointAtGivenTime");
}

int ZemoLibrary::tpPreviewPath(const std::vector<PathSegment>&, double, std::vector<PathPoint>&) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("tpPreviewPath")) return ret;
  return notBuilt("tpPreviewPath");
}

int ZemoLibrary::tpTrackTargetPoint(const PathPoint&, const MoveProperty&, int) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("tpTrackTargetPoint")) return ret;
  return notBuilt("tpTrackTargetPoint");
}

int ZemoLibrary::tpStopMove(const StopType&, const double&, int) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("tpStopMove")) return ret;
  return notBuilt("tpStopMove");
}

int ZemoLibrary::tpAddTrackingPoint(const PathPoint&, const MoveProperty&, double, double,
                                    TrajectoryTrackingStatus) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  if (const int ret = requireModel("tpAddTrackingPoint")) return ret;
  return notBuilt("tpAddTrackingPoint");
}

}  // namespace runtime
}  // namespace zemo

// The reference library behind the interface: one instance per controller, the robot model
// it loaded and the state of every module. Definitions are split by family into ops_*.cpp.
#pragma once

#include <array>
#include <mutex>
#include <string>
#include <vector>

#include "collision/collision_world.h"
#include "control/control_parameters.h"
#include "model/robot_model.h"
#include "robot_library_interface.h"
#include "state/robot_state.h"
#include "zemo_utility.h"

namespace zemo {
namespace runtime {

using namespace ZEMO::interface;
namespace geometric_shapes = ZEMO::geometric_shapes;
// The general codes by their plain names, as the interface's module codes are.
using ZEMO::E_DIMENSION_DISMATCH;
using ZEMO::E_ERR_ERROR;
using ZEMO::E_FILE_NOT_EXIST;
using ZEMO::E_FUNC_NOT_IMPL;
using ZEMO::E_INT_NOT_IMPL;
using ZEMO::E_INVALID_FUNCTION;
using ZEMO::E_LIBRARY_INITIAL_FAILED;
using ZEMO::E_MAJOR_DISMATCH;
using ZEMO::E_MINOR_DISMATCH;
using ZEMO::E_NO_ERROR;
using ZEMO::E_PARSE_PLUGIN_FAILED;
using ZEMO::E_PATCH_DISMATCH;
using ZEMO::E_VERSION_DISMATCH;

class ZemoLibrary final : public ZEMOIntface {
 public:
  ZemoLibrary();
  ~ZemoLibrary() override;

  // The instance's logger, for the feature packs that run on it.
  ZEMO::Logger& logger() { return logger_; }

  // runtime (ops_rl.cpp)
  int rlInitialRobot(const std::string& robot_name, const std::string& description_dir) override;
  int rlInitialRobotFromString(const std::string& urdf, const std::string& srdf) override;
  int rlSetLogLevel(const LogLevel& level) override;
  int rlSetLogHandler(const ZEMO::LogHandler& handler) override;
  std::string rlGetErrDescription(int code) override;
  int rlGetVersionNumber() override;
  std::string rlGetModuleVersion(int flag) override;

  // robot parameters (ops_mdl.cpp)
  const std::string& mdlGetRobotName() override;
  unsigned int mdlGetRobotDOF() override;
  int mdlSetGravityVectorInbase(const Array3d& gravity) override;
  Array3d mdlGetGravityVectorInbase() override;
  DHPara mdlGetRobotDHPara(bool compensated) override;
  int mdlSetRobotDHPara(const DHPara& compensation) override;
  int mdlSetJointRotorInertia(const RLJntArray& inertia) override;
  RLJntArray mdlGetJointRotorInertia() override;
  int mdlSetSegmentPara(const std::string& link_name, const RLInertia& inertia) override;
  int mdlGetSegmentPara(const std::string& link_name, RLInertia& inertia) override;
  int mdlSetDynamicPara(const std::vector<double>& para) override;
  std::vector<double> mdlGetDynamicPara() override;
  int mdlSetJointStartStopTorque(const RLJntArray& torque) override;
  int mdlGetJointStartStopTorque(RLJntArray& torque) override;
  RLJntArray mdlGetJointMaximumVelocity() override;
  int mdlSetJointModuleConstant(const RLJntArray& constant) override;
  RLJntArray mdlGetJointModuleConstant() override;
  int mdlSetJointPositionRange(const RLJntArray& upper, const RLJntArray& lower) override;
  int mdlGetJointPositionRange(RLJntArray& upper, RLJntArray& lower) override;
  int mdlGetJointMaximumAverageTorque(RLJntArray& torque) override;
  int mdlSetWorkpieceMode(int mode) override;
  int mdlSetWorkpiecePose(const RLPose& F_feature_in_base) override;
  int mdlSetToolPose(const RLPose& T_flange_tool) override;
  int mdlGetToolPose(RLPose& T_flange_tool) override;
  int mdlSetEndSensorPose(const RLPose& T_flange_sensor) override;
  int mdlSetToolInertia(const RLInertia& inertia) override;
  int mdlSetEndSensorInertia(const RLInertia& inertia) override;
  int mdlSetFrictionPara(const std::vector<FrictionParam>& para) override;

  // links, geometry and collision (ops_mdl_collision.cpp)
  int mdlSetLinkGeometryModel(const std::string& link_name,
                              const std::vector<geometric_shapes::ShapePtr>& shapes,
                              const std::vector<RLPose>& origins) override;
  int mdlGetLinkGeometryModel(const std::string& link_name,
                              std::vector<geometric_shapes::ShapeConstPtr>& shapes,
                              std::vector<RLPose>& origins) override;
  int mdlUnloadLinkGeometryModel(const std::string& link_name,
                                 const std::vector<std::string>& shape_names) override;
  const std::vector<std::string>& mdlGetLinkNames() override;
  OBBModel mdlGetLinkOBB(const std::string& link_name) override;
  OBBModel mdlCalOBBModel(const RLJntArray& q, int type) override;
  int mdlCheckRobotCollision(const RLJntArray& q, const bool& checkSelf,
                             CollisionResult& result) override;
  int mdlCalMinimunDistance(const RLJntArray& q, const double& threshold, const bool& checkSelf,
                            DistanceResult& result) override;
  RLJntArray mdlGetLinkMass() override;
  int mdlComputeNeverInCollisionLinkPairs(int num_trials, bool verbose, LinkPairMap& map,
                                          double min_collisioon_fraction) override;

  // kinematics and frame transforms (ops_kd_kin.cpp)
  int kdCalForwardPosition(const RLJntArray& q, bool real_fk, bool end_in_base,
                           RLPose& T_out) override;
  int kdCalForwardPositions(const RLJntArray& q, bool real_fk, std::vector<RLPose>& T_out,
                            std::vector<RLPose>& T_add) override;
  int kdCalForwardVelocity(const RLJntArray& q, const RLJntArray& qd, RLTwist& v) override;
  int kdCalForwardVelocities(const RLJntArray& q, const RLJntArray& qd,
                             std::vector<RLTwist>& v) override;
  int kdSpaceTransform(const RLJntArray& q, const RLJntArray& qd, const RLJntArray& qdd,
                       RLPose& T_out, RLTwist& v, RLTwist& a) override;
  int kdCalInverseVelocity(const RLJntArray& q, const RLTwist& v, RLJntArray& qd) override;
  int kdCalInverseAcceleration(const RLJntArray& q, const RLTwist& v, const RLTwist& a,
                               RLJntArray& qd, RLJntArray& qdd) override;
  int kdCalJacobian(const RLJntArray& q, bool in_base, double* jac) override;
  double kdCalJacobianDeterminant(const RLJntArray& q, bool in_base) override;
  RobotConfiguration kdGetRobotConfiguration(const RLJntArray& q) override;
  int kdCalInversePosition(const IKConfigInfo& config, const bool& real_ik,
                           RLJntArray& joint_res) override;
  int kdCalInversePositionAll(const IKConfigInfo& config, bool real_ik,
                              std::vector<RLJntArray>& joint_res) override;
  int kdTransformOrientation(const OriDescription& from, const OriDescription& to, const double* in,
                             double* out) override;
  RLPose kdChangeReferenceFrame(const RLPose& F_b_a, const RLPose& F_c_b) override;
  RLInertia kdChangeReferenceFrameInertia(const RLInertia& body_a_a, const RLPose& F_b_a) override;
  RLPose kdInverseFrame(const RLPose& F_b_a) override;
  RLPose kdCalDifferPose(const RLPose& F_a_b1, const RLPose& F_a_b2) override;
  RLWrench kdChangeWrenchBase(const RLWrench& ft_in_a, const RLPose& F_b_a) override;
  Array3d kdChangeVectorBase(const Array3d& V_in_a, const RLPose& F_b_a) override;
  RLInertia kdAddInertia(const RLInertia& body_a, const RLInertia& body_b) override;
  RLInertia kdInertiaTransform(const RLInertia& body) override;
  RLWrench kdChangeWrenchFrame(const RLWrench& ft_in_a, const RLPose& F_b_a) override;
  int kdTransferReferenceFrame(const RLPose& F_b_a_old, const Array3d& V_in_a, const int& type,
                               RLPose& F_b_a_new) override;
  RLPose kdAddDeltaPose(const RLPose& F_w_a, const RLTwist& da_w) override;
  Array3d kdAddDeltaOri(const Array3d& R_w_a, const Array3d& ra_w, const double& dt) override;

  // dynamics (ops_kd_dyn.cpp)
  RLWrench kdCalTcpWrenchFromEndSensor(const RLWrench& ft_sensor, const RLJntArray& q,
                                       const RLJntArray& qd, const RLJntArray& qdd) override;
  int kdCalInertiaMatrix(const RLJntArray& q, DoubleVecVec& M) override;
  int kdCalInverseDynamics(const RLJntArray& q, const RLJntArray& qd, const RLJntArray& qdd,
                           const std::vector<RLWrench>& ft_ext, RLJntArray& torque) override;
  int kdCalForwardDynamics(const RLJntArray& q, const RLJntArray& qd, const RLJntArray& torque,
                           const std::vector<RLWrench>& ft_ext, RLJntArray& qdd) override;
  int kdCalCoriolisTorque(const RLJntArray& q, const RLJntArray& qd, RLJntArray& C) override;
  int kdCalGravityTorque(const RLJntArray& q, RLJntArray& G) override;
  int kdCalFriction(const RLJntArray& q, const RLJntArray& qd, const RLJntArray& temperature,
                    const RLJntArray& load, RLJntArray& friction) override;

  // calibration and identification (ops_calib.cpp)
  int calibUserFrameInBase(const CoordCalibMethod& method, const std::vector<RLPose>& T_b_points,
                           RLPose& T_b_user) override;
  int calibToolPosInFlange(const std::vector<RLPose>& T_b_f, Array3d& P_f_t,
                           double& error) override;
  int calibToolOriInFlange(const CoordCalibMethod& method, const std::vector<RLPose>& T_b_f,
                           Array3d& rpy_f_t) override;
  int calibToolWithFTSensor(const std::vector<RLPose>& T_b_f, const std::vector<RLWrench>& wrenches,
                            FtSensorCalibResult& result) override;
  int calibGenerateExciteTraj(const CalibConfig& config, DoubleVecVec& trajectory,
                              DoubleVec& para) override;
  int calibDynamicParameter(const CalibConfig& config, const DoubleVecVec& samples,
                            std::vector<double>& para_est) override;
  int calibRobotKinematicParameter(const RobotKinCalibPara& nominal,
                                   const std::vector<RobotKinCalibDualInput>& samples,
                                   RobotKinCalibPara& estimate,
                                   std::vector<DataFeature>& residuals) override;

  // force control (ops_fc.cpp)
  int fcSetSelectVector(const DescribeSpace& space, const int* select) override;
  const int* fcGetSelectVector(const DescribeSpace& space) override;
  int fcSetSensitivity(const double* sensitivity) override;
  int fcSetThreshold(const DescribeSpace& space, const double* threshold) override;
  const double* fcGetThreshold(const DescribeSpace& space) override;
  int fcSetLimit(const DescribeSpace& space, const double* limit) override;
  const double* fcGetLimit(const DescribeSpace& space) override;
  int fcSetStiffness(const DescribeSpace& space, const double* stiffness) override;
  const double* fcGetStiffness(const DescribeSpace& space) override;
  int fcSetDamp(const DescribeSpace& space, const double* damp) override;
  const double* fcGetDamp(const DescribeSpace& space) override;
  int fcSetOverEstimatedDis(double distance) override;
  int fcSetMaxAdjustSpeed(const double* speed, bool symmetry) override;
  int fcEnableSingularityConsistent(bool enable, const Array6d& value) override;
  int fcAddVirtualForce(const CoordType& frame, const double* force) override;
  int fcSetForceLoopPIDVGains(const double* P, const double* I, const double* D,
                              const double* V) override;
  int fcSetDampingCoe(const std::vector<double>& damping) override;
  const double* fcGetDampingCoe() override;
  int fcSetGainCoe(const std::vector<double>& gain) override;
  const double* fcGetGainCoe() override;
  int fcSetJointTorqCoe(const double* coeff) override;
  const double* fcGetJointTorqCoe() override;

  // motion control (ops_mc.cpp)
  int mcSetControlPeriod(double period) override;
  const double& mcGetControlPeriod() override;
  int mcSetControlType(const ControlMode& mode) override;
  ControlMode mcGetControlType() override;
  int mcSetMaxJointSpeed(const RLJntArray& speed) override;
  int mcSetMaxTranSpeed(const double& speed) override;
  const double& mcGetMaxTranSpeed() override;
  int mcSetMaxRotSpeed(const double& speed) override;
  const double& mcGetMaxRotSpeed() override;

  // robot state (ops_rs.cpp)
  int rsInitialRobotState() override;
  int rsUpdateJointPVA(const RLJntArray& q, const RLJntArray& qd, const RLJntArray& qdd,
                       const bool& flag) override;
  int rsUpdateJointCT(const RLJntArray& current, const RLJntArray& temperature,
                      const RLJntArray& friction) override;
  int rsUpdateFTSensorData(const FTSensorType& sensor, const double* data) override;
  int rsSetExternalForceEstimationGain(const RLJntArray& gain) override;
  RLWrench rsGetTCPWrench() override;
  int rsSetRefTraj(const CoordType& type, const RLPose& frame, const double* q, const double* qd,
                   const double* qdd) override;
  int rsSetGoalForce(const CoordType& type, const RLPose& frame, const RLWrench& force) override;
  int rsCalJointCommand(RLJntArray& q, RLJntArray& qd, RLJntArray& qdd,
                        const Array2d& tolerance) override;
  int rsDetectRobotCollision(const RLJntArray& collision_threshold,
                             JointCollisionResult& result) override;
  RLJntArray rsGetExternalForceEstimate() override;

  // trajectory planning (ops_tp.cpp)
  int tpSetInitialState(const RLJntArray& q, const RLJntArray& qd, const RLJntArray& qdd,
                        int mode) override;
  int tpSetCycleTime(const double& cycle) override;
  int tpSetVelAccLimits(const RLJntArray& joint_vel, const RLJntArray& joint_acc,
                        const Array2d& cart_vel, const Array2d& cart_acc, int type) override;
  int tpSetVelAccRatio(double vel_ratio, double acc_ratio, int type) override;
  int tpSetPlannerCapacity(PlannerCapacity which, int size) override;
  int tpGetPlannerCapacity(PlannerCapacity which) override;
  int tpGetPlannerDepth(PlannerQueue queue) override;
  double tpGetDuration(double path_id) override;
  double tpGetRemainingDuration() override;
  int tpAddPathPoint(const PathPoint& point, const PathProperty& path,
                     const MoveProperty& move) override;
  int tpAddPathPoints(const std::vector<PathPoint>& points, const PathProperty& path,
                      const MoveProperty& move) override;
  int tpAddSpeedMove(int space, int type, const MoveProperty& move) override;
  int tpEndPathInput() override;
  int tpPopTrajectoryPoint(double cycle, TrajectoryPoint& point) override;
  int tpGetTrajectoryAtGivenTime(int path_id, double ratio, PathPoint& point) override;
  int tpGetPathPointAtGivenTime(double sample_time, unsigned int count,
                                std::vector<PathPoint>& points) override;
  int tpPreviewPath(const std::vector<PathSegment>& segments, double step,
                    std::vector<PathPoint>& points) override;
  int tpTrackTargetPoint(const PathPoint& target, const MoveProperty& move, int type) override;
  int tpStopMove(const StopType& type, const double& deceleration, int flag) override;
  int tpAddTrackingPoint(const PathPoint& point, const MoveProperty& move, double a, double b,
                         TrajectoryTrackingStatus status) override;

  // filters and geometry (ops_utl.cpp)
  int utlKalmanFilterPVA(const int& type, const double& sample_time, const double* Q,
                         const double* R, const double& x_last, const double& xd_last,
                         const double& xdd_last, double& x, double& xd, double& xdd,
                         double* P) override;
  int utlLowpassFilter(const double& sample_time, const double& cutoff_frequency, const int& count,
                       const double* x_last, double* x) override;
  int utlIIRFilter(const int& order, const double& fd, const double& fs, const DoubleVecVec& input,
                   DoubleVecVec& output) override;
  int utlNotchFilter(const double& notch_frequency, const double& depth, const double& fbb,
                     const double& K, const double& fs, const DoubleVecVec& input,
                     DoubleVecVec& output) override;
  int utlNotchFilterStep(const double& notch_frequency, const double& depth, const double& fbb,
                         const double& K, const double& fs, const double& x_lastlast,
                         const double& x_last, const double& x, const double& y_lastlast,
                         const double& y_last, double& y) override;
  int utlSearchPoint(const std::vector<Array3d>& points, const double& alpha,
                     Array3d& point_out) override;
  double utlVectorNorm(const double* values, const int& count) override;
  int utlDefinePlane(const std::vector<Array3d>& points, const Array3d& direction,
                     geometric_shapes::Plane& plane) override;

 private:
  // Logs that the operation is not built yet and returns E_FUNC_NOT_IMPL.
  int notBuilt(const char* op);
  // 0 with a model loaded; otherwise logs and returns E_LIBRARY_INITIAL_FAILED.
  int requireModel(const char* op);
  // Logs at error level, naming the operation.
  void logError(const char* op, const std::string& message);
  // Installs a loaded model; the caller holds state_mutex_.
  void installModel(RobotModel&& model);
  // Index of a moving link (0 = body of joint 1) by name; -1 when the model has none.
  int linkIndex(const std::string& link_name) const;
  // The collision world of the loaded model, built from its description on first use.
  int collisionWorld(const char* op, collision::CollisionWorld*& world);
  // Link frames at q (compensated arm), one per link name; false for a non-finite q.
  bool linkPoses(const RLJntArray& q, std::vector<Eigen::Isometry3d>& T_base_link) const;

  RobotModel model_;
  bool loaded_ = false;
  ZEMO::Logger logger_;
  LogLevel log_level_ = LogLevel::WARN;
  // Taken by the planner and robot-state entry points, which two threads may call at once.
  std::mutex state_mutex_;

  // Module state follows: each family adds its plain state struct here.
  ControlParameters control_;                        // fc and mc settings
  std::array<bool, kMaxDof> segment_origin_form_{};  // form of the last mdlSetSegmentPara per link
  collision::CollisionWorld collision_world_;        // link and environment geometry
  bool collision_ready_ = false;                     // collision_world_ belongs to the loaded model
  RobotStateData state_;                             // feedback; under state_mutex_
};

// Logs "<op> is not built yet" at error level and returns E_FUNC_NOT_IMPL.
int reportNotBuilt(ZEMO::Logger& log, const char* op);

// Neutral results of the pointer and reference getters while their module is not built.
extern const double kZeroValues[6];
extern const int kZeroFlags[6];

}  // namespace runtime
}  // namespace zemo

// The abstract robot library: every operation a controller calls, grouped by module prefix.
// Status results follow return_value_definition.h: 0 or positive is success, negative an error.
// Poses are in the base frame and joint arrays in joint order unless an operation says otherwise.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "data_structure_definition.h"
#include "return_value_definition.h"
#include "shapes.h"
#include "zemo_utility.h"

namespace ZEMO {
namespace interface {

class ZEMOIntface {
 public:
  virtual ~ZEMOIntface() = default;

  // rl: runtime
  // Loads description_dir + "urdf/<robot_name>.urdf" with its SRDF and parameter file.
  virtual int rlInitialRobot(const std::string& robot_name, const std::string& description_dir) = 0;
  // Loads a model from URDF and SRDF text; replaces a model already loaded.
  virtual int rlInitialRobotFromString(const std::string& urdf, const std::string& srdf) = 0;
  virtual int rlSetLogLevel(const LogLevel& level) = 0;
  // The handler receives every message the library emits at or below its log level.
  virtual int rlSetLogHandler(const ZEMO::LogHandler& handler) = 0;
  virtual std::string rlGetErrDescription(int code) = 0;
  // major * 10000 + minor * 100 + patch
  virtual int rlGetVersionNumber() = 0;
  // flag 0: the library's version line; otherwise one line per module.
  virtual std::string rlGetModuleVersion(int flag) = 0;

  // mdl: robot parameters
  virtual const std::string& mdlGetRobotName() = 0;
  virtual unsigned int mdlGetRobotDOF() = 0;
  virtual int mdlSetGravityVectorInbase(const Array3d& gravity) = 0;  // [m/s^2] in the base
  virtual Array3d mdlGetGravityVectorInbase() = 0;
  // false: the nominal set; true: nominal plus the compensation last set.
  virtual DHPara mdlGetRobotDHPara(bool compensated = false) = 0;
  // A compensation added member by member to the nominal set.
  virtual int mdlSetRobotDHPara(const DHPara& compensation) = 0;
  virtual int mdlSetJointRotorInertia(const RLJntArray& inertia) = 0;  // [kg m^2] reflected
  virtual RLJntArray mdlGetJointRotorInertia() = 0;
  // Inertia of a body in its link frame.
  virtual int mdlSetSegmentPara(const std::string& link_name, const RLInertia& inertia) = 0;
  virtual int mdlGetSegmentPara(const std::string& link_name, RLInertia& inertia) = 0;
  // Element 0 names the form (0, 1, 2 or 10) of the values that follow.
  virtual int mdlSetDynamicPara(const std::vector<double>& para) = 0;
  // Always form 0: per link m, m cx, m cy, m cz, XX, XY, XZ, YY, YZ, ZZ about the frame origin.
  virtual std::vector<double> mdlGetDynamicPara() = 0;
  virtual int mdlSetJointStartStopTorque(const RLJntArray& torque) = 0;  // [N m]
  virtual int mdlGetJointStartStopTorque(RLJntArray& torque) = 0;
  virtual RLJntArray mdlGetJointMaximumVelocity() = 0;                    // [rad/s]
  virtual int mdlSetJointModuleConstant(const RLJntArray& constant) = 0;  // [N m/A]
  virtual RLJntArray mdlGetJointModuleConstant() = 0;
  virtual int mdlSetJointPositionRange(const RLJntArray& upper, const RLJntArray& lower) = 0;
  virtual int mdlGetJointPositionRange(RLJntArray& upper, RLJntArray& lower) = 0;  // [rad]
  virtual int mdlGetJointMaximumAverageTorque(RLJntArray& torque) = 0;             // [N m]
  virtual int mdlSetWorkpieceMode(int mode) = 0;
  virtual int mdlSetWorkpiecePose(const RLPose& F_feature_in_base) = 0;
  virtual int mdlSetToolPose(const RLPose& T_flange_tool) = 0;  // tool in the flange
  // Orientation in normalised roll-pitch-yaw, pitch within [-pi/2, pi/2].
  virtual int mdlGetToolPose(RLPose& T_flange_tool) = 0;
  virtual int mdlSetEndSensorPose(const RLPose& T_flange_sensor) = 0;  // sensor in the flange
  virtual int mdlSetToolInertia(const RLInertia& inertia) = 0;         // in the tool frame
  virtual int mdlSetEndSensorInertia(const RLInertia& inertia) = 0;    // in the sensor frame
  // One entry per joint.
  virtual int mdlSetFrictionPara(const std::vector<FrictionParam>& para) = 0;

  // mdl: links, geometry and collision
  // Shape i sits at origins[i] in the link frame.
  virtual int mdlSetLinkGeometryModel(const std::string& link_name,
                                      const std::vector<geometric_shapes::ShapePtr>& shapes,
                                      const std::vector<RLPose>& origins) = 0;
  virtual int mdlGetLinkGeometryModel(const std::string& link_name,
                                      std::vector<geometric_shapes::ShapeConstPtr>& shapes,
                                      std::vector<RLPose>& origins) = 0;
  virtual int mdlUnloadLinkGeometryModel(const std::string& link_name,
                                         const std::vector<std::string>& shape_names) = 0;
  virtual const std::vector<std::string>& mdlGetLinkNames() = 0;
  // Boxes of one link, poses in the link frame.
  virtual OBBModel mdlGetLinkOBB(const std::string& link_name) = 0;
  // Boxes of the moving links at q, poses in the base.
  virtual OBBModel mdlCalOBBModel(const RLJntArray& q, int type) = 0;
  virtual int mdlCheckRobotCollision(const RLJntArray& q, const bool& checkSelf,
                                     CollisionResult& result) = 0;
  // Pairs farther apart than threshold [m] are not measured.
  virtual int mdlCalMinimunDistance(const RLJntArray& q, const double& threshold,
                                    const bool& checkSelf, DistanceResult& result) = 0;
  virtual RLJntArray mdlGetLinkMass() = 0;  // [kg]
  // Samples num_trials random postures: pairs colliding in at least the fraction of them are
  // always, pairs never seen colliding are never in collision.
  virtual int mdlComputeNeverInCollisionLinkPairs(int num_trials, bool verbose, LinkPairMap& map,
                                                  double min_collisioon_fraction) = 0;

  // kd: kinematics
  // real_fk: use the compensated DH set; end_in_base: the tool point, else the flange.
  virtual int kdCalForwardPosition(const RLJntArray& q, bool real_fk, bool end_in_base,
                                   RLPose& T_out) = 0;
  // T_out: dof + 1 poses, the link frames and the flange.
  virtual int kdCalForwardPositions(const RLJntArray& q, bool real_fk, std::vector<RLPose>& T_out,
                                    std::vector<RLPose>& T_add) = 0;
  // Flange twist J(q) qd in the base.
  virtual int kdCalForwardVelocity(const RLJntArray& q, const RLJntArray& qd, RLTwist& v) = 0;
  // dof + 1 twists, one per link frame and the flange, in the base.
  virtual int kdCalForwardVelocities(const RLJntArray& q, const RLJntArray& qd,
                                     std::vector<RLTwist>& v) = 0;
  // Flange pose, twist and acceleration in the base.
  virtual int kdSpaceTransform(const RLJntArray& q, const RLJntArray& qd, const RLJntArray& qdd,
                               RLPose& T_out, RLTwist& v, RLTwist& a) = 0;
  virtual int kdCalInverseVelocity(const RLJntArray& q, const RLTwist& v, RLJntArray& qd) = 0;
  virtual int kdCalInverseAcceleration(const RLJntArray& q, const RLTwist& v, const RLTwist& a,
                                       RLJntArray& qd, RLJntArray& qdd) = 0;
  // 6 x dof values row by row (rows vx, vy, vz, wx, wy, wz); a pointer serves both the fixed
  // 36-value arrays and the dof-sized buffers callers pass.
  virtual int kdCalJacobian(const RLJntArray& q, bool in_base, double* jac) = 0;
  virtual double kdCalJacobianDeterminant(const RLJntArray& q, bool in_base) = 0;
  virtual RobotConfiguration kdGetRobotConfiguration(const RLJntArray& q) = 0;
  virtual int kdCalInversePosition(const IKConfigInfo& config, const bool& real_ik,
                                   RLJntArray& joint_res) = 0;
  virtual int kdCalInversePositionAll(const IKConfigInfo& config, bool real_ik,
                                      std::vector<RLJntArray>& joint_res) = 0;

  // kd: frame and orientation transforms (no model needed)
  // Layouts per OriDescription, see data_structure_definition.h.
  virtual int kdTransformOrientation(const OriDescription& from, const OriDescription& to,
                                     const double* in, double* out) = 0;
  // F_c_a = F_c_b F_b_a
  virtual RLPose kdChangeReferenceFrame(const RLPose& F_b_a, const RLPose& F_c_b) = 0;
  // The body of frame a expressed in frame b.
  virtual RLInertia kdChangeReferenceFrameInertia(const RLInertia& body_a_a,
                                                  const RLPose& F_b_a) = 0;
  virtual RLPose kdInverseFrame(const RLPose& F_b_a) = 0;
  // Translation p2 - p1, then the rotation from the first pose to the second.
  virtual RLPose kdCalDifferPose(const RLPose& F_a_b1, const RLPose& F_a_b2) = 0;
  // Force and moment rotated into frame b, no lever arm.
  virtual RLWrench kdChangeWrenchBase(const RLWrench& ft_in_a, const RLPose& F_b_a) = 0;
  virtual Array3d kdChangeVectorBase(const Array3d& V_in_a, const RLPose& F_b_a) = 0;
  virtual RLInertia kdAddInertia(const RLInertia& body_a, const RLInertia& body_b) = 0;
  // Origin form to centre-of-mass form; a centre-form input comes back unchanged.
  virtual RLInertia kdInertiaTransform(const RLInertia& body) = 0;
  // f' = R f, m' = R m + p x f'
  virtual RLWrench kdChangeWrenchFrame(const RLWrench& ft_in_a, const RLPose& F_b_a) = 0;
  // A new orientation derived from the vector for types 1 and 2; position kept.
  virtual int kdTransferReferenceFrame(const RLPose& F_b_a_old, const Array3d& V_in_a,
                                       const int& type, RLPose& F_b_a_new) = 0;
  // Position + linear part, rotation Exp(angular part) R, the increment in the world frame.
  virtual RLPose kdAddDeltaPose(const RLPose& F_w_a, const RLTwist& da_w) = 0;
  // Roll-pitch-yaw of Exp(ra_w dt) R; ra_w [rad/s], dt [s].
  virtual Array3d kdAddDeltaOri(const Array3d& R_w_a, const Array3d& ra_w, const double& dt) = 0;

  // kd: dynamics
  // Wrench at the tool point from a reading of the flange sensor, the payload weight removed.
  virtual RLWrench kdCalTcpWrenchFromEndSensor(const RLWrench& ft_sensor, const RLJntArray& q,
                                               const RLJntArray& qd, const RLJntArray& qdd) = 0;
  virtual int kdCalInertiaMatrix(const RLJntArray& q, DoubleVecVec& M) = 0;  // dof rows
  // ft_ext: one wrench per link frame, entry dof at the end; empty means none.
  virtual int kdCalInverseDynamics(const RLJntArray& q, const RLJntArray& qd, const RLJntArray& qdd,
                                   const std::vector<RLWrench>& ft_ext, RLJntArray& torque) = 0;
  virtual int kdCalForwardDynamics(const RLJntArray& q, const RLJntArray& qd,
                                   const RLJntArray& torque, const std::vector<RLWrench>& ft_ext,
                                   RLJntArray& qdd) = 0;
  virtual int kdCalCoriolisTorque(const RLJntArray& q, const RLJntArray& qd, RLJntArray& C) = 0;
  virtual int kdCalGravityTorque(const RLJntArray& q, RLJntArray& G) = 0;
  // temperature [deg C], load: joint load torque [N m]
  virtual int kdCalFriction(const RLJntArray& q, const RLJntArray& qd,
                            const RLJntArray& temperature, const RLJntArray& load,
                            RLJntArray& friction) = 0;

  // calib: calibration and identification
  // Three taught poses: origin, a point on the first axis, a point in the plane.
  virtual int calibUserFrameInBase(const CoordCalibMethod& method,
                                   const std::vector<RLPose>& T_b_points, RLPose& T_b_user) = 0;
  // Flange poses touching one fixed point; error [m] is the residual.
  virtual int calibToolPosInFlange(const std::vector<RLPose>& T_b_f, Array3d& P_f_t,
                                   double& error) = 0;
  // Three flange poses; result roll, pitch, yaw of the tool in the flange.
  virtual int calibToolOriInFlange(const CoordCalibMethod& method, const std::vector<RLPose>& T_b_f,
                                   Array3d& rpy_f_t) = 0;
  // Flange poses and the sensor wrenches measured at them, in the same order.
  virtual int calibToolWithFTSensor(const std::vector<RLPose>& T_b_f,
                                    const std::vector<RLWrench>& wrenches,
                                    FtSensorCalibResult& result) = 0;
  // trajectory: one row per sample; para: the Fourier coefficients (used when given).
  virtual int calibGenerateExciteTraj(const CalibConfig& config, DoubleVecVec& trajectory,
                                      DoubleVec& para) = 0;
  // samples: one row per sample, q, qd, qdd, measured torque or current per joint.
  virtual int calibDynamicParameter(const CalibConfig& config, const DoubleVecVec& samples,
                                    std::vector<double>& para_est) = 0;
  virtual int calibRobotKinematicParameter(const RobotKinCalibPara& nominal,
                                           const std::vector<RobotKinCalibDualInput>& samples,
                                           RobotKinCalibPara& estimate,
                                           std::vector<DataFeature>& residuals) = 0;

  // fc: force control; six-value parameters are passed and returned by their first element
  virtual int fcSetSelectVector(const DescribeSpace& space, const int* select) = 0;
  virtual const int* fcGetSelectVector(const DescribeSpace& space) = 0;
  virtual int fcSetSensitivity(const double* sensitivity) = 0;
  virtual int fcSetThreshold(const DescribeSpace& space, const double* threshold) = 0;
  virtual const double* fcGetThreshold(const DescribeSpace& space) = 0;
  virtual int fcSetLimit(const DescribeSpace& space, const double* limit) = 0;
  virtual const double* fcGetLimit(const DescribeSpace& space) = 0;
  virtual int fcSetStiffness(const DescribeSpace& space, const double* stiffness) = 0;
  virtual const double* fcGetStiffness(const DescribeSpace& space) = 0;
  virtual int fcSetDamp(const DescribeSpace& space, const double* damp) = 0;
  virtual const double* fcGetDamp(const DescribeSpace& space) = 0;
  virtual int fcSetOverEstimatedDis(double distance) = 0;  // [m]
  virtual int fcSetMaxAdjustSpeed(const double* speed, bool symmetry) = 0;
  virtual int fcEnableSingularityConsistent(bool enable, const Array6d& value) = 0;
  // The frame of the virtual force is the plainest enumeration with value 0 for the base.
  virtual int fcAddVirtualForce(const CoordType& frame, const double* force) = 0;
  virtual int fcSetForceLoopPIDVGains(const double* P, const double* I, const double* D,
                                      const double* V) = 0;
  virtual int fcSetDampingCoe(const std::vector<double>& damping) = 0;
  virtual const double* fcGetDampingCoe() = 0;
  virtual int fcSetGainCoe(const std::vector<double>& gain) = 0;
  virtual const double* fcGetGainCoe() = 0;
  virtual int fcSetJointTorqCoe(const double* coeff) = 0;
  virtual const double* fcGetJointTorqCoe() = 0;

  // mc: motion control
  virtual int mcSetControlPeriod(double period) = 0;  // [s]
  virtual const double& mcGetControlPeriod() = 0;
  virtual int mcSetControlType(const ControlMode& mode) = 0;
  virtual ControlMode mcGetControlType() = 0;
  virtual int mcSetMaxJointSpeed(const RLJntArray& speed) = 0;  // [rad/s]
  virtual int mcSetMaxTranSpeed(const double& speed) = 0;       // [m/s]
  virtual const double& mcGetMaxTranSpeed() = 0;
  virtual int mcSetMaxRotSpeed(const double& speed) = 0;  // [rad/s]
  virtual const double& mcGetMaxRotSpeed() = 0;

  // rs: robot state; callable from a second thread while the planner runs
  virtual int rsInitialRobotState() = 0;
  // flag true: qd and qdd are not measured; they follow from successive q over the control period.
  virtual int rsUpdateJointPVA(const RLJntArray& q, const RLJntArray& qd, const RLJntArray& qdd,
                               const bool& flag) = 0;
  // current: measured joint torque or motor current, temperature [deg C], friction [N m]
  virtual int rsUpdateJointCT(const RLJntArray& current, const RLJntArray& temperature,
                              const RLJntArray& friction) = 0;
  virtual int rsUpdateFTSensorData(const FTSensorType& sensor, const double* data) = 0;
  virtual int rsSetExternalForceEstimationGain(const RLJntArray& gain) = 0;
  virtual RLWrench rsGetTCPWrench() = 0;
  // q, qd, qdd: dof values each, joint values for JOINT, pose, twist and acceleration otherwise.
  virtual int rsSetRefTraj(const CoordType& type, const RLPose& frame, const double* q,
                           const double* qd, const double* qdd) = 0;
  virtual int rsSetGoalForce(const CoordType& type, const RLPose& frame, const RLWrench& force) = 0;
  // Writes the joint command; tolerance holds the two controller tolerances.
  virtual int rsCalJointCommand(RLJntArray& q, RLJntArray& qd, RLJntArray& qdd,
                                const Array2d& tolerance) = 0;
  virtual int rsDetectRobotCollision(const RLJntArray& collision_threshold,
                                     JointCollisionResult& result) = 0;  // threshold [N m]
  virtual RLJntArray rsGetExternalForceEstimate() = 0;                   // [N m] per joint

  // tp: trajectory planning; callable from a second thread while the planner runs
  virtual int tpSetInitialState(const RLJntArray& q, const RLJntArray& qd, const RLJntArray& qdd,
                                int mode) = 0;
  virtual int tpSetCycleTime(const double& cycle) = 0;  // [s]
  // Cartesian limits {translation, rotation}.
  virtual int tpSetVelAccLimits(const RLJntArray& joint_vel, const RLJntArray& joint_acc,
                                const Array2d& cart_vel, const Array2d& cart_acc, int type) = 0;
  virtual int tpSetVelAccRatio(double vel_ratio, double acc_ratio, int type) = 0;
  virtual int tpSetPlannerCapacity(PlannerCapacity which, int size) = 0;
  virtual int tpGetPlannerCapacity(PlannerCapacity which) = 0;
  virtual int tpGetPlannerDepth(PlannerQueue queue) = 0;  // never negative
  virtual double tpGetDuration(double path_id) = 0;       // [s]; -1: the last path queued
  virtual double tpGetRemainingDuration() = 0;            // [s] queued for execution
  virtual int tpAddPathPoint(const PathPoint& point, const PathProperty& path,
                             const MoveProperty& move) = 0;
  virtual int tpAddPathPoints(const std::vector<PathPoint>& points, const PathProperty& path,
                              const MoveProperty& move) = 0;
  // move.tarV carries the speed.
  virtual int tpAddSpeedMove(int space, int type, const MoveProperty& move) = 0;
  virtual int tpEndPathInput() = 0;
  // E_PLN_EXEC_EMPTY once the execution queue is empty.
  virtual int tpPopTrajectoryPoint(double cycle, TrajectoryPoint& point) = 0;
  // E_PLN_INVALID_PATH_ID for an id with no path; ratio in [0, 1] of its duration.
  virtual int tpGetTrajectoryAtGivenTime(int path_id, double ratio, PathPoint& point) = 0;
  virtual int tpGetPathPointAtGivenTime(double sample_time, unsigned int count,
                                        std::vector<PathPoint>& points) = 0;
  // Samples the segments at the step [s] without queuing them.
  virtual int tpPreviewPath(const std::vector<PathSegment>& segments, double step,
                            std::vector<PathPoint>& points) = 0;
  virtual int tpTrackTargetPoint(const PathPoint& target, const MoveProperty& move, int type) = 0;
  virtual int tpStopMove(const StopType& type, const double& deceleration, int flag) = 0;
  virtual int tpAddTrackingPoint(const PathPoint& point, const MoveProperty& move, double a,
                                 double b, TrajectoryTrackingStatus status) = 0;

  // utl: filters and geometry
  // On entry x, xd hold the measurement; on return x, xd, xdd the estimate; P 3x3 row by row.
  virtual int utlKalmanFilterPVA(const int& type, const double& sample_time, const double* Q,
                                 const double* R, const double& x_last, const double& xd_last,
                                 const double& xdd_last, double& x, double& xd, double& xdd,
                                 double* P) = 0;
  // First-order low pass of `count` channels, x filtered in place.
  virtual int utlLowpassFilter(const double& sample_time, const double& cutoff_frequency,
                               const int& count, const double* x_last, double* x) = 0;
  // Channels as rows; fd, fs [Hz].
  virtual int utlIIRFilter(const int& order, const double& fd, const double& fs,
                           const DoubleVecVec& input, DoubleVecVec& output) = 0;
  virtual int utlNotchFilter(const double& notch_frequency, const double& depth, const double& fbb,
                             const double& K, const double& fs, const DoubleVecVec& input,
                             DoubleVecVec& output) = 0;
  virtual int utlNotchFilterStep(const double& notch_frequency, const double& depth,
                                 const double& fbb, const double& K, const double& fs,
                                 const double& x_lastlast, const double& x_last, const double& x,
                                 const double& y_lastlast, const double& y_last, double& y) = 0;
  // alpha [rad]
  virtual int utlSearchPoint(const std::vector<Array3d>& points, const double& alpha,
                             Array3d& point_out) = 0;
  virtual double utlVectorNorm(const double* values, const int& count) = 0;
  // The plane through three points, scaled so that d is 1, normal towards the direction point.
  virtual int utlDefinePlane(const std::vector<Array3d>& points, const Array3d& direction,
                             geometric_shapes::Plane& plane) = 0;
};

using ZEMOIntfacePtr = std::shared_ptr<ZEMOIntface>;

}  // namespace interface

using ZEMOIntfacePtr = interface::ZEMOIntfacePtr;

}  // namespace ZEMO

using ZEMOIntfacePtr = ZEMO::interface::ZEMOIntfacePtr;

// Exported under their plain names so that a loader can find them.
extern "C" {
// A new instance without a model.
ZEMOIntfacePtr CreateZEMOIntfacePtr();
// A new instance with the model loaded; an empty pointer when loading fails.
ZEMOIntfacePtr CreateZEMOIntfacePtrFromFile(const char* robot_name, const char* description_dir);
}

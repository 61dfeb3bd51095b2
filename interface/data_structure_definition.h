// Value types and records that cross the library interface. Units are SI; joint arrays hold
// six entries, index i for joint i + 1. Enumerations whose enumerator names occur in another
// enumeration of this namespace are scoped; the others are plain, so `JOINT` and
// `DescribeSpace::JOINT` both name the same value.
#pragma once

#include <array>
#include <cstddef>
#include <limits>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace ZEMO {
namespace interface {

using Array2d = std::array<double, 2>;
using Array3d = std::array<double, 3>;
using Array6d = std::array<double, 6>;
using ArrayNd = std::array<double, 6>;
using RLJntArray = ArrayNd;  // [rad], [rad/s], [rad/s^2], [N m] or per-joint constants
using RLPose = Array6d;      // x, y, z [m], rx, ry, rz [rad]; R = Rz(rz) Ry(ry) Rx(rx)
using RLTwist = Array6d;     // vx, vy, vz [m/s], wx, wy, wz [rad/s]
using RLWrench = Array6d;    // fx, fy, fz [N], mx, my, mz [N m]
using DoubleVec = std::vector<double>;
using DoubleVecVec = std::vector<std::vector<double>>;  // a matrix as a list of rows

// Model and kinematics.

struct RLInertia {
  bool mhi = false;   // true: inertia about the frame origin; false: about the centre of mass
  double mass = 0.0;  // [kg]
  Array3d center{};   // [m] centre of mass in the frame
  Array6d inertia{};  // [kg m^2] Ixx, Iyy, Izz, Ixy, Ixz, Iyz
};

// Modified DH: frame i-1 -> i = RotX(alpha) TransX(a) RotZ(theta + q) TransZ(d).
struct DHPara {
  bool modified = true;
  RLJntArray alpha{};  // [rad]
  RLJntArray a{};      // [m]
  RLJntArray d{};      // [m]
  RLJntArray theta{};  // [rad] joint zero offset
  RLJntArray beta{};   // [rad]
};

// L/R adds 4, U/D adds 2, F/N adds 1.
enum RobotConfiguration : int {
  NONE = -1,
  LUF = 0,
  LUN = 1,
  LDF = 2,
  LDN = 3,
  RUF = 4,
  RUN = 5,
  RDF = 6,
  RDN = 7,
  Subspace = 8,
};

struct IKConfigInfo {
  RLPose goal{};
  RLJntArray q_ref{};                 // seed; zeros unless given
  std::vector<double> upper_bound;    // [rad] empty: the model's limits
  std::vector<double> lower_bound;    // [rad] empty: the model's limits
  std::vector<double> weight_js;      // empty: equal weights
  Array2d sol_tolerance{1e-5, 1e-5};  // position [m], orientation [rad]
  RobotConfiguration config = NONE;   // NONE: any branch
  double timeout = 1000.0;            // search budget in iterations
};

// Array layouts: ROTATION 9 (row by row), RPY 3, QUATERNION 4 (w, x, y, z),
// AXIS_ANGLE 4 (angle, kx, ky, kz), ZYZ 3 and ZYX 3 (first, second, third angle).
enum OriDescription : int {
  ROTATION = 0,
  RPY = 1,
  ZYZ = 2,
  ZYX = 3,
  QUATERNION = 4,
  AXIS_ANGLE = 5,
};

struct CollisionResult {
  bool collision = false;
  double distance = std::numeric_limits<double>::max();  // [m] distance or penetration depth
  std::size_t contact_count = 0;
  // first link, second link, depth [m], contact point [m] in the base
  std::vector<std::tuple<std::string, std::string, double, Array3d>> collision_info;
};

struct DistanceResult {
  double distance = std::numeric_limits<double>::max();  // [m]
  Array3d nearest_points[2] = {};                        // [m] in the base
  std::string link_names[2];
  Array3d normal{};  // unit direction from nearest_points[0] to nearest_points[1]
};

enum DisabledReason : int {
  NEVER = 0,
  DEFAULT = 1,
  ADJACENT = 2,
  ALWAYS = 3,
  USER = 4,
  NOT_DISABLED = 5,
};

struct LinkPairData {
  DisabledReason reason = NEVER;
  bool disable_check = false;
};

using LinkPairMap = std::map<std::pair<std::string, std::string>, LinkPairData>;

// Per link: the boxes that bound it, each its pose in the base and its three full edge lengths.
using OBBModel = std::map<std::string, std::vector<std::pair<Array6d, Array3d>>>;

enum class FrictionType : int {
  NOT_DEFINED = 0,
  LINEAR_MODEL = 1,
  QUADRATIC_MODEL = 2,
  VTL_Model = 31,
};

// VTL_Model para: Fs, Fc, Vs, Miu, Fv0, Fv1, Fv2, Fv3, Ft1, Ft2, Ft3, c1, c2.
struct FrictionParam {
  FrictionType type = FrictionType::NOT_DEFINED;
  std::vector<double> para;
};

// Control, calibration and state.

enum DescribeSpace : int {
  NOT_DEFINED = -1,
  JOINT = 0,
  CARTESIAN = 1,
  FULL = 2,
};

enum ControlMode : int {
  POS = 0,
  ADM = 10,
  IMP = 20,
  JOINT_TOR = 30,
};

enum class CoordType : int {
  BASE = 0,
  TOOL = 1,
  USER = 2,
  JOINT = 3,
};

enum MoveMode : int {
  POSITION = 0,
  VELOCITY = 1,
};

// O_<a>_<ab>: origin, a point on +a, a point in the ab plane.
enum CoordCalibMethod : int {
  O_X_XY = 0,
  O_X_XZ = 1,
  O_Y_YZ = 2,
  O_Y_YX = 3,
  O_Z_ZX = 4,
  O_Z_ZY = 5,
};

enum DynCalibType : int {
  BODY_JNT_CURRENT = 10,
  BODY_BASE_SENSOR = 20,
  BODY_INT_EXT = 30,
  TOOL_JNT_CURRENT = 40,
  TOOL_END_SENSOR = 50,
};

enum class FTSensorType : int {
  END = 0,
  BASE = 1,
  JOINT = 2,
};

struct FcDesignParam {
  std::vector<double> damp;        // damping ratio per controlled direction
  std::vector<double> wrench_fre;  // [Hz] force-loop frequencies
  std::vector<double> turn_fre;    // [Hz]
  std::vector<double> limit;
};

struct CalibError {
  double error_max = 0.0;
  double error_average = 0.0;
  double error_rms = 0.0;
};

struct FtSensorCalibResult {
  RLWrench offset{};  // sensor zero offset
  RLInertia inertia;  // identified payload in the sensor frame
  Array2d angle{};    // [rad] tilt of the base against gravity
  std::vector<CalibError> error;
};

struct CalibConfig {
  DynCalibType type{};
  std::vector<int> move_axis;                 // joint indices from 0
  std::vector<double> init_joint;             // [rad]
  std::vector<double> upper_joint_bound;      // [rad] one per move_axis entry
  std::vector<double> lower_joint_bound;      // [rad]
  std::vector<double> upper_cartesian_bound;  // [m]
  std::vector<double> lower_cartesian_bound;  // [m]
  std::vector<double> max_velocity;           // [rad/s] one per move_axis entry
  std::vector<double> max_acceleration;       // [rad/s^2] one per move_axis entry
  int traj_cycle = 5;                         // number of trajectory periods
  double sample_frequency = 200.0;            // [Hz]
  unsigned int fourier_order_number = 5;
  double fourier_period = 10.0;  // [s]
};

struct RobotKinCalibPara {
  Array6d base{};  // base frame pose
  Array6d tcp{};   // tool centre point pose
  DHPara dh1;
  DHPara dh2;
  std::vector<bool> choose_vec;  // true: the parameter is identified
};

struct RobotKinCalibDualInput {
  RLJntArray q1{};    // [rad]
  RLJntArray tau1{};  // [N m]
  RLJntArray q2{};    // [rad]
  RLJntArray tau2{};  // [N m]
};

struct DataFeature {
  double average = 0.0;
  double std = 0.0;
  double max = 0.0;
};

struct JointCollisionResult {
  bool collision = false;
  std::vector<bool> collision_flag;  // per joint
  RLJntArray contact_torque{};       // [N m]
};

// Planning.

enum CurveType : int {
  LINE = 0,
  MOVEP = 1,
  ARC = 2,
  BSPLINE = 3,
  INTERSECTION_LINE = 4,
  ARCHIMEDEAN_SPIRAL = 5,
};

enum PlannerCapacity : int {
  LookAhead = 0,
  ExecutionTrajectory = 1,
};

enum PlannerStatus : int {
  IDEL = 0,
  RUNNING = 1,
  PAUSING = 2,
  PAUSED = 3,
  RESUMING = 4,
  STOPPING = 5,
};

enum WeaveType : int {
  SINE = 0,
  SPIRAL = 1,
  TRIANGLE = 2,
  TRAPEZOIDAL = 3,
};

enum OriInterpolationType : int {
  VARIABLE_ORIENTATION_AROUND_AXIS = 0,
  CONSTANT_ORIENTATION_RELATED_PATH = 1,
  VARIABLE_ORIENTATION_VIA_SOME_POINT_ORI = 2,
};

enum EqualRadius : int {
  POSITON_ORIENTATION_SYNCHRONIZATION_PLAN = 0,
  ONLY_POSITION_PLAN = 1,
  ONLY_ORIENTATION_PLAN = 2,
};

enum StopType : int {
  PAUSE = 0,
  STOP = 1,
  EMERGENCY = 2,
};

enum TrajectoryTrackingStatus : int {
  TRACK = 0,
  END = 1,
};

enum PlannerQueue : int {
  ExecutionQueue = 0,
  BufferQueue = 1,
  PathQueue = 2,
};

struct PathPoint {
  double id = -1.0;
  DescribeSpace type = NOT_DEFINED;  // JOINT: `joint` is the target; CARTESIAN: `pose`
  RLPose pose{};                     // TCP pose in the base
  RLJntArray joint{};                // [rad]
};

struct TrajectoryPoint {
  MoveMode mode = POSITION;
  double time = 0.0;  // [s] within its move
  PathPoint point;
  RLTwist xd{};      // Cartesian velocity
  RLTwist xdd{};     // Cartesian acceleration
  RLJntArray qd{};   // [rad/s]
  RLJntArray qdd{};  // [rad/s^2]
  RLJntArray effort{};
  RLWrench wrench{};
};

struct IntersectionParameters {
  double r = 0.0;      // [m] first radius
  double R = 0.0;      // [m] second radius
  double alpha = 0.0;  // [rad]
  double D = 0.0;      // [m] distance
};

struct ArchimedeanspiralParameters {
  double stepsize = 0.0;    // [m]
  double alpha = 0.0;       // [rad] total turning angle
  double growthrate = 0.0;  // [m/rad]
};

struct SuperimposedParameters {
  bool enable = false;
  WeaveType type = SINE;
  double step = 0.0;        // [m] weave step along the path
  Array2d amplitude{};      // [m] on the two sides of the path
  Array2d hold_distance{};  // [m] dwell at the two turning points
  double angle = 0.0;       // [rad] angle of the weave plane
  int direction = 0;        // side on which the weave starts
  double belta = 0.0;       // [rad]
  double frequency = 0.0;   // [Hz]
};

struct CurveProperty {
  CurveType type = LINE;
  SuperimposedParameters sp;
  IntersectionParameters ip;
  ArchimedeanspiralParameters ap;
  OriInterpolationType ori_int_type = VARIABLE_ORIENTATION_AROUND_AXIS;
};

struct PathProperty {
  DescribeSpace describe_space{};
  Array2d blend_radius{0.0, 0.0};  // [m] towards the next segment; {0, 0} no blending
  double bow_high_err = 0.0001;    // [m] permitted chord error
  EqualRadius eq_radius = POSITON_ORIENTATION_SYNCHRONIZATION_PLAN;
  RLPose coord{};  // frame in which the segment is given
  CurveProperty curProp;
};

// maxV, maxA, maxJ: six joint values, or {translation [m/s...], rotation [rad/s...]}.
struct MoveProperty {
  MoveMode move_mode = POSITION;
  double move_duration = 0.0;  // [s]
  bool dynamic_adjust_motion_constraints = false;
  std::vector<double> move_times;  // [s]
  std::vector<double> tarV;
  std::vector<double> tarA;
  std::vector<double> maxV;
  std::vector<double> maxA;
  std::vector<double> maxJ;
};

// A view of one reference point in caller-owned storage; the arrays hold six values.
struct RefTrajectoryPoint {
  int* mode = nullptr;
  double* id = nullptr;
  double* time = nullptr;
  int* type = nullptr;
  double* x = nullptr;
  double* xd = nullptr;
  double* xdd = nullptr;
  double* q = nullptr;
  double* qd = nullptr;
  double* qdd = nullptr;
  double* wrench = nullptr;
  double* tau = nullptr;
};

// One segment of a path preview: its points, path property and move property.
using PathSegment = std::tuple<std::vector<PathPoint>, PathProperty, MoveProperty>;

}  // namespace interface
}  // namespace ZEMO

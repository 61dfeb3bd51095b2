#pragma once

#include <array>
#include <cmath>
#include <functional>
#include <iostream>
#include <limits>
#include <string>
#include <vector>

#include "robot_library_interface.h"
#include "zemo_utility.h"

namespace ZEMO {

using JointRows = std::vector<std::array<double, 6>>;

// Where curves would be drawn. This program draws nothing: the hooks take the data and return.
template <class Data>
inline void plotData(const Data&, const std::string& = "", const std::string& = "",
                     const std::string& = "", const std::string& = "",
                     const std::vector<std::string>& = {}, const std::vector<std::string>& = {},
                     bool = true) {}
template <class Data>
inline void plot3D(const Data&, const std::string& = "", const std::string& = "",
                   const std::vector<std::string>& = {}) {}
template <class Data>
inline void plot6D(const Data&, const std::string& = "", const std::string& = "",
                   const std::vector<std::string>& = {}) {}

// Start at q at rest, fresh robot state, execution buffer of 100, the tool, joint range +-2 pi.
inline void initiatePlanner(const ZEMOIntfacePtr& robot, const interface::RLJntArray& q,
                            const interface::RLPose& tcp) {
  const interface::RLJntArray zeros{};
  robot->tpSetInitialState(q, zeros, zeros, 0);
  robot->rsInitialRobotState();
  robot->tpSetPlannerCapacity(interface::ExecutionTrajectory, 100);
  robot->mdlSetToolPose(tcp);
  interface::RLJntArray upper, lower;
  upper.fill(6.283185307179586);
  lower.fill(-6.283185307179586);
  robot->mdlSetJointPositionRange(upper, lower);
}

inline interface::PathProperty generatePathProperty(const interface::Array2d& blend_radius,
                                                    double bow_high_err,
                                                    interface::DescribeSpace space) {
  interface::PathProperty pp;
  pp.blend_radius = blend_radius;
  pp.bow_high_err = bow_high_err;
  pp.describe_space = space;
  return pp;
}

inline interface::MoveProperty generateMoveProperty(interface::MoveMode mode, double duration,
                                                    const std::vector<double>& maxV,
                                                    const std::vector<double>& maxA,
                                                    const std::vector<double>& maxJ) {
  interface::MoveProperty mp;
  mp.move_mode = mode;
  mp.move_duration = duration;
  mp.maxV = maxV;
  mp.maxA = maxA;
  mp.maxJ = maxJ;
  return mp;
}

inline interface::PathPoint generatePathPoint(interface::DescribeSpace space, double id,
                                              const interface::RLJntArray& joint,
                                              const interface::RLPose& pose) {
  interface::PathPoint p;
  p.type = space;
  p.id = id;
  if (space == interface::JOINT) p.joint = joint;
  if (space == interface::CARTESIAN) p.pose = pose;
  return p;
}

// The controller loop: fetch a point per cycle, feed it to the robot state as reference, take
// the joint command as the next measured state, until the execution queue reports empty.
inline int generateTrajectoryPoints(const ZEMOIntfacePtr& robot, const interface::RLJntArray& q0,
                                    double cycle, std::vector<interface::TrajectoryPoint>& points,
                                    JointRows& pos_out, JointRows& vel_out, JointRows& acc_out,
                                    std::vector<double>& t_out,
                                    const std::function<void(interface::TrajectoryPoint)>& callback =
                                        nullptr) {
  const unsigned int dof = robot->mdlGetRobotDOF();
  interface::RLJntArray pos{}, vel{}, acc{};
  for (unsigned int i = 0; i < dof && i < pos.size(); ++i) pos[i] = q0[i];
  double time = 0.0;
  interface::TrajectoryPoint point;
  point.point.id = -1;
  point.point.type = interface::NOT_DEFINED;
  const std::array<double, 6> z{};
  while (true) {
    robot->rsUpdateJointPVA(pos, vel, acc, false);
    const int status = robot->tpPopTrajectoryPoint(cycle, point);
    if (point.point.type == interface::JOINT) {
      interface::CoordType space = interface::CoordType::JOINT;
      robot->rsSetRefTraj(space, z, point.point.joint.data(), point.qd.data(), point.qdd.data());
      robot->kdSpaceTransform(point.point.joint, point.qd, point.qdd, point.point.pose, point.xd,
                              point.xdd);
    } else {
      interface::CoordType space = interface::CoordType::BASE;
      robot->rsSetRefTraj(space, z, point.point.pose.data(), point.xd.data(), point.xdd.data());
    }
    time += cycle;
    const interface::Array2d tolerance{0.00002, 0.0001};
    const int ret = robot->rsCalJointCommand(pos, vel, acc, tolerance);
    if (callback) callback(point);
    if (ret < 0) {
      std::cout << "err pos: ";
      for (double v : pos) std::cout << v << ", ";
      std::cout << std::endl;
      return ret;
    }
    t_out.push_back(time);
    point.wrench[0] = phase_vv[0];
    point.wrench[1] = phase_vv[1];
    points.push_back(point);
    pos_out.push_back(pos);
    vel_out.push_back(vel);
    acc_out.push_back(acc);
    if (status == interface::E_PLN_EXEC_EMPTY) return ret;
  }
}

inline std::vector<std::array<double, 6>> generateIntersection(
    interface::PathProperty& pp, bool oblique, double r, double R, double D, double alpha,
    std::vector<std::array<double, 6>>& pose) {
  pp.curProp.ip.r = r;
  pp.curProp.ip.R = R;
  pp.curProp.ip.D = D;
  pp.curProp.ip.alpha = alpha;
  if (!oblique && pose.size() >= 4) {
    pose[1][1] += r;
    pose[3][2] += r;
  }
  return pose;
}

inline interface::PathProperty generateSuperimposed(interface::PathProperty& pp, bool enable,
                                                    double step, interface::WeaveType type,
                                                    double angle, const interface::Array2d& amplitude,
                                                    const interface::Array2d& hold_distance,
                                                    int direction) {
  pp.curProp.sp.enable = enable;
  pp.curProp.sp.step = step;
  pp.curProp.sp.type = type;
  pp.curProp.sp.angle = angle;
  pp.curProp.sp.amplitude = amplitude;
  pp.curProp.sp.hold_distance = hold_distance;
  pp.curProp.sp.direction = direction;
  return pp;
}

namespace detail {
// Per-joint recordings -> one six-value array per sample.
inline void transposeRecordings(const std::vector<std::vector<double>>& rec, JointRows& out) {
  const std::size_t n = rec.empty() ? 0 : rec[0].size();
  out.assign(n, std::array<double, 6>{});
  for (std::size_t j = 0; j < rec.size() && j < 6; ++j)
    for (std::size_t i = 0; i < n; ++i) out[i][j] = rec[j][i];
}

// Follows the current target for half its planned duration (the last one until the queue is
// empty), recording joint position, velocity and acceleration.
inline void followTarget(const ZEMOIntfacePtr& robot, double cycle, bool last, unsigned int dof,
                         std::vector<std::vector<double>>& q, std::vector<std::vector<double>>& qd,
                         std::vector<std::vector<double>>& qdd) {
  double d = robot->tpGetDuration(-1.0);
  if (last) d = std::numeric_limits<double>::max();
  double elapsed = 0.0;
  interface::TrajectoryPoint point;
  while (robot->tpPopTrajectoryPoint(cycle, point) != interface::E_PLN_EXEC_EMPTY &&
         0.5 * d > elapsed) {
    for (unsigned int j = 0; j < dof; ++j) {
      q[j].push_back(point.point.joint[j]);
      qd[j].push_back(point.qd[j]);
      qdd[j].push_back(point.qdd[j]);
    }
    elapsed += cycle;
  }
}
}  // namespace detail

inline int TargetPositionTracking(const ZEMOIntfacePtr& robot, interface::MoveProperty mp,
                                  double cycle, std::vector<std::vector<double>> targets,
                                  std::vector<interface::TrajectoryPoint> points, JointRows& pos_out,
                                  JointRows& vel_out, JointRows& acc_out) {
  (void)points;
  const unsigned int dof = robot->mdlGetRobotDOF();
  std::vector<std::vector<double>> q(dof), qd(dof), qdd(dof);
  if (targets.empty()) return 0;
  for (unsigned int j = 0; j < dof; ++j) {
    q[j].push_back(targets[0][j]);
    qd[j].push_back(0.0);
    qdd[j].push_back(0.0);
  }
  for (std::size_t k = 1; k < targets.size(); ++k) {
    interface::PathPoint target;
    target.id = static_cast<double>(k);
    target.type = interface::JOINT;
    for (unsigned int j = 0; j < dof; ++j) target.joint[j] = targets[k][j];
    if (mp.tarV.size() < dof) mp.tarV.resize(dof);
    if (mp.tarA.size() < dof) mp.tarA.resize(dof);
    for (unsigned int j = 0; j < dof; ++j) mp.tarV[j] = mp.tarA[j] = 0.0;
    robot->tpTrackTargetPoint(target, mp, 0);
    detail::followTarget(robot, cycle, k + 1 == targets.size(), dof, q, qd, qdd);
  }
  detail::transposeRecordings(q, pos_out);
  detail::transposeRecordings(qd, vel_out);
  detail::transposeRecordings(qdd, acc_out);
  return 0;
}

// Row k: the target velocity (dof values), then optionally the target acceleration (dof).
inline int TargetVelocityTracking(const ZEMOIntfacePtr& robot, interface::MoveProperty mp,
                                  double cycle, std::vector<std::vector<double>> data,
                                  std::vector<interface::TrajectoryPoint> points, JointRows& pos_out,
                                  JointRows& vel_out, JointRows& acc_out) {
  (void)points;
  const unsigned int dof = robot->mdlGetRobotDOF();
  std::vector<std::vector<double>> q(dof), qd(dof), qdd(dof);
  for (std::size_t k = 0; k < data.size(); ++k) {
    const std::vector<double>& row = data[k];
    interface::PathPoint target;
    target.id = static_cast<double>(k);
    target.type = interface::CARTESIAN;
    mp.tarV.assign(dof, 0.0);
    mp.tarA.assign(dof, 0.0);
    for (std::size_t j = 0; j < dof && j < row.size(); ++j) mp.tarV[j] = row[j];
    for (std::size_t j = 0; j < dof && dof + j < row.size(); ++j) mp.tarA[j] = row[dof + j];
    robot->tpTrackTargetPoint(target, mp, 0);
    detail::followTarget(robot, cycle, k + 1 == data.size(), dof, q, qd, qdd);
  }
  detail::transposeRecordings(q, pos_out);
  detail::transposeRecordings(qd, vel_out);
  detail::transposeRecordings(qdd, acc_out);
  return 0;
}

inline void memcpyjoints(const std::vector<std::vector<double>>& rows, JointRows& out) {
  out.resize(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i].size() == 6)
      for (std::size_t j = 0; j < 6; ++j) out[i][j] = rows[i][j];
}

inline void plot(const std::vector<interface::TrajectoryPoint>& points, const JointRows& pos,
                 const JointRows& vel, const JointRows& acc, const std::vector<double>& t,
                 bool six_d) {
  auto perJoint = [](const JointRows& rows) {
    std::vector<std::vector<double>> curves(6);
    for (const auto& r : rows)
      for (std::size_t j = 0; j < 6; ++j) curves[j].push_back(r[j]);
    return curves;
  };
  std::vector<std::vector<double>> tcp(six_d ? 6 : 3), vv(2), aa(2);
  for (const auto& p : points) {
    for (std::size_t j = 0; j < tcp.size(); ++j) tcp[j].push_back(p.point.pose[j]);
    vv[0].push_back(std::sqrt(p.xd[0] * p.xd[0] + p.xd[1] * p.xd[1] + p.xd[2] * p.xd[2]));
    vv[1].push_back(std::sqrt(p.xd[3] * p.xd[3] + p.xd[4] * p.xd[4] + p.xd[5] * p.xd[5]));
    aa[0].push_back(std::sqrt(p.xdd[0] * p.xdd[0] + p.xdd[1] * p.xdd[1] + p.xdd[2] * p.xdd[2]));
    aa[1].push_back(std::sqrt(p.xdd[3] * p.xdd[3] + p.xdd[4] * p.xdd[4] + p.xdd[5] * p.xdd[5]));
  }
  const std::vector<std::string> styles{"r", "g", "b", "c", "m", "y",
                                        "r--", "g--", "b--", "c--", "m--", "y--"};
  plotData(perJoint(pos), "q", "q", "time", "q", styles, {"joints"});
  plotData(perJoint(vel), "qd", "qd", "time", "qd", styles, {"joints"});
  plotData(perJoint(acc), "qdd", "qdd", "time", "qdd", styles, {"joints"});
  if (six_d)
    plot6D(tcp, "xyz-rpy", "time", styles);
  else
    plot3D(tcp, "xyz", "time", styles);
  plotData(vv, "vv", "vv", "time", "vv", styles);
  plotData(aa, "aa", "aa", "time", "aa", styles);
  (void)t;
}

}  // namespace ZEMO

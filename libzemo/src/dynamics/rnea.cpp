#include "dynamics/rnea.h"

#include "model/dh.h"

namespace zemo {

JointVector inverseDynamics(const RobotModel& model, const JointVector& q, const JointVector& qd,
                            const JointVector& qdd, const ExternalWrenches* W_env,
                            const Eigen::Vector3d& gravity) {
  const int n = model.dof;
  const DHTable dh = compensated(model);
  const std::array<LinkInertial, kMaxDof> bodies = effectiveBodies(model);

  // A[i] = T_{i,i+1}; body i lives in DH frame i+1 and turns about its z axis.
  std::array<Eigen::Isometry3d, kMaxDof> A;
  std::array<Eigen::Vector3d, kMaxDof> F_body, N_body;
  Eigen::Vector3d w = Eigen::Vector3d::Zero();
  Eigen::Vector3d wd = Eigen::Vector3d::Zero();
  // A base accelerating upwards at -g stands in for gravity on every body.
  Eigen::Vector3d a = -gravity;
  for (int i = 0; i < n; ++i) {
    A[i] = dhTransform(dh, i, q[i]);
    const Eigen::Matrix3d Rt = A[i].linear().transpose();
    const Eigen::Vector3d p = A[i].translation();
    a = Rt * (a + wd.cross(p) + w.cross(w.cross(p)));
    const Eigen::Vector3d wi = Rt * w;
    wd = Rt * wd + Eigen::Vector3d(wi.y() * qd[i], -wi.x() * qd[i], qdd[i]);
    w = wi + Eigen::Vector3d(0.0, 0.0, qd[i]);
    const LinkInertial& b = bodies[i];
    F_body[i] = b.m * a + wd.cross(b.mc) + w.cross(w.cross(b.mc));
    N_body[i] = b.I_o * wd + w.cross(b.I_o * w) + b.mc.cross(a);
  }

  Eigen::Vector3d f = Eigen::Vector3d::Zero();
  Eigen::Vector3d m = Eigen::Vector3d::Zero();
  if (W_env) {
    // End wrench from tool coordinates to flange coordinates, moment about the flange origin.
    const Eigen::Matrix3d& R = model.T_flange_tool.linear();
    const Eigen::Vector3d f_end = R * W_env->col(n).head<3>();
    f = -f_end;
    m = -(R * W_env->col(n).tail<3>() + model.T_flange_tool.translation().cross(f_end));
  }
  JointVector tau = JointVector::Zero();
  for (int i = n - 1; i >= 0; --i) {
    if (i + 1 < n) {
      f = A[i + 1].linear() * f;
      m = A[i + 1].linear() * m + A[i + 1].translation().cross(f);
    }
    f += F_body[i];
    m += N_body[i];
    if (W_env) {
      f -= W_env->col(i).head<3>();
      m -= W_env->col(i).tail<3>();
    }
    tau[i] = m.z() + model.rotor_inertia[i] * qdd[i];
  }
  return tau;
}

JointVector inverseDynamics(const RobotModel& model, const JointVector& q, const JointVector& qd,
                            const JointVector& qdd, const ExternalWrenches* W_env) {
  return inverseDynamics(model, q, qd, qdd, W_env, model.gravity);
}

JointVector coriolisTorque(const RobotModel& model, const JointVector& q, const JointVector& qd) {
  return inverseDynamics(model, q, qd, JointVector::Zero(), nullptr, Eigen::Vector3d::Zero());
}

JointVector gravityTorque(const RobotModel& model, const JointVector& q) {
  return inverseDynamics(model, q, JointVector::Zero(), JointVector::Zero(), nullptr,
                         model.gravity);
}

}  // namespace zemo

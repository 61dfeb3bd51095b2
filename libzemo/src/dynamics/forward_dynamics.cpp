#include "dynamics/forward_dynamics.h"

#include <Eigen/Cholesky>

#include "dynamics/crba.h"
#include "dynamics/rnea.h"

namespace zemo {

bool forwardDynamics(const RobotModel& model, const JointVector& q, const JointVector& qd,
                     const JointVector& tau, const ExternalWrenches* W_env, JointVector& qdd) {
  JointMatrix M = massMatrix(model, q);
  // Absent joints get a unit diagonal and a zero right-hand side, so one fixed 6x6 solve serves.
  for (int i = model.dof; i < kMaxDof; ++i) M(i, i) = 1.0;
  const JointVector bias = inverseDynamics(model, q, qd, JointVector::Zero(), W_env);
  JointVector rhs = tau - bias;
  rhs.tail(kMaxDof - model.dof).setZero();
  const Eigen::LLT<JointMatrix> llt(M);
  if (llt.info() != Eigen::Success) return false;
  qdd = llt.solve(rhs);
  return true;
}

}  // namespace zemo

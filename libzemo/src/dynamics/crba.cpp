#include "dynamics/crba.h"

#include "dynamics/body_inertia.h"
#include "model/dh.h"

namespace zemo {

JointMatrix massMatrix(const RobotModel& model, const JointVector& q) {
  const int n = model.dof;
  const DHTable dh = compensated(model);
  std::array<LinkInertial, kMaxDof> composite = effectiveBodies(model);
  std::array<Eigen::Isometry3d, kMaxDof> A;
  for (int i = 0; i < n; ++i) A[i] = dhTransform(dh, i, q[i]);

  // Composite body i (bodies i..n-1) in DH frame i+1.
  for (int i = n - 2; i >= 0; --i) {
    addInertial(composite[i],
                transformInertial(composite[i + 1], A[i + 1].linear(), A[i + 1].translation()));
  }

  JointMatrix M = JointMatrix::Zero();
  for (int i = 0; i < n; ++i) {
    // Momentum of composite i turning at unit rate about its own z axis.
    const LinkInertial& c = composite[i];
    Eigen::Vector3d f(-c.mc.y(), c.mc.x(), 0.0);
    Eigen::Vector3d m = c.I_o.col(2);
    M(i, i) = m.z() + model.rotor_inertia[i];
    for (int j = i - 1; j >= 0; --j) {
      f = A[j + 1].linear() * f;
      m = A[j + 1].linear() * m + A[j + 1].translation().cross(f);
      M(i, j) = M(j, i) = m.z();
    }
  }
  return M;
}

}  // namespace zemo

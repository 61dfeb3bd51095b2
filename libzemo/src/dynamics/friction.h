// Joint friction laws. v: joint velocity [rad/s], T: joint temperature [deg C], L: load torque
// the joint transmits [N m]. s(v) = tanh(v / kFrictionSmoothingVelocity) is the smoothed sign.
//
// LINEAR_MODEL, para (Fc, Fv):      tau = Fc s(v) + Fv v
// QUADRATIC_MODEL, para (Fc, Fv, Fq): tau = Fc s(v) + Fv v + Fq v |v|
// VTL_Model, para (Fs, Fc, Vs, Miu, Fv0, Fv1, Fv2, Fv3, Ft1, Ft2, Ft3, c1, c2):
//   Stribeck  S = (Fc + (Fs - Fc) exp(-|v / Vs|^Miu)) s(v)       (Miu: shape exponent, 2 = Gauss)
//   viscous   V = (Fv0 + Fv1 |v| + Fv2 v^2 + Fv3 |v|^3) s(v)
//   kC(T) = max(0, 1 + Ft2 (T - Tr))                              Coulomb level, linear in T
//   kV(T) = max(0, 1 - Ft1 + Ft1 exp(Ft3 (1 / (T + 273.15) - 1 / (Tr + 273.15))))
//           the lubricant share Ft1 of the viscous part thins with temperature (Arrhenius, Ft3 [K])
//   kL = max(0, c1 + c2 sgn(L) s(v))   gear-mesh friction per N m transmitted: c1 + c2 while the
//           motor drives the load, c1 - c2 while the load drives the joint
//   tau = kC S + kV V + kL |L| s(v),  Tr = kFrictionReferenceTemperature.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace zemo {

constexpr double kFrictionSmoothingVelocity = 1e-3;     // [rad/s]
constexpr double kFrictionReferenceTemperature = 25.0;  // [deg C]
constexpr int kVtlParamCount = 13;

// Values match the interface's FrictionType.
enum class FrictionLaw : int { kNone = 0, kLinear = 1, kQuadratic = 2, kVtl = 31 };

struct JointFriction {
  FrictionLaw law = FrictionLaw::kNone;
  std::array<double, kVtlParamCount> p{};  // the law's parameters in the order above
};

// Validates a law tag and its parameter list (count, finite values, Vs > 0 and Miu > 0 for VTL).
bool makeJointFriction(int type, const std::vector<double>& para, JointFriction& out,
                       std::string& error);

// Friction torque [N m] opposing the motion; zero for kNone.
double frictionTorque(const JointFriction& f, double v, double temperature, double load);

}  // namespace zemo

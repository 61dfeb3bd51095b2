#include "dynamics/friction.h"

#include <algorithm>
#include <cmath>

namespace zemo {
namespace {

constexpr double kCelsiusToKelvin = 273.15;

std::size_t parameterCount(FrictionLaw law) {
  switch (law) {
    case FrictionLaw::kNone:
      return 0;
    case FrictionLaw::kLinear:
      return 2;
    case FrictionLaw::kQuadratic:
      return 3;
    case FrictionLaw::kVtl:
      return kVtlParamCount;
  }
  return 0;
}

double vtl(const std::array<double, kVtlParamCount>& p, double v, double T, double L) {
  const double Fs = p[0], Fc = p[1], Vs = p[2], Miu = p[3];
  const double Fv0 = p[4], Fv1 = p[5], Fv2 = p[6], Fv3 = p[7];
  const double Ft1 = p[8], Ft2 = p[9], Ft3 = p[10], c1 = p[11], c2 = p[12];
  const double s = std::tanh(v / kFrictionSmoothingVelocity);
  const double av = std::abs(v);
  const double stribeck = (Fc + (Fs - Fc) * std::exp(-std::pow(av / Vs, Miu))) * s;
  const double viscous = (Fv0 + av * (Fv1 + av * (Fv2 + av * Fv3))) * s;
  const double kC = std::max(0.0, 1.0 + Ft2 * (T - kFrictionReferenceTemperature));
  const double arrhenius =
      std::exp(Ft3 * (1.0 / (T + kCelsiusToKelvin) -
                      1.0 / (kFrictionReferenceTemperature + kCelsiusToKelvin)));
  const double kV = std::max(0.0, 1.0 - Ft1 + Ft1 * arrhenius);
  const double sgnL = (L > 0.0) - (L < 0.0);
  const double kL = std::max(0.0, c1 + c2 * sgnL * s);
  return kC * stribeck + kV * viscous + kL * std::abs(L) * s;
}

}  // namespace

bool makeJointFriction(int type, const std::vector<double>& para, JointFriction& out,
                       std::string& error) {
  FrictionLaw law;
  switch (type) {
    case 0:
    case 1:
    case 2:
    case 31:
      law = static_cast<FrictionLaw>(type);
      break;
    default:
      error = "unknown friction type " + std::to_string(type);
      return false;
  }
  const std::size_t n = parameterCount(law);
  if (para.size() != n) {
    error = "friction type " + std::to_string(type) + " needs " + std::to_string(n) +
            " values, got " + std::to_string(para.size());
    return false;
  }
  for (std::size_t i = 0; i < n; ++i) {
    if (!std::isfinite(para[i])) {
      error = "friction value " + std::to_string(i) + " is not finite";
      return false;
    }
  }
  if (law == FrictionLaw::kVtl && (para[2] <= 0.0 || para[3] <= 0.0)) {
    error = "VTL friction needs Vs > 0 and Miu > 0, got Vs " + std::to_string(para[2]) + ", Miu " +
            std::to_string(para[3]);
    return false;
  }
  JointFriction f;
  f.law = law;
  std::copy(para.begin(), para.end(), f.p.begin());
  out = f;
  return true;
}

double frictionTorque(const JointFriction& f, double v, double temperature, double load) {
  const double s = std::tanh(v / kFrictionSmoothingVelocity);
  switch (f.law) {
    case FrictionLaw::kNone:
      return 0.0;
    case FrictionLaw::kLinear:
      return f.p[0] * s + f.p[1] * v;
    case FrictionLaw::kQuadratic:
      return f.p[0] * s + f.p[1] * v + f.p[2] * v * std::abs(v);
    case FrictionLaw::kVtl:
      return vtl(f.p, v, temperature, load);
  }
  return 0.0;
}

}  // namespace zemo

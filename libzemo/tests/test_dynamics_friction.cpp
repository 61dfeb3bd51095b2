#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "dynamics/friction.h"

namespace zemo {
namespace {

JointFriction make(int type, const std::vector<double>& para) {
  JointFriction f;
  std::string error;
  EXPECT_TRUE(makeJointFriction(type, para, f, error)) << error;
  return f;
}

// Joint 4 of vire_r5's VTL set: Fs, Fc, Vs, Miu, Fv0..Fv3, Ft1..Ft3, c1, c2.
const std::vector<double> kVtl = {0.383027, 0.299988,  0.2,        1.77955,  -0.00234212,
                                  0.276982, 0.0411784, 0.00273699, 0.348209, -0.00795552,
                                  1000,     0.01002,   0.005259};

TEST(Friction, LinearAndQuadraticLawsAtSpeed) {
  const double v = 0.8;  // far beyond the smoothing band
  const struct {
    int type;
    std::vector<double> para;
    double expected;
  } cases[] = {
      {1, {0.5, 2.0}, 0.5 + 2.0 * v},
      {2, {0.5, 2.0, 3.0}, 0.5 + 2.0 * v + 3.0 * v * v},
      {0, {}, 0.0},
  };
  for (const auto& c : cases) {
    const JointFriction f = make(c.type, c.para);
    EXPECT_NEAR(frictionTorque(f, v, 30.0, 10.0), c.expected, 1e-12) << "type " << c.type;
    EXPECT_NEAR(frictionTorque(f, -v, 30.0, 10.0), -c.expected, 1e-12) << "type " << c.type;
    EXPECT_EQ(frictionTorque(f, 0.0, 30.0, 10.0), 0.0) << "type " << c.type;
  }
}

TEST(Friction, VtlOpposesMotionAndIsContinuousThroughRest) {
  const JointFriction f = make(31, kVtl);
  for (double load : {0.0, -12.0, 12.0}) {
    EXPECT_EQ(frictionTorque(f, 0.0, 28.0, load), 0.0);
    EXPECT_LT(std::abs(frictionTorque(f, 1e-9, 28.0, load)), 1e-5);
    for (double v : {0.002, 0.05, 0.6, 3.0}) {
      EXPECT_GT(frictionTorque(f, v, 28.0, load), 0.0) << v;
      EXPECT_LT(frictionTorque(f, -v, 28.0, load), 0.0) << v;
    }
  }
  // Without load the law is odd in v.
  EXPECT_DOUBLE_EQ(frictionTorque(f, 0.4, 28.0, 0.0), -frictionTorque(f, -0.4, 28.0, 0.0));
}

TEST(Friction, VtlStribeckLevelsAtReferenceTemperature) {
  const JointFriction f = make(31, kVtl);
  const double Tr = kFrictionReferenceTemperature;
  // Just past the smoothing band and well below Vs: breakaway level Fs (+ Fv0).
  EXPECT_NEAR(frictionTorque(f, 0.01, Tr, 0.0), kVtl[0] + kVtl[4], 5e-3);
  // Far above Vs the Stribeck hump is gone: Coulomb plus the viscous polynomial.
  const double v = 2.0;
  const double viscous = kVtl[4] + kVtl[5] * v + kVtl[6] * v * v + kVtl[7] * v * v * v;
  EXPECT_NEAR(frictionTorque(f, v, Tr, 0.0), kVtl[1] + viscous, 1e-9);
}

TEST(Friction, VtlTemperatureAndLoadTrends) {
  const JointFriction f = make(31, kVtl);
  const double v = 1.0;
  // Warmer lubricant: less friction (Ft2 < 0, Ft3 > 0 for this joint).
  EXPECT_GT(frictionTorque(f, v, 10.0, 0.0), frictionTorque(f, v, 25.0, 0.0));
  EXPECT_GT(frictionTorque(f, v, 25.0, 0.0), frictionTorque(f, v, 60.0, 0.0));
  // More transmitted torque, more mesh friction: (c1 + c2) |L| driving, (c1 - c2) |L| driven.
  const double f0 = frictionTorque(f, v, 25.0, 0.0);
  EXPECT_NEAR(frictionTorque(f, v, 25.0, 20.0) - f0, (kVtl[11] + kVtl[12]) * 20.0, 1e-9);
  EXPECT_NEAR(frictionTorque(f, v, 25.0, -20.0) - f0, (kVtl[11] - kVtl[12]) * 20.0, 1e-9);
}

TEST(Friction, MalformedParametersAreRefused) {
  auto with = [](std::vector<double> v, std::size_t i, double x) {
    v[i] = x;
    return v;
  };
  const struct {
    const char* what;
    int type;
    std::vector<double> para;
  } cases[] = {
      {"unknown type", 3, {1, 2}},
      {"linear with three", 1, {1, 2, 3}},
      {"quadratic with two", 2, {1, 2}},
      {"VTL with twelve", 31, std::vector<double>(kVtl.begin(), kVtl.end() - 1)},
      {"VTL with Vs = 0", 31, with(kVtl, 2, 0.0)},
      {"VTL with Miu < 0", 31, with(kVtl, 3, -1.0)},
      {"NaN", 31, with(kVtl, 6, std::numeric_limits<double>::quiet_NaN())},
      {"not defined with values", 0, {1}},
  };
  for (const auto& c : cases) {
    JointFriction f = make(1, {7, 8});
    std::string error;
    EXPECT_FALSE(makeJointFriction(c.type, c.para, f, error)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
    EXPECT_EQ(f.law, FrictionLaw::kLinear) << c.what;
    EXPECT_EQ(f.p[0], 7) << c.what;
  }
}

}  // namespace
}  // namespace zemo

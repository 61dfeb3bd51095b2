#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "dynamics/dynamic_parameters.h"
#include "dynamics/rnea.h"
#include "dynamics/tcp_wrench.h"
#include "test_dynamics_fixture.h"

namespace zemo::test {
namespace {

// One arm's identified parameters in the four forms; forms 1, 2 and 10 all denote form0.
const std::vector<double> kForm0 = {
    0,        0, 0,         0,         0, 0,         0,         0,         0, 0,
    4.80128,  0, 4.59188,   0.100428,  0, -2.14945,  0.058067,  -0.207697, 0, 0.166301,
    4.14606,  0, 1.9569,    -0.047254, 0, -0.670036, -0.064804, -0.041111, 0, 0.096918,
    0.619464, 0, -0.000507, 0.147181,  0, 0.191504,  -0.059601, 0.184088,  0, -0.018878,
    0.036473, 0, -0.034803, -0.075407, 0, 0.043757,  0.000833,  -0.030615, 0, -0.00388,
    0.084474, 0, 0.021004,  0.02445,   0, -0.009733, -0.003285, -0.005408, 0, 0.0058,
    0.037652};
const std::vector<double> kForm1 = {
    1,         4.80128,   20.1054,   9.28229,   0.40721,   4.59188,   0.100428,  -2.14945,
    0.058067,  -0.207697, 0.166301,  4.14606,   8.89745,   11.7701,   -0.162258, 1.9569,
    -0.047254, -0.670036, -0.064804, -0.041111, 0.096918,  0.619464,  2.03837,   12.2774,
    7.716,     0.176549,  -0.000507, 0.147181,  0.191504,  -0.059601, 0.184088,  -0.018878,
    0.036473,  0.192493,  1.29888,   2.64646,   -0.512115, -0.034803, -0.075407, 0.043757,
    0.000833,  -0.030615, -0.00388,  0.084474,  0.141161,  1.99213,   1.89257,   -0.279314,
    0.021004,  0.02445,   -0.009733, -0.003285, -0.005408, 0.0058,    0.037652,  0.14611,
    1.76834,   2.6431,    -0.032999};
const std::vector<double> kForm2 = {
    2,         4.80128,   0,         0,         -2.14945,  0.058067,  -0.207697, 0.166301,
    4.14606,   4.59188,   0.100428,  -0.670036, -0.064804, -0.041111, 0.096918,  0.619464,
    1.9569,    -0.047254, 0.191504,  -0.059601, 0.184088,  -0.018878, 0.036473,  -0.000507,
    0.147181,  0.043757,  0.000833,  -0.030615, -0.00388,  0.084474,  -0.034803, -0.075407,
    -0.009733, -0.003285, -0.005408, 0.0058,    0.037652,  0.021004,  0.02445,   1.8016,
    0.179,     0.1661,    0.1025};

std::vector<double> form10() {
  std::vector<double> v = kForm0;
  v[0] = 10;
  return v;
}

TEST(DynamicParameters, EveryFormReadsBackAsForm0) {
  for (const auto& in : {kForm0, kForm1, kForm2, form10()}) {
    SCOPED_TRACE("form " + std::to_string(in[0]));
    std::vector<double> out;
    std::string error;
    ASSERT_TRUE(dynamicParametersToForm0(in, out, error)) << error;
    ASSERT_EQ(out.size(), kForm0.size());
    for (std::size_t i = 0; i < out.size(); ++i) EXPECT_EQ(out[i], kForm0[i]) << "index " << i;
  }
}

TEST(DynamicParameters, MalformedVectorsAreRefusedAndLeaveTheOutputAlone) {
  auto with = [](std::vector<double> v, std::size_t i, double x) {
    v[i] = x;
    return v;
  };
  auto resized = [](std::vector<double> v, std::size_t n) {
    v.resize(n, 0.0);
    return v;
  };
  const struct {
    const char* what;
    std::vector<double> in;
  } cases[] = {
      {"empty", {}},
      {"unknown tag", with(kForm0, 0, 3)},
      {"fractional tag", with(kForm0, 0, 0.5)},
      {"form 0 too short", resized(kForm0, 60)},
      {"form 10 too long", resized(form10(), 62)},
      {"form 1 with form-0 length", with(kForm0, 0, 1)},
      {"form 2 too short", resized(kForm2, 42)},
      {"NaN", with(kForm1, 7, std::numeric_limits<double>::quiet_NaN())},
      {"infinity", with(kForm2, 40, std::numeric_limits<double>::infinity())},
  };
  for (const auto& c : cases) {
    std::vector<double> out = {42.0};
    std::string error;
    EXPECT_FALSE(dynamicParametersToForm0(c.in, out, error)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
    EXPECT_EQ(out, std::vector<double>{42.0}) << c.what;
  }
}

TEST(DynamicParameters, Form0AndLinksRoundTripAndDriveTheDynamics) {
  std::vector<double> v(kForm0Size, 0.0);
  for (int k = 0; k < 6; ++k)
    for (int s = 0; s < kDynParamsPerLink; ++s) v[1 + 10 * k + s] = kLinkPara[k][s];
  EXPECT_EQ(form0FromLinks(linksFromForm0(v)), v);

  // Parameters set through the vector give the same torques as the links set directly.
  RobotModel direct = makeVireR5();
  setLinks(direct, kLinkPara);
  RobotModel via_vector = makeVireR5();
  via_vector.links = linksFromForm0(v);
  EXPECT_EQ(inverseDynamics(direct, kQ0, kQ0, kQ0), inverseDynamics(via_vector, kQ0, kQ0, kQ0));
}

Eigen::Isometry3d poseToTransform(double x, double y, double z, double rx, double ry, double rz) {
  return Eigen::Translation3d(x, y, z) * Eigen::AngleAxisd(rz, Eigen::Vector3d::UnitZ()) *
         Eigen::AngleAxisd(ry, Eigen::Vector3d::UnitY()) *
         Eigen::AngleAxisd(rx, Eigen::Vector3d::UnitX());
}

TEST(TcpWrench, IdentityPosesWithoutPayloadReturnTheReading) {
  const RobotModel model = makeVireR5();
  Wrench W;
  W << -22.0025, 7.6498, -53.7775, -117.2313, -13.0462, 44.2201;
  const Wrench out = tcpWrenchFromEndSensor(model, kQ0, W, Eigen::Isometry3d::Identity());
  EXPECT_LT((out - W).cwiseAbs().maxCoeff(), 1e-12);
}

// A reading of a 5 kg payload alone (offset removed), then with a known contact wrench added at
// the sensor; reference values from an independent NumPy model of the same sensor set-up.
TEST(TcpWrench, PayloadWeightIsRemovedAndTheRestMovedToTheToolPoint) {
  RobotModel model = makeVireR5();
  model.tool.m = 5.0;
  model.tool.c << 0, 0.1411, 0.0541;
  model.T_flange_tool = poseToTransform(0.05, 0.01, 0.03, M_PI / 2, 0, 0);
  const Eigen::Isometry3d T_flange_sensor = poseToTransform(0.01, 0.02, 0.03, M_PI / 2, 0, 0);
  Wrench payload_only;
  payload_only << 1.10025293 - 1.1, 50.25 - 1.2, 1.29996917 - 1.3, 6.03995426 - 0.1,
      0.19996906 - 0.2, -0.1905061 - 0.3;
  EXPECT_LT(tcpWrenchFromEndSensor(model, kQ0, payload_only, T_flange_sensor).cwiseAbs().maxCoeff(),
            1e-7);

  Wrench contact;
  contact << 1, 2, 3, 0.1, 0.2, 0.3;
  Wrench expected;
  expected << 1, 2, 3, 0.12, 0.31, 0.22;
  const Wrench out = tcpWrenchFromEndSensor(model, kQ0, payload_only + contact, T_flange_sensor);
  EXPECT_LT((out - expected).cwiseAbs().maxCoeff(), 1e-7);
}

}  // namespace
}  // namespace zemo::test

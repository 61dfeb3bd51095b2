#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <Eigen/Geometry>
#include <gtest/gtest.h>

#include "utility/geometry.h"

namespace zemo {
namespace {

const std::vector<Eigen::Vector3d> kTriangle = {{1, 0, 0}, {7, 0, 0}, {1, 2, 0}};

TEST(SearchPoint, KnownSetsAndRigidMotionInvariance) {
  const struct {
    double alpha;
    Eigen::Vector3d expected;
  } cases[] = {{3 * M_PI / 4, {5, 2, 0}}, {M_PI / 4, {9, 2, 0}}, {M_PI / 2, {7, 2, 0}}};
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  for (const auto& c : cases) {
    Eigen::Vector3d out;
    std::string error;
    ASSERT_EQ(searchPoint(kTriangle, c.alpha, out, error), 0) << error;
    EXPECT_LT((out - c.expected).norm(), 1e-12) << "alpha " << c.alpha;
    for (int trial = 0; trial < 20; ++trial) {
      const Eigen::Isometry3d T =
          Eigen::Translation3d(5 * u(rng), 5 * u(rng), 5 * u(rng)) *
          Eigen::Quaterniond(Eigen::Vector4d(u(rng), u(rng), u(rng), u(rng)).normalized());
      std::vector<Eigen::Vector3d> moved;
      for (const auto& p : kTriangle) moved.push_back(T * p);
      Eigen::Vector3d moved_out;
      ASSERT_EQ(searchPoint(moved, c.alpha, moved_out, error), 0) << error;
      EXPECT_LT((moved_out - T * c.expected).norm(), 1e-10)
          << "alpha " << c.alpha << " trial " << trial;
    }
  }
}

TEST(SearchPoint, RejectsDegenerateInput) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    const char* what;
    std::vector<Eigen::Vector3d> points;
    double alpha;
  } cases[] = {
      {"no points", {}, M_PI / 4},
      {"two points", {{1, 0, 0}, {7, 0, 0}}, M_PI / 4},
      {"collinear", {{1, 0, 0}, {7, 0, 0}, {3, 0, 0}}, M_PI / 4},
      {"first two equal", {{1, 0, 0}, {1, 0, 0}, {1, 2, 0}}, M_PI / 4},
      {"alpha 0", kTriangle, 0.0},
      {"alpha pi", kTriangle, M_PI},
      {"alpha NaN", kTriangle, nan},
      {"NaN point", {{1, 0, 0}, {7, nan, 0}, {1, 2, 0}}, M_PI / 4},
  };
  for (const auto& c : cases) {
    Eigen::Vector3d out(4, 5, 6);
    std::string error;
    EXPECT_LT(searchPoint(c.points, c.alpha, out, error), 0) << c.what;
    EXPECT_EQ(out, Eigen::Vector3d(4, 5, 6)) << c.what;
  }
}

TEST(VectorNorm, ValuesEdgesAndNoOverflow) {
  const double data1[] = {1, 2, 3, 4, 5}, data2[] = {-0.2}, huge[] = {3e200, 4e200};
  EXPECT_NEAR(vectorNorm(data1, 5), std::sqrt(55.0), 1e-14);
  EXPECT_NEAR(vectorNorm(data2, 1), 0.2, 1e-16);
  EXPECT_NEAR(vectorNorm(huge, 2) / 5e200, 1.0, 1e-14);
  EXPECT_EQ(vectorNorm(data1, 0), 0.0);
  EXPECT_LT(vectorNorm(data1, -1), 0.0);
  EXPECT_LT(vectorNorm(nullptr, 3), 0.0);
}

TEST(DefinePlane, KnownSetsOrientedTowardTheDirectionPoint) {
  const std::vector<Eigen::Vector3d> set1 = {{-0.5, 0, 0}, {-0.5, 0.5, 0}, {-0.5, 0.5, 0.5}};
  const struct {
    std::vector<Eigen::Vector3d> points;
    Eigen::Vector3d direction;
    Eigen::Vector4d plane;
  } cases[] = {
      {set1, {5, 2, 0}, {2, 0, 0, 1}},
      {{{0, 0, -0.5}, {1, 0, -1.5}, {0, 1, -1.5}}, {9, 2, 0}, {2, 2, 2, 1}},
      {set1, {-5, 2, 0}, {-2, 0, 0, -1}},  // beyond the plane, seen from the origin
      {set1, {-0.5, 7, 7}, {2, 0, 0, 1}},  // on the plane: no side to point to
  };
  for (const auto& c : cases) {
    Eigen::Vector4d plane;
    std::string error;
    ASSERT_EQ(definePlane(c.points, c.direction, plane, error), 0) << error;
    EXPECT_LT((plane - c.plane).norm(), 1e-12) << "direction " << c.direction.transpose();
  }
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> u(-2.0, 2.0);
  for (int trial = 0; trial < 50; ++trial) {
    std::vector<Eigen::Vector3d> points(3);
    for (auto& p : points) p = Eigen::Vector3d(u(rng), u(rng), u(rng));
    Eigen::Vector4d plane;
    std::string error;
    ASSERT_EQ(definePlane(points, Eigen::Vector3d::Zero(), plane, error), 0) << error;
    for (const auto& p : points)
      EXPECT_NEAR(plane.head<3>().dot(p) + plane(3), 0.0, 1e-9 * plane.head<3>().norm())
          << "trial " << trial;
  }
}

TEST(DefinePlane, RejectsCollinearPointsAndPlanesThroughTheOrigin) {
  const struct {
    const char* what;
    std::vector<Eigen::Vector3d> points;
  } cases[] = {
      {"collinear", {{1, 1, 1}, {2, 2, 2}, {4, 4, 4.0}}},
      {"coincident", {{1, 2, 3}, {1, 2, 3}, {0, 1, 0}}},
      {"through the origin", {{1, 0, 0}, {0, 1, 0}, {1, 1, 0}}},
      {"too few points", {{1, 0, 0}, {0, 1, 0}}},
  };
  for (const auto& c : cases) {
    Eigen::Vector4d plane(9, 9, 9, 9);
    std::string error;
    EXPECT_LT(definePlane(c.points, Eigen::Vector3d(5, 2, 0), plane, error), 0) << c.what;
    EXPECT_EQ(plane, Eigen::Vector4d(9, 9, 9, 9)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
  }
}

}  // namespace
}  // namespace zemo

#include "utility/geometry.h"

#include <algorithm>
#include <cmath>

#include <Eigen/Geometry>

#include "utility/argument_checks.h"

namespace zemo {
namespace {

int checkPoints(const std::vector<Eigen::Vector3d>& points, std::string& error) {
  if (points.size() != 3)
    return rejectArgument(error, "point count", points.size(), "must be 3",
                          ZEMO::E_DIMENSION_DISMATCH);
  for (std::size_t i = 0; i < points.size(); ++i)
    if (!points[i].allFinite())
      return rejectArgument(error, "point " + std::to_string(i), points[i].transpose(),
                            "is not finite");
  return ZEMO::E_NO_ERROR;
}

}  // namespace

int searchPoint(const std::vector<Eigen::Vector3d>& points, double alpha, Eigen::Vector3d& out,
                std::string& error) {
  int ret = checkPoints(points, error);
  if (ret < 0) return ret;
  if (!(alpha > 0.0 && alpha < M_PI) || std::sin(alpha) <= kGeometryDegenerateRatio)
    return rejectArgument(error, "alpha", alpha, "must be within (0, pi)");
  const Eigen::Vector3d axis = points[1] - points[0];
  const Eigen::Vector3d w = points[2] - points[0];
  const double length = axis.norm();
  if (length == 0.0) return rejectArgument(error, "points 0 and 1", "equal", "must differ");
  const Eigen::Vector3d u = axis / length;
  const Eigen::Vector3d offset = w - w.dot(u) * u;
  const double h = offset.norm();
  if (h <= kGeometryDegenerateRatio * std::max(length, w.norm()))
    return rejectArgument(error, "points", "collinear", "must span a plane");
  out = points[1] + h * (std::cos(alpha) / std::sin(alpha) * u + offset / h);
  return ZEMO::E_NO_ERROR;
}

double vectorNorm(const double* values, int n) {
  if (n < 0 || (n > 0 && values == nullptr)) return -1.0;
  if (n == 0) return 0.0;
  return Eigen::Map<const Eigen::VectorXd>(values, n).stableNorm();
}

int definePlane(const std::vector<Eigen::Vector3d>& points, const Eigen::Vector3d& direction,
                Eigen::Vector4d& plane, std::string& error) {
  int ret = checkPoints(points, error);
  if (ret < 0) return ret;
  if (!direction.allFinite())
    return rejectArgument(error, "direction point", direction.transpose(), "is not finite");
  const Eigen::Vector3d e1 = points[1] - points[0];
  const Eigen::Vector3d e2 = points[2] - points[0];
  const Eigen::Vector3d normal = e1.cross(e2);
  const double area = normal.norm();
  if (area <= kGeometryDegenerateRatio * e1.norm() * e2.norm() || area == 0.0)
    return rejectArgument(error, "points", "collinear", "must span a plane");
  const double d = -normal.dot(points[0]);
  const double scale =
      std::max({points[0].norm(), points[1].norm(), points[2].norm(), e1.norm(), e2.norm()});
  if (std::abs(d) <= kGeometryDegenerateRatio * area * scale)
    return rejectArgument(error, "plane offset d", d, "is zero (plane through the origin)");
  plane << normal / d, 1.0;
  // The origin is on the normal's side; flip when the direction point is strictly on the other.
  if (plane.head<3>().dot(direction) + 1.0 < 0.0) plane = -plane;
  return ZEMO::E_NO_ERROR;
}

}  // namespace zemo

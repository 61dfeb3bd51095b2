// Small geometric helpers on points of 3-D space.
#pragma once

#include <string>
#include <vector>

#include <Eigen/Core>

namespace zemo {

// Relative size below which a length counts as zero (coincident or collinear points).
constexpr double kGeometryDegenerateRatio = 1e-9;

// points = (p0, p1, p2), not collinear. The result lies on the line through p2 parallel to
// p0 -> p1, where the ray from p1 at angle alpha (in (0, pi)) from the direction p0 -> p1,
// turned toward p2, meets it: p1 + h (cot(alpha) u + v), u along p0 -> p1, v the unit
// direction from that line to p2, h the distance of p2 from it.
int searchPoint(const std::vector<Eigen::Vector3d>& points, double alpha, Eigen::Vector3d& out,
                std::string& error);

// Euclidean norm of n values, without overflow for large entries; 0 for n = 0, and -1 (no
// norm is negative) for n < 0 or missing values.
double vectorNorm(const double* values, int n);

// Plane a x + b y + c z + d = 0 through three non-collinear points, scaled so that |d| = 1 with
// the normal (a, b, c) pointing to the side of the direction point: d = 1 whenever the direction
// point and the origin are on the same side, or the direction point lies on the plane. A plane
// through the origin cannot be scaled so and is rejected.
int definePlane(const std::vector<Eigen::Vector3d>& points, const Eigen::Vector3d& direction,
                Eigen::Vector4d& plane, std::string& error);

}  // namespace zemo

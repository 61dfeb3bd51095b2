// Geometric shapes attached to links or placed in the workspace for collision queries.
#pragma once

#include <array>
#include <memory>
#include <string>

namespace ZEMO {
namespace geometric_shapes {

enum ShapeType : int {
  UNKNOWN_SHAPE = -1,
  SPHERE = 0,
  CYLINDER = 1,
  CONE = 2,
  BOX = 3,
  PLANE = 4,
  MESH = 5,
  OCTREE = 6,
};

class Shape {
 public:
  Shape() = default;
  virtual ~Shape();

  ShapeType type = UNKNOWN_SHAPE;
  std::string name;  // identifies the shape when it is removed again
};

using ShapePtr = std::shared_ptr<Shape>;
using ShapeConstPtr = std::shared_ptr<const Shape>;

class Sphere : public Shape {
 public:
  explicit Sphere(double radius);

  double radius = 0.0;  // [m]
};

// Centred on its frame, axis along z.
class Cylinder : public Shape {
 public:
  Cylinder(double radius, double length);

  double radius = 0.0;  // [m]
  double length = 0.0;  // [m]
};

// Centred on its frame, edges along the frame axes.
class Box : public Shape {
 public:
  Box(double x, double y, double z);

  std::array<double, 3> size{};  // [m] full edge lengths along x, y, z
};

// a*x + b*y + c*z + d = 0; unbounded until setExtent gives it a finite size.
class Plane : public Shape {
 public:
  Plane(double a, double b, double c, double d);
  // Full lengths of the finite patch centred on the point of the plane nearest the origin.
  void setExtent(const std::array<double, 2>& extent);

  double a = 0.0;
  double b = 0.0;
  double c = 0.0;
  double d = 0.0;
  bool bounded = false;
  std::array<double, 2> extent{};  // [m]
};

// Triangle mesh read from an STL file.
class Mesh : public Shape {
 public:
  Mesh();

  std::string path;
};

}  // namespace geometric_shapes
}  // namespace ZEMO

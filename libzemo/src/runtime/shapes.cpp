#include "shapes.h"

namespace ZEMO {
namespace geometric_shapes {

Shape::~Shape() = default;

Sphere::Sphere(double radius) : radius(radius) {
  type = SPHERE;
}

Cylinder::Cylinder(double radius, double length) : radius(radius), length(length) {
  type = CYLINDER;
}

Box::Box(double x, double y, double z) : size{x, y, z} {
  type = BOX;
}

Plane::Plane(double a, double b, double c, double d) : a(a), b(b), c(c), d(d) {
  type = PLANE;
}

void Plane::setExtent(const std::array<double, 2>& extent) {
  this->extent = extent;
  bounded = true;
}

Mesh::Mesh() {
  type = MESH;
}

}  // namespace geometric_shapes
}  // namespace ZEMO

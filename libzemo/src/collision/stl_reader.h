// Triangle meshes read from STL files (binary or ASCII), the source of the links' collision
// geometry.
#pragma once

#include <string>
#include <vector>

#include <Eigen/Core>

namespace zemo {
namespace collision {

struct TriangleMesh {
  std::vector<Eigen::Vector3d> vertices;   // [m] in the mesh frame, shared between triangles
  std::vector<Eigen::Vector3i> triangles;  // indices into vertices
};

enum class MeshStatus {
  Ok,
  NotFound,   // the file cannot be opened
  Malformed,  // neither a well-formed binary nor ASCII STL, or no usable triangle
};

// Reads an STL file into mesh, vertex coordinates multiplied by scale. On failure mesh is left
// empty and error (if given) says why in one line.
MeshStatus readStl(const std::string& path, TriangleMesh& mesh, double scale = 1.0,
                   std::string* error = nullptr);

}  // namespace collision
}  // namespace zemo

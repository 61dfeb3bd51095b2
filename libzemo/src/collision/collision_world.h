// The collision world of one library instance: geometry attached to the links of the arm and to
// the fixed environment, and the self-collision, environment-collision and distance queries on it.
// Link poses come from the caller (forward kinematics), one per link, in the base frame.
#pragma once

#include <limits>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <Eigen/Geometry>

#include "collision/stl_reader.h"

namespace fcl {
template <typename S>
class CollisionObject;
template <typename S>
class CollisionGeometry;
}  // namespace fcl

namespace zemo {
namespace collision {

enum class ShapeKind { Sphere, Box, Cylinder, Cone, Plane, Mesh };

// One shape in its own frame. Cylinders and cones are centred on their frame origin along z.
struct ShapeParams {
  ShapeKind kind = ShapeKind::Box;
  std::string name;
  Eigen::Vector3d size =
      Eigen::Vector3d::Zero();  // [m] box: edges; cylinder, cone: radius, length; sphere: radius
  Eigen::Vector4d plane{0.0, 0.0, 1.0, 0.0};         // a x + b y + c z + d = 0 in the shape frame
  Eigen::Vector2d extent = Eigen::Vector2d::Zero();  // [m] finite plane size; zero: unbounded
  std::string path;                                  // mesh file (STL)
  double scale = 1.0;                                // mesh units to metres
};

enum class GeometryStatus {
  Ok,
  UnknownLink,
  InvalidShape,   // a dimension that is not positive and finite, or an unusable plane normal
  MeshNotFound,   // the mesh file cannot be opened
  MeshMalformed,  // the mesh file is not a usable STL
  InvalidPoses,   // not one finite pose per link
  UnknownShape,   // removal of a name the link does not carry
};

// Why a link pair is left out of the self-collision check; values match the interface enumeration.
enum class PairReason : int {
  Never = 0,
  Default = 1,
  Adjacent = 2,
  Always = 3,
  User = 4,
  NotDisabled = 5
};
struct PairState {
  PairReason reason = PairReason::NotDisabled;
  bool disable_check = false;
};
using PairMap = std::map<std::pair<std::string, std::string>, PairState>;

struct Contact {
  std::string link_a, link_b;
  double depth = 0.0;                                // [m] penetration, positive
  Eigen::Vector3d point = Eigen::Vector3d::Zero();   // [m] in the base frame
  Eigen::Vector3d normal = Eigen::Vector3d::Zero();  // from a towards b, base frame
};

struct CollisionReport {
  bool collision = false;
  double max_depth = 0.0;  // [m] deepest penetration among the contacts
  std::vector<Contact> contacts;
};

struct DistanceReport {
  bool found = false;                                    // some pair lies within the threshold
  double distance = std::numeric_limits<double>::max();  // [m] negative: penetration depth
  Eigen::Vector3d point_a = Eigen::Vector3d::Zero();     // [m] nearest point on link_a, base frame
  Eigen::Vector3d point_b = Eigen::Vector3d::Zero();
  Eigen::Vector3d normal = Eigen::Vector3d::Zero();  // unit vector from point_a to point_b
  std::string link_a, link_b;
};

// Oriented box: centre and axes in pose, full edge lengths in size.
struct Obb {
  Eigen::Isometry3d pose = Eigen::Isometry3d::Identity();
  Eigen::Vector3d size = Eigen::Vector3d::Zero();  // [m]
};

struct ShapeInfo {
  ShapeParams params;
  Eigen::Isometry3d T_link_shape = Eigen::Isometry3d::Identity();
};

// Principal-axes box around the mesh vertices, in the mesh frame.
Obb fitObb(const TriangleMesh& mesh);

class CollisionWorld {
 public:
  static constexpr const char* kWorldLink = "world";  // shapes fixed in the base frame

  // link_names[0] is the base; the pose vectors of the queries follow this order.
  explicit CollisionWorld(std::vector<std::string> link_names = {});
  ~CollisionWorld();
  CollisionWorld(CollisionWorld&&) noexcept;
  CollisionWorld& operator=(CollisionWorld&&) noexcept;

  const std::vector<std::string>& linkNames() const { return link_names_; }
  // Index of a link, link count for "world", -1 when unknown.
  int linkIndex(const std::string& link) const;

  // Adds a shape at T_link_shape; a shape of the same name on that link is replaced.
  GeometryStatus addShape(const std::string& link, const ShapeParams& params,
                          const Eigen::Isometry3d& T_link_shape, std::string* error = nullptr);
  // Adds every shape or, when one of them is invalid, none.
  GeometryStatus addShapes(const std::string& link, const std::vector<ShapeParams>& shape_params,
                           const std::vector<Eigen::Isometry3d>& T_link_shapes,
                           std::string* error = nullptr);
  // Adds an in-memory mesh, e.g. one generated or already read by the caller.
  GeometryStatus addMesh(const std::string& link, const std::string& name, const TriangleMesh& mesh,
                         const Eigen::Isometry3d& T_link_shape, std::string* error = nullptr);
  // Removes the named shapes; names the link does not carry are listed in missing and
  // reported as UnknownShape after the others are removed.
  GeometryStatus removeShapes(const std::string& link, const std::vector<std::string>& names,
                              std::vector<std::string>* missing = nullptr);
  GeometryStatus shapes(const std::string& link, std::vector<ShapeInfo>& out) const;
  bool hasGeometry(int link) const;

  // Pairs with disable_check true are skipped; keys may name the two links in either order.
  void setPairMap(const PairMap& pairs);
  const PairMap& pairMap() const { return pairs_; }

  // Places every shape for the poses T_base_link (one per link); queries below use these poses.
  GeometryStatus setLinkPoses(const std::vector<Eigen::Isometry3d>& T_base_link);

  // self: enabled pairs of arm links; environment: arm links except the base against "world".
  GeometryStatus checkCollision(const std::vector<Eigen::Isometry3d>& T_base_link, bool self,
                                bool environment, CollisionReport& report);
  // Smallest distance over the same pairs, reported only if it is at most threshold [m].
  GeometryStatus minimumDistance(const std::vector<Eigen::Isometry3d>& T_base_link,
                                 double threshold, bool self, bool environment,
                                 DistanceReport& report);
  // Whether two links (indices, world = link count) touch at the poses last set; ignores the pair
  // map.
  bool linksCollide(int link_a, int link_b);

  // Boxes of one link's shapes in the link frame.
  GeometryStatus linkObbs(const std::string& link, std::vector<Obb>& out) const;
  // Boxes of every link except the base, in the base frame, at the given poses.
  GeometryStatus obbModel(const std::vector<Eigen::Isometry3d>& T_base_link,
                          std::map<std::string, std::vector<Obb>>& out) const;

 private:
  struct Item;
  struct PairRef {
    int link_a, item_a, link_b, item_b;
  };

  GeometryStatus makeItem(const ShapeParams& params, const Eigen::Isometry3d& T_link_shape,
                          Item& item, std::string* error);
  GeometryStatus insert(int link, Item item);
  std::shared_ptr<fcl::CollisionGeometry<double>> meshGeometry(const std::string& path,
                                                               double scale, GeometryStatus& status,
                                                               std::string* error);
  bool pairEnabled(int link_a, int link_b) const;
  const std::vector<PairRef>& pairs(bool self, bool environment);
  const std::string& nameOf(int link) const;

  std::vector<std::string> link_names_;
  std::vector<std::vector<Item>> items_;  // per link, the last entry is "world"
  PairMap pairs_;
  std::map<std::pair<std::string, double>, std::shared_ptr<fcl::CollisionGeometry<double>>>
      mesh_cache_;
  std::map<const fcl::CollisionGeometry<double>*, Obb> mesh_obb_;  // fitted once per loaded mesh
  std::vector<PairRef> pair_cache_[4];                             // by (self, environment)
  bool pair_cache_valid_[4] = {false, false, false, false};
};

}  // namespace collision
}  // namespace zemo

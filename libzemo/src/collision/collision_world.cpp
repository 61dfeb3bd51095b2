#include "collision/collision_world.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <Eigen/Eigenvalues>

#include <fcl/geometry/bvh/BVH_model.h>
#include <fcl/geometry/shape/box.h>
#include <fcl/geometry/shape/cone.h>
#include <fcl/geometry/shape/cylinder.h>
#include <fcl/geometry/shape/sphere.h>
#include <fcl/math/bv/OBBRSS.h>
#include <fcl/narrowphase/collision.h>
#include <fcl/narrowphase/collision_object.h>
#include <fcl/narrowphase/distance.h>

namespace zemo {
namespace collision {

namespace {

using Geometry = fcl::CollisionGeometry<double>;
using Bvh = fcl::BVHModel<fcl::OBBRSSd>;

constexpr double kPlaneThickness =
    0.01;  // [m] slab behind a plane, deeper than any contact we resolve
constexpr double kUnboundedPlaneExtent = 20.0;  // [m] far beyond the reach of the arm
constexpr std::size_t kMaxContactsPerPair = 4;

bool positive(double v) {
  return std::isfinite(v) && v > 0.0;
}

std::shared_ptr<Bvh> buildBvh(const TriangleMesh& mesh) {
  auto bvh = std::make_shared<Bvh>();
  std::vector<fcl::Triangle> triangles;
  triangles.reserve(mesh.triangles.size());
  for (const auto& t : mesh.triangles) triangles.emplace_back(t[0], t[1], t[2]);
  bvh->beginModel(static_cast<int>(triangles.size()), static_cast<int>(mesh.vertices.size()));
  bvh->addSubModel(mesh.vertices, triangles);
  bvh->endModel();
  return bvh;
}

// FCL answers primitive-versus-mesh queries with the nearest points exchanged and the contact
// normals reversed (checked against FCL 0.7); the mesh-versus-primitive order is right.
bool meshFirst(const fcl::CollisionObjectd& a, const fcl::CollisionObjectd& b) {
  return a.getObjectType() != fcl::OT_BVH && b.getObjectType() == fcl::OT_BVH;
}

bool validMesh(const TriangleMesh& mesh) {
  if (mesh.triangles.empty()) return false;
  const int n = static_cast<int>(mesh.vertices.size());
  for (const auto& p : mesh.vertices)
    if (!p.allFinite()) return false;
  for (const auto& t : mesh.triangles)
    if ((t.array() < 0).any() || (t.array() >= n).any()) return false;
  return true;
}

}  // namespace

struct CollisionWorld::Item {
  ShapeInfo info;
  Eigen::Isometry3d T_link_geometry = Eigen::Isometry3d::Identity();  // frame of the FCL geometry
  Obb obb_in_geometry;
  std::shared_ptr<fcl::CollisionObjectd> object;
};

// Axes from the area-weighted covariance of the surface, so that the triangulation does not tilt
// them (the tree fit of FCL weights triangle corners and does); the extents then hold every vertex.
Obb fitObb(const TriangleMesh& mesh) {
  Obb box;
  if (!validMesh(mesh)) return box;
  double area = 0.0;
  Eigen::Vector3d first = Eigen::Vector3d::Zero();
  Eigen::Matrix3d second = Eigen::Matrix3d::Zero();
  for (const auto& t : mesh.triangles) {
    const Eigen::Vector3d &a = mesh.vertices[t[0]], &b = mesh.vertices[t[1]],
                          &c = mesh.vertices[t[2]];
    const double A = 0.5 * (b - a).cross(c - a).norm();
    const Eigen::Vector3d s = a + b + c;
    area += A;
    first += A / 3.0 * s;
    second +=
        A / 12.0 * (a * a.transpose() + b * b.transpose() + c * c.transpose() + s * s.transpose());
  }
  Eigen::Matrix3d axes = Eigen::Matrix3d::Identity();
  if (area > 0.0) {
    const Eigen::Vector3d mean = first / area;
    const Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d> eig(second / area -
                                                             mean * mean.transpose());
    // Eigenvalues come in increasing order: longest spread first.
    axes.col(0) = eig.eigenvectors().col(2);
    axes.col(1) = eig.eigenvectors().col(1);
    axes.col(2) = axes.col(0).cross(axes.col(1));
  }
  Eigen::Vector3d lo = Eigen::Vector3d::Constant(std::numeric_limits<double>::max());
  Eigen::Vector3d hi = -lo;
  for (const auto& v : mesh.vertices) {
    const Eigen::Vector3d p = axes.transpose() * v;
    lo = lo.cwiseMin(p);
    hi = hi.cwiseMax(p);
  }
  box.pose.linear() = axes;
  box.pose.translation() = axes * (0.5 * (lo + hi));
  box.size = hi - lo;
  return box;
}

CollisionWorld::CollisionWorld(std::vector<std::string> link_names)
    : link_names_(std::move(link_names)), items_(link_names_.size() + 1) {}
CollisionWorld::~CollisionWorld() = default;
CollisionWorld::CollisionWorld(CollisionWorld&&) noexcept = default;
CollisionWorld& CollisionWorld::operator=(CollisionWorld&&) noexcept = default;

int CollisionWorld::linkIndex(const std::string& link) const {
  if (link == kWorldLink) return static_cast<int>(link_names_.size());
  const auto it = std::find(link_names_.begin(), link_names_.end(), link);
  return it == link_names_.end() ? -1 : static_cast<int>(it - link_names_.begin());
}

const std::string& CollisionWorld::nameOf(int link) const {
  static const std::string world = kWorldLink;
  return link < static_cast<int>(link_names_.size()) ? link_names_[link] : world;
}

bool CollisionWorld::hasGeometry(int link) const {
  return link >= 0 && link < static_cast<int>(items_.size()) && !items_[link].empty();
}

std::shared_ptr<Geometry> CollisionWorld::meshGeometry(const std::string& path, double scale,
                                                       GeometryStatus& status, std::string* error) {
  const auto key = std::make_pair(path, scale);
  const auto it = mesh_cache_.find(key);
  if (it != mesh_cache_.end()) return it->second;
  TriangleMesh mesh;
  const MeshStatus read = readStl(path, mesh, scale, error);
  if (read != MeshStatus::Ok) {
    status =
        read == MeshStatus::NotFound ? GeometryStatus::MeshNotFound : GeometryStatus::MeshMalformed;
    return nullptr;
  }
  auto bvh = buildBvh(mesh);
  mesh_obb_[bvh.get()] = fitObb(mesh);
  mesh_cache_.emplace(key, bvh);
  return bvh;
}

GeometryStatus CollisionWorld::addShape(const std::string& link, const ShapeParams& params,
                                        const Eigen::Isometry3d& T_link_shape, std::string* error) {
  return addShapes(link, {params}, {T_link_shape}, error);
}

GeometryStatus CollisionWorld::addShapes(const std::string& link,
                                         const std::vector<ShapeParams>& shape_params,
                                         const std::vector<Eigen::Isometry3d>& T_link_shapes,
                                         std::string* error) {
  const int index = linkIndex(link);
  if (index < 0) {
    if (error) *error = "unknown link '" + link + "'";
    return GeometryStatus::UnknownLink;
  }
  if (shape_params.size() != T_link_shapes.size()) {
    if (error)
      *error = std::to_string(shape_params.size()) + " shapes but " +
               std::to_string(T_link_shapes.size()) + " origins";
    return GeometryStatus::InvalidShape;
  }
  std::vector<Item> items(shape_params.size());
  for (std::size_t i = 0; i < shape_params.size(); ++i) {
    const GeometryStatus status = makeItem(shape_params[i], T_link_shapes[i], items[i], error);
    if (status != GeometryStatus::Ok) return status;
  }
  for (auto& item : items) insert(index, std::move(item));
  return GeometryStatus::Ok;
}

GeometryStatus CollisionWorld::makeItem(const ShapeParams& params,
                                        const Eigen::Isometry3d& T_link_shape, Item& item,
                                        std::string* error) {
  auto invalid = [&](const std::string& why) {
    if (error) *error = "shape '" + params.name + "': " + why;
    return GeometryStatus::InvalidShape;
  };
  if (!T_link_shape.matrix().allFinite()) return invalid("non-finite origin");

  item.info = {params, T_link_shape};
  item.T_link_geometry = T_link_shape;
  std::shared_ptr<Geometry> geometry;
  const Eigen::Vector3d& s = params.size;
  switch (params.kind) {
    case ShapeKind::Sphere:
      if (!positive(s.x())) return invalid("radius must be positive");
      geometry = std::make_shared<fcl::Sphered>(s.x());
      item.obb_in_geometry.size = Eigen::Vector3d::Constant(2.0 * s.x());
      break;
    case ShapeKind::Box:
      if (!positive(s.x()) || !positive(s.y()) || !positive(s.z()))
        return invalid("edges must be positive");
      geometry = std::make_shared<fcl::Boxd>(s);
      item.obb_in_geometry.size = s;
      break;
    case ShapeKind::Cylinder:
    case ShapeKind::Cone:
      if (!positive(s.x()) || !positive(s.y()))
        return invalid("radius and length must be positive");
      if (params.kind == ShapeKind::Cylinder)
        geometry = std::make_shared<fcl::Cylinderd>(s.x(), s.y());
      else
        geometry = std::make_shared<fcl::Coned>(s.x(), s.y());
      item.obb_in_geometry.size = Eigen::Vector3d(2.0 * s.x(), 2.0 * s.x(), s.y());
      break;
    case ShapeKind::Plane: {
      const Eigen::Vector3d n = params.plane.head<3>();
      if (!params.plane.allFinite() || n.norm() < 1e-12) return invalid("plane normal is zero");
      Eigen::Vector2d extent = params.extent;
      if (!extent.allFinite() || (extent.array() < 0.0).any())
        return invalid("negative plane extent");
      if ((extent.array() == 0.0).any()) extent.setConstant(kUnboundedPlaneExtent);
      // The plane becomes a thin slab whose top face lies in the plane, on the side the normal
      // leaves.
      Eigen::Isometry3d T_shape_plane = Eigen::Isometry3d::Identity();
      T_shape_plane.translation() = -params.plane[3] * n / n.squaredNorm();
      T_shape_plane.linear() =
          Eigen::Quaterniond::FromTwoVectors(Eigen::Vector3d::UnitZ(), n).toRotationMatrix();
      item.T_link_geometry =
          T_link_shape * T_shape_plane * Eigen::Translation3d(0.0, 0.0, -0.5 * kPlaneThickness);
      const Eigen::Vector3d box(extent.x(), extent.y(), kPlaneThickness);
      geometry = std::make_shared<fcl::Boxd>(box);
      item.obb_in_geometry.size = box;
      break;
    }
    case ShapeKind::Mesh: {
      GeometryStatus status = GeometryStatus::Ok;
      geometry = meshGeometry(params.path, params.scale, status, error);
      if (!geometry) return status;
      item.obb_in_geometry = mesh_obb_.at(geometry.get());
      break;
    }
  }
  item.object = std::make_shared<fcl::CollisionObjectd>(geometry);
  return GeometryStatus::Ok;
}

GeometryStatus CollisionWorld::addMesh(const std::string& link, const std::string& name,
                                       const TriangleMesh& mesh,
                                       const Eigen::Isometry3d& T_link_shape, std::string* error) {
  const int index = linkIndex(link);
  if (index < 0) {
    if (error) *error = "unknown link '" + link + "'";
    return GeometryStatus::UnknownLink;
  }
  if (!validMesh(mesh) || !T_link_shape.matrix().allFinite()) {
    if (error) *error = "mesh '" + name + "' has no valid triangle or a non-finite origin";
    return GeometryStatus::InvalidShape;
  }
  Item item;
  item.info.params.kind = ShapeKind::Mesh;
  item.info.params.name = name;
  item.info.T_link_shape = T_link_shape;
  item.T_link_geometry = T_link_shape;
  auto bvh = buildBvh(mesh);
  item.obb_in_geometry = fitObb(mesh);
  item.object = std::make_shared<fcl::CollisionObjectd>(bvh);
  return insert(index, std::move(item));
}

GeometryStatus CollisionWorld::insert(int link, Item item) {
  auto& list = items_[link];
  const auto same = std::find_if(list.begin(), list.end(), [&](const Item& i) {
    return i.info.params.name == item.info.params.name;
  });
  if (same != list.end())
    *same = std::move(item);
  else
    list.push_back(std::move(item));
  std::fill(std::begin(pair_cache_valid_), std::end(pair_cache_valid_), false);
  return GeometryStatus::Ok;
}

GeometryStatus CollisionWorld::removeShapes(const std::string& link,
                                            const std::vector<std::string>& names,
                                            std::vector<std::string>* missing) {
  const int index = linkIndex(link);
  if (index < 0) return GeometryStatus::UnknownLink;
  auto& list = items_[index];
  bool all_found = true;
  for (const auto& name : names) {
    const auto it = std::find_if(list.begin(), list.end(),
                                 [&](const Item& i) { return i.info.params.name == name; });
    if (it == list.end()) {
      all_found = false;
      if (missing) missing->push_back(name);
      continue;
    }
    list.erase(it);
  }
  std::fill(std::begin(pair_cache_valid_), std::end(pair_cache_valid_), false);
  return all_found ? GeometryStatus::Ok : GeometryStatus::UnknownShape;
}

GeometryStatus CollisionWorld::shapes(const std::string& link, std::vector<ShapeInfo>& out) const {
  out.clear();
  const int index = linkIndex(link);
  if (index < 0) return GeometryStatus::UnknownLink;
  for (const auto& item : items_[index]) out.push_back(item.info);
  return GeometryStatus::Ok;
}

void CollisionWorld::setPairMap(const PairMap& pairs) {
  pairs_ = pairs;
  std::fill(std::begin(pair_cache_valid_), std::end(pair_cache_valid_), false);
}

bool CollisionWorld::pairEnabled(int link_a, int link_b) const {
  for (const auto& key : {std::make_pair(nameOf(link_a), nameOf(link_b)),
                          std::make_pair(nameOf(link_b), nameOf(link_a))}) {
    const auto it = pairs_.find(key);
    if (it != pairs_.end() && it->second.disable_check) return false;
  }
  return true;
}

const std::vector<CollisionWorld::PairRef>& CollisionWorld::pairs(bool self, bool environment) {
  const int slot = (self ? 2 : 0) + (environment ? 1 : 0);
  auto& list = pair_cache_[slot];
  if (pair_cache_valid_[slot]) return list;
  list.clear();
  const int n = static_cast<int>(link_names_.size());
  auto add = [&](int a, int b) {
    if (!pairEnabled(a, b)) return;
    for (int i = 0; i < static_cast<int>(items_[a].size()); ++i)
      for (int j = 0; j < static_cast<int>(items_[b].size()); ++j) list.push_back({a, i, b, j});
  };
  if (self)
    for (int a = 0; a < n; ++a)
      for (int b = a + 1; b < n; ++b) add(a, b);
  // The base stands on the environment, so its contact with it is no collision.
  if (environment)
    for (int a = 1; a < n; ++a) add(a, n);
  pair_cache_valid_[slot] = true;
  return list;
}

GeometryStatus CollisionWorld::setLinkPoses(const std::vector<Eigen::Isometry3d>& T_base_link) {
  if (T_base_link.size() != link_names_.size()) return GeometryStatus::InvalidPoses;
  for (const auto& T : T_base_link)
    if (!T.matrix().allFinite()) return GeometryStatus::InvalidPoses;
  for (std::size_t link = 0; link < items_.size(); ++link) {
    const Eigen::Isometry3d T_base =
        link < T_base_link.size() ? T_base_link[link] : Eigen::Isometry3d::Identity();
    for (auto& item : items_[link]) {
      item.object->setTransform(T_base * item.T_link_geometry);
      item.object->computeAABB();
    }
  }
  return GeometryStatus::Ok;
}

GeometryStatus CollisionWorld::checkCollision(const std::vector<Eigen::Isometry3d>& T_base_link,
                                              bool self, bool environment,
                                              CollisionReport& report) {
  report = CollisionReport{};
  const GeometryStatus status = setLinkPoses(T_base_link);
  if (status != GeometryStatus::Ok) return status;
  fcl::CollisionRequestd request(kMaxContactsPerPair, true);
  fcl::CollisionResultd result;
  for (const PairRef& p : pairs(self, environment)) {
    const auto* a = items_[p.link_a][p.item_a].object.get();
    const auto* b = items_[p.link_b][p.item_b].object.get();
    if (!a->getAABB().overlap(b->getAABB())) continue;
    const bool swapped = meshFirst(*a, *b);
    if (swapped) std::swap(a, b);
    result.clear();
    if (fcl::collide(a, b, request, result) == 0) continue;
    report.collision = true;
    for (std::size_t k = 0; k < result.numContacts(); ++k) {
      const auto& c = result.getContact(k);
      const Eigen::Vector3d normal = swapped ? Eigen::Vector3d(-c.normal) : c.normal;
      report.contacts.push_back(
          {nameOf(p.link_a), nameOf(p.link_b), c.penetration_depth, c.pos, normal});
      report.max_depth = std::max(report.max_depth, c.penetration_depth);
    }
  }
  return GeometryStatus::Ok;
}

GeometryStatus CollisionWorld::minimumDistance(const std::vector<Eigen::Isometry3d>& T_base_link,
                                               double threshold, bool self, bool environment,
                                               DistanceReport& report) {
  report = DistanceReport{};
  const GeometryStatus status = setLinkPoses(T_base_link);
  if (status != GeometryStatus::Ok) return status;

  // Box distances bound the true ones from below: visit pairs nearest first and stop early.
  struct Candidate {
    double bound;
    const PairRef* pair;
  };
  std::vector<Candidate> candidates;
  for (const PairRef& p : pairs(self, environment)) {
    const double bound = items_[p.link_a][p.item_a].object->getAABB().distance(
        items_[p.link_b][p.item_b].object->getAABB());
    if (bound <= threshold) candidates.push_back({bound, &p});
  }
  std::sort(candidates.begin(), candidates.end(),
            [](const Candidate& l, const Candidate& r) { return l.bound < r.bound; });

  fcl::DistanceRequestd request(true, true);
  double best = threshold;
  for (const Candidate& cand : candidates) {
    if (report.found && cand.bound >= best) break;
    const PairRef& p = *cand.pair;
    const auto* a = items_[p.link_a][p.item_a].object.get();
    const auto* b = items_[p.link_b][p.item_b].object.get();
    const bool swapped = meshFirst(*a, *b);
    if (swapped) std::swap(a, b);
    fcl::DistanceResultd result;
    double d = fcl::distance(a, b, request, result);
    Eigen::Vector3d pa = result.nearest_points[swapped ? 1 : 0],
                    pb = result.nearest_points[swapped ? 0 : 1];
    Eigen::Vector3d normal = pb - pa;
    if (d <= 0.0) {
      // Touching or overlapping: the depth and the point come from the contact query.
      fcl::CollisionRequestd creq(kMaxContactsPerPair, true);
      fcl::CollisionResultd cres;
      d = 0.0;
      if (fcl::collide(a, b, creq, cres) > 0) {
        for (std::size_t k = 0; k < cres.numContacts(); ++k) {
          const auto& c = cres.getContact(k);
          if (-c.penetration_depth < d || k == 0) {
            d = -c.penetration_depth;
            pa = pb = c.pos;
            normal = swapped ? Eigen::Vector3d(-c.normal) : c.normal;
          }
        }
      }
    }
    if (d > best && report.found) continue;
    if (d > threshold) continue;
    best = d;
    report.found = true;
    report.distance = d;
    report.point_a = pa;
    report.point_b = pb;
    report.normal =
        normal.norm() > 0.0 ? Eigen::Vector3d(normal.normalized()) : Eigen::Vector3d::Zero();
    report.link_a = nameOf(p.link_a);
    report.link_b = nameOf(p.link_b);
  }
  return GeometryStatus::Ok;
}

bool CollisionWorld::linksCollide(int link_a, int link_b) {
  if (!hasGeometry(link_a) || !hasGeometry(link_b)) return false;
  fcl::CollisionRequestd request;
  fcl::CollisionResultd result;
  for (const auto& ia : items_[link_a])
    for (const auto& ib : items_[link_b]) {
      if (!ia.object->getAABB().overlap(ib.object->getAABB())) continue;
      const auto *a = ia.object.get(), *b = ib.object.get();
      if (meshFirst(*a, *b)) std::swap(a, b);
      result.clear();
      if (fcl::collide(a, b, request, result) > 0) return true;
    }
  return false;
}

GeometryStatus CollisionWorld::linkObbs(const std::string& link, std::vector<Obb>& out) const {
  out.clear();
  const int index = linkIndex(link);
  if (index < 0) return GeometryStatus::UnknownLink;
  for (const auto& item : items_[index]) {
    Obb box = item.obb_in_geometry;
    box.pose = item.T_link_geometry * box.pose;
    out.push_back(box);
  }
  return GeometryStatus::Ok;
}

GeometryStatus CollisionWorld::obbModel(const std::vector<Eigen::Isometry3d>& T_base_link,
                                        std::map<std::string, std::vector<Obb>>& out) const {
  out.clear();
  if (T_base_link.size() != link_names_.size()) return GeometryStatus::InvalidPoses;
  for (const auto& T : T_base_link)
    if (!T.matrix().allFinite()) return GeometryStatus::InvalidPoses;
  for (std::size_t link = 1; link < link_names_.size(); ++link) {
    auto& boxes = out[link_names_[link]];
    linkObbs(link_names_[link], boxes);
    for (auto& box : boxes) box.pose = T_base_link[link] * box.pose;
  }
  return GeometryStatus::Ok;
}

}  // namespace collision
}  // namespace zemo

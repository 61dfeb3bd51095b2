#include <cmath>
#include <sstream>

#include "collision/link_pairs.h"
#include "kinematics/forward.h"
#include "runtime/convert.h"
#include "runtime/zemo_library.h"

namespace zemo {
namespace runtime {

namespace {

namespace gs = geometric_shapes;
using collision::GeometryStatus;
using collision::PairReason;
using collision::ShapeKind;
using collision::ShapeParams;

// Seed of the pair sampling, fixed so that the same model gives the same pairs on every run.
constexpr std::uint32_t kPairSamplingSeed = 20240601u;

int toCode(GeometryStatus status) {
  switch (status) {
    case GeometryStatus::Ok:
      return E_MODEL_NO_ERROR;
    case GeometryStatus::UnknownLink:
      return E_INVALID_LINK_NAME;
    case GeometryStatus::InvalidShape:
      return E_MDL_INVALID_COLLISION_SHAPE;
    case GeometryStatus::MeshNotFound:
      return E_SHAPE_INVALID_PATH;
    case GeometryStatus::MeshMalformed:
      return E_MDL_INVALID_STL_FILE;
    case GeometryStatus::InvalidPoses:
      return E_DIM_ERROR;
    case GeometryStatus::UnknownShape:
      return E_INVALID_LINK_SHAPE;
  }
  return ZEMO::E_ERR_ERROR;
}

bool toParams(const gs::ShapePtr& shape, ShapeParams& params, std::string& why) {
  if (!shape) {
    why = "empty shape pointer";
    return false;
  }
  params = ShapeParams{};
  params.name = shape->name;
  if (const auto* s = dynamic_cast<const gs::Sphere*>(shape.get())) {
    params.kind = ShapeKind::Sphere;
    params.size.x() = s->radius;
  } else if (const auto* c = dynamic_cast<const gs::Cylinder*>(shape.get())) {
    params.kind = ShapeKind::Cylinder;
    params.size.head<2>() << c->radius, c->length;
  } else if (const auto* b = dynamic_cast<const gs::Box*>(shape.get())) {
    params.kind = ShapeKind::Box;
    params.size = toVector3(b->size);
  } else if (const auto* p = dynamic_cast<const gs::Plane*>(shape.get())) {
    params.kind = ShapeKind::Plane;
    params.plane << p->a, p->b, p->c, p->d;
    if (p->bounded) params.extent << p->extent[0], p->extent[1];
  } else if (const auto* m = dynamic_cast<const gs::Mesh*>(shape.get())) {
    params.kind = ShapeKind::Mesh;
    params.path = m->path;
  } else {
    why = "shape '" + shape->name + "' of type " + std::to_string(static_cast<int>(shape->type)) +
          " is not a sphere, cylinder, box, plane or mesh";
    return false;
  }
  return true;
}

gs::ShapeConstPtr fromParams(const ShapeParams& params) {
  gs::ShapePtr shape;
  switch (params.kind) {
    case ShapeKind::Sphere:
      shape = std::make_shared<gs::Sphere>(params.size.x());
      break;
    case ShapeKind::Cylinder:
    case ShapeKind::Cone:
      shape = std::make_shared<gs::Cylinder>(params.size.x(), params.size.y());
      break;
    case ShapeKind::Box:
      shape = std::make_shared<gs::Box>(params.size.x(), params.size.y(), params.size.z());
      break;
    case ShapeKind::Plane: {
      auto plane = std::make_shared<gs::Plane>(params.plane[0], params.plane[1], params.plane[2],
                                               params.plane[3]);
      if ((params.extent.array() > 0.0).all())
        plane->setExtent({params.extent.x(), params.extent.y()});
      shape = plane;
      break;
    }
    case ShapeKind::Mesh: {
      auto mesh = std::make_shared<gs::Mesh>();
      mesh->path = params.path;
      shape = mesh;
      break;
    }
  }
  shape->name = params.name;
  return shape;
}

PairReason reasonFromText(const std::string& text) {
  if (text == "Adjacent") return PairReason::Adjacent;
  if (text == "Never") return PairReason::Never;
  if (text == "Default") return PairReason::Default;
  if (text == "Always") return PairReason::Always;
  return PairReason::User;
}

OBBModel toObbModel(const std::map<std::string, std::vector<collision::Obb>>& boxes) {
  OBBModel out;
  for (const auto& [link, list] : boxes) {
    auto& entry = out[link];
    for (const auto& box : list) entry.emplace_back(fromTransform(box.pose), fromVector3(box.size));
  }
  return out;
}

bool finite(const RLJntArray& q) {
  for (double v : q)
    if (!std::isfinite(v)) return false;
  return true;
}

}  // namespace

int ZemoLibrary::collisionWorld(const char* op, collision::CollisionWorld*& world) {
  world = nullptr;
  if (const int ret = requireModel(op)) return ret;
  if (!collision_ready_) {
    collision::CollisionWorld built(model_.link_names);
    for (std::size_t k = 0; k < model_.collision.size() && k < model_.link_names.size(); ++k) {
      const LinkCollision& c = model_.collision[k];
      if (c.mesh_path.empty()) continue;
      if ((c.scale.array() != c.scale.x()).any()) {
        logError(op, "link '" + model_.link_names[k] + "': mesh scale must be uniform");
        return E_URDF_MESH_INVALID_PARA;
      }
      ShapeParams params;
      params.kind = ShapeKind::Mesh;
      params.name = model_.link_names[k] + "_collision";
      params.path = c.mesh_path;
      params.scale = c.scale.x();
      std::string error;
      const GeometryStatus status =
          built.addShape(model_.link_names[k], params, c.T_link_mesh, &error);
      if (status != GeometryStatus::Ok) {
        logError(op, "collision mesh of link '" + model_.link_names[k] + "': " + error);
        return toCode(status);
      }
    }
    collision::PairMap pairs;
    for (const auto& p : model_.disabled_pairs)
      pairs[{p.link1, p.link2}] = {reasonFromText(p.reason), true};
    built.setPairMap(pairs);
    collision_world_ = std::move(built);
    collision_ready_ = true;
  }
  world = &collision_world_;
  return E_MODEL_NO_ERROR;
}

bool ZemoLibrary::linkPoses(const RLJntArray& q,
                            std::vector<Eigen::Isometry3d>& T_base_link) const {
  if (!finite(q)) return false;
  FrameArray frames;
  forwardFrames(kinematicTable(model_, true), toJoints(q), frames);
  // Links past the last joint are fixed to the flange: every description mounts them without
  // offset.
  T_base_link.resize(model_.link_names.size());
  for (std::size_t k = 0; k < T_base_link.size(); ++k)
    T_base_link[k] = frames[std::min<std::size_t>(k, kMaxDof)];
  return true;
}

int ZemoLibrary::mdlSetLinkGeometryModel(const std::string& link_name,
                                         const std::vector<geometric_shapes::ShapePtr>& shapes,
                                         const std::vector<RLPose>& origins) {
  const char* op = "mdlSetLinkGeometryModel";
  collision::CollisionWorld* world;
  if (const int ret = collisionWorld(op, world)) return ret;
  if (world->linkIndex(link_name) < 0) {
    logError(op, "unknown link '" + link_name + "'");
    return E_INVALID_LINK_NAME;
  }
  if (shapes.size() != origins.size()) {
    logError(op, std::to_string(shapes.size()) + " shapes but " + std::to_string(origins.size()) +
                     " origins");
    return E_DIM_ERROR;
  }
  std::vector<ShapeParams> shape_params(shapes.size());
  std::vector<Eigen::Isometry3d> T_link_shapes(shapes.size());
  for (std::size_t i = 0; i < shapes.size(); ++i) {
    std::string why;
    if (!toParams(shapes[i], shape_params[i], why)) {
      logError(op, "link '" + link_name + "', shape " + std::to_string(i) + ": " + why);
      return E_MDL_INVALID_COLLISION_SHAPE;
    }
    T_link_shapes[i] = toTransform(origins[i]);
  }
  std::string error;
  const GeometryStatus status = world->addShapes(link_name, shape_params, T_link_shapes, &error);
  if (status != GeometryStatus::Ok) {
    logError(op, "link '" + link_name + "': " + error);
    return toCode(status);
  }
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::mdlGetLinkGeometryModel(const std::string& link_name,
                                         std::vector<geometric_shapes::ShapeConstPtr>& shapes,
                                         std::vector<RLPose>& origins) {
  const char* op = "mdlGetLinkGeometryModel";
  shapes.clear();
  origins.clear();
  collision::CollisionWorld* world;
  if (const int ret = collisionWorld(op, world)) return ret;
  std::vector<collision::ShapeInfo> infos;
  if (world->shapes(link_name, infos) != GeometryStatus::Ok) {
    logError(op, "unknown link '" + link_name + "'");
    return E_INVALID_LINK_NAME;
  }
  for (const auto& info : infos) {
    shapes.push_back(fromParams(info.params));
    origins.push_back(fromTransform(info.T_link_shape));
  }
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::mdlUnloadLinkGeometryModel(const std::string& link_name,
                                            const std::vector<std::string>& shape_names) {
  const char* op = "mdlUnloadLinkGeometryModel";
  collision::CollisionWorld* world;
  if (const int ret = collisionWorld(op, world)) return ret;
  std::vector<std::string> missing;
  const GeometryStatus status = world->removeShapes(link_name, shape_names, &missing);
  if (status == GeometryStatus::UnknownLink) {
    logError(op, "unknown link '" + link_name + "'");
  } else if (status == GeometryStatus::UnknownShape) {
    std::string names;
    for (const auto& n : missing) names += (names.empty() ? "'" : ", '") + n + "'";
    logError(op, "link '" + link_name + "' carries no shape " + names +
                     "; the other names were removed");
  }
  return toCode(status);
}

const std::vector<std::string>& ZemoLibrary::mdlGetLinkNames() {
  if (!loaded_) requireModel("mdlGetLinkNames");
  return model_.link_names;
}

OBBModel ZemoLibrary::mdlGetLinkOBB(const std::string& link_name) {
  const char* op = "mdlGetLinkOBB";
  collision::CollisionWorld* world;
  if (collisionWorld(op, world)) return {};
  std::map<std::string, std::vector<collision::Obb>> boxes;
  if (world->linkObbs(link_name, boxes[link_name]) != GeometryStatus::Ok) {
    logError(op, "unknown link '" + link_name + "'");
    return {};
  }
  return toObbModel(boxes);
}

OBBModel ZemoLibrary::mdlCalOBBModel(const RLJntArray& q, int type) {
  const char* op = "mdlCalOBBModel";
  collision::CollisionWorld* world;
  if (collisionWorld(op, world)) return {};
  // type 1: boxes in the base frame at q; 0: in each link's own frame.
  if (type != 0 && type != 1) {
    logError(op, "type " + std::to_string(type) + " is neither 0 (link frames) nor 1 (base frame)");
    return {};
  }
  std::vector<Eigen::Isometry3d> T_base_link;
  if (!linkPoses(q, T_base_link)) {
    logError(op, "non-finite joint position in q");
    return {};
  }
  if (type == 0) std::fill(T_base_link.begin(), T_base_link.end(), Eigen::Isometry3d::Identity());
  std::map<std::string, std::vector<collision::Obb>> boxes;
  world->obbModel(T_base_link, boxes);
  return toObbModel(boxes);
}

int ZemoLibrary::mdlCheckRobotCollision(const RLJntArray& q, const bool& checkSelf,
                                        CollisionResult& result) {
  const char* op = "mdlCheckRobotCollision";
  result = CollisionResult{};
  collision::CollisionWorld* world;
  if (const int ret = collisionWorld(op, world)) return ret;
  std::vector<Eigen::Isometry3d> T_base_link;
  if (!linkPoses(q, T_base_link)) {
    logError(op, "non-finite joint position in q");
    return E_DIM_ERROR;
  }
  collision::CollisionReport report;
  if (const GeometryStatus status = world->checkCollision(T_base_link, checkSelf, true, report);
      status != GeometryStatus::Ok)
    return toCode(status);
  result.collision = report.collision;
  if (report.collision) result.distance = -report.max_depth;
  result.contact_count = report.contacts.size();
  for (const auto& c : report.contacts)
    result.collision_info.emplace_back(c.link_a, c.link_b, c.depth, fromVector3(c.point));
  return E_MODEL_NO_ERROR;
}

int ZemoLibrary::mdlCalMinimunDistance(const RLJntArray& q, const double& threshold,
                                       const bool& checkSelf, DistanceResult& result) {
  const char* op = "mdlCalMinimunDistance";
  result = DistanceResult{};
  collision::CollisionWorld* world;
  if (const int ret = collisionWorld(op, world)) return ret;
  if (std::isnan(threshold)) {
    logError(op, "threshold is not a number");
    return E_DIM_ERROR;
  }
  std::vector<Eigen::Isometry3d> T_base_link;
  if (!linkPoses(q, T_base_link)) {
    logError(op, "non-finite joint position in q");
    return E_DIM_ERROR;
  }
  collision::DistanceReport report;
  if (const GeometryStatus status =
          world->minimumDistance(T_base_link, threshold, checkSelf, true, report);
      status != GeometryStatus::Ok)
    return toCode(status);
  // Nothing within the threshold leaves the result at its defaults (largest distance).
  if (!report.found) return E_MODEL_NO_ERROR;
  result.distance = report.distance;
  result.nearest_points[0] = fromVector3(report.point_a);
  result.nearest_points[1] = fromVector3(report.point_b);
  result.link_names[0] = report.link_a;
  result.link_names[1] = report.link_b;
  result.normal = fromVector3(report.normal);
  return E_MODEL_NO_ERROR;
}

RLJntArray ZemoLibrary::mdlGetLinkMass() {
  RLJntArray mass{};
  if (requireModel("mdlGetLinkMass")) return mass;
  for (int k = 0; k < kMaxDof; ++k) mass[k] = model_.links[k].m;
  return mass;
}

int ZemoLibrary::mdlComputeNeverInCollisionLinkPairs(int num_trials, bool verbose, LinkPairMap& map,
                                                     double min_collisioon_fraction) {
  const char* op = "mdlComputeNeverInCollisionLinkPairs";
  collision::CollisionWorld* world;
  if (const int ret = collisionWorld(op, world)) return ret;
  if (num_trials < 1) {
    logError(op, "num_trials must be at least 1, got " + std::to_string(num_trials));
    return E_DIM_ERROR;
  }
  if (!(min_collisioon_fraction > 0.0 && min_collisioon_fraction <= 1.0)) {
    logError(op, "min_collisioon_fraction must lie in (0, 1], got " +
                     std::to_string(min_collisioon_fraction));
    return E_DIM_ERROR;
  }
  collision::PairSamplingOptions options;
  options.num_trials = num_trials;
  options.always_fraction = min_collisioon_fraction;
  options.seed = kPairSamplingSeed;
  for (int j = 0; j < model_.dof; ++j) {
    const bool usable = std::isfinite(model_.limits.lower[j]) &&
                        std::isfinite(model_.limits.upper[j]) &&
                        model_.limits.lower[j] < model_.limits.upper[j];
    // A joint without usable limits is sampled over one full turn.
    options.lower.push_back(usable ? model_.limits.lower[j] : -M_PI);
    options.upper.push_back(usable ? model_.limits.upper[j] : M_PI);
  }
  // Serial chain: each link is joined to the next one, fixed links included.
  for (std::size_t k = 0; k + 1 < model_.link_names.size(); ++k)
    options.adjacent.emplace_back(model_.link_names[k], model_.link_names[k + 1]);

  collision::LinkPoseFunction poses = [this](const std::vector<double>& q,
                                             std::vector<Eigen::Isometry3d>& T) {
    RLJntArray joints{};
    for (std::size_t j = 0; j < q.size() && j < joints.size(); ++j) joints[j] = q[j];
    return linkPoses(joints, T);
  };
  collision::PairMap pairs;
  collision::PairSamplingStats stats;
  const GeometryStatus status =
      collision::computeDisabledPairs(*world, poses, options, pairs, &stats);
  if (status != GeometryStatus::Ok) {
    logError(op, "sampling the link pairs failed");
    return toCode(status);
  }
  map.clear();
  std::size_t i = 0;
  for (const auto& [key, state] : pairs) {
    map[key] = LinkPairData{static_cast<DisabledReason>(static_cast<int>(state.reason)),
                            state.disable_check};
    if (verbose) {
      auto& line = logger_.info();
      line << key.first << " - " << key.second << ": reason " << static_cast<int>(state.reason);
      if (stats.collision_count[i] >= 0)
        line << ", collisions in " << stats.collision_count[i] << " of " << stats.samples
             << " samples";
      logger_.end(op, ZEMO::GetSourceFilename(__FILE__), __LINE__);
    }
    ++i;
  }
  return E_MODEL_NO_ERROR;
}

}  // namespace runtime
}  // namespace zemo

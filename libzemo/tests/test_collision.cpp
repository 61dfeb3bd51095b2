#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "collision/collision_world.h"
#include "collision/link_pairs.h"
#include "collision/stl_reader.h"
#include "kinematics/forward.h"

namespace zemo::collision {
namespace {

using Eigen::Isometry3d;
using Eigen::Vector3d;

std::string tempPath(const std::string& name) {
  return ::testing::TempDir() + "zemo_collision_" + name;
}

// Axis-aligned box centred at the origin, as twelve triangles with outward winding.
std::vector<std::array<Vector3d, 3>> boxFacets(const Vector3d& size) {
  const Vector3d h = 0.5 * size;
  auto corner = [&](int i) {
    return Vector3d((i & 1) ? h.x() : -h.x(), (i & 2) ? h.y() : -h.y(), (i & 4) ? h.z() : -h.z());
  };
  const int quads[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                           {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
  std::vector<std::array<Vector3d, 3>> facets;
  for (const auto& q : quads) {
    facets.push_back({corner(q[0]), corner(q[1]), corner(q[2])});
    facets.push_back({corner(q[0]), corner(q[2]), corner(q[3])});
  }
  return facets;
}

void writeBinaryStl(const std::string& path, const std::vector<std::array<Vector3d, 3>>& facets,
                    const std::string& header = "generated box") {
  std::ofstream out(path, std::ios::binary);
  char head[80] = {};
  std::memcpy(head, header.data(), std::min<std::size_t>(header.size(), 80));
  out.write(head, 80);
  const std::uint32_t n = static_cast<std::uint32_t>(facets.size());
  out.write(reinterpret_cast<const char*>(&n), 4);
  for (const auto& f : facets) {
    float values[12] = {};
    for (int k = 0; k < 3; ++k)
      for (int c = 0; c < 3; ++c) values[3 + 3 * k + c] = static_cast<float>(f[k][c]);
    out.write(reinterpret_cast<const char*>(values), sizeof values);
    const std::uint16_t attribute = 0;
    out.write(reinterpret_cast<const char*>(&attribute), 2);
  }
}

void writeAsciiStl(const std::string& path, const std::vector<std::array<Vector3d, 3>>& facets) {
  std::ofstream out(path);
  out << "solid box\n";
  for (const auto& f : facets) {
    out << "  facet normal 0 0 0\n    outer loop\n";
    for (const auto& v : f) out << "      vertex " << v.x() << " " << v.y() << " " << v.z() << "\n";
    out << "    endloop\n  endfacet\n";
  }
  out << "endsolid box\n";
}

void writeText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

Isometry3d pose(double x, double y, double z, double angle = 0.0,
                const Vector3d& axis = Vector3d::UnitZ()) {
  Isometry3d T = Isometry3d::Identity();
  T.linear() = Eigen::AngleAxisd(angle, axis.normalized()).toRotationMatrix();
  T.translation() << x, y, z;
  return T;
}

ShapeParams box(const std::string& name, const Vector3d& size) {
  ShapeParams s;
  s.kind = ShapeKind::Box;
  s.name = name;
  s.size = size;
  return s;
}

ShapeParams meshFile(const std::string& name, const std::string& path) {
  ShapeParams s;
  s.kind = ShapeKind::Mesh;
  s.name = name;
  s.path = path;
  return s;
}

TEST(StlReader, BinaryAndAsciiGiveTheSameMesh) {
  const auto facets = boxFacets(Vector3d(0.2, 0.4, 0.6));
  const std::string bin = tempPath("box_bin.stl"), ascii = tempPath("box_ascii.stl"),
                    solid_bin = tempPath("box_solid_bin.stl");
  writeBinaryStl(bin, facets);
  writeAsciiStl(ascii, facets);
  writeBinaryStl(solid_bin, facets, "solid but binary");  // exporters do write this header
  for (const auto& path : {bin, ascii, solid_bin}) {
    TriangleMesh mesh;
    std::string error;
    ASSERT_EQ(readStl(path, mesh, 1.0, &error), MeshStatus::Ok) << path << ": " << error;
    EXPECT_EQ(mesh.vertices.size(), 8u) << path;  // shared corners merged
    EXPECT_EQ(mesh.triangles.size(), 12u) << path;
    const Eigen::AlignedBox3d bounds = [&] {
      Eigen::AlignedBox3d b;
      for (const auto& v : mesh.vertices) b.extend(v);
      return b;
    }();
    EXPECT_TRUE(bounds.max().isApprox(Vector3d(0.1, 0.2, 0.3), 1e-6)) << path;
  }
  TriangleMesh scaled;
  ASSERT_EQ(readStl(bin, scaled, 0.001), MeshStatus::Ok);
  EXPECT_NEAR(scaled.vertices[0].cwiseAbs().maxCoeff(), 0.0003, 1e-9);
}

TEST(StlReader, MissingOrMalformedFilesAreErrors) {
  const auto facets = boxFacets(Vector3d::Ones());
  const std::string truncated = tempPath("truncated.stl");
  writeBinaryStl(truncated, facets);
  {
    std::ifstream in(truncated, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    writeText(truncated, bytes.substr(0, bytes.size() - 7));
  }
  std::vector<std::array<Vector3d, 3>> nan_facet = facets;
  nan_facet[3][1].x() = std::nan("");
  const std::string binary_nan = tempPath("nan.stl");
  writeBinaryStl(binary_nan, nan_facet);
  const std::string no_triangles = tempPath("zero.stl");
  writeBinaryStl(no_triangles, {});

  const struct {
    std::string name, text;
  } cases[] = {
      {"empty", ""},
      {"garbage", "this is not a mesh at all\n"},
      {"two_corners",
       "solid x\nfacet normal 0 0 1\nouter loop\nvertex 0 0 0\nvertex 1 0 "
       "0\nendloop\nendfacet\nendsolid x\n"},
      {"four_corners",
       "solid x\nfacet normal 0 0 1\nouter loop\nvertex 0 0 0\nvertex 1 0 0\nvertex 0 1 0\nvertex "
       "1 1 0\nendloop\n"
       "endfacet\nendsolid x\n"},
      {"bad_number",
       "solid x\nfacet normal 0 0 1\nouter loop\nvertex 0 0 zero\nvertex 1 0 0\nvertex 0 1 "
       "0\nendloop\n"
       "endfacet\nendsolid x\n"},
      {"no_endsolid",
       "solid x\nfacet normal 0 0 1\nouter loop\nvertex 0 0 0\nvertex 1 0 0\nvertex 0 1 "
       "0\nendloop\n"
       "endfacet\n"},
      {"only_header", "solid x\nendsolid x\n"},
  };
  std::vector<std::string> malformed = {truncated, binary_nan, no_triangles};
  for (const auto& c : cases) {
    malformed.push_back(tempPath(c.name + ".stl"));
    writeText(malformed.back(), c.text);
  }
  for (const auto& path : malformed) {
    TriangleMesh mesh;
    std::string error;
    EXPECT_EQ(readStl(path, mesh, 1.0, &error), MeshStatus::Malformed) << path;
    EXPECT_TRUE(mesh.vertices.empty() && mesh.triangles.empty()) << path;
    EXPECT_FALSE(error.empty()) << path;
  }
  TriangleMesh mesh;
  EXPECT_EQ(readStl(tempPath("does_not_exist.stl"), mesh), MeshStatus::NotFound);
}

// Two arm links and the environment; poses are set per test.
class TwoLinks : public ::testing::Test {
 protected:
  CollisionWorld world{{"base", "link1", "link2"}};
  std::vector<Isometry3d> T_base_link{Isometry3d::Identity(), Isometry3d::Identity(),
                                      Isometry3d::Identity()};
};

TEST_F(TwoLinks, OverlappingBoxesReportDepthLinksAndPoint) {
  ASSERT_EQ(world.addShape("link1", box("b1", Vector3d(1.0, 1.0, 1.0)), Isometry3d::Identity()),
            GeometryStatus::Ok);
  ASSERT_EQ(world.addShape("link2", box("b2", Vector3d(0.4, 0.4, 0.4)), pose(0.0, 0.0, 0.1)),
            GeometryStatus::Ok);
  // b2 spans x - 0.2 .. x + 0.2 in link1's frame, b1 ends at 0.5: overlap 0.7 - x.
  const struct {
    double x;      // [m] link2 along x
    double depth;  // [m] expected overlap along x, 0 = apart
  } cases[] = {{0.65, 0.05}, {0.5, 0.2}, {0.75, 0.0}, {0.71, 0.0}};
  for (const auto& c : cases) {
    T_base_link[1] = pose(0.3, -0.2, 0.5,
                          0.4);  // link1 rotated: the world pose must be used, not the link frame
    T_base_link[2] = T_base_link[1] * pose(c.x, 0.0, 0.0);
    CollisionReport report;
    ASSERT_EQ(world.checkCollision(T_base_link, true, true, report), GeometryStatus::Ok);
    EXPECT_EQ(report.collision, c.depth > 0.0) << "x = " << c.x;
    if (c.depth == 0.0) {
      EXPECT_TRUE(report.contacts.empty());
      continue;
    }
    ASSERT_FALSE(report.contacts.empty()) << "x = " << c.x;
    EXPECT_NEAR(report.max_depth, c.depth, 1e-6) << "x = " << c.x;
    const Contact& contact = report.contacts.front();
    EXPECT_EQ(contact.link_a, "link1");
    EXPECT_EQ(contact.link_b, "link2");
    EXPECT_TRUE(contact.normal.isApprox(T_base_link[1].linear().col(0), 1e-6))
        << contact.normal.transpose();
    // The contact lies in the overlap region: inside both boxes (up to the depth), in base
    // coordinates.
    const Vector3d in1 = T_base_link[1].inverse() * contact.point;
    const Vector3d in2 = (T_base_link[2] * pose(0.0, 0.0, 0.1)).inverse() * contact.point;
    EXPECT_LE(in1.cwiseAbs().maxCoeff(), 0.5 + c.depth + 1e-6) << in1.transpose();
    EXPECT_LE(in2.cwiseAbs().maxCoeff(), 0.2 + c.depth + 1e-6) << in2.transpose();
  }
}

TEST_F(TwoLinks, PairMapSelfFlagAndEnvironmentSelectWhatIsChecked) {
  ASSERT_EQ(world.addShape("base", box("plate", Vector3d(1.0, 1.0, 0.1)), Isometry3d::Identity()),
            GeometryStatus::Ok);
  ASSERT_EQ(world.addShape("link1", box("b1", Vector3d(0.2, 0.2, 0.2)), Isometry3d::Identity()),
            GeometryStatus::Ok);
  ASSERT_EQ(world.addShape("link2", box("b2", Vector3d(0.2, 0.2, 0.2)), Isometry3d::Identity()),
            GeometryStatus::Ok);
  ShapeParams floor;
  floor.kind = ShapeKind::Plane;
  floor.name = "floor";
  floor.plane << 0.0, 0.0, 1.0, 0.0;  // z = 0, the base plate sits in it
  ASSERT_EQ(world.addShape(CollisionWorld::kWorldLink, floor, Isometry3d::Identity()),
            GeometryStatus::Ok);

  T_base_link[1] = pose(0.0, 0.0, 1.0);
  T_base_link[2] = pose(0.15, 0.0, 1.0);  // link1 and link2 overlap by 0.05
  auto collide = [&](bool self, bool env) {
    CollisionReport r;
    EXPECT_EQ(world.checkCollision(T_base_link, self, env, r), GeometryStatus::Ok);
    return r.collision;
  };
  EXPECT_TRUE(collide(true, false));
  EXPECT_FALSE(collide(false, true)) << "the base touching the floor is no collision";
  world.setPairMap(
      {{{"link2", "link1"}, {PairReason::Adjacent, true}}});  // key order does not matter
  EXPECT_FALSE(collide(true, true));
  world.setPairMap({{{"link1", "link2"}, {PairReason::NotDisabled, false}}});
  EXPECT_TRUE(collide(true, false));

  T_base_link[2] = pose(0.8, 0.0, 0.095);  // 5 mm into the floor, clear of link1 and the plate
  CollisionReport r;
  ASSERT_EQ(world.checkCollision(T_base_link, false, true, r), GeometryStatus::Ok);
  ASSERT_TRUE(r.collision);
  EXPECT_EQ(r.contacts.front().link_a, "link2");
  EXPECT_EQ(r.contacts.front().link_b, "world");
  EXPECT_NEAR(r.max_depth, 0.005, 1e-6);

  DistanceReport d;
  T_base_link[2] = pose(0.8, 0.0, 0.5);
  ASSERT_EQ(world.minimumDistance(T_base_link, 2.0, false, true, d), GeometryStatus::Ok);
  ASSERT_TRUE(d.found);
  EXPECT_NEAR(d.distance, 0.4, 1e-6);  // link2's bottom face above the floor
  EXPECT_EQ(d.link_a, "link2");
  EXPECT_TRUE(d.normal.isApprox(-Vector3d::UnitZ(), 1e-6)) << d.normal.transpose();

  std::vector<Isometry3d> short_list(2, Isometry3d::Identity());
  EXPECT_EQ(world.checkCollision(short_list, true, true, r), GeometryStatus::InvalidPoses);
  T_base_link[1](0, 3) = std::nan("");
  EXPECT_EQ(world.minimumDistance(T_base_link, 1.0, true, true, d), GeometryStatus::InvalidPoses);
}

// Surface samples of a box, a brute-force truth for the distance between two boxes.
std::vector<Vector3d> surfaceSamples(const Vector3d& size, const Isometry3d& T, int n) {
  std::vector<Vector3d> points;
  const Vector3d h = 0.5 * size;
  for (int axis = 0; axis < 3; ++axis)
    for (double side : {-1.0, 1.0})
      for (int i = 0; i <= n; ++i)
        for (int j = 0; j <= n; ++j) {
          Vector3d p;
          p[axis] = side * h[axis];
          p[(axis + 1) % 3] = (2.0 * i / n - 1.0) * h[(axis + 1) % 3];
          p[(axis + 2) % 3] = (2.0 * j / n - 1.0) * h[(axis + 2) % 3];
          points.push_back(T * p);
        }
  return points;
}

TEST_F(TwoLinks, DistanceAndNearestPointsMatchBruteForce) {
  const Vector3d size1(0.3, 0.2, 0.1), size2(0.15, 0.25, 0.2);
  const std::string stl = tempPath("dist_box.stl");
  writeBinaryStl(stl, boxFacets(size2));
  ASSERT_EQ(world.addShape("link1", box("b1", size1), pose(0.0, 0.05, 0.0, 0.3, Vector3d::UnitX())),
            GeometryStatus::Ok);
  ASSERT_EQ(world.addShape("link2", meshFile("m2", stl), pose(0.02, 0.0, 0.0)), GeometryStatus::Ok);

  std::mt19937 rng(7);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  constexpr int kGrid = 40;
  for (int trial = 0; trial < 6; ++trial) {
    T_base_link[1] = pose(u(rng), u(rng), u(rng), 3.0 * u(rng), Vector3d(u(rng), u(rng), u(rng)));
    T_base_link[2] = T_base_link[1] * pose(0.7 + 0.2 * u(rng), 0.3 * u(rng), 0.3 * u(rng),
                                           3.0 * u(rng), Vector3d(u(rng), u(rng), u(rng)));
    const Isometry3d T1 = T_base_link[1] * pose(0.0, 0.05, 0.0, 0.3, Vector3d::UnitX());
    const Isometry3d T2 = T_base_link[2] * pose(0.02, 0.0, 0.0);
    const auto s1 = surfaceSamples(size1, T1, kGrid), s2 = surfaceSamples(size2, T2, kGrid);
    double brute = std::numeric_limits<double>::max();
    for (const auto& a : s1)
      for (const auto& b : s2) brute = std::min(brute, (a - b).norm());

    DistanceReport d;
    ASSERT_EQ(world.minimumDistance(T_base_link, 10.0, true, false, d), GeometryStatus::Ok);
    ASSERT_TRUE(d.found) << "trial " << trial;
    ASSERT_GT(brute, 0.01) << "trial " << trial << ": fixture meant to keep the boxes apart";
    // Samples overestimate by at most half a grid diagonal on each box.
    EXPECT_LE(d.distance, brute + 1e-6) << "trial " << trial;
    EXPECT_GE(d.distance, brute - 0.01) << "trial " << trial;
    EXPECT_NEAR((d.point_b - d.point_a).norm(), d.distance, 1e-6) << "trial " << trial;
    EXPECT_NEAR((d.point_b - d.point_a).normalized().dot(d.normal), 1.0, 1e-6);
    // Each nearest point lies on its own box's surface, given in base coordinates.
    const Vector3d pa = T1.inverse() * d.point_a, pb = T2.inverse() * d.point_b;
    EXPECT_NEAR(((pa.cwiseAbs() - 0.5 * size1).maxCoeff()), 0.0, 1e-6)
        << "trial " << trial << " " << pa.transpose();
    EXPECT_NEAR(((pb.cwiseAbs() - 0.5 * size2).maxCoeff()), 0.0, 1e-6)
        << "trial " << trial << " " << pb.transpose();
    EXPECT_EQ(d.link_a, "link1");
    EXPECT_EQ(d.link_b, "link2");

    DistanceReport beyond;
    ASSERT_EQ(world.minimumDistance(T_base_link, 0.5 * brute - 0.01, true, false, beyond),
              GeometryStatus::Ok);
    EXPECT_FALSE(beyond.found) << "nothing within the threshold";
  }

  T_base_link[2] = T_base_link[1] * pose(0.1, 0.05, 0.0);  // overlapping: negative distance
  DistanceReport d;
  ASSERT_EQ(world.minimumDistance(T_base_link, 1.0, true, false, d), GeometryStatus::Ok);
  ASSERT_TRUE(d.found);
  EXPECT_LT(d.distance, 0.0);
}

TEST_F(TwoLinks, ShapesAreRemovedByNameAndBadInputAttachesNothing) {
  const std::string stl = tempPath("remove_box.stl");
  writeAsciiStl(stl, boxFacets(Vector3d(0.2, 0.2, 0.2)));
  ASSERT_EQ(world.addShape("link1", box("b1", Vector3d(0.2, 0.2, 0.2)), Isometry3d::Identity()),
            GeometryStatus::Ok);
  ASSERT_EQ(world.addShape("link2", meshFile("a1_shape", stl), Isometry3d::Identity()),
            GeometryStatus::Ok);
  ASSERT_EQ(world.addShape("link2", meshFile("a2_shape", stl), pose(2.0, 0.0, 0.0)),
            GeometryStatus::Ok);
  ASSERT_EQ(world.addShape("link2", box("a2_shape", Vector3d(0.1, 0.1, 0.1)), pose(3.0, 0.0, 0.0)),
            GeometryStatus::Ok);  // same name replaces
  std::vector<ShapeInfo> shapes;
  ASSERT_EQ(world.shapes("link2", shapes), GeometryStatus::Ok);
  ASSERT_EQ(shapes.size(), 2u);
  EXPECT_EQ(shapes[1].params.kind, ShapeKind::Box);
  EXPECT_TRUE(shapes[1].T_link_shape.isApprox(pose(3.0, 0.0, 0.0)));

  CollisionReport r;
  ASSERT_EQ(world.checkCollision(T_base_link, true, false, r), GeometryStatus::Ok);
  EXPECT_TRUE(r.collision);
  std::vector<std::string> missing;
  EXPECT_EQ(world.removeShapes("link2", {"a1_shape", "nope"}, &missing),
            GeometryStatus::UnknownShape);
  EXPECT_EQ(missing, std::vector<std::string>{"nope"});
  ASSERT_EQ(world.checkCollision(T_base_link, true, false, r), GeometryStatus::Ok);
  EXPECT_FALSE(r.collision) << "the removed mesh still collides";
  EXPECT_EQ(world.removeShapes("link2", {"a2_shape"}), GeometryStatus::Ok);
  ASSERT_EQ(world.shapes("link2", shapes), GeometryStatus::Ok);
  EXPECT_TRUE(shapes.empty());

  const std::string broken = tempPath("broken.stl");
  writeText(broken, "solid nothing useful\n");
  ShapeParams bad_box = box("bad", Vector3d(0.1, -0.1, 0.1));
  ShapeParams nan_box = box("nan", Vector3d(0.1, std::nan(""), 0.1));
  ShapeParams flat_plane;
  flat_plane.kind = ShapeKind::Plane;
  flat_plane.plane.setZero();
  const struct {
    std::string link;
    ShapeParams params;
    GeometryStatus expected;
  } cases[] = {
      {"link2", meshFile("m", tempPath("missing.STL")), GeometryStatus::MeshNotFound},
      {"link2", meshFile("m", broken), GeometryStatus::MeshMalformed},
      {"link2", bad_box, GeometryStatus::InvalidShape},
      {"link2", nan_box, GeometryStatus::InvalidShape},
      {"link2", flat_plane, GeometryStatus::InvalidShape},
      {"no_such_link", box("b", Vector3d::Ones()), GeometryStatus::UnknownLink},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_EQ(world.addShape(c.link, c.params, Isometry3d::Identity(), &error), c.expected)
        << c.params.name;
    EXPECT_FALSE(error.empty());
  }
  ASSERT_EQ(world.shapes("link2", shapes), GeometryStatus::Ok);
  EXPECT_TRUE(shapes.empty());
  EXPECT_EQ(world.addShapes("link2", {box("fine", Vector3d::Ones()), bad_box},
                            {Isometry3d::Identity(), Isometry3d::Identity()}),
            GeometryStatus::InvalidShape);
  EXPECT_EQ(world.addShapes("link2", {box("fine", Vector3d::Ones())}, {}),
            GeometryStatus::InvalidShape);
  ASSERT_EQ(world.shapes("link2", shapes), GeometryStatus::Ok);
  EXPECT_TRUE(shapes.empty()) << "a list with one bad shape attaches none";
  EXPECT_EQ(world.removeShapes("no_such_link", {"b1"}), GeometryStatus::UnknownLink);
}

TEST(Obb, FitRecoversABoxAndTheModelHasOneEntryPerMovingLink) {
  const Vector3d size(0.5, 0.2, 0.1);
  const Isometry3d T_mesh_box = pose(0.1, -0.3, 0.2, 0.7, Vector3d(1.0, 2.0, -0.5));
  TriangleMesh mesh;
  for (const auto& f : boxFacets(size)) {
    const int i = static_cast<int>(mesh.vertices.size());
    for (const auto& v : f) mesh.vertices.push_back(T_mesh_box * v);
    mesh.triangles.emplace_back(i, i + 1, i + 2);
  }
  const Obb obb = fitObb(mesh);
  EXPECT_TRUE(obb.pose.translation().isApprox(T_mesh_box.translation(), 1e-9));
  EXPECT_NEAR(obb.pose.linear().determinant(), 1.0, 1e-9);
  // Principal axes come out longest first; each is a box axis up to its sign.
  Vector3d sorted = size;
  std::sort(sorted.data(), sorted.data() + 3, std::greater<double>());
  EXPECT_TRUE(obb.size.isApprox(sorted, 1e-9)) << obb.size.transpose();
  for (int k = 0; k < 3; ++k) {
    EXPECT_NEAR(std::abs(obb.pose.linear().col(k).dot(T_mesh_box.linear().col(k))), 1.0, 1e-9)
        << "axis " << k;
  }

  CollisionWorld world({"base", "link1", "link2", "end_effector"});
  ASSERT_EQ(world.addMesh("base", "m0", mesh, Isometry3d::Identity()), GeometryStatus::Ok);
  ASSERT_EQ(world.addMesh("link1", "m1", mesh, pose(0.0, 0.0, 0.5)), GeometryStatus::Ok);
  ASSERT_EQ(world.addShape("link2", box("b2", Vector3d(0.1, 0.2, 0.3)), pose(1.0, 0.0, 0.0)),
            GeometryStatus::Ok);
  std::vector<Isometry3d> T_base_link = {Isometry3d::Identity(), pose(0.0, 0.0, 1.0, 1.0),
                                         pose(0.5, 0.5, 0.0, -0.5, Vector3d::UnitX()),
                                         pose(0.0, 1.0, 0.0)};
  std::map<std::string, std::vector<Obb>> model;
  ASSERT_EQ(world.obbModel(T_base_link, model), GeometryStatus::Ok);
  ASSERT_EQ(model.size(), 3u);
  EXPECT_EQ(model.count("base"), 0u);
  EXPECT_TRUE(model.at("end_effector").empty());
  ASSERT_EQ(model.at("link1").size(), 1u);
  EXPECT_TRUE(
      model.at("link1")[0].pose.isApprox(T_base_link[1] * pose(0.0, 0.0, 0.5) * obb.pose, 1e-9));
  ASSERT_EQ(model.at("link2").size(), 1u);
  EXPECT_TRUE(model.at("link2")[0].pose.isApprox(T_base_link[2] * pose(1.0, 0.0, 0.0), 1e-9));
  EXPECT_TRUE(model.at("link2")[0].size.isApprox(Vector3d(0.1, 0.2, 0.3)));

  ASSERT_EQ(
      world.addShape("end_effector", box("tool", Vector3d(0.1, 0.1, 0.1)), Isometry3d::Identity()),
      GeometryStatus::Ok);
  ASSERT_EQ(world.obbModel(T_base_link, model), GeometryStatus::Ok);
  EXPECT_EQ(model.size(), 3u) << "a shape adds a box, not an entry";
  EXPECT_EQ(model.at("end_effector").size(), 1u);
  std::vector<Obb> in_link;
  EXPECT_EQ(world.linkObbs("link1", in_link), GeometryStatus::Ok);
  EXPECT_TRUE(in_link.at(0).pose.isApprox(pose(0.0, 0.0, 0.5) * obb.pose, 1e-9));
}

// base with a post in reach of a swinging arm, a link that always overlaps the base except at the
// default posture, and a link far away from everything.
struct PairFixture {
  CollisionWorld world{{"base", "arm", "post", "sticky", "far"}};
  LinkPoseFunction poses = [](const std::vector<double>& q, std::vector<Isometry3d>& T) {
    T.assign(5, Isometry3d::Identity());
    T[1] = pose(0.0, 0.0, 0.3, q[0]);
    T[2] = pose(0.0, 0.0, 0.3);
    T[3] = std::abs(q[1]) < 0.05 ? pose(0.0, 0.0, 5.0) : pose(0.0, 0.0, 0.0);
    T[4] = pose(10.0, 0.0, 0.0);
    return true;
  };
  PairSamplingOptions options;

  PairFixture() {
    world.addShape("base", box("b", Vector3d(0.3, 0.3, 0.2)), Isometry3d::Identity());
    world.addShape("arm", box("a", Vector3d(1.0, 0.05, 0.05)), pose(0.5, 0.0, 0.0));
    world.addShape("post", box("p", Vector3d(0.05, 0.05, 0.2)), pose(0.8, 0.0, 0.0));
    world.addShape("sticky", box("s", Vector3d(0.1, 0.1, 0.1)), Isometry3d::Identity());
    world.addShape("far", box("f", Vector3d(0.1, 0.1, 0.1)), Isometry3d::Identity());
    options.num_trials = 400;
    options.always_fraction = 0.8;
    options.seed = 11;
    options.lower = {-M_PI, -1.0};
    options.upper = {M_PI, 1.0};
    options.adjacent = {{"arm", "base"}};
  }
};

TEST(NeverCollidingPairs, ReasonsFollowTheSamplesAndTheSeed) {
  PairFixture f;
  PairMap pairs;
  PairSamplingStats stats;
  ASSERT_EQ(computeDisabledPairs(f.world, f.poses, f.options, pairs, &stats), GeometryStatus::Ok);
  EXPECT_EQ(stats.samples, 400);
  ASSERT_EQ(pairs.size(), 10u);  // every pair of the five links
  auto reason = [&](const std::string& a, const std::string& b) { return pairs.at({a, b}).reason; };
  EXPECT_EQ(reason("base", "arm"), PairReason::Adjacent);
  EXPECT_EQ(reason("arm", "post"), PairReason::Default);  // the arm lies across the post at q = 0
  EXPECT_EQ(reason("base", "sticky"), PairReason::Always);
  EXPECT_EQ(reason("base", "far"), PairReason::Never);
  EXPECT_EQ(reason("arm", "far"), PairReason::Never);
  for (const auto& [key, state] : pairs)
    EXPECT_EQ(state.disable_check, state.reason != PairReason::NotDisabled)
        << key.first << "-" << key.second;

  // The arm meets the sticky box near the base only in part of the postures.
  f.options.default_q = {M_PI / 2, 0.0};
  PairMap again;
  PairSamplingStats stats_again;
  ASSERT_EQ(computeDisabledPairs(f.world, f.poses, f.options, again, &stats_again),
            GeometryStatus::Ok);
  EXPECT_EQ(again.at({"arm", "post"}).reason, PairReason::NotDisabled);
  // The post (at 0.8 m, 25 mm half-width, arm 25 mm half-width) is hit within about +-0.07 rad.
  const auto it = std::distance(again.begin(), again.find({"arm", "post"}));
  const double fraction = double(stats_again.collision_count[it]) / stats_again.samples;
  EXPECT_NEAR(fraction, 2.0 * 0.0625 / (2.0 * M_PI), 0.02);

  PairMap repeat;
  PairSamplingStats stats_repeat;
  ASSERT_EQ(computeDisabledPairs(f.world, f.poses, f.options, repeat, &stats_repeat),
            GeometryStatus::Ok);
  EXPECT_EQ(stats_repeat.collision_count, stats_again.collision_count) << "same seed, same samples";
  for (const auto& [key, state] : again) EXPECT_EQ(repeat.at(key).reason, state.reason);

  f.options.lower = {1.0, 0.0};
  f.options.upper = {0.0, 0.0};
  EXPECT_EQ(computeDisabledPairs(f.world, f.poses, f.options, repeat),
            GeometryStatus::InvalidPoses);
}

#ifdef ZEMO_DESCRIPTION_DIR
TEST(RealMeshes, EveryCollisionMeshLoadsAndItsBoxHoldsItsVertices) {
  const std::string dir = std::string(ZEMO_DESCRIPTION_DIR) + "meshes/vire_r5/collision/";
  int loaded = 0;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    if (entry.path().extension() != ".STL" && entry.path().extension() != ".stl") continue;
    const std::string path = entry.path().string();
    TriangleMesh mesh;
    std::string error;
    const MeshStatus status = readStl(path, mesh, 1.0, &error);
    ASSERT_EQ(status, MeshStatus::Ok) << error;
    ++loaded;
    const Obb obb = fitObb(mesh);
    for (const auto& v : mesh.vertices) {
      const Vector3d local = obb.pose.inverse() * v;
      ASSERT_TRUE(((local.cwiseAbs() - 0.5 * obb.size).array() <= 1e-9).all())
          << path << ": " << v.transpose();
    }
    CollisionWorld world({"base", "link"});
    ASSERT_EQ(world.addShape("link", meshFile("m", path), Isometry3d::Identity()),
              GeometryStatus::Ok);
  }
  if (loaded == 0) GTEST_SKIP() << "no collision meshes under " << dir;
}

// The arm with its own meshes: link k is DH frame k, meshes in link frames, adjacent links exempt.
struct ArmFixture {
  CollisionWorld world{{"base_Link", "shoulder_Link", "upperArm_Link", "foreArm_Link",
                        "wrist1_Link", "wrist2_Link", "wrist3_Link"}};
  DHTable dh;
  bool loaded = true;

  ArmFixture() {
    dh.alpha = {0.0, -M_PI / 2, M_PI, M_PI, -M_PI / 2, M_PI / 2};
    dh.a = {0.0, 0.0, 0.408, 0.376, 0.0, 0.0};
    dh.d = {0.122, 0.1215, 0.0, 0.0, 0.1025, 0.094};
    dh.theta = {M_PI, -M_PI / 2, 0.0, -M_PI / 2, 0.0, 0.0};
    const std::string dir = std::string(ZEMO_DESCRIPTION_DIR) + "meshes/vire_r5/collision/";
    PairMap adjacent;
    for (int k = 0; k < 7; ++k) {
      const std::string link = world.linkNames()[k];
      loaded =
          loaded && world.addShape(link, meshFile(link, dir + "link" + std::to_string(k) + ".STL"),
                                   Isometry3d::Identity()) == GeometryStatus::Ok;
      if (k > 0) adjacent[{world.linkNames()[k - 1], link}] = {PairReason::Adjacent, true};
    }
    world.setPairMap(adjacent);
  }

  std::vector<Isometry3d> poses(const JointVector& q) const {
    FrameArray frames;
    forwardFrames(dh, q, frames);
    return std::vector<Isometry3d>(frames.begin(), frames.end());
  }
};

TEST(RealMeshes, ArmPosturesFreeAndFoldedAsExpected) {
  ArmFixture arm;
  if (!arm.loaded) GTEST_SKIP() << "vire_r5 collision meshes not available";
  const struct {
    JointVector q;
    bool collision;
  } cases[] = {
      {(JointVector() << -9.4892e-07, -0.261799, 1.74533, 0.436333, 1.5708, 0).finished(), false},
      {(JointVector() << -0.0143431, 0.0491329, -0.0657296, -0.0633004, -0.0799256, 0.230762)
           .finished(),
       false},
      {JointVector::Zero(), false},
      // Forearm folded back onto the shoulder, then the wrist turned into the forearm.
      {(JointVector() << 0.0, 0.0, 3.1, 0.0, 0.0, 0.0).finished(), true},
      {(JointVector() << 0.0, 0.0, 0.0, 2.9, 0.0, 0.0).finished(), true},
  };
  for (const auto& c : cases) {
    CollisionReport report;
    ASSERT_EQ(arm.world.checkCollision(arm.poses(c.q), true, true, report), GeometryStatus::Ok);
    std::string pairs;
    for (const auto& contact : report.contacts)
      pairs += " " + contact.link_a + "/" + contact.link_b;
    EXPECT_EQ(report.collision, c.collision) << c.q.transpose() << ":" << pairs;
    DistanceReport d;
    ASSERT_EQ(arm.world.minimumDistance(arm.poses(c.q), 10.0, true, true, d), GeometryStatus::Ok);
    ASSERT_TRUE(d.found);
    EXPECT_EQ(d.distance <= 0.0, c.collision) << c.q.transpose() << ": " << d.distance;
  }
}
#endif

}  // namespace
}  // namespace zemo::collision

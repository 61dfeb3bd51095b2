#include "collision/stl_reader.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <tuple>

namespace zemo {
namespace collision {

namespace {

constexpr std::size_t kBinaryHeader = 80;
constexpr std::size_t kBinaryRecord =
    50;  // normal, three vertices (12 floats) and a 2-byte attribute

class MeshBuilder {
 public:
  MeshBuilder(TriangleMesh& mesh, double scale) : mesh_(mesh), scale_(scale) {}

  bool addTriangle(const Eigen::Vector3d& a, const Eigen::Vector3d& b, const Eigen::Vector3d& c) {
    if (!a.allFinite() || !b.allFinite() || !c.allFinite()) return false;
    const int ia = index(a * scale_), ib = index(b * scale_), ic = index(c * scale_);
    // Degenerate facets (repeated corners) carry no surface; exporters emit them, so skip them.
    if (ia != ib && ib != ic && ia != ic) mesh_.triangles.emplace_back(ia, ib, ic);
    return true;
  }

 private:
  int index(const Eigen::Vector3d& p) {
    const auto key = std::make_tuple(p.x(), p.y(), p.z());
    auto it = index_.find(key);
    if (it != index_.end()) return it->second;
    const int i = static_cast<int>(mesh_.vertices.size());
    mesh_.vertices.push_back(p);
    index_.emplace(key, i);
    return i;
  }

  TriangleMesh& mesh_;
  double scale_;
  std::map<std::tuple<double, double, double>, int> index_;
};

float readFloatLE(const unsigned char* p) {
  const std::uint32_t u = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) |
                          (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
  float f;
  std::memcpy(&f, &u, sizeof f);
  return f;
}

bool parseBinary(const std::string& bytes, MeshBuilder& builder, std::string& why) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::uint32_t count = std::uint32_t(data[80]) | (std::uint32_t(data[81]) << 8) |
                              (std::uint32_t(data[82]) << 16) | (std::uint32_t(data[83]) << 24);
  for (std::uint32_t t = 0; t < count; ++t) {
    const unsigned char* rec = data + kBinaryHeader + 4 + std::size_t(t) * kBinaryRecord + 12;
    Eigen::Vector3d v[3];
    for (int k = 0; k < 3; ++k)
      v[k] = Eigen::Vector3d(readFloatLE(rec + 12 * k), readFloatLE(rec + 12 * k + 4),
                             readFloatLE(rec + 12 * k + 8));
    if (!builder.addTriangle(v[0], v[1], v[2])) {
      why = "non-finite vertex in facet " + std::to_string(t);
      return false;
    }
  }
  return true;
}

bool parseAscii(const std::string& text, MeshBuilder& builder, std::string& why) {
  std::istringstream in(text);
  std::string word;
  in >> word;
  if (word != "solid") {
    why = "neither binary STL (size does not match the facet count) nor ASCII STL";
    return false;
  }
  std::getline(in, word);  // the solid's name
  Eigen::Vector3d v[3];
  int corners = 0;
  std::size_t facets = 0;
  while (in >> word) {
    if (word == "vertex") {
      if (corners == 3) {
        why = "facet " + std::to_string(facets) + " has more than three vertices";
        return false;
      }
      Eigen::Vector3d& p = v[corners++];
      if (!(in >> p.x() >> p.y() >> p.z())) {
        why = "unreadable vertex in facet " + std::to_string(facets);
        return false;
      }
    } else if (word == "endfacet") {
      if (corners != 3 || !builder.addTriangle(v[0], v[1], v[2])) {
        why = "facet " + std::to_string(facets) + " is not a finite triangle";
        return false;
      }
      corners = 0;
      ++facets;
    } else if (word == "endsolid") {
      return true;
    } else if (word != "facet" && word != "normal" && word != "outer" && word != "loop" &&
               word != "endloop") {
      // Normal components follow "normal"; anything else that is not a number is garbage.
      char* end = nullptr;
      std::strtod(word.c_str(), &end);
      if (end == word.c_str() || *end != '\0') {
        why = "unexpected token '" + word + "' after facet " + std::to_string(facets);
        return false;
      }
    }
  }
  why = "ASCII STL without endsolid";
  return false;
}

}  // namespace

MeshStatus readStl(const std::string& path, TriangleMesh& mesh, double scale, std::string* error) {
  mesh = TriangleMesh{};
  std::string why;
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    if (error) *error = "cannot open '" + path + "'";
    return MeshStatus::NotFound;
  }
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (!(scale > 0.0) || !std::isfinite(scale)) {
    if (error) *error = "invalid mesh scale " + std::to_string(scale);
    return MeshStatus::Malformed;
  }

  MeshBuilder builder(mesh, scale);
  bool ok = false;
  bool binary = false;
  if (bytes.size() >= kBinaryHeader + 4) {
    const auto* d = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::uint64_t count = std::uint64_t(d[80]) | (std::uint64_t(d[81]) << 8) |
                                (std::uint64_t(d[82]) << 16) | (std::uint64_t(d[83]) << 24);
    // A binary file may also start with "solid"; its exact size is the reliable sign.
    binary = bytes.size() == kBinaryHeader + 4 + count * kBinaryRecord;
  }
  ok = binary ? parseBinary(bytes, builder, why) : parseAscii(bytes, builder, why);
  if (ok && mesh.triangles.empty()) {
    why = "no triangle";
    ok = false;
  }
  if (!ok) {
    mesh = TriangleMesh{};
    if (error) *error = "'" + path + "': " + why;
    return MeshStatus::Malformed;
  }
  return MeshStatus::Ok;
}

}  // namespace collision
}  // namespace zemo

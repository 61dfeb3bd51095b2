#include "dynamics/dynamic_parameters.h"

#include <cmath>

namespace zemo {
namespace {

enum Slot {
  kM = 0,
  kMx = 1,
  kMy = 2,
  kMz = 3,
  kXX = 4,
  kXY = 5,
  kXZ = 6,
  kYY = 7,
  kYZ = 8,
  kZZ = 9
};

constexpr std::size_t form0Index(int link, int slot) {
  return 1 + kDynParamsPerLink * (link - 1) + slot;
}

constexpr std::size_t kForm1Size = 59;
constexpr std::size_t kForm2Size = 43;

void mapForm1(const std::vector<double>& in, std::vector<double>& out) {
  static constexpr int kSlots[] = {kMx, kMy, kXX, kXY, kXZ, kYZ, kZZ};
  static constexpr int kFirst[] = {5, 15, 26, 37, 48};  // links 2..6
  out[form0Index(1, kZZ)] = in[1];
  for (int link = 2; link <= kMaxDof; ++link) {
    for (int j = 0; j < 7; ++j) out[form0Index(link, kSlots[j])] = in[kFirst[link - 2] + j];
  }
}

void mapForm2(const std::vector<double>& in, std::vector<double>& out) {
  static constexpr int kSlots[] = {kXX, kXY, kXZ, kYZ, kZZ, kMx, kMy};
  out[form0Index(1, kZZ)] = in[1];
  out[form0Index(1, kMx)] = in[2];
  out[form0Index(1, kMy)] = in[3];
  for (int link = 2; link <= kMaxDof; ++link) {
    for (int j = 0; j < 7; ++j) out[form0Index(link, kSlots[j])] = in[4 + 7 * (link - 2) + j];
  }
}

}  // namespace

bool dynamicParametersToForm0(const std::vector<double>& in, std::vector<double>& form0,
                              std::string& error) {
  if (in.empty()) {
    error = "empty parameter vector";
    return false;
  }
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (!std::isfinite(in[i])) {
      error = "value " + std::to_string(i) + " is not finite";
      return false;
    }
  }
  const double tag = in[0];
  std::size_t expected = 0;
  if (tag == 0.0 || tag == 10.0) {
    expected = kForm0Size;
  } else if (tag == 1.0) {
    expected = kForm1Size;
  } else if (tag == 2.0) {
    expected = kForm2Size;
  } else {
    error = "unknown form " + std::to_string(tag) + " (0, 1, 2 or 10)";
    return false;
  }
  if (in.size() != expected) {
    error = "form " + std::to_string(static_cast<int>(tag)) + " needs " + std::to_string(expected) +
            " values, got " + std::to_string(in.size());
    return false;
  }
  std::vector<double> out(kForm0Size, 0.0);
  if (tag == 1.0) {
    mapForm1(in, out);
  } else if (tag == 2.0) {
    mapForm2(in, out);
  } else {
    for (std::size_t i = 1; i < kForm0Size; ++i) out[i] = in[i];
  }
  form0 = std::move(out);
  return true;
}

std::array<LinkInertial, kMaxDof> linksFromForm0(const std::vector<double>& form0) {
  std::array<LinkInertial, kMaxDof> links;
  for (int k = 1; k <= kMaxDof; ++k) {
    const double* v = form0.data() + form0Index(k, 0);
    LinkInertial& l = links[k - 1];
    l.m = v[kM];
    l.mc << v[kMx], v[kMy], v[kMz];
    l.I_o << v[kXX], v[kXY], v[kXZ], v[kXY], v[kYY], v[kYZ], v[kXZ], v[kYZ], v[kZZ];
  }
  return links;
}

std::vector<double> form0FromLinks(const std::array<LinkInertial, kMaxDof>& links) {
  std::vector<double> out(kForm0Size, 0.0);
  for (int k = 1; k <= kMaxDof; ++k) {
    const LinkInertial& l = links[k - 1];
    double* v = out.data() + form0Index(k, 0);
    v[kM] = l.m;
    v[kMx] = l.mc.x();
    v[kMy] = l.mc.y();
    v[kMz] = l.mc.z();
    v[kXX] = l.I_o(0, 0);
    v[kXY] = l.I_o(0, 1);
    v[kXZ] = l.I_o(0, 2);
    v[kYY] = l.I_o(1, 1);
    v[kYZ] = l.I_o(1, 2);
    v[kZZ] = l.I_o(2, 2);
  }
  return out;
}

}  // namespace zemo

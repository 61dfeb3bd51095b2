// Link dynamic parameter vectors: the forms the interface accepts and the form-0 layout.
//
// Element 0 of a vector names its form. Form 0 (61 values): per link k = 1..6 the ten values
// m, m cx, m cy, m cz, XX, XY, XZ, YY, YZ, ZZ (kg, kg m, kg m^2; DH frame k about its origin;
// XY.. are tensor elements) at index 1 + 10 (k - 1) + slot. Form 10 (61): the same 60 values.
// Form 1 (59): per link the identified set of that arm; the inertial entries map as
//   1 -> ZZ1; links 2..6: seven values from index 5, 15, 26, 37, 48 -> MX MY XX XY XZ YZ ZZ;
//   the friction, offset and rotor entries (2-4, 12-14, 22-25, 33-36, 44-47, 55-58) are dropped.
// Form 2 (43): 1 -> ZZ1, 2 -> MX1, 3 -> MY1; links 2..6: seven values from 4 + 7 (k - 2)
//   -> XX XY XZ YZ ZZ MX MY; 39..42 are dropped.
// Form-0 entries that a form does not write are zero.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/robot_model.h"

namespace zemo {

constexpr int kDynParamsPerLink = 10;
constexpr std::size_t kForm0Size = 1 + kMaxDof * kDynParamsPerLink;

// Converts a vector of form 0, 1, 2 or 10 into the form-0 vector. On a bad tag, a length that
// does not match the tag or a non-finite value returns false with the reason in error.
bool dynamicParametersToForm0(const std::vector<double>& in, std::vector<double>& form0,
                              std::string& error);

// Form-0 vector (61 values, tag first) <-> link inertials (body k in DH frame k+1).
std::array<LinkInertial, kMaxDof> linksFromForm0(const std::vector<double>& form0);
std::vector<double> form0FromLinks(const std::array<LinkInertial, kMaxDof>& links);

}  // namespace zemo

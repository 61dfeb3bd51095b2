// Status values of the utility kernels (the library's general return codes) and the argument
// checks they share.
#pragma once

#include <cmath>
#include <sstream>
#include <string>

namespace zemo {

constexpr int kUtlOk = 0;
constexpr int kUtlInvalidArgument = -1;     // the general error code
constexpr int kUtlDimensionMismatch = -11;  // array sizes disagree with the stated counts

inline bool isPositiveFinite(double v) {
  return v > 0.0 && std::isfinite(v);
}

// Sets `error` to "<name> = <value> <rule>" and returns `code`.
template <class T>
int rejectArgument(std::string& error, const std::string& name, const T& value, const char* rule,
                   int code = kUtlInvalidArgument) {
  std::ostringstream os;
  os << name << " = " << value << " " << rule;
  error = os.str();
  return code;
}

}  // namespace zemo

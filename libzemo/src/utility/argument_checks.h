// Argument checks shared by the utility kernels; they report the library's general codes.
#pragma once

#include <cmath>
#include <sstream>
#include <string>

#include "zemo_utility.h"

namespace zemo {

inline bool isPositiveFinite(double v) {
  return v > 0.0 && std::isfinite(v);
}

// Sets `error` to "<name> = <value> <rule>" and returns `code`.
template <class T>
int rejectArgument(std::string& error, const std::string& name, const T& value, const char* rule,
                   int code = ZEMO::E_ERR_ERROR) {
  std::ostringstream os;
  os << name << " = " << value << " " << rule;
  error = os.str();
  return code;
}

}  // namespace zemo

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "zemo_utility.h"

namespace ZEMO {
namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool allBlank(const std::string& text) {
  for (char c : text)
    if (!isBlank(c)) return false;
  return true;
}

}  // namespace

int StrToDouble(const char* text, double& value) {
  value = std::numeric_limits<double>::quiet_NaN();
  if (text == nullptr) return E_ERR_ERROR;
  char* end = nullptr;
  errno = 0;
  const double parsed = std::strtod(text, &end);
  if (end == text) return E_ERR_ERROR;
  while (*end != '\0' && isBlank(*end)) ++end;
  // Overflow is an error; underflow to a tiny or zero value is a number.
  if (*end != '\0' || (errno == ERANGE && std::isinf(parsed))) return E_ERR_ERROR;
  value = parsed;
  return E_NO_ERROR;
}

int SplitString(const std::string& line, const std::string& separator,
                std::vector<double>& values) {
  values.clear();
  if (allBlank(line)) return E_NO_ERROR;
  const bool blank_separator = !separator.empty() && allBlank(separator);
  std::vector<std::string> fields;
  if (separator.empty()) {
    fields.push_back(line);
  } else {
    std::size_t start = 0;
    while (true) {
      const std::size_t pos = line.find(separator, start);
      fields.push_back(
          line.substr(start, pos == std::string::npos ? std::string::npos : pos - start));
      if (pos == std::string::npos) break;
      start = pos + separator.size();
    }
  }
  for (const std::string& field : fields) {
    // Between blank separators an empty field is only a run of blanks, not a missing value.
    if (blank_separator && allBlank(field)) continue;
    double value = 0.0;
    if (StrToDouble(field.c_str(), value) < 0) return E_ERR_ERROR;
    values.push_back(value);
  }
  return E_NO_ERROR;
}

}  // namespace ZEMO

// Texts of the status codes of every module.
#pragma once

#include <map>
#include <string>

namespace zemo {
namespace runtime {

// One entry per distinct code value.
const std::map<int, const char*>& errorTexts();

// The text of a code; "unknown error code <code>" for a value no module defines.
std::string errorDescription(int code);

}  // namespace runtime
}  // namespace zemo

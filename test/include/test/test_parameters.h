#pragma once

#include <string>
#include <utility>
#include <vector>

#include <unittest/unittest.h>

#include "test/data_file.h"

// (data type, robot type) from the runner's input parameters; (1, 1) when none are given.
// A parameter that is not a number raises std::invalid_argument ("stoi") into the test.
inline std::pair<int, int> getTestType() {
  const std::vector<std::string>& para = UnitTest::GetInputPara();
  if (para.empty()) return {1, 1};
  const int data_type = std::stoi(para[0]);
  if (para.size() < 2) return {data_type, 1};
  return {data_type, std::stoi(para[1])};
}

inline std::string getRobotType(const int type) {
  switch (type) {
    case 0: return "vire_r3";
    case 2: return "vire_r10";
    case 3: return "vire_r12";
    case 4: return "vire_r16";
    case 5: return "vire_r20";
    case 12: return "vire_r10X";
    case 13: return "vire_r12X";
    case 23: return "vire_rQ20";
    case 30: return "vire_K3";
    case 31: return "vire_K5";
    case 32: return "vire_K10";
    case 40: return "vire_W3";
    case 41: return "vire_W6";
    case 50: return "vire_U6";
    case 61: return "vire_P12Z";
    default: return "vire_r5";
  }
}

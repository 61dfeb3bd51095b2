#pragma once

#include <array>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "zemo_utility.h"

namespace ZEMO {

// One number per line. A line that does not convert is kept as NaN, so it cannot pass for data.
inline int ReadFromFile1D(const std::string& file_name, std::vector<double>& vec) {
  vec.clear();
  std::ifstream in(file_name);
  if (in.fail()) return -8;
  std::string line;
  while (std::getline(in, line)) {
    double value = std::numeric_limits<double>::quiet_NaN();
    StrToDouble(line.c_str(), value);
    vec.push_back(value);
  }
  return 0;
}

// Rows of numbers separated by `spliter`; stops at the first line SplitString rejects and
// returns its status, keeping the rows read before it.
inline int ReadFromFile2D(const std::string& file_name, std::string spliter,
                          std::vector<std::vector<double>>& vec) {
  std::ifstream in(file_name);
  if (in.fail()) return -8;
  vec.clear();
  int ret = 0;
  std::string line;
  while (std::getline(in, line)) {
    std::vector<double> row;
    ret = SplitString(line, spliter, row);
    if (ret < 0) break;
    vec.push_back(row);
  }
  return ret;
}

inline int WriteToFile1D(const std::vector<double>& vec, const std::string& file_name, bool append) {
  std::ofstream out(file_name, append ? std::ios::app : std::ios::trunc);
  if (!out) return 0;
  for (double v : vec) out << v << std::endl;
  return 0;
}

namespace detail {
template <class Row>
void writeRow(std::ofstream& out, const Row& row, const std::string& spliter) {
  if (row.empty()) {  // keep the row count: an empty row is an empty line
    out << std::endl;
    return;
  }
  for (std::size_t i = 0; i + 1 < row.size(); ++i) out << row[i] << spliter;
  out << row.back() << std::endl;
}
}  // namespace detail

template <class T>
int WriteToFile2D(const T& vec, const std::string& file_name, const std::string& spliter,
                  bool append) {
  std::ofstream out(file_name, append ? std::ios::app : std::ios::trunc);
  if (!out) return 0;
  out.setf(std::ios::fixed);
  out.precision(6);
  for (const auto& row : vec) detail::writeRow(out, row, spliter);
  return 0;
}

}  // namespace ZEMO

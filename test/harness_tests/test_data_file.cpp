#include <array>
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "test/data_file.h"

std::string urdf_path;

namespace {

std::string writeText(const std::string& name, const std::string& text) {
  std::ofstream(name, std::ios::trunc) << text;
  return name;
}

std::string readText(const std::string& name) {
  std::ifstream in(name);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(ReadFromFile, MissingFileGivesFileNotExist) {
  std::vector<double> v{1.0, 2.0};
  EXPECT_EQ(ZEMO::ReadFromFile1D("no_such_file.txt", v), -8);
  EXPECT_TRUE(v.empty()) << "the 1-D reader clears its output first";

  std::vector<std::vector<double>> rows{{1.0}};
  EXPECT_EQ(ZEMO::ReadFromFile2D("no_such_file.txt", ",", rows), -8);
  ASSERT_EQ(rows.size(), 1u) << "the 2-D reader leaves its output as it was";
}

TEST(ReadFromFile, OneDimensional) {
  std::vector<double> v;
  ASSERT_EQ(ZEMO::ReadFromFile1D(writeText("one_d.txt", "1.5\n-2e-3\n7"), v), 0);
  ASSERT_EQ(v.size(), 3u) << "a last line without newline counts";
  EXPECT_DOUBLE_EQ(v[0], 1.5);
  EXPECT_DOUBLE_EQ(v[1], -2e-3);
  EXPECT_DOUBLE_EQ(v[2], 7.0);
}

TEST(ReadFromFile, UnconvertibleLineIsNotMistakenForData) {
  std::vector<double> v;
  ASSERT_EQ(ZEMO::ReadFromFile1D(writeText("bad_1d.txt", "1\nabc\n3\n"), v), 0);
  ASSERT_EQ(v.size(), 3u);
  EXPECT_TRUE(std::isnan(v[1]));
}

TEST(ReadFromFile, TwoDimensional) {
  std::vector<std::vector<double>> rows;
  ASSERT_EQ(ZEMO::ReadFromFile2D(writeText("two_d.txt", "1,2\n3,4\n5,6\n"), ",", rows), 0);
  ASSERT_EQ(rows.size(), 3u);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    ASSERT_EQ(rows[i].size(), 2u);
    EXPECT_DOUBLE_EQ(rows[i][0], 2.0 * i + 1);
    EXPECT_DOUBLE_EQ(rows[i][1], 2.0 * i + 2);
  }
  ASSERT_EQ(ZEMO::ReadFromFile2D(writeText("blank_sep.txt", "1 2 3\n"), " ", rows), 0);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].size(), 3u);
}

TEST(ReadFromFile, MalformedRowStopsTheReader) {
  std::vector<std::vector<double>> rows;
  const int ret = ZEMO::ReadFromFile2D(writeText("bad_2d.txt", "1,2\nx,4\n5,6\n"), ",", rows);
  EXPECT_LT(ret, 0);
  ASSERT_EQ(rows.size(), 1u) << "rows before the bad line are kept";
}

TEST(ReadFromFile, EmptyFile) {
  std::vector<double> v{3.0};
  std::vector<std::vector<double>> rows{{3.0}};
  EXPECT_EQ(ZEMO::ReadFromFile1D(writeText("empty.txt", ""), v), 0);
  EXPECT_EQ(ZEMO::ReadFromFile2D("empty.txt", ",", rows), 0);
  EXPECT_TRUE(v.empty());
  EXPECT_TRUE(rows.empty());
}

TEST(WriteToFile, FixedNotationRowsAndAppend) {
  const std::vector<std::vector<double>> rows{{1, 2}, {3, 4}};
  EXPECT_EQ(ZEMO::WriteToFile2D(rows, "out_2d.txt", ",", false), 0);
  EXPECT_EQ(readText("out_2d.txt"), "1.000000,2.000000\n3.000000,4.000000\n");
  const std::vector<std::array<double, 6>> arrays{{1, 2, 3, 4, 5, 6.5}};
  EXPECT_EQ(ZEMO::WriteToFile2D(arrays, "out_2d.txt", " ", true), 0);
  EXPECT_EQ(readText("out_2d.txt"),
            "1.000000,2.000000\n3.000000,4.000000\n"
            "1.000000 2.000000 3.000000 4.000000 5.000000 6.500000\n");

  EXPECT_EQ(ZEMO::WriteToFile1D({0.1234567, 2.0}, "out_1d.txt", false), 0);
  EXPECT_EQ(readText("out_1d.txt"), "0.123457\n2\n");
  std::vector<double> back;
  ASSERT_EQ(ZEMO::ReadFromFile1D("out_1d.txt", back), 0);
  EXPECT_EQ(back.size(), 2u);
}

TEST(WriteToFile, UnopenableFileIsSilent) {
  EXPECT_EQ(ZEMO::WriteToFile1D({1.0}, "no_such_dir/x.txt", false), 0);
  EXPECT_EQ(ZEMO::WriteToFile2D(std::vector<std::vector<double>>{{1.0}}, "no_such_dir/x.txt", ",",
                                false),
            0);
}

}  // namespace

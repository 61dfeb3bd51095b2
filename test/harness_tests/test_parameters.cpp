#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "test/test_parameters.h"

namespace {

struct Case {
  std::vector<std::string> para;
  std::pair<int, int> expected;
};

TEST(GetTestType, DecodesDataTypeAndRobotType) {
  const Case cases[] = {
      {{}, {1, 1}},
      {{"3"}, {3, 1}},
      {{"2", "12"}, {2, 12}},
      {{" 4", "61 trailing"}, {4, 61}},
      {{"5", "50", "extra"}, {5, 50}},
  };
  for (const Case& c : cases) {
    UnitTest::GetInputPara() = c.para;
    EXPECT_EQ(getTestType(), c.expected) << "parameters: " << c.para.size();
  }
  UnitTest::GetInputPara().clear();
}

TEST(GetTestType, NonNumberRaisesTheStandardException) {
  UnitTest::GetInputPara() = {"x"};
  EXPECT_THROW(getTestType(), std::invalid_argument);
  UnitTest::GetInputPara() = {"1", "99999999999999"};
  EXPECT_THROW(getTestType(), std::out_of_range);
  UnitTest::GetInputPara().clear();
}

TEST(GetRobotType, TableAndDefault) {
  const std::pair<int, const char*> table[] = {
      {0, "vire_r3"},    {1, "vire_r5"},   {2, "vire_r10"},  {3, "vire_r12"},  {4, "vire_r16"},
      {5, "vire_r20"},   {12, "vire_r10X"}, {13, "vire_r12X"}, {23, "vire_rQ20"}, {30, "vire_K3"},
      {31, "vire_K5"},   {32, "vire_K10"},  {40, "vire_W3"},   {41, "vire_W6"},   {50, "vire_U6"},
      {51, "vire_r5"},   {61, "vire_P12Z"}, {-1, "vire_r5"},   {7, "vire_r5"}};
  for (const auto& [type, name] : table) EXPECT_EQ(getRobotType(type), name) << type;
}

}  // namespace

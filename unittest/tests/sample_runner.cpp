// Second test file of the sample program: input parameters, nested runs, timing records.
#include <unittest/unittest.h>

#include <iostream>
#include <string>
#include <vector>

namespace {

struct ParamFixture {
  std::vector<std::string> seen = UnitTest::GetInputPara();
};

UnitTest::TestDetails& Timing(const UnitTest::TestDetails& details) {
  return const_cast<UnitTest::TestDetails&>(details);
}

}  // namespace

SUITE(FW_PARAMS) {
  TEST_FIXTURE(ParamFixture, ShowParams) {
    std::cout << "params:";
    for (const std::string& p : seen) std::cout << " " << p;
    std::cout << std::endl;
    CHECK(seen.size() != 1);
  }

  TEST(ALL) {
    {
      TestParamFixtureShowParams nested;
      UnitTest::SetInputPara({"3", "4"});
      nested.Run();
      UnitTest::SetInputPara({"7"});
      nested.Run();
    }
    // The nested test is gone: these checks must be located at ALL.
    CHECK_EQUAL(1u, UnitTest::GetInputPara().size());
    CHECK(false);
  }

  TEST(SeesNoParams) {
    CHECK(UnitTest::GetInputPara().empty());
  }

  TEST(SlowComputation) {
    Timing(m_details).actual_time = 150;
    Timing(m_details).expect_time = 100;
  }

  TEST(FastComputation) {
    Timing(m_details).actual_time = 50.25;
    Timing(m_details).expect_time = 1234567;
  }
}

SUITE(FW_DUP_B) {
  TEST(Same) {
    CHECK(true);
  }
}

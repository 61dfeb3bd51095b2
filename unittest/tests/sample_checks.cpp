// First test file of the sample program: checks, exceptions, signals, fixtures, assertions.
#include <unittest/unittest.h>

#include <array>
#include <cmath>
#include <csignal>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "sample_faults.h"

namespace {

bool ThrowStd() {
  throw std::runtime_error("boom");
}
int ThrowInt() {
  throw 7;
}

struct TracedFixture {
  TracedFixture() { std::cout << "TracedFixture built" << std::endl; }
  ~TracedFixture() { std::cout << "TracedFixture destroyed" << std::endl; }
  int dof = 6;
};

struct CtorThrowsFixture {
  CtorThrowsFixture() { throw 1; }
};

struct CtorThrowsStdFixture {
  CtorThrowsStdFixture() { throw std::logic_error("fixture ctor"); }
};

struct DtorThrowsFixture {
  ~DtorThrowsFixture() noexcept(false) { throw 1; }
};

}  // namespace

SUITE(FW_CHECKS) {
  TEST(PassingChecks) {
    int ret = 0;
    CHECK(ret >= 0);
    unsigned int dof = 6;
    CHECK_EQUAL(6, dof);
    CHECK_EQUAL(true, 1 == 1);
    const char* none = nullptr;
    CHECK_EQUAL(none, none);
    CHECK_EQUAL("abc", std::string("abc").c_str());
    CHECK_CLOSE(1.0, 1.000000001, 1e-8);
    std::array<double, 6> pose{1, 2, 3, 4, 5, 6};
    double poseRaw[6] = {1, 2, 3, 4, 5, 6};
    const double* poseConst = poseRaw;
    CHECK_ARRAY_EQUAL(pose, poseRaw, 6);
    CHECK_ARRAY_CLOSE(poseRaw, poseConst, 6, 1e-12);
    std::vector<int> ids{1, 2, 3};
    const int idsRaw[3] = {1, 2, 3};
    CHECK_ARRAY_EQUAL(ids, static_cast<const int*>(idsRaw), 3);
    double near3[3] = {1, 2, 3};
    std::array<double, 3> far3{1, 2, 4};
    CHECK_ARRAY_CLOSE(near3, far3, 2, 0.01);
    CHECK_ARRAY_CLOSE(near3, far3, 0, 0.01);
  }

  TEST(FailingChecks) {
    int ret = -1;
    CHECK(ret >= 0);
    unsigned int dof = 7;
    CHECK_EQUAL(6, dof);
    CHECK_EQUAL(-1, 4294967295u);
    CHECK_CLOSE(1.0, 1.1, 1e-8);
    CHECK_CLOSE(1.0, std::nan(""), 1e-8);
    std::vector<double> expected{1, 2, 3};
    std::vector<double> actual{1, 2, 4};
    CHECK_ARRAY_CLOSE(expected, actual, 3, 0.01);
    CHECK_ARRAY_EQUAL(std::string("abc"), std::string("abd"), 3);
    const char* none = nullptr;
    CHECK_EQUAL(none, "x");
    std::cout << "FailingChecks went on" << std::endl;
  }

  TEST(ThrowingCheckArguments) {
    CHECK(ThrowStd());
    CHECK_EQUAL(1, ThrowInt());
    CHECK_CLOSE(1.0, ThrowInt(), 0.1);
    std::vector<int> empty;
    CHECK_ARRAY_EQUAL(empty, (ThrowStd() ? empty : empty), 1);
    CHECK_ARRAY_CLOSE(empty, (ThrowInt() ? empty : empty), 1, 0.1);
    std::cout << "ThrowingCheckArguments went on" << std::endl;
  }
}

SUITE(FW_EXEC) {
  TEST(ThrowsStdException) {
    throw std::runtime_error("x");
    std::cout << "not reached" << std::endl;
  }

  TEST(ThrowsInt) {
    throw 42;
  }

  TEST_FIXTURE(TracedFixture, SegFault) {
    CHECK_EQUAL(6, dof);
    WriteThroughNull();
    std::cout << "not reached" << std::endl;
  }

  TEST_FIXTURE(TracedFixture, DivideByZero) {
    const int quotient = DivideUnchecked(dof, 0);
    std::cout << "not reached " << quotient << std::endl;
  }

  TEST(HandlersInstalledAgain) {
    struct sigaction current;
    sigaction(SIGSEGV, nullptr, &current);
    CHECK(current.sa_handler != SIG_DFL);
  }

  TEST(SegFaultAgain) {
    WriteThroughNull();
  }

  TEST_FIXTURE(CtorThrowsFixture, CtorThrows) {
    std::cout << "not reached" << std::endl;
  }

  TEST_FIXTURE(CtorThrowsStdFixture, CtorThrowsStd) {
    std::cout << "not reached" << std::endl;
  }

  TEST_FIXTURE(DtorThrowsFixture, DtorThrows) {
    std::cout << "DtorThrows body ran" << std::endl;
  }

  TEST(UnexpectedAssert) {
    UnitTest::ReportAssert("assertion text", "assert_site.cpp", 77);
    std::cout << "not reached" << std::endl;
  }

  TEST(ExpectedAssert) {
    UnitTest::Detail::ExpectAssert(true);
    UnitTest::ReportAssert("expected assertion", "assert_site.cpp", 78);
    std::cout << "not reached" << std::endl;
  }

  TEST(AssertFlagCleared) {
    CHECK(!UnitTest::Detail::AssertExpected());
  }

  TEST(RequiredChecksStop) {
    for (UnitTest::RequiredCheckTestReporter r(*UnitTest::CurrentTest::Results()); r.Next();) {
      CHECK(true);
      CHECK_EQUAL(1, 2);
      std::cout << "not reached" << std::endl;
    }
    std::cout << "not reached" << std::endl;
  }

  TEST(RequiredChecksPass) {
    int passes = 0;
    for (UnitTest::RequiredCheckTestReporter r(*UnitTest::CurrentTest::Results()); r.Next();) {
      CHECK(true);
      ++passes;
    }
    CHECK_EQUAL(1, passes);
    CHECK_EQUAL(2, passes);
    std::cout << "RequiredChecksPass went on" << std::endl;
  }

  TEST(TimeConstraintInRequiredBlock) {
    for (UnitTest::RequiredCheckTestReporter r(*UnitTest::CurrentTest::Results()); r.Next();) {
      UnitTest::TimeConstraint constraint(1, m_details, __LINE__);
      UnitTest::TimeHelpers::SleepMs(5);
    }
    std::cout << "TimeConstraintInRequiredBlock went on" << std::endl;
  }

  TEST(TimeConstraintExceeded) {
    UnitTest::TimeConstraint constraint(1, m_details, __LINE__);
    UnitTest::TimeHelpers::SleepMs(20);
  }
}

SUITE(FW_DUP_A) {
  TEST(Same) {
    CHECK(true);
  }
}

#include <unittest/assert_exception.h>

#include <unittest/current_test.h>
#include <unittest/test_details.h>
#include <unittest/test_results.h>

namespace UnitTest {

AssertException::~AssertException() = default;

namespace {
bool s_assertExpected = false;
}  // namespace

void ReportAssert(const char* description, const char* filename, int lineNumber) {
  Detail::ReportAssertEx(CurrentTest::Results(), CurrentTest::Details(), description, filename,
                         lineNumber);
}

namespace Detail {

void ReportAssertEx(TestResults* testResults, const TestDetails* testDetails,
                    const char* description, const char* filename, int lineNumber) {
  if (!s_assertExpected && testResults != nullptr && testDetails != nullptr) {
    TestDetails assertDetails(testDetails->testName, testDetails->suiteName, filename, lineNumber);
    testResults->OnTestFailure(assertDetails, description);
  }
  ExpectAssert(false);
  throw AssertException();
}

void ExpectAssert(bool expected) {
  s_assertExpected = expected;
}

bool AssertExpected() {
  return s_assertExpected;
}

}  // namespace Detail

}  // namespace UnitTest

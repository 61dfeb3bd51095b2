#include <unittest/test_reporter_stdout.h>

#include <cstdio>
#include <iostream>

#include <unittest/test_details.h>

namespace UnitTest {

namespace {
// A missing name is written as nothing; streaming a null pointer would silence std::cout.
const char* OrEmpty(const char* text) {
  return text ? text : "";
}
}  // namespace

void TestReporterStdout::ReportTestStart(const TestDetails& test) {
  std::cout << "当前测试用例为: " << OrEmpty(test.suiteName) << ", " << OrEmpty(test.testName)
            << std::endl;
}

void TestReporterStdout::ReportFailure(const TestDetails& details, const char* failure) {
  std::fprintf(stderr, "%s:%d:%d: error: Failure in %s: %s\n", OrEmpty(details.filename),
               details.lineNumber, 1, OrEmpty(details.testName), OrEmpty(failure));
}

void TestReporterStdout::ReportTestFinish(const TestDetails&, float) {}

void TestReporterStdout::ReportSummary(int totalTestCount, int failedTestCount, int failureCount,
                                       float secondsElapsed) {
  if (failureCount > 0) {
    std::printf("FAILURE: %d out of %d tests failed (%d failures).\n", failedTestCount,
                totalTestCount, failureCount);
  } else {
    std::printf("Success: %d tests passed.\n", totalTestCount);
  }
  std::printf("Test time: %.2f seconds.\n", static_cast<double>(secondsElapsed));
  std::fflush(stdout);
}

}  // namespace UnitTest

#pragma once

#include <unittest/test_reporter.h>

namespace UnitTest {

// Console reporter: start lines to standard output, failures to standard error.
class TestReporterStdout : public TestReporter {
 public:
  void ReportTestStart(const TestDetails& test) override;
  void ReportFailure(const TestDetails& test, const char* failure) override;
  void ReportTestFinish(const TestDetails& test, float secondsElapsed) override;
  void ReportSummary(int totalTestCount, int failedTestCount, int failureCount,
                     float secondsElapsed) override;
};

}  // namespace UnitTest

#pragma once

#include <unittest/test_reporter.h>

namespace UnitTest {

// Fans every event out to up to kMaxReporters reporters, which it does not own.
class CompositeTestReporter : public TestReporter {
 public:
  static constexpr int kMaxReporters = 16;

  CompositeTestReporter();

  int GetReporterCount() const;
  bool AddReporter(TestReporter* reporter);
  bool RemoveReporter(TestReporter* reporter);

  void ReportTestStart(const TestDetails& test) override;
  void ReportFailure(const TestDetails& test, const char* failure) override;
  void ReportTestFinish(const TestDetails& test, float secondsElapsed) override;
  void ReportSummary(int totalTestCount, int failedTestCount, int failureCount,
                     float secondsElapsed) override;

 private:
  TestReporter* m_reporters[kMaxReporters];
  int m_reporterCount;
};

}  // namespace UnitTest

#pragma once

namespace UnitTest {

class TestDetails;

// Receiver of the events of a run.
class TestReporter {
 public:
  virtual ~TestReporter();
  virtual void ReportTestStart(const TestDetails& test) = 0;
  virtual void ReportFailure(const TestDetails& test, const char* failure) = 0;
  virtual void ReportTestFinish(const TestDetails& test, float secondsElapsed) = 0;
  virtual void ReportSummary(int totalTestCount, int failedTestCount, int failureCount,
                             float secondsElapsed) = 0;
};

}  // namespace UnitTest

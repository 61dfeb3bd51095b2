#pragma once

#include <string>
#include <vector>

namespace UnitTest {

class TestReporter;
class TestDetails;

// Counts tests and failures of a run, forwards events to the reporter and keeps one error
// description per failure for the end of the run.
class TestResults {
 public:
  explicit TestResults(TestReporter* reporter = nullptr);

  void OnTestStart(const TestDetails& test);
  void OnTestFailure(const TestDetails& test, const char* failure);
  void OnTestFinish(const TestDetails& test, float secondsElapsed);

  int GetTotalTestCount() const { return m_totalTestCount; }
  int GetFailedTestCount() const { return m_failedTestCount; }
  int GetFailureCount() const { return m_failureCount; }
  std::vector<std::string> GetErrDescription() const { return m_err_des; }

 private:
  friend class RequiredCheckTestReporter;

  TestReporter* m_testReporter;
  int m_totalTestCount;
  int m_failedTestCount;
  int m_failureCount;
  std::vector<std::string> m_err_des;
  bool m_currentTestFailed;
};

}  // namespace UnitTest

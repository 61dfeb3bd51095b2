#pragma once

#include <exception>

#include <unittest/test_reporter.h>

namespace UnitTest {

class TestResults;

// Raised after a failure inside a block of required checks; ends the test body.
class RequiredCheckException : public std::exception {
 public:
  ~RequiredCheckException() override;
};

// Forwards every event to the decorated reporter and raises after a failure.
class ThrowingTestReporter : public TestReporter {
 public:
  explicit ThrowingTestReporter(TestReporter* reporter);
  ~ThrowingTestReporter() override;

  void ReportTestStart(const TestDetails& test) override;
  void ReportFailure(const TestDetails& test, const char* failure) override;
  void ReportTestFinish(const TestDetails& test, float secondsElapsed) override;
  void ReportSummary(int totalTestCount, int failedTestCount, int failureCount,
                     float secondsElapsed) override;

 private:
  TestReporter* m_decoratedReporter;
};

// Makes every failure recorded in its scope end the test:
//   for (RequiredCheckTestReporter r(results); r.Next();) { CHECK(...); }
class RequiredCheckTestReporter {
 public:
  explicit RequiredCheckTestReporter(TestResults& results);
  ~RequiredCheckTestReporter();
  RequiredCheckTestReporter(const RequiredCheckTestReporter&) = delete;
  RequiredCheckTestReporter& operator=(const RequiredCheckTestReporter&) = delete;

  bool Next();

 private:
  TestResults& m_results;
  TestReporter* m_originalTestReporter;
  ThrowingTestReporter m_throwingReporter;
  int m_continue;
};

}  // namespace UnitTest

#pragma once

#include <string>
#include <vector>

#include <unittest/test_reporter.h>

namespace UnitTest {

struct DeferredTestFailure {
  DeferredTestFailure();
  // Texts longer than the field are cut at a character boundary.
  DeferredTestFailure(int lineNumber, const char* text);

  int lineNumber;
  char text[1024];
};

struct DeferredTestResult {
  DeferredTestResult();
  DeferredTestResult(const char* suiteName, const char* testName);

  std::string suiteName;
  std::string testName;
  std::string filename;  // file of the last failure
  std::vector<DeferredTestFailure> failures;
  float seconds;  // [s]
  bool failed;
};

// Keeps every event until the summary; subclasses write the whole run there.
class DeferredTestReporter : public TestReporter {
 public:
  void ReportTestStart(const TestDetails& details) override;
  void ReportFailure(const TestDetails& details, const char* failure) override;
  void ReportTestFinish(const TestDetails& details, float secondsElapsed) override;

  using DeferredTestResultList = std::vector<DeferredTestResult>;
  DeferredTestResultList& GetResults();

 private:
  DeferredTestResultList m_results;
};

}  // namespace UnitTest

#include <unittest/test_results.h>

#include <unittest/test_details.h>
#include <unittest/test_reporter.h>

namespace UnitTest {

TestReporter::~TestReporter() = default;

TestResults::TestResults(TestReporter* testReporter)
    : m_testReporter(testReporter),
      m_totalTestCount(0),
      m_failedTestCount(0),
      m_failureCount(0),
      m_currentTestFailed(false) {}

void TestResults::OnTestStart(const TestDetails& test) {
  ++m_totalTestCount;
  m_currentTestFailed = false;
  if (m_testReporter) m_testReporter->ReportTestStart(test);
}

void TestResults::OnTestFailure(const TestDetails& test, const char* failure) {
  ++m_failureCount;
  if (!m_currentTestFailed) {
    ++m_failedTestCount;
    m_currentTestFailed = true;
  }
  if (m_testReporter) {
    // Stored before reporting: a throwing reporter (required checks) must not lose the line.
    std::string description;
    description += test.filename ? test.filename : "";
    description += ":";
    description += std::to_string(test.lineNumber);
    description += ":1 error: Failure in ";
    description += test.suiteName ? test.suiteName : "";
    description += "::";
    description += test.testName ? test.testName : "";
    description += ": ";
    description += failure ? failure : "";
    m_err_des.push_back(description);

    m_testReporter->ReportFailure(test, failure);
  }
}

void TestResults::OnTestFinish(const TestDetails& test, float secondsElapsed) {
  if (m_testReporter) m_testReporter->ReportTestFinish(test, secondsElapsed);
}

}  // namespace UnitTest

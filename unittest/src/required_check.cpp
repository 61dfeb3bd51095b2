#include <unittest/required_check.h>

#include <unittest/test_results.h>

namespace UnitTest {

RequiredCheckException::~RequiredCheckException() = default;

ThrowingTestReporter::ThrowingTestReporter(TestReporter* decoratedReporter)
    : m_decoratedReporter(decoratedReporter) {}

ThrowingTestReporter::~ThrowingTestReporter() = default;

void ThrowingTestReporter::ReportTestStart(const TestDetails& test) {
  if (m_decoratedReporter) m_decoratedReporter->ReportTestStart(test);
}

void ThrowingTestReporter::ReportFailure(const TestDetails& test, const char* failure) {
  if (m_decoratedReporter) m_decoratedReporter->ReportFailure(test, failure);
  throw RequiredCheckException();
}

void ThrowingTestReporter::ReportTestFinish(const TestDetails& test, float secondsElapsed) {
  if (m_decoratedReporter) m_decoratedReporter->ReportTestFinish(test, secondsElapsed);
}

void ThrowingTestReporter::ReportSummary(int totalTestCount, int failedTestCount, int failureCount,
                                         float secondsElapsed) {
  if (m_decoratedReporter) {
    m_decoratedReporter->ReportSummary(totalTestCount, failedTestCount, failureCount,
                                       secondsElapsed);
  }
}

RequiredCheckTestReporter::RequiredCheckTestReporter(TestResults& results)
    : m_results(results),
      m_originalTestReporter(results.m_testReporter),
      m_throwingReporter(results.m_testReporter),
      m_continue(0) {
  m_results.m_testReporter = &m_throwingReporter;
}

RequiredCheckTestReporter::~RequiredCheckTestReporter() {
  m_results.m_testReporter = m_originalTestReporter;
}

bool RequiredCheckTestReporter::Next() {
  return m_continue++ == 0;
}

}  // namespace UnitTest

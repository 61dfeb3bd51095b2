#include <unittest/deferred_test_reporter.h>

#include <cstring>

#include <unittest/test_details.h>

namespace UnitTest {

DeferredTestFailure::DeferredTestFailure() : lineNumber(-1) {
  text[0] = '\0';
}

DeferredTestFailure::DeferredTestFailure(int lineNumber_, const char* text_)
    : lineNumber(lineNumber_) {
  const size_t capacity = sizeof(text) - 1;
  size_t length = text_ ? std::strlen(text_) : 0;
  if (length > capacity) {
    length = capacity;
    // Back up to the start of a UTF-8 sequence so a cut text stays well-formed.
    while (length > 0 && (static_cast<unsigned char>(text_[length]) & 0xC0) == 0x80) --length;
  }
  if (length > 0) std::memcpy(text, text_, length);
  text[length] = '\0';
}

DeferredTestResult::DeferredTestResult() : seconds(0.0f), failed(false) {}

DeferredTestResult::DeferredTestResult(const char* suiteName_, const char* testName_)
    : suiteName(suiteName_ ? suiteName_ : ""),
      testName(testName_ ? testName_ : ""),
      seconds(0.0f),
      failed(false) {}

void DeferredTestReporter::ReportTestStart(const TestDetails& details) {
  m_results.emplace_back(details.suiteName, details.testName);
}

void DeferredTestReporter::ReportFailure(const TestDetails& details, const char* failure) {
  // A failure before any start (a misuse) still gets a result to live in.
  if (m_results.empty()) m_results.emplace_back(details.suiteName, details.testName);
  DeferredTestResult& r = m_results.back();
  r.failed = true;
  r.failures.emplace_back(details.lineNumber, failure);
  r.filename = details.filename ? details.filename : "";
}

void DeferredTestReporter::ReportTestFinish(const TestDetails&, float secondsElapsed) {
  if (!m_results.empty()) m_results.back().seconds = secondsElapsed;
}

DeferredTestReporter::DeferredTestResultList& DeferredTestReporter::GetResults() {
  return m_results;
}

}  // namespace UnitTest

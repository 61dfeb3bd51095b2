#pragma once

#include <iosfwd>

#include <unittest/deferred_test_reporter.h>

namespace UnitTest {

// Writes the run as one XML document, without line breaks, at the summary.
class XmlTestReporter : public DeferredTestReporter {
 public:
  explicit XmlTestReporter(std::ostream& ostream);
  XmlTestReporter(const XmlTestReporter&) = delete;
  XmlTestReporter& operator=(const XmlTestReporter&) = delete;

  void ReportSummary(int totalTestCount, int failedTestCount, int failureCount,
                     float secondsElapsed) override;

 private:
  void AddXmlElement(std::ostream& os);
  void BeginResults(std::ostream& os, int totalTestCount, int failedTestCount, int failureCount,
                    float secondsElapsed);
  void EndResults(std::ostream& os);
  void BeginTest(std::ostream& os, const DeferredTestResult& result);
  void AddFailure(std::ostream& os, const DeferredTestResult& result);
  void EndTest(std::ostream& os, const DeferredTestResult& result);

  std::ostream& m_ostream;
};

}  // namespace UnitTest

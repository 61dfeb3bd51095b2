#include <unittest/xml_test_reporter.h>

#include <ostream>
#include <string>

namespace UnitTest {

namespace {

std::string XmlEscape(const std::string& value) {
  std::string escaped;
  escaped.reserve(value.size());
  for (const char c : value) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '\'':
        escaped += "&apos;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string BuildFailureMessage(const std::string& file, int line, const std::string& message) {
  return file + "(" + std::to_string(line) + ") : " + message;
}

}  // namespace

XmlTestReporter::XmlTestReporter(std::ostream& ostream) : m_ostream(ostream) {}

void XmlTestReporter::ReportSummary(int totalTestCount, int failedTestCount, int failureCount,
                                    float secondsElapsed) {
  AddXmlElement(m_ostream);
  BeginResults(m_ostream, totalTestCount, failedTestCount, failureCount, secondsElapsed);
  for (const DeferredTestResult& result : GetResults()) {
    BeginTest(m_ostream, result);
    if (result.failed) AddFailure(m_ostream, result);
    EndTest(m_ostream, result);
  }
  EndResults(m_ostream);
}

void XmlTestReporter::AddXmlElement(std::ostream& os) {
  os << "<?xml version=\"1.0\""
     << "?>";
}

void XmlTestReporter::BeginResults(std::ostream& os, int totalTestCount, int failedTestCount,
                                   int failureCount, float secondsElapsed) {
  os << "<unittest-results"
     << " tests=\"" << totalTestCount << "\""
     << " failedtests=\"" << failedTestCount << "\""
     << " failures=\"" << failureCount << "\""
     << " time=\"" << secondsElapsed << "\""
     << ">";
}

void XmlTestReporter::EndResults(std::ostream& os) {
  os << "</unittest-results>";
}

void XmlTestReporter::BeginTest(std::ostream& os, const DeferredTestResult& result) {
  os << "<test"
     << " suite=\"" << result.suiteName << "\""
     << " name=\"" << result.testName << "\""
     << " time=\"" << result.seconds << "\"";
}

void XmlTestReporter::EndTest(std::ostream& os, const DeferredTestResult& result) {
  if (result.failed) {
    os << "</test>";
  } else {
    os << "/>";
  }
}

void XmlTestReporter::AddFailure(std::ostream& os, const DeferredTestResult& result) {
  os << ">";
  for (const DeferredTestFailure& failure : result.failures) {
    const std::string message =
        BuildFailureMessage(result.filename, failure.lineNumber, XmlEscape(failure.text));
    os << "<failure"
       << " message=\"" << message << "\""
       << "/>";
  }
}

}  // namespace UnitTest

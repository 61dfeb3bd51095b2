#include <unittest/test_details.h>

namespace UnitTest {

TestDetails::TestDetails(const char* testName_, const char* suiteName_, const char* filename_,
                         int lineNumber_)
    : suiteName(suiteName_),
      testName(testName_),
      filename(filename_),
      lineNumber(lineNumber_),
      timeConstraintExempt(false),
      actual_time(-1.0),
      expect_time(0.0) {}

TestDetails::TestDetails(const TestDetails& details, int lineNumber_)
    : suiteName(details.suiteName),
      testName(details.testName),
      filename(details.filename),
      lineNumber(lineNumber_),
      timeConstraintExempt(details.timeConstraintExempt),
      actual_time(-1.0),
      expect_time(0.0) {}

}  // namespace UnitTest

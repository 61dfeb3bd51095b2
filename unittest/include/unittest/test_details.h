#pragma once

namespace UnitTest {

// Identity and timing of a test, or of one check inside it (then with the check's line).
class TestDetails {
 public:
  TestDetails(const char* testName, const char* suiteName, const char* filename, int lineNumber);
  // Location of a check: the test's identity with another line and fresh timing fields.
  TestDetails(const TestDetails& details, int lineNumber);
  TestDetails(const TestDetails&) = default;
  TestDetails& operator=(const TestDetails&) = default;

  const char* suiteName;
  const char* testName;
  const char* filename;
  int lineNumber;
  bool timeConstraintExempt;
  double actual_time;  // [us] measured time of the test's timed work, -1 when not measured
  double expect_time;  // [us] allowed time for that work
};

}  // namespace UnitTest

#pragma once

#include <unittest/test_details.h>
#include <unittest/time_helpers.h>

namespace UnitTest {

// Records a failure when the enclosing block runs longer than its limit.
class TimeConstraint {
 public:
  TimeConstraint(int ms, const TestDetails& details, int lineNumber);
  ~TimeConstraint();
  TimeConstraint(const TimeConstraint&) = delete;
  TimeConstraint& operator=(const TimeConstraint&) = delete;

 private:
  Timer m_timer;
  TestDetails m_details;
  int m_maxMs;  // [ms]
};

}  // namespace UnitTest

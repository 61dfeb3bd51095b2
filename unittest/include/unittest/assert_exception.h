#pragma once

#include <exception>

namespace UnitTest {

class TestResults;
class TestDetails;

// Raised by ReportAssert to end the test body at the assertion.
class AssertException : public std::exception {
 public:
  ~AssertException() override;
};

void ReportAssert(const char* description, const char* filename, int lineNumber);

namespace Detail {
void ReportAssertEx(TestResults* testResults, const TestDetails* testDetails,
                    const char* description, const char* filename, int lineNumber);
void ExpectAssert(bool expected);
bool AssertExpected();
}  // namespace Detail

}  // namespace UnitTest

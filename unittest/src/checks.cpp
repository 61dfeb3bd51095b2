#include <unittest/checks.h>

#include <cstring>

namespace UnitTest {

namespace {

void CheckStringsEqual(TestResults& results, const char* expected, const char* actual,
                       const TestDetails& details) {
  const bool equal =
      (expected == nullptr && actual == nullptr) ||
      (expected != nullptr && actual != nullptr && std::strcmp(expected, actual) == 0);
  if (equal) return;
  MemoryOutStream stream;
  stream << "Expected " << (expected ? expected : "<NULLPTR>") << " but was "
         << (actual ? actual : "<NULLPTR>");
  results.OnTestFailure(details, stream.GetText());
}

}  // namespace

void CheckEqual(TestResults& results, const char* expected, const char* actual,
                const TestDetails& details) {
  CheckStringsEqual(results, expected, actual, details);
}

void CheckEqual(TestResults& results, char* expected, char* actual, const TestDetails& details) {
  CheckStringsEqual(results, expected, actual, details);
}

void CheckEqual(TestResults& results, char* expected, const char* actual,
                const TestDetails& details) {
  CheckStringsEqual(results, expected, actual, details);
}

void CheckEqual(TestResults& results, const char* expected, char* actual,
                const TestDetails& details) {
  CheckStringsEqual(results, expected, actual, details);
}

}  // namespace UnitTest

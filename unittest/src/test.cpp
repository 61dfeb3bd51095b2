#include <unittest/test.h>

#include <unittest/current_test.h>
#include <unittest/execute_test.h>

namespace UnitTest {

Test::Test(const char* testName, const char* suiteName, const char* filename, int lineNumber)
    : m_details(testName, suiteName, filename, lineNumber), m_next(nullptr), m_isMock(false) {}

Test::~Test() = default;

void Test::RunImpl() const {}

void Test::Run() {
  ExecuteTest(*this, m_details, m_isMock);
}

TestList& Test::GetTestList() {
  // Function-local static: exists before the first static test object registers itself.
  static TestList s_list;
  return s_list;
}

TestList::TestList() : m_head(nullptr), m_tail(nullptr) {}

void TestList::Add(Test* test) {
  if (m_tail) {
    m_tail->m_next = test;
  } else {
    m_head = test;
  }
  m_tail = test;
}

ListAdder::ListAdder(TestList& list, Test* test) {
  list.Add(test);
}

namespace CurrentTest {

TestResults*& Results() {
  static TestResults* s_results = nullptr;
  return s_results;
}

const TestDetails*& Details() {
  static const TestDetails* s_details = nullptr;
  return s_details;
}

}  // namespace CurrentTest

}  // namespace UnitTest

#pragma once

#include <unittest/test_details.h>

namespace UnitTest {

class TestList;

// Base of every registered test; RunImpl is the body.
class Test {
 public:
  explicit Test(const char* testName, const char* suiteName = "DefaultSuite",
                const char* filename = "", int lineNumber = 0);
  virtual ~Test();
  virtual void RunImpl() const;

  void Run();
  static TestList& GetTestList();

  TestDetails m_details;
  Test* m_next;
  bool m_isMock;

 private:
  Test(const Test&) = delete;
  Test& operator=(const Test&) = delete;
};

// Singly linked list of registered tests, in registration order; owns nothing.
class TestList {
 public:
  TestList();
  void Add(Test* test);
  const Test* GetHead() const { return m_head; }
  Test* GetHead() { return m_head; }

 private:
  Test* m_head;
  Test* m_tail;
};

// Appends a test to a list during static initialisation.
class ListAdder {
 public:
  ListAdder(TestList& list, Test* test);
};

}  // namespace UnitTest

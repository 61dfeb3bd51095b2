#pragma once

#include <exception>

#include <unittest/assert_exception.h>
#include <unittest/current_test.h>
#include <unittest/execute_test.h>
#include <unittest/memory_out_stream.h>
#include <unittest/test.h>
#include <unittest/test_details.h>
#include <unittest/test_results.h>

// Suite name of tests declared outside any SUITE.
namespace UnitTestSuite {
inline const char* GetSuiteName() {
  return "DefaultSuite";
}
}  // namespace UnitTestSuite

#define SUITE(Name)                     \
  namespace Suite##Name {               \
    namespace UnitTestSuite {           \
    inline const char* GetSuiteName() { \
      return #Name;                     \
    }                                   \
    }                                   \
  }                                     \
  namespace Suite##Name

#define TEST_EX(Name, List)                                                          \
  class Test##Name : public UnitTest::Test {                                         \
   public:                                                                           \
    Test##Name() : Test(#Name, UnitTestSuite::GetSuiteName(), __FILE__, __LINE__) {} \
    void RunImpl() const override;                                                   \
  } test##Name##Instance;                                                            \
                                                                                     \
  UnitTest::ListAdder adder##Name(List, &test##Name##Instance);                      \
                                                                                     \
  void Test##Name::RunImpl() const

// Yields to a test framework included earlier that defines TEST too (GoogleTest in unit tests).
#ifndef TEST
#define TEST(Name) TEST_EX(Name, UnitTest::Test::GetTestList())
#endif

#define TEST_FIXTURE_EX(Fixture, Name, List)                                                     \
  class Fixture##Name##Helper : public Fixture {                                                 \
   public:                                                                                       \
    explicit Fixture##Name##Helper(const UnitTest::TestDetails& details) : m_details(details) {} \
    Fixture##Name##Helper(const Fixture##Name##Helper&) = delete;                                \
    Fixture##Name##Helper& operator=(const Fixture##Name##Helper&) = delete;                     \
    void RunImpl();                                                                              \
    const UnitTest::TestDetails& m_details;                                                      \
  };                                                                                             \
                                                                                                 \
  class Test##Fixture##Name : public UnitTest::Test {                                            \
   public:                                                                                       \
    Test##Fixture##Name() : Test(#Name, UnitTestSuite::GetSuiteName(), __FILE__, __LINE__) {}    \
    void RunImpl() const override;                                                               \
  } test##Fixture##Name##Instance;                                                               \
                                                                                                 \
  UnitTest::ListAdder adder##Fixture##Name(List, &test##Fixture##Name##Instance);                \
                                                                                                 \
  void Test##Fixture##Name::RunImpl() const {                                                    \
    bool ctorOk = false;                                                                         \
    try {                                                                                        \
      Fixture##Name##Helper fixtureHelper(m_details);                                            \
      ctorOk = true;                                                                             \
      UnitTest::ExecuteTest(fixtureHelper, m_details, false);                                    \
    } catch (const UnitTest::AssertException&) {                                                 \
    } catch (const std::exception& e) {                                                          \
      UnitTest::MemoryOutStream stream;                                                          \
      stream << "Unhandled exception: " << e.what();                                             \
      UnitTest::CurrentTest::Results()->OnTestFailure(m_details, stream.GetText());              \
    } catch (...) {                                                                              \
      if (ctorOk) {                                                                              \
        UnitTest::CurrentTest::Results()->OnTestFailure(                                         \
            UnitTest::TestDetails(m_details, __LINE__),                                          \
            "Unhandled exception while destroying fixture " #Fixture);                           \
      } else {                                                                                   \
        UnitTest::CurrentTest::Results()->OnTestFailure(                                         \
            UnitTest::TestDetails(m_details, __LINE__),                                          \
            "Unhandled exception while constructing fixture " #Fixture);                         \
      }                                                                                          \
    }                                                                                            \
  }                                                                                              \
  void Fixture##Name##Helper::RunImpl()

#define TEST_FIXTURE(Fixture, Name) TEST_FIXTURE_EX(Fixture, Name, UnitTest::Test::GetTestList())

#pragma once

#include <exception>

#include <unittest/checks.h>
#include <unittest/current_test.h>
#include <unittest/memory_out_stream.h>
#include <unittest/required_check.h>
#include <unittest/test_details.h>
#include <unittest/test_results.h>

// Evaluates `call` so that an exception from the check's arguments becomes a failure naming
// `text`, except the one that ends a block of required checks.
#define UNITTEST_PROTECTED_CHECK(call, text)                                                     \
  do {                                                                                           \
    try {                                                                                        \
      call;                                                                                      \
    } catch (const UnitTest::RequiredCheckException&) {                                          \
      throw;                                                                                     \
    } catch (const std::exception& unittestException) {                                          \
      UnitTest::MemoryOutStream unittestMessage;                                                 \
      unittestMessage << "Unhandled exception (" << unittestException.what() << ") in " << text; \
      UnitTest::CurrentTest::Results()->OnTestFailure(                                           \
          UnitTest::TestDetails(*UnitTest::CurrentTest::Details(), __LINE__),                    \
          unittestMessage.GetText());                                                            \
    } catch (...) {                                                                              \
      UnitTest::CurrentTest::Results()->OnTestFailure(                                           \
          UnitTest::TestDetails(*UnitTest::CurrentTest::Details(), __LINE__),                    \
          "Unhandled exception in " text);                                                       \
    }                                                                                            \
  } while (0)

#define UNITTEST_CHECK_LOCATION UnitTest::TestDetails(*UnitTest::CurrentTest::Details(), __LINE__)

#define CHECK(value)                                                                \
  UNITTEST_PROTECTED_CHECK(                                                         \
      if (!UnitTest::Check(value)) UnitTest::CurrentTest::Results()->OnTestFailure( \
          UNITTEST_CHECK_LOCATION, #value),                                         \
      "CHECK(" #value ")")

#define CHECK_EQUAL(expected, actual)                                                        \
  UNITTEST_PROTECTED_CHECK(UnitTest::CheckEqual(*UnitTest::CurrentTest::Results(), expected, \
                                                actual, UNITTEST_CHECK_LOCATION),            \
                           "CHECK_EQUAL(" #expected ", " #actual ")")

#define CHECK_CLOSE(expected, actual, tolerance)                                             \
  UNITTEST_PROTECTED_CHECK(UnitTest::CheckClose(*UnitTest::CurrentTest::Results(), expected, \
                                                actual, tolerance, UNITTEST_CHECK_LOCATION), \
                           "CHECK_CLOSE(" #expected ", " #actual ")")

#define CHECK_ARRAY_EQUAL(expected, actual, count)                                                \
  UNITTEST_PROTECTED_CHECK(UnitTest::CheckArrayEqual(*UnitTest::CurrentTest::Results(), expected, \
                                                     actual, count, UNITTEST_CHECK_LOCATION),     \
                           "CHECK_ARRAY_EQUAL(" #expected ", " #actual ")")

#define CHECK_ARRAY_CLOSE(expected, actual, count, tolerance)                               \
  UNITTEST_PROTECTED_CHECK(                                                                 \
      UnitTest::CheckArrayClose(*UnitTest::CurrentTest::Results(), expected, actual, count, \
                                tolerance, UNITTEST_CHECK_LOCATION),                        \
      "CHECK_ARRAY_CLOSE(" #expected ", " #actual ")")

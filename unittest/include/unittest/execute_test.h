#pragma once

#include <csetjmp>
#include <exception>

#include <unittest/assert_exception.h>
#include <unittest/current_test.h>
#include <unittest/memory_out_stream.h>
#include <unittest/required_check.h>
#include <unittest/signal_translator.h>
#include <unittest/test_details.h>
#include <unittest/test_results.h>

namespace UnitTest {

// Runs testObject.RunImpl() so that nothing escapes: exceptions and hardware signals become
// failures located at details. A template because fixture helpers are not Tests.
template <typename T>
void ExecuteTest(T& testObject, const TestDetails& details, bool isMockTest) {
  // A nested run must not leave the slot pointing at a test object that is about to die.
  const TestDetails* const previousDetails = CurrentTest::Details();
  if (!isMockTest) CurrentTest::Details() = &details;

  try {
    SignalTranslator signalTranslator;
    if (sigsetjmp(*SignalTranslator::s_jumpTarget, 1) != 0) throw "Unhandled system exception";
    testObject.RunImpl();
  } catch (const RequiredCheckException&) {
  } catch (const AssertException&) {
  } catch (const std::exception& e) {
    MemoryOutStream stream;
    stream << "Unhandled exception: " << e.what();
    CurrentTest::Results()->OnTestFailure(details, stream.GetText());
  } catch (...) {
    CurrentTest::Results()->OnTestFailure(details, "Unhandled exception: test crashed");
  }

  if (!isMockTest && previousDetails != nullptr) CurrentTest::Details() = previousDetails;
}

}  // namespace UnitTest

#include <unittest/time_constraint.h>

#include <unittest/current_test.h>
#include <unittest/memory_out_stream.h>
#include <unittest/test_results.h>

namespace UnitTest {

TimeConstraint::TimeConstraint(int ms, const TestDetails& details, int lineNumber)
    : m_details(details, lineNumber), m_maxMs(ms) {
  m_timer.Start();
}

TimeConstraint::~TimeConstraint() {
  const double elapsedMs = m_timer.GetTimeInMs();
  if (elapsedMs <= m_maxMs) return;
  MemoryOutStream stream;
  stream << "Time constraint failed. Expected to run test under " << m_maxMs << "ms but took "
         << elapsedMs << "ms.";
  try {
    CurrentTest::Results()->OnTestFailure(m_details, stream.GetText());
  } catch (...) {
    // Inside required checks the failure is already recorded; throwing here would abort the run.
  }
}

}  // namespace UnitTest

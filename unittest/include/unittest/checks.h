#pragma once

#include <cmath>
#include <type_traits>

#include <unittest/memory_out_stream.h>
#include <unittest/test_details.h>
#include <unittest/test_results.h>

namespace UnitTest {

template <typename Value>
bool Check(const Value& value) {
  return !!value;
}

namespace Detail {
// Equality that does not let -1 equal 4294967295u when signed meets unsigned.
template <typename Expected, typename Actual>
bool AreEqual(const Expected& expected, const Actual& actual) {
  if constexpr (std::is_integral_v<Expected> && std::is_integral_v<Actual> &&
                !std::is_same_v<Expected, bool> && !std::is_same_v<Actual, bool> &&
                std::is_signed_v<Expected> != std::is_signed_v<Actual>) {
    if constexpr (std::is_signed_v<Expected>) {
      return expected >= 0 && static_cast<std::make_unsigned_t<Expected>>(expected) == actual;
    } else {
      return actual >= 0 && expected == static_cast<std::make_unsigned_t<Actual>>(actual);
    }
  } else {
    return expected == actual;
  }
}
}  // namespace Detail

template <typename Expected, typename Actual>
void CheckEqual(TestResults& results, const Expected& expected, const Actual& actual,
                const TestDetails& details) {
  if (!Detail::AreEqual(expected, actual)) {
    MemoryOutStream stream;
    stream << "Expected " << expected << " but was " << actual;
    results.OnTestFailure(details, stream.GetText());
  }
}

void CheckEqual(TestResults& results, const char* expected, const char* actual,
                const TestDetails& details);
void CheckEqual(TestResults& results, char* expected, char* actual, const TestDetails& details);
void CheckEqual(TestResults& results, char* expected, const char* actual,
                const TestDetails& details);
void CheckEqual(TestResults& results, const char* expected, char* actual,
                const TestDetails& details);

template <typename Expected, typename Actual, typename Tolerance>
bool AreClose(const Expected& expected, const Actual& actual, const Tolerance& tolerance) {
  return (actual >= (expected - tolerance)) && (actual <= (expected + tolerance));
}

template <typename Expected, typename Actual, typename Tolerance>
void CheckClose(TestResults& results, const Expected& expected, const Actual& actual,
                const Tolerance& tolerance, const TestDetails& details) {
  if (!AreClose(expected, actual, tolerance)) {
    MemoryOutStream stream;
    stream << "Expected " << expected << " +/- " << tolerance << " but was " << actual;
    results.OnTestFailure(details, stream.GetText());
  }
}

namespace Detail {
template <typename Array>
void WriteArray(MemoryOutStream& stream, const Array& values, int count) {
  stream << "[ ";
  for (int i = 0; i < count; ++i) stream << values[i] << " ";
  stream << "]";
}
}  // namespace Detail

template <typename Expected, typename Actual>
void CheckArrayEqual(TestResults& results, const Expected& expected, const Actual& actual,
                     int count, const TestDetails& details) {
  bool equal = true;
  for (int i = 0; i < count; ++i) equal = equal && Detail::AreEqual(expected[i], actual[i]);
  if (!equal) {
    MemoryOutStream stream;
    stream << "Expected ";
    Detail::WriteArray(stream, expected, count);
    stream << " but was ";
    Detail::WriteArray(stream, actual, count);
    results.OnTestFailure(details, stream.GetText());
  }
}

template <typename Expected, typename Actual, typename Tolerance>
bool ArrayAreClose(const Expected& expected, const Actual& actual, int count,
                   const Tolerance& tolerance) {
  bool close = true;
  for (int i = 0; i < count; ++i) close = close && AreClose(expected[i], actual[i], tolerance);
  return close;
}

template <typename Expected, typename Actual, typename Tolerance>
void CheckArrayClose(TestResults& results, const Expected& expected, const Actual& actual,
                     int count, const Tolerance& tolerance, const TestDetails& details) {
  if (!ArrayAreClose(expected, actual, count, tolerance)) {
    MemoryOutStream stream;
    stream << "Expected ";
    Detail::WriteArray(stream, expected, count);
    stream << " +/- " << tolerance << " but was ";
    Detail::WriteArray(stream, actual, count);
    results.OnTestFailure(details, stream.GetText());
  }
}

}  // namespace UnitTest

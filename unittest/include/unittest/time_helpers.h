#pragma once

namespace UnitTest {

// Wall-clock stopwatch.
class Timer {
 public:
  Timer();
  void Start();
  double GetTimeInMs() const;

 private:
  long m_startSeconds;       // [s]
  long m_startMicroseconds;  // [us]
};

namespace TimeHelpers {
void SleepMs(int ms);
}  // namespace TimeHelpers

}  // namespace UnitTest

#include <unittest/time_helpers.h>

#include <sys/time.h>
#include <unistd.h>

namespace UnitTest {

Timer::Timer() : m_startSeconds(0), m_startMicroseconds(0) {}

void Timer::Start() {
  timeval now;
  gettimeofday(&now, nullptr);
  m_startSeconds = now.tv_sec;
  m_startMicroseconds = now.tv_usec;
}

double Timer::GetTimeInMs() const {
  timeval now;
  gettimeofday(&now, nullptr);
  return static_cast<double>(now.tv_sec - m_startSeconds) * 1000.0 +
         static_cast<double>(now.tv_usec - m_startMicroseconds) / 1000.0;
}

namespace TimeHelpers {
void SleepMs(int ms) {
  usleep(static_cast<useconds_t>(ms) * 1000);
}
}  // namespace TimeHelpers

}  // namespace UnitTest

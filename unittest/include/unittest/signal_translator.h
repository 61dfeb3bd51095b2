#pragma once

#include <csetjmp>
#include <csignal>

namespace UnitTest {

// Scope guard that turns SIGSEGV, SIGFPE, SIGTRAP, SIGBUS and SIGILL into a jump back to the
// innermost running test. Guards nest: each restores the previous handlers and target.
class SignalTranslator {
 public:
  SignalTranslator();
  ~SignalTranslator();
  SignalTranslator(const SignalTranslator&) = delete;
  SignalTranslator& operator=(const SignalTranslator&) = delete;

  static sigjmp_buf* s_jumpTarget;

 private:
  sigjmp_buf m_currentJumpTarget;
  sigjmp_buf* m_oldJumpTarget;

  struct sigaction m_old_SIGFPE_action;
  struct sigaction m_old_SIGTRAP_action;
  struct sigaction m_old_SIGSEGV_action;
  struct sigaction m_old_SIGBUS_action;
  struct sigaction m_old_SIGILL_action;
};

}  // namespace UnitTest

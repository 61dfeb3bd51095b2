#include <unittest/unittest.h>

#include <csignal>
#include <iostream>

std::string urdf_path = "/nonexistent/description/";

namespace {

struct Handlers {
  struct sigaction actions[5];
};

Handlers Current() {
  const int signals[5] = {SIGSEGV, SIGFPE, SIGTRAP, SIGBUS, SIGILL};
  Handlers handlers;
  for (int i = 0; i < 5; ++i) sigaction(signals[i], nullptr, &handlers.actions[i]);
  return handlers;
}

}  // namespace

int main(int argc, char** argv) {
  const Handlers before = Current();
  const int failures = UnitTest::RunTests(argc, argv);
  const Handlers after = Current();
  bool restored = true;
  for (int i = 0; i < 5; ++i) {
    restored = restored && before.actions[i].sa_handler == after.actions[i].sa_handler;
  }
  std::cout << (restored ? "signal handlers restored" : "signal handlers NOT restored")
            << std::endl;
  return failures;
}

#pragma once

// Real hardware faults, kept out of the sanitizers' reach so the signal itself is raised.
#if defined(__GNUC__)
#define SAMPLE_NO_SANITIZE __attribute__((no_sanitize("undefined"), noinline))
#else
#define SAMPLE_NO_SANITIZE
#endif

SAMPLE_NO_SANITIZE inline void WriteThroughNull() {
  volatile int* volatile pointer = nullptr;
  *pointer = 1;
}

SAMPLE_NO_SANITIZE inline int DivideUnchecked(int numerator, int denominator) {
  volatile int n = numerator;
  volatile int d = denominator;
  return n / d;
}

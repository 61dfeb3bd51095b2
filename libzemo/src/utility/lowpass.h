// First-order low-pass per channel: y_k = a y_{k-1} + (1 - a) x_k with a = exp(-2 pi fc Ts),
// the zero-order-hold discretisation of 1 / (1 + s / (2 pi fc)) with each new sample held over
// the interval that ends at it: a step input gives exactly 1 - exp(-2 pi fc (k + 1) Ts).
#pragma once

#include <string>

namespace zemo {

// Ts [s] > 0, fc [Hz] in (0, 1 / (2 Ts)). y_prev: the previous output of each of the n
// channels; x: the current input, replaced by the output. On a negative code x is untouched.
int lowpassFilter(double Ts, double fc, int n, const double* y_prev, double* x, std::string& error);

}  // namespace zemo

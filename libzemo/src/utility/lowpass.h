// First-order low-pass per channel: y_k = a y_{k-1} + (1 - a) x_k with a = exp(-2 pi fc Ts),
// the zero-order-hold discretisation of 1 / (1 + s / (2 pi fc)): exact at the sample instants
// for a step input.
#pragma once

#include <string>

namespace zemo {

// Ts [s] > 0, fc [Hz] in (0, 1 / (2 Ts)). y_prev: the previous output of each of the n
// channels; x: the current input, replaced by the output. On a negative code x is untouched.
int lowpassFilter(double Ts, double fc, int n, const double* y_prev, double* x, std::string& error);

}  // namespace zemo

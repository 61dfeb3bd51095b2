// Second-order notch filter. With w0 = 2 pi f0 / fs and beta = tan(pi fbb / fs):
//   H(z) = K [(1 + d beta) - 2 cos(w0) z^-1 + (1 - d beta) z^-2]
//          / [(1 + beta) - 2 cos(w0) z^-1 + (1 - beta) z^-2]
// the bilinear image, pre-warped at f0, of K (s^2 + d B s + W0^2) / (s^2 + B s + W0^2).
// Gain K at DC and at fs / 2, K d exactly at f0 (d: the depth); fbb [Hz] is the -3 dB width of
// the full notch (d = 0), so equivalently H = K ((1 - d) H_full + d).
#pragma once

#include <string>
#include <vector>

#include "utility/iir_filter.h"

namespace zemo {

// f0 [Hz] and fbb [Hz] in (0, fs / 2), depth >= 0, K finite, fs [Hz] > 0.
int designNotch(double f0, double depth, double fbb, double K, double fs, Biquad& c,
                std::string& error);

// One direct-form-I step from the two previous inputs and outputs.
inline double notchStep(const Biquad& c, double x_lastlast, double x_last, double x,
                        double y_lastlast, double y_last) {
  return c.b0 * x + c.b1 * x_last + c.b2 * x_lastlast - c.a1 * y_last - c.a2 * y_lastlast;
}

// Every channel from rest; `out` gets the shape of `in` and is untouched on a negative code.
int notchFilter(double f0, double depth, double fbb, double K, double fs,
                const std::vector<std::vector<double>>& in, std::vector<std::vector<double>>& out,
                std::string& error);

// One sample with the caller's history; identical to notchFilter sample by sample. y is
// untouched on a negative code.
int notchFilterStep(double f0, double depth, double fbb, double K, double fs, double x_lastlast,
                    double x_last, double x, double y_lastlast, double y_last, double& y,
                    std::string& error);

}  // namespace zemo

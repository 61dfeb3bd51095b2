// Butterworth low-pass filters: analog prototype of the given order, pre-warped so that the
// digital -3 dB point is exactly the requested cut-off, bilinear transform, second-order sections.
#pragma once

#include <complex>
#include <string>
#include <vector>

namespace zemo {

constexpr int kMaxButterworthOrder = 8;

// y_k = b0 x_k + b1 x_{k-1} + b2 x_{k-2} - a1 y_{k-1} - a2 y_{k-2} (a0 = 1).
struct Biquad {
  double b0 = 1.0, b1 = 0.0, b2 = 0.0;
  double a1 = 0.0, a2 = 0.0;
};

// order in 1..kMaxButterworthOrder, fc [Hz] in (0, fs / 2), fs [Hz] > 0. Sections in cascade
// order, unit gain at DC; an odd order ends with a first-order section (b2 = a2 = 0).
int designButterworthLowpass(int order, double fc, double fs, std::vector<Biquad>& sections,
                             std::string& error);

// Frequency response of the cascade at f [Hz].
std::complex<double> cascadeResponse(const std::vector<Biquad>& sections, double f, double fs);

// Filters every channel (one inner vector each, any length >= 1) from rest with the
// Butterworth design above, in transposed direct form II per section. `out` gets the same
// shape; on a negative code it is untouched.
int iirFilter(int order, double fc, double fs, const std::vector<std::vector<double>>& in,
              std::vector<std::vector<double>>& out, std::string& error);

// Shared input check of the batch filters: at least one channel, none empty, all finite.
int checkChannels(const std::vector<std::vector<double>>& in, std::string& error);

}  // namespace zemo

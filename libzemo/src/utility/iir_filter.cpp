#include "utility/iir_filter.h"

#include <cmath>

#include "utility/argument_checks.h"

namespace zemo {

int checkChannels(const std::vector<std::vector<double>>& in, std::string& error) {
  if (in.empty())
    return rejectArgument(error, "channel count", 0, "must be > 0", ZEMO::E_DIMENSION_DISMATCH);
  for (std::size_t c = 0; c < in.size(); ++c) {
    if (in[c].empty())
      return rejectArgument(error, "channel " + std::to_string(c) + " length", 0, "must be > 0",
                            ZEMO::E_DIMENSION_DISMATCH);
    for (std::size_t k = 0; k < in[c].size(); ++k)
      if (!std::isfinite(in[c][k]))
        return rejectArgument(error,
                              "channel " + std::to_string(c) + " sample " + std::to_string(k),
                              in[c][k], "is not finite");
  }
  return ZEMO::E_NO_ERROR;
}

int designButterworthLowpass(int order, double fc, double fs, std::vector<Biquad>& sections,
                             std::string& error) {
  if (order < 1 || order > kMaxButterworthOrder)
    return rejectArgument(error, "order", order, "must be within 1..8");
  if (!isPositiveFinite(fs)) return rejectArgument(error, "sampling frequency", fs, "must be > 0");
  if (!isPositiveFinite(fc)) return rejectArgument(error, "cut-off frequency", fc, "must be > 0");
  if (fc >= 0.5 * fs)
    return rejectArgument(error, "cut-off frequency", fc, "must be below the Nyquist frequency");

  const double two_fs = 2.0 * fs;
  const double Wc = two_fs * std::tan(M_PI * fc / fs);  // pre-warped analog cut-off [rad/s]
  std::vector<Biquad> result;
  // Poles in the upper half plane, each standing for its conjugate pair; the real pole of an
  // odd order last.
  for (int k = 0; k < order / 2; ++k) {
    const double theta = M_PI * (2.0 * k + 1.0 + order) / (2.0 * order);
    const std::complex<double> p = Wc * std::polar(1.0, theta);
    const std::complex<double> z = (two_fs + p) / (two_fs - p);
    Biquad s;
    s.a1 = -2.0 * z.real();
    s.a2 = std::norm(z);
    const double g = (1.0 + s.a1 + s.a2) / 4.0;  // both zeros at z = -1, unit DC gain
    s.b0 = g;
    s.b1 = 2.0 * g;
    s.b2 = g;
    result.push_back(s);
  }
  if (order % 2 == 1) {
    const double z = (two_fs - Wc) / (two_fs + Wc);
    Biquad s;
    s.a1 = -z;
    const double g = (1.0 - z) / 2.0;
    s.b0 = g;
    s.b1 = g;
    result.push_back(s);
  }
  sections = std::move(result);
  return ZEMO::E_NO_ERROR;
}

std::complex<double> cascadeResponse(const std::vector<Biquad>& sections, double f, double fs) {
  const std::complex<double> zi = std::polar(1.0, -2.0 * M_PI * f / fs);  // z^-1
  std::complex<double> h = 1.0;
  for (const Biquad& s : sections)
    h *= (s.b0 + zi * (s.b1 + zi * s.b2)) / (1.0 + zi * (s.a1 + zi * s.a2));
  return h;
}

int iirFilter(int order, double fc, double fs, const std::vector<std::vector<double>>& in,
              std::vector<std::vector<double>>& out, std::string& error) {
  std::vector<Biquad> sections;
  int ret = designButterworthLowpass(order, fc, fs, sections, error);
  if (ret < 0) return ret;
  ret = checkChannels(in, error);
  if (ret < 0) return ret;

  std::vector<std::vector<double>> result(in.size());
  for (std::size_t c = 0; c < in.size(); ++c) {
    std::vector<double> y = in[c];
    for (const Biquad& s : sections) {
      double z1 = 0.0, z2 = 0.0;
      for (double& v : y) {
        const double x = v;
        v = s.b0 * x + z1;
        z1 = s.b1 * x - s.a1 * v + z2;
        z2 = s.b2 * x - s.a2 * v;
      }
    }
    result[c] = std::move(y);
  }
  out = std::move(result);
  return ZEMO::E_NO_ERROR;
}

}  // namespace zemo

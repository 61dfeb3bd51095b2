#include "utility/notch_filter.h"

#include <cmath>

#include "utility/argument_checks.h"

namespace zemo {

int designNotch(double f0, double depth, double fbb, double K, double fs, Biquad& c,
                std::string& error) {
  if (!isPositiveFinite(fs)) return rejectArgument(error, "sampling frequency", fs, "must be > 0");
  if (!isPositiveFinite(f0) || f0 >= 0.5 * fs)
    return rejectArgument(error, "notch frequency", f0, "must be within (0, fs / 2)");
  if (!isPositiveFinite(fbb) || fbb >= 0.5 * fs)
    return rejectArgument(error, "bandwidth fbb", fbb, "must be within (0, fs / 2)");
  if (!(depth >= 0.0) || !std::isfinite(depth))
    return rejectArgument(error, "depth", depth, "must be >= 0");
  if (!std::isfinite(K)) return rejectArgument(error, "gain K", K, "is not finite");

  const double beta = std::tan(M_PI * fbb / fs);
  const double cw = std::cos(2.0 * M_PI * f0 / fs);
  const double n = 1.0 + beta;
  c.b0 = K * (1.0 + depth * beta) / n;
  c.b1 = K * -2.0 * cw / n;
  c.b2 = K * (1.0 - depth * beta) / n;
  c.a1 = -2.0 * cw / n;
  c.a2 = (1.0 - beta) / n;
  return ZEMO::E_NO_ERROR;
}

int notchFilter(double f0, double depth, double fbb, double K, double fs,
                const std::vector<std::vector<double>>& in, std::vector<std::vector<double>>& out,
                std::string& error) {
  Biquad c;
  int ret = designNotch(f0, depth, fbb, K, fs, c, error);
  if (ret < 0) return ret;
  ret = checkChannels(in, error);
  if (ret < 0) return ret;

  std::vector<std::vector<double>> result(in.size());
  for (std::size_t ch = 0; ch < in.size(); ++ch) {
    std::vector<double>& y = result[ch];
    y.reserve(in[ch].size());
    double x2 = 0.0, x1 = 0.0, y2 = 0.0, y1 = 0.0;
    for (double x : in[ch]) {
      const double v = notchStep(c, x2, x1, x, y2, y1);
      y.push_back(v);
      x2 = x1;
      x1 = x;
      y2 = y1;
      y1 = v;
    }
  }
  out = std::move(result);
  return ZEMO::E_NO_ERROR;
}

int notchFilterStep(double f0, double depth, double fbb, double K, double fs, double x_lastlast,
                    double x_last, double x, double y_lastlast, double y_last, double& y,
                    std::string& error) {
  Biquad c;
  const int ret = designNotch(f0, depth, fbb, K, fs, c, error);
  if (ret < 0) return ret;
  const double history[] = {x_lastlast, x_last, x, y_lastlast, y_last};
  for (double v : history)
    if (!std::isfinite(v)) return rejectArgument(error, "sample history value", v, "is not finite");
  y = notchStep(c, x_lastlast, x_last, x, y_lastlast, y_last);
  return ZEMO::E_NO_ERROR;
}

}  // namespace zemo

#include "utility/lowpass.h"

#include <cmath>

#include "utility/argument_checks.h"

namespace zemo {

int lowpassFilter(double Ts, double fc, int n, const double* y_prev, double* x,
                  std::string& error) {
  if (!isPositiveFinite(Ts)) return rejectArgument(error, "sample time", Ts, "must be > 0");
  if (!isPositiveFinite(fc)) return rejectArgument(error, "cut-off frequency", fc, "must be > 0");
  if (fc >= 0.5 / Ts)
    return rejectArgument(error, "cut-off frequency", fc, "must be below the Nyquist frequency");
  if (n <= 0)
    return rejectArgument(error, "channel count", n, "must be > 0", ZEMO::E_DIMENSION_DISMATCH);
  if (y_prev == nullptr || x == nullptr)
    return rejectArgument(error, "sample arrays", "null", "must be given");
  for (int i = 0; i < n; ++i) {
    if (!std::isfinite(y_prev[i]))
      return rejectArgument(error, "previous[" + std::to_string(i) + "]", y_prev[i],
                            "is not finite");
    if (!std::isfinite(x[i]))
      return rejectArgument(error, "current[" + std::to_string(i) + "]", x[i], "is not finite");
  }
  const double a = std::exp(-2.0 * M_PI * fc * Ts);
  for (int i = 0; i < n; ++i) x[i] = a * y_prev[i] + (1.0 - a) * x[i];
  return ZEMO::E_NO_ERROR;
}

}  // namespace zemo

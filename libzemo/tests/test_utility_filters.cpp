#include <cmath>
#include <complex>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <Eigen/Eigenvalues>
#include <gtest/gtest.h>

#include "utility/iir_filter.h"
#include "utility/kalman_pva.h"
#include "utility/lowpass.h"
#include "utility/notch_filter.h"

namespace zemo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Equal element by element, NaN matching NaN: "untouched" for inputs that hold a NaN.
template <class A, class B>
bool sameValues(const A& a, const B& b) {
  return ((a.array() == b.array()) || (a.array().isNaN() && b.array().isNaN())).all();
}

std::vector<std::vector<double>> noisyChannels(int channels, int samples, unsigned seed) {
  std::mt19937 rng(seed);
  std::normal_distribution<double> noise(0.0, 1.0);
  std::vector<std::vector<double>> x(channels, std::vector<double>(samples));
  for (int c = 0; c < channels; ++c)
    for (int k = 0; k < samples; ++k) x[c][k] = std::sin(0.01 * k * (c + 1)) + noise(rng);
  return x;
}

// Butterworth designs from scipy.signal.butter(order, fc, fs=fs):
// tools/gen_filter_data.py --coefficients.
struct ScipyDesign {
  int order;
  double fc, fs;
  std::vector<double> b, a;
};
const ScipyDesign kScipyDesigns[] = {
    {1, 15, 125, {0.28363067887628701, 0.28363067887628701}, {1, -0.43273864224742592}},
    {2,
     1,
     200,
     {0.00024135904904198073, 0.00048271809808396145, 0.00024135904904198073},
     {1, -1.9555782403150352, 0.95654367651120309}},
    {4,
     30,
     500,
     {0.00080635986503710172, 0.0032254394601484069, 0.0048381591902226101, 0.0032254394601484069,
      0.00080635986503710172},
     {1, -3.017555238686489, 3.5071937247162053, -1.8475509441185773, 0.37081421592945468}},
};

std::complex<double> polyResponse(const std::vector<double>& b, const std::vector<double>& a,
                                  double f, double fs) {
  const std::complex<double> zi = std::polar(1.0, -2.0 * M_PI * f / fs);
  std::complex<double> num = 0.0, den = 0.0, p = 1.0;
  for (std::size_t i = 0; i < std::max(b.size(), a.size()); ++i, p *= zi) {
    if (i < b.size()) num += b[i] * p;
    if (i < a.size()) den += a[i] * p;
  }
  return num / den;
}

TEST(Butterworth, FrequencyResponseMatchesScipyDesigns) {
  for (const ScipyDesign& d : kScipyDesigns) {
    std::vector<Biquad> sections;
    std::string error;
    ASSERT_EQ(designButterworthLowpass(d.order, d.fc, d.fs, sections, error), 0) << error;
    for (double f : {0.0, 0.3 * d.fc, d.fc, 2.0 * d.fc, 0.45 * d.fs}) {
      const std::complex<double> ours = cascadeResponse(sections, f, d.fs);
      const std::complex<double> ref = polyResponse(d.b, d.a, f, d.fs);
      EXPECT_NEAR(std::abs(ours - ref), 0.0, 1e-9 * std::max(1.0, std::abs(ref)))
          << "order " << d.order << " fc " << d.fc << " at " << f << " Hz";
    }
    EXPECT_NEAR(std::abs(cascadeResponse(sections, d.fc, d.fs)), std::sqrt(0.5), 1e-12)
        << "order " << d.order << ": pre-warping must put -3 dB at the cut-off";
  }
}

TEST(Butterworth, FilteringFromRestMatchesDirectFormOfScipyCoefficients) {
  const auto x = noisyChannels(2, 400, 7);
  for (const ScipyDesign& d : kScipyDesigns) {
    std::vector<std::vector<double>> y;
    std::string error;
    ASSERT_EQ(iirFilter(d.order, d.fc, d.fs, x, y, error), 0) << error;
    ASSERT_EQ(y.size(), x.size());
    for (std::size_t c = 0; c < x.size(); ++c) {
      ASSERT_EQ(y[c].size(), x[c].size());
      std::vector<double> ref(x[c].size(), 0.0);
      for (std::size_t k = 0; k < x[c].size(); ++k) {
        double acc = 0.0;
        for (std::size_t i = 0; i < d.b.size() && i <= k; ++i) acc += d.b[i] * x[c][k - i];
        for (std::size_t i = 1; i < d.a.size() && i <= k; ++i) acc -= d.a[i] * ref[k - i];
        ref[k] = acc;
        ASSERT_NEAR(y[c][k], ref[k], 1e-9) << "order " << d.order << " channel " << c << " k " << k;
      }
    }
  }
}

TEST(Lowpass, StepResponseIsExactAtEverySample) {
  const double Ts = 0.005, fc = 3.0, tau = 1.0 / (2.0 * M_PI * fc);
  double y[2] = {0.0, 2.0};  // a rising and a falling step
  for (int k = 0; k < 400; ++k) {
    const double prev[2] = {y[0], y[1]};
    y[0] = 1.0;
    y[1] = -1.0;
    std::string error;
    ASSERT_EQ(lowpassFilter(Ts, fc, 2, prev, y, error), 0) << error;
    const double decay = std::exp(-(k + 1) * Ts / tau);
    ASSERT_NEAR(y[0], 1.0 - decay, 1e-12) << "sample " << k;
    ASSERT_NEAR(y[1], -1.0 + 3.0 * decay, 1e-12) << "sample " << k;
  }
}

TEST(Notch, StepFormEqualsBatchFormAndGainsHoldTheirDefinition) {
  const struct {
    double f0, depth, fbb, K, fs;
  } cases[] = {{40, 0.01, 40, 1.0, 400}, {50, 0.0, 10, 2.5, 1000}, {120, 0.3, 60, 0.8, 500}};
  const auto x = noisyChannels(1, 600, 11);
  for (const auto& c : cases) {
    std::vector<std::vector<double>> batch;
    std::string error;
    ASSERT_EQ(notchFilter(c.f0, c.depth, c.fbb, c.K, c.fs, x, batch, error), 0) << error;
    double x2 = 0, x1 = 0, y2 = 0, y1 = 0;
    for (std::size_t k = 0; k < x[0].size(); ++k) {
      double y = kNaN;
      ASSERT_EQ(notchFilterStep(c.f0, c.depth, c.fbb, c.K, c.fs, x2, x1, x[0][k], y2, y1, y, error),
                0);
      ASSERT_EQ(y, batch[0][k]) << "f0 " << c.f0 << " sample " << k;
      x2 = x1, x1 = x[0][k], y2 = y1, y1 = y;
    }
    Biquad coeff;
    ASSERT_EQ(designNotch(c.f0, c.depth, c.fbb, c.K, c.fs, coeff, error), 0);
    const std::vector<Biquad> one{coeff};
    EXPECT_NEAR(std::abs(cascadeResponse(one, c.f0, c.fs)), c.K * c.depth, 1e-12);
    EXPECT_NEAR(std::abs(cascadeResponse(one, 0.0, c.fs)), c.K, 1e-12);
    if (c.depth == 0.0) {  // fbb is the -3 dB width of the full notch
      double width = 0.0;
      for (double f = c.f0 - c.fbb; f < c.f0 + c.fbb; f += 1e-4)
        if (std::abs(cascadeResponse(one, f, c.fs)) < c.K * std::sqrt(0.5)) width += 1e-4;
      EXPECT_NEAR(width, c.fbb, 1e-3 * c.fbb);
    }
  }
}

// Position and velocity (type 2), position only (1) and all three (3) on x = x0 + v0 t + a t^2/2.
TEST(KalmanPVA, ConvergesOnNoiselessConstantAcceleration) {
  const double Ts = 0.005, x0 = 0.3, v0 = -0.8, acc = 2.5;
  const double Q[3] = {1e-8, 1e-6, 1e-2}, R[3] = {1e-6, 1e-5, 1.0};
  for (int type : {1, 2, 3}) {
    Eigen::Vector3d s(x0, v0, 0.0);
    Eigen::Matrix3d P = Eigen::Matrix3d::Identity();
    for (int k = 1; k <= 4000; ++k) {
      const double t = k * Ts;
      const Eigen::Vector3d s_last = s;
      s << x0 + v0 * t + 0.5 * acc * t * t, v0 + acc * t, acc;
      std::string error;
      ASSERT_EQ(kalmanFilterPVA(type, Ts, Q, R, s_last, s, P, error), 0) << error;
    }
    const double t = 4000 * Ts;
    EXPECT_NEAR(s(0), x0 + v0 * t + 0.5 * acc * t * t, 1e-6) << "type " << type;
    EXPECT_NEAR(s(1), v0 + acc * t, 1e-5) << "type " << type;
    EXPECT_NEAR(s(2), acc, 1e-3) << "type " << type;
    EXPECT_LT((P - P.transpose()).cwiseAbs().maxCoeff(), 1e-12) << "type " << type;
    EXPECT_GT(Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d>(P).eigenvalues().minCoeff(), 0.0);
  }
}

TEST(KalmanPVA, RejectsBadArgumentsAndLeavesStateUntouched) {
  const double Q[3] = {1, 1, 4000}, R[3] = {1e-6, 1e-5, 1};
  const double Q_neg[3] = {1, -1, 4000}, R_zero[3] = {1e-6, 0, 1}, Q_nan[3] = {1, 1, kNaN};
  const Eigen::Vector3d good(0.1, 0.2, 0.0);
  const struct {
    const char* what;
    int type;
    double Ts;
    const double *Q, *R;
    Eigen::Vector3d last, meas;
    Eigen::Matrix3d P;
  } cases[] = {
      {"type 0", 0, 0.005, Q, R, good, good, Eigen::Matrix3d::Identity()},
      {"type 4", 4, 0.005, Q, R, good, good, Eigen::Matrix3d::Identity()},
      {"zero Ts", 2, 0.0, Q, R, good, good, Eigen::Matrix3d::Identity()},
      {"negative Ts", 2, -0.005, Q, R, good, good, Eigen::Matrix3d::Identity()},
      {"negative Q", 2, 0.005, Q_neg, R, good, good, Eigen::Matrix3d::Identity()},
      {"NaN Q", 2, 0.005, Q_nan, R, good, good, Eigen::Matrix3d::Identity()},
      {"zero R of a measured component", 2, 0.005, Q, R_zero, good, good,
       Eigen::Matrix3d::Identity()},
      {"null Q", 2, 0.005, nullptr, R, good, good, Eigen::Matrix3d::Identity()},
      {"NaN measurement", 2, 0.005, Q, R, good, Eigen::Vector3d(0.1, kNaN, 0),
       Eigen::Matrix3d::Identity()},
      {"NaN previous state", 2, 0.005, Q, R, Eigen::Vector3d(kNaN, 0, 0), good,
       Eigen::Matrix3d::Identity()},
      {"NaN covariance", 2, 0.005, Q, R, good, good, Eigen::Matrix3d::Constant(kNaN)},
      {"indefinite covariance", 2, 1.0, Q, R, good, good, -1e6 * Eigen::Matrix3d::Identity()},
  };
  for (const auto& c : cases) {
    Eigen::Vector3d s = c.meas;
    Eigen::Matrix3d P = c.P;
    std::string error;
    EXPECT_LT(kalmanFilterPVA(c.type, c.Ts, c.Q, c.R, c.last, s, P, error), 0) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
    EXPECT_TRUE(sameValues(s, c.meas)) << c.what;
    EXPECT_TRUE(sameValues(P, c.P)) << c.what;
  }
}

TEST(Filters, BadInputIsRejectedAndOutputsUntouched) {
  const std::vector<std::vector<double>> good = {{1.0, 2.0, 3.0}, {0.5, 0.5, 0.5}};
  const std::vector<std::vector<double>> none, empty_channel = {{1.0}, {}},
                                               nan_sample = {{1.0, kNaN}};
  const std::vector<std::vector<double>> sentinel = {{42.0}};

  const struct {
    const char* what;
    int order;
    double fc, fs;
    const std::vector<std::vector<double>>& in;
  } iir_cases[] = {
      {"order 0", 0, 15, 125, good},
      {"order 9", 9, 15, 125, good},
      {"zero cut-off", 1, 0, 125, good},
      {"negative cut-off", 1, -5, 125, good},
      {"cut-off at Nyquist", 1, 62.5, 125, good},
      {"zero fs", 1, 15, 0, good},
      {"NaN cut-off", 1, kNaN, 125, good},
      {"no channels", 1, 15, 125, none},
      {"empty channel", 1, 15, 125, empty_channel},
      {"NaN sample", 1, 15, 125, nan_sample},
  };
  for (const auto& c : iir_cases) {
    auto out = sentinel;
    std::string error;
    EXPECT_LT(iirFilter(c.order, c.fc, c.fs, c.in, out, error), 0) << c.what;
    EXPECT_EQ(out, sentinel) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
  }

  const struct {
    const char* what;
    double f0, depth, fbb, K, fs;
    const std::vector<std::vector<double>>& in;
  } notch_cases[] = {
      {"zero notch frequency", 0, 0.01, 40, 1, 400, good},
      {"notch at Nyquist", 200, 0.01, 40, 1, 400, good},
      {"negative depth", 40, -0.1, 40, 1, 400, good},
      {"zero bandwidth", 40, 0.01, 0, 1, 400, good},
      {"bandwidth at Nyquist", 40, 0.01, 200, 1, 400, good},
      {"NaN gain", 40, 0.01, 40, kNaN, 400, good},
      {"negative fs", 40, 0.01, 40, 1, -400, good},
      {"no channels", 40, 0.01, 40, 1, 400, none},
      {"NaN sample", 40, 0.01, 40, 1, 400, nan_sample},
  };
  for (const auto& c : notch_cases) {
    auto out = sentinel;
    std::string error;
    EXPECT_LT(notchFilter(c.f0, c.depth, c.fbb, c.K, c.fs, c.in, out, error), 0) << c.what;
    EXPECT_EQ(out, sentinel) << c.what;
    if (c.in.size() == good.size()) {
      double y = 42.0;
      EXPECT_LT(notchFilterStep(c.f0, c.depth, c.fbb, c.K, c.fs, 0, 0, 1, 0, 0, y, error), 0)
          << c.what;
      EXPECT_EQ(y, 42.0) << c.what;
    }
  }
  double y = 42.0;
  std::string error;
  EXPECT_LT(notchFilterStep(40, 0.01, 40, 1, 400, 0, kNaN, 1, 0, 0, y, error), 0);
  EXPECT_EQ(y, 42.0);

  const double prev[2] = {0.0, 0.0}, prev_nan[2] = {0.0, kNaN};
  const struct {
    const char* what;
    double Ts, fc;
    int n;
    const double* prev;
    double x1;
  } lowpass_cases[] = {
      {"zero sample time", 0.0, 3, 2, prev, 1},   {"negative sample time", -0.005, 3, 2, prev, 1},
      {"zero cut-off", 0.005, 0, 2, prev, 1},     {"cut-off at Nyquist", 0.005, 100, 2, prev, 1},
      {"no channels", 0.005, 3, 0, prev, 1},      {"negative channels", 0.005, 3, -1, prev, 1},
      {"null previous", 0.005, 3, 2, nullptr, 1}, {"NaN previous", 0.005, 3, 2, prev_nan, 1},
      {"NaN current", 0.005, 3, 2, prev, kNaN},
  };
  for (const auto& c : lowpass_cases) {
    double x[2] = {7.0, c.x1};
    EXPECT_LT(lowpassFilter(c.Ts, c.fc, c.n, c.prev, x, error), 0) << c.what;
    EXPECT_EQ(x[0], 7.0) << c.what;
    EXPECT_TRUE(x[1] == c.x1 || (std::isnan(x[1]) && std::isnan(c.x1))) << c.what;
  }
}

}  // namespace
}  // namespace zemo

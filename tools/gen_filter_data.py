#!/usr/bin/python3
"""Recorded joint signals and filter references for the filter tests.

The references are computed independently of libzemo: SciPy's own designs and filtering
(cont2discrete, butter, iirnotch, lfilter) and a NumPy implementation of the Kalman equations.
Every input signal is rounded to the precision written to its file before it is filtered, so
the references are exact for the data the tests read.

  gen_filter_data.py                   write the data files under test/data/
  gen_filter_data.py --coefficients    print SciPy Butterworth designs for the library tests
"""

import argparse
import os

import numpy as np
from scipy import signal

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
KALMAN_DIR = os.path.join(ROOT, "test/data/utl_module/test_filter_kalman")
IIR_DIR = os.path.join(ROOT, "test/data/iir_filter")
SEED = 20240611
DIGITS = 9  # decimals written for every value

# Parameters the tests pass to the library.
KALMAN_TS = 0.005
KALMAN_Q = np.array([1.0, 1.0, 4000.0])
KALMAN_R = np.array([1e-06, 1e-05, 1.0])
LOWPASS_FC = 3.0
IIR_ORDER, IIR_FD, IIR_FS = 1, 15.0, 125.0
NOTCH_F0, NOTCH_DEPTH, NOTCH_FBB, NOTCH_K, NOTCH_FS = 40.0, 0.01, 40.0, 1.0, 400.0

# Designs whose coefficients the library tests compare against: (order, fc [Hz], fs [Hz]).
TEST_DESIGNS = [(1, 15.0, 125.0), (2, 1.0, 200.0), (4, 30.0, 500.0)]


def rounded(x):
    return np.round(np.asarray(x, dtype=float), DIGITS)


def write_table(path, rows, sep):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    fmt = "%." + str(DIGITS) + "f"
    with open(path, "w") as f:
        for row in rows:
            f.write(sep.join(fmt % v for v in row) + "\n")


def joint_motion(t, amplitudes, freqs, phases):
    """Smooth motion from rest at 0: sum of A (1 - cos(2 pi f t + phase) ...) terms."""
    q = np.zeros_like(t)
    qd = np.zeros_like(t)
    for a, f, p in zip(amplitudes, freqs, phases):
        w = 2 * np.pi * f
        q += a * (np.cos(p) - np.cos(w * t + p))
        qd += a * w * np.sin(w * t + p)
    return q, qd


def kalman_pva(z, ts, Q, R):
    """Position and velocity measured; state (x, xd, xdd); the test's start and loop."""
    F = np.array([[1.0, ts, 0.5 * ts * ts], [0.0, 1.0, ts], [0.0, 0.0, 1.0]])
    H = np.array([[1.0, 0.0, 0.0], [0.0, 1.0, 0.0]])
    Qm = np.diag(Q)
    Rm = np.diag(R[:2])
    s = np.array([z[0, 0], z[0, 1], 0.0])
    P = np.eye(3)
    out = np.zeros((len(z), 3))
    for i in range(len(z)):
        s_pred = F @ s
        P_pred = F @ P @ F.T + Qm
        S = H @ P_pred @ H.T + Rm
        K = P_pred @ H.T @ np.linalg.inv(S)
        s = s_pred + K @ (z[i] - H @ s_pred)
        P = (np.eye(3) - K @ H) @ P_pred
        out[i] = s
    return out


def lowpass_reference(x, ts, fc):
    """ZOH discretisation of wc / (s + wc); the library applies it to the current sample."""
    wc = 2 * np.pi * fc
    num, den, _ = signal.cont2discrete(([wc], [1.0, wc]), ts, method="zoh")
    a = -den[1]
    b = [float(np.ravel(num)[1])]  # (1 - a): the held input's share, taken at the current sample
    k = np.arange(50)
    step = signal.lfilter(b, den, np.ones(50))
    assert np.allclose(step, 1 - np.exp(-wc * (k + 1) * ts), atol=1e-14, rtol=0)
    # The first call filters sample 0 with itself as the previous output.
    return signal.lfilter(b, den, x, zi=[a * x[0]])[0]


def notch_reference(x):
    """K ((1 - d) H_full + d): SciPy's full notch mixed with the direct path."""
    b0, a0 = signal.iirnotch(NOTCH_F0, NOTCH_F0 / NOTCH_FBB, fs=NOTCH_FS)
    _, h = signal.freqz(NOTCH_K * ((1 - NOTCH_DEPTH) * b0 + NOTCH_DEPTH * a0), a0,
                        worN=[NOTCH_F0, 0.0], fs=NOTCH_FS)
    assert abs(abs(h[0]) - NOTCH_K * NOTCH_DEPTH) < 1e-12 and abs(abs(h[1]) - NOTCH_K) < 1e-12
    return NOTCH_K * ((1 - NOTCH_DEPTH) * signal.lfilter(b0, a0, x) + NOTCH_DEPTH * x)


def kalman_lowpass_data(rng):
    t = np.arange(2000) * KALMAN_TS
    q, qd = joint_motion(t, [0.6, 0.15, 0.04], [0.3, 1.1, 2.3], [0.0, 0.7, 1.9])
    pos = rounded(q + rng.normal(0.0, 1e-3, t.size))  # encoder plus quantisation: R[0]
    vel = rounded(qd + rng.normal(0.0, np.sqrt(1e-5), t.size))  # differentiated: R[1]
    data = np.column_stack([pos, vel])
    write_table(os.path.join(KALMAN_DIR, "test.txt"), data, ",")

    ref = kalman_pva(data, KALMAN_TS, KALMAN_Q, KALMAN_R)
    write_table(os.path.join(KALMAN_DIR, "test_ref.txt"), ref, ",")

    low = np.column_stack([lowpass_reference(data[:, c], KALMAN_TS, LOWPASS_FC) for c in range(2)])
    write_table(os.path.join(KALMAN_DIR, "lowpass_matlab.txt"), low, " ")

    print("kalman: max |x - z| %.2e, |xd - zd| %.2e, max |xdd| %.2f" %
          (np.abs(ref[:, 0] - pos).max(), np.abs(ref[:, 1] - vel).max(),
           np.abs(ref[:, 2]).max()))
    print("lowpass: max |filtered - raw| pos %.4f vel %.4f (checked at 1e-4)" %
          tuple(np.abs(low - data).max(axis=0)))


def iir_data(rng):
    n, m = 1250, 6
    t = np.arange(n) / IIR_FS
    cols = []
    for j in range(m):
        q, _ = joint_motion(t, [0.5 - 0.05 * j, 0.08], [0.2 + 0.03 * j, 0.9 + 0.1 * j],
                            [0.0, 0.3 * j])
        cols.append(q + rng.normal(0.0, 0.008, n))
    raw = rounded(np.column_stack(cols))
    b, a = signal.butter(IIR_ORDER, IIR_FD, btype="low", fs=IIR_FS)
    ref = signal.lfilter(b, a, raw, axis=0)
    write_table(os.path.join(IIR_DIR, "coffee.txt"), raw, " ")
    write_table(os.path.join(IIR_DIR, "IIR_filter_matlab.txt"), ref, " ")

    dev = np.abs(ref[:, 0] - raw[:, 0]).max()
    b5, a5 = signal.butter(IIR_ORDER, 5.0, fs=IIR_FS)
    dev5 = np.abs(signal.lfilter(b5, a5, raw[:, 0]) - raw[:, 0]).max()
    print("iir: channel 0 max |filtered - raw| %.4f (allowed 0.05); with a 5 Hz cut-off %.4f" %
          (dev, dev5))
    assert 0.02 < dev < 0.045 and dev5 > 0.05


def notch_data(rng):
    n, m = 2000, 6
    t = np.arange(n) / NOTCH_FS
    cols = []
    for j in range(m):
        # Joint torque [N m] from brake release: slow load change, 40 Hz ripple, sensor noise.
        tau, _ = joint_motion(t, [30.0 - 3 * j, 4.0], [0.25 + 0.05 * j, 1.3], [0.0, 0.4 * j])
        ripple = (5.0 - 0.4 * j) * np.sin(2 * np.pi * NOTCH_F0 * t + 0.5 * j)
        cols.append(tau + ripple + rng.normal(0.0, 0.3, n))
    raw = rounded(np.column_stack(cols))
    ref = np.column_stack([notch_reference(raw[:, j]) for j in range(m)])
    write_table(os.path.join(IIR_DIR, "test_notch.txt"), raw, " ")
    write_table(os.path.join(IIR_DIR, "notch_filter_matlab.txt"), ref, " ")

    dev = np.abs(ref[:, 0] - raw[:, 0]).max()
    ripple_left = np.abs(ref[n // 2:, 0] - raw[n // 2:, 0]).max()
    print("notch: channel 0 max |filtered - raw| %.3f (allowed 10.0), second half %.3f, "
          "max |raw| %.1f" % (dev, ripple_left, np.abs(raw[:, 0]).max()))
    assert 4.0 < dev < 9.0 and np.abs(raw[:, 0]).max() > 20.0


def print_coefficients():
    print("// Written by tools/gen_filter_data.py --coefficients (scipy.signal.butter, fs given).")
    for order, fc, fs in TEST_DESIGNS:
        b, a = signal.butter(order, fc, btype="low", fs=fs)
        print("{%d, %.17g, %.17g, {%s}, {%s}}," % (order, fc, fs,
                                                  ", ".join("%.17g" % v for v in b),
                                                  ", ".join("%.17g" % v for v in a)))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--coefficients", action="store_true",
                        help="print the Butterworth designs of the library tests and exit")
    args = parser.parse_args()
    if args.coefficients:
        print_coefficients()
        return
    rng = np.random.default_rng(SEED)
    kalman_lowpass_data(rng)
    iir_data(rng)
    notch_data(rng)


if __name__ == "__main__":
    main()

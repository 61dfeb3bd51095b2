"""Modified-DH kinematics of the 6R arms, in NumPy: forward kinematics, poses, numeric IK."""
import numpy as np
from scipy.optimize import least_squares


def rotx(t):
    c, s = np.cos(t), np.sin(t)
    return np.array([[1.0, 0, 0], [0, c, -s], [0, s, c]])


def roty(t):
    c, s = np.cos(t), np.sin(t)
    return np.array([[c, 0, s], [0, 1.0, 0], [-s, 0, c]])


def rotz(t):
    c, s = np.cos(t), np.sin(t)
    return np.array([[c, -s, 0], [s, c, 0], [0, 0, 1.0]])


def hom(R=np.eye(3), p=(0.0, 0.0, 0.0)):
    T = np.eye(4)
    T[:3, :3] = R
    T[:3, 3] = p
    return T


def rpy_to_R(rx, ry, rz):
    """Fixed-axis roll-pitch-yaw: R = Rz(rz) Ry(ry) Rx(rx)."""
    return rotz(rz) @ roty(ry) @ rotx(rx)


def R_to_rpy(R):
    ry = np.arctan2(-R[2, 0], np.hypot(R[0, 0], R[1, 0]))
    if abs(abs(ry) - np.pi / 2) < 1e-12:
        return np.array([0.0, ry, np.arctan2(-R[0, 1], R[1, 1])])
    return np.array([np.arctan2(R[2, 1], R[2, 2]), ry, np.arctan2(R[1, 0], R[0, 0])])


def pose_to_T(P):
    return hom(rpy_to_R(*P[3:6]), P[:3])


def T_to_pose(T):
    return np.concatenate([T[:3, 3], R_to_rpy(T[:3, :3])])


def mdh(alpha, a, theta, d):
    """Frame i-1 -> i: RotX(alpha) TransX(a) RotZ(theta) TransZ(d)."""
    return hom(rotx(alpha)) @ hom(p=(a, 0, 0)) @ hom(rotz(theta)) @ hom(p=(0, 0, d))


def fk_frames(dh, q):
    """[T_base_0, T_base_1, ..., T_base_6]; entry 6 is the flange."""
    Ts = [np.eye(4)]
    for i in range(6):
        Ts.append(Ts[-1] @ mdh(dh["alpha"][i], dh["a"][i], dh["theta"][i] + q[i], dh["d"][i]))
    return Ts


def fk(dh, q, T_flange_tool=None):
    T = fk_frames(dh, q)[6]
    return T if T_flange_tool is None else T @ T_flange_tool


def pose_error(T, T_goal):
    """Position difference and rotation vector of R_goal R^T (both in the base frame)."""
    dR = T_goal[:3, :3] @ T[:3, :3].T
    ang = np.arccos(np.clip((np.trace(dR) - 1) / 2, -1.0, 1.0))
    w = np.array([dR[2, 1] - dR[1, 2], dR[0, 2] - dR[2, 0], dR[1, 0] - dR[0, 1]])
    s = np.sin(ang)
    w = w * (ang / (2 * s)) if s > 1e-9 else w / 2
    return np.concatenate([T_goal[:3, 3] - T[:3, 3], w])


def configuration(dh, q):
    """Branch bits of the offset-wrist arm: 4 = right shoulder, 2 = elbow down, 1 = wrist no-flip.
    Shoulder side from the wrist point's x in frame 1, elbow from sin q3, wrist from sin q5."""
    Ts = fk_frames(dh, q)
    p5 = Ts[5][:3, 3]
    s = (np.linalg.inv(Ts[1]) @ np.append(p5, 1.0))[0]
    return 4 * (s < 0) + 2 * (np.sin(q[2]) > 0) + 1 * (np.sin(q[4]) < 0)


def ik(dh, T_goal, q_seed, T_flange_tool=None, lower=None, upper=None):
    """Numeric IK by damped least squares from a seed; returns (q, residual norm)."""
    def res(q):
        return pose_error(fk(dh, q, T_flange_tool), T_goal)

    lb = -np.inf * np.ones(6) if lower is None else np.asarray(lower, float)
    ub = np.inf * np.ones(6) if upper is None else np.asarray(upper, float)
    sol = least_squares(res, np.clip(q_seed, lb + 1e-12, ub - 1e-12), bounds=(lb, ub),
                        xtol=1e-15, ftol=1e-15, gtol=1e-15, max_nfev=2000)
    return sol.x, float(np.linalg.norm(res(sol.x)))

"""Link inertials: the form-0 layout (about the DH frame origin) and URDF's centre-of-mass form."""
import numpy as np

R5_MASSES = np.array([4.85, 10.79, 2.77, 1.57, 1.56, 0.18])


def tensor(XX, XY, XZ, YY, YZ, ZZ):
    return np.array([[XX, XY, XZ], [XY, YY, YZ], [XZ, YZ, ZZ]])


def shift(m, c):
    """Parallel-axis term m (|c|^2 E - c c^T)."""
    c = np.asarray(c, float)
    return m * (c @ c * np.eye(3) - np.outer(c, c))


def form0_to_com(row):
    """(m, mcx, mcy, mcz, XX, XY, XZ, YY, YZ, ZZ) -> (m, c, I about the centre of mass)."""
    m = row[0]
    c = np.asarray(row[1:4], float) / m
    return m, c, tensor(*row[4:10]) - shift(m, c)


def com_to_form0(m, c, Ic):
    Io = Ic + shift(m, c)
    h = m * np.asarray(c, float)
    return np.array([m, h[0], h[1], h[2], Io[0, 0], Io[0, 1], Io[0, 2], Io[1, 1], Io[1, 2], Io[2, 2]])


def consistency_problems(row, tol=1e-12):
    """Empty when the body is physical: m > 0, centroidal inertia positive definite and its
    principal moments obey the triangle inequality."""
    m, _, Ic = form0_to_com(row)
    if m <= 0:
        return ["mass %g not positive" % m]
    e = np.linalg.eigvalsh(Ic)
    out = []
    if e[0] <= 0:
        out.append("centroidal inertia not positive definite (%s)" % e)
    if e[0] + e[1] < e[2] - tol:
        out.append("principal moments %s break the triangle inequality" % e)
    return out


def solid_cylinder(model, capsules, masses):
    """Generic link set: each link a solid cylinder of its capsule radius along its main segment."""
    rows = []
    for k in range(1, 7):
        p0, p1, r = max(capsules[k], key=lambda s: np.linalg.norm(s[1] - s[0]))
        axis = p1 - p0
        L = np.linalg.norm(axis)
        w = axis / L
        c = 0.5 * (p0 + p1)
        m = masses[k - 1]
        Ic = m * (3 * r * r + L * L) / 12 * (np.eye(3) - np.outer(w, w)) + m * r * r / 2 * np.outer(w, w)
        rows.append(com_to_form0(m, c, Ic))
    return np.array(rows)


def masses_for(payload):
    return R5_MASSES * (payload / 5.0) ** 0.8

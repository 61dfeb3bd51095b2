"""Collision geometry of the arms: capsules along each link's DH segment, their meshes, and the
sampling that finds link pairs which can never touch."""
import struct

import numpy as np

RINGS = 12      # vertices around a capsule
CAP_STEPS = 3   # latitude steps per hemisphere


def link_capsules(model):
    """Per link 0..6: list of (p0, p1, r) in that link's own frame. Radii are the outer radii:
    every mesh vertex lies on the capsule surface, so each mesh shell lies inside its capsule."""
    dh, rad = model["dh"], model["radii"]
    d1 = dh["d"][0]
    caps = [[(np.array([0, 0, 0.5 * rad[0]]), np.array([0, 0, max(0.5 * rad[0] + 0.02, 0.6 * d1)]), rad[0])]]
    for k in range(1, 6):
        al, a, d = dh["alpha"][k], dh["a"][k], dh["d"][k]
        elbow = np.array([a, 0.0, 0.0])
        end = np.array([a, -np.sin(al) * d, np.cos(al) * d])
        segs = []
        if k == 1:
            segs.append((np.array([0, 0, -0.35 * d1]), np.zeros(3)))
        if a != 0.0:
            segs.append((np.zeros(3), elbow))
        if d != 0.0:
            segs.append((elbow, end))
        link = [(p, q, rad[k]) for p, q in segs]
        if k == 3:
            # The forearm narrows towards the wrist, so the wrist can fold back beside it (the
            # recorded postures go there); the joint housing there is the wrist body's.
            mid = 0.7 * elbow
            link = [(np.zeros(3), mid, rad[3]), (mid, elbow, 0.5 * rad[3])]
        caps.append(link)
    caps.append([(np.array([0, 0, -0.2 * rad[6]]), np.zeros(3), rad[6])])
    return caps


def capsule_mesh(p0, p1, r, n=RINGS, m=CAP_STEPS):
    """Closed, outward-oriented triangulation of a capsule (vertices on its surface)."""
    axis = p1 - p0
    L = np.linalg.norm(axis)
    w = axis / L if L > 1e-12 else np.array([0.0, 0.0, 1.0])
    u = np.cross(w, [1.0, 0, 0] if abs(w[0]) < 0.9 else [0, 1.0, 0])
    u /= np.linalg.norm(u)
    v = np.cross(w, u)
    verts = [p0 - r * w]
    lat = [(-np.pi / 2 + np.pi / 2 * i / m, p0) for i in range(1, m + 1)]
    lat += [(np.pi / 2 * i / m, p1) for i in range(0 if L > 1e-12 else 1, m)]
    for phi, c in lat:
        for j in range(n):
            t = 2 * np.pi * j / n
            verts.append(c + r * (np.cos(phi) * (np.cos(t) * u + np.sin(t) * v) + np.sin(phi) * w))
    verts.append(p1 + r * w)
    tris = [(0, 1 + (j + 1) % n, 1 + j) for j in range(n)]
    for i in range(len(lat) - 1):
        a0, b0 = 1 + i * n, 1 + (i + 1) * n
        for j in range(n):
            j1 = (j + 1) % n
            tris.append((a0 + j, a0 + j1, b0 + j1))
            tris.append((a0 + j, b0 + j1, b0 + j))
    top, last = len(verts) - 1, 1 + (len(lat) - 1) * n
    tris += [(last + j, last + (j + 1) % n, top) for j in range(n)]
    return np.array(verts), np.array(tris)


def link_mesh(capsules):
    V, F = [], []
    for p0, p1, r in capsules:
        v, f = capsule_mesh(p0, p1, r)
        F.append(f + sum(len(x) for x in V))
        V.append(v)
    return np.vstack(V), np.vstack(F)


def write_stl(path, V, F, name):
    """Binary STL; the header names the solid, normals follow the right-hand vertex order."""
    with open(path, "wb") as fh:
        fh.write(name.encode("ascii")[:80].ljust(80, b"\0"))
        fh.write(struct.pack("<I", len(F)))
        for a, b, c in F:
            n = np.cross(V[b] - V[a], V[c] - V[a])
            n = n / np.linalg.norm(n)
            fh.write(struct.pack("<12fH", *n, *V[a], *V[b], *V[c], 0))


def read_stl(path):
    with open(path, "rb") as fh:
        data = fh.read()
    count = struct.unpack_from("<I", data, 80)[0]
    tri = np.frombuffer(data, dtype=np.dtype([("n", "<3f4"), ("v", "<9f4"), ("a", "<u2")]),
                        count=count, offset=84)
    return tri["v"].reshape(-1, 3, 3).astype(float)


def segment_distance(p1, q1, p2, q2):
    """Distance between segments p1-q1 and p2-q2, vectorised over leading axes (either segment
    may be a point)."""
    d1, d2, r = q1 - p1, q2 - p2, p1 - p2
    a = np.einsum("...i,...i", d1, d1)
    e = np.einsum("...i,...i", d2, d2)
    f = np.einsum("...i,...i", d2, r)
    c = np.einsum("...i,...i", d1, r)
    b = np.einsum("...i,...i", d1, d2)
    eps = 1e-14
    a_ok, e_ok = a > eps, e > eps
    a_, e_ = np.where(a_ok, a, 1.0), np.where(e_ok, e, 1.0)
    denom = a * e - b * b
    s = np.where(denom > eps * np.maximum(a_ * e_, eps), np.clip((b * f - c * e) / np.where(denom > 0, denom, 1.0), 0, 1), 0.0)
    t = (b * s + f) / e_
    s = np.where(t < 0, np.clip(-c / a_, 0, 1), np.where(t > 1, np.clip((b - c) / a_, 0, 1), s))
    t = np.clip(t, 0, 1)
    # a point for the second segment: nearest point of the first to it
    s = np.where(e_ok, s, np.clip(-c / a_, 0, 1))
    t = np.where(e_ok, t, 0.0)
    # a point for the first segment
    t = np.where(a_ok, t, np.clip(f / e_, 0, 1))
    s = np.where(a_ok, s, 0.0)
    t = np.where(a_ok | e_ok, t, 0.0)
    diff = (p1 + d1 * s[..., None]) - (p2 + d2 * t[..., None])
    return np.linalg.norm(diff, axis=-1)


def link_poses(dh, Q):
    """T_base_link for links 0..6 at the postures Q (N x 6): array N x 7 x 4 x 4."""
    N = len(Q)
    out = np.zeros((N, 7, 4, 4))
    T = np.tile(np.eye(4), (N, 1, 1))
    out[:, 0] = T
    for i in range(6):
        al, a, th, d = dh["alpha"][i], dh["a"][i], dh["theta"][i] + Q[:, i], dh["d"][i]
        ca, sa, ct, st = np.cos(al), np.sin(al), np.cos(th), np.sin(th)
        A = np.zeros((N, 4, 4))
        A[:, 0, 0], A[:, 0, 1], A[:, 0, 3] = ct, -st, a
        A[:, 1, 0], A[:, 1, 1], A[:, 1, 2], A[:, 1, 3] = st * ca, ct * ca, -sa, -sa * d
        A[:, 2, 0], A[:, 2, 1], A[:, 2, 2], A[:, 2, 3] = st * sa, ct * sa, ca, ca * d
        A[:, 3, 3] = 1.0
        T = T @ A
        out[:, i + 1] = T
    return out


def pair_clearance(model, Q, caps=None):
    """Clearance (distance minus radii, negative = overlap) of every link pair i < j at postures Q."""
    caps = caps or link_capsules(model)
    P = link_poses(model["dh"], np.atleast_2d(Q))
    res = {}
    for i in range(7):
        for j in range(i + 1, 7):
            best = np.full(len(P), np.inf)
            for p0, p1, r1 in caps[i]:
                for p2, p3, r2 in caps[j]:
                    w = [P[:, i] @ np.append(x, 1.0) for x in (p0, p1)] + \
                        [P[:, j] @ np.append(x, 1.0) for x in (p2, p3)]
                    dist = segment_distance(w[0][:, :3], w[1][:, :3], w[2][:, :3], w[3][:, :3])
                    best = np.minimum(best, dist - r1 - r2)
            res[(i, j)] = best
    return res


def never_colliding_pairs(model, samples=40000, margin=0.01, seed=7):
    """Non-adjacent pairs whose capsules stay at least `margin` apart over seeded random postures."""
    rng = np.random.default_rng(seed)
    lo, hi = np.array(model["lower"]), np.array(model["upper"])
    Q = lo + (hi - lo) * rng.random((samples, 6))
    clear = pair_clearance(model, Q)
    return sorted(p for p, c in clear.items() if p[1] - p[0] > 1 and c.min() > margin)


def self_collides(model, q, radius_scale=1.0):
    """Non-adjacent pairs whose capsules touch at q. Scale 1: the outer capsules, which contain the
    meshes, so no contact means the meshes are free. Scale INSCRIBED: capsules inside the meshes,
    so contact means the meshes overlap."""
    caps = [[(p0, p1, r * radius_scale) for p0, p1, r in link] for link in link_capsules(model)]
    clear = pair_clearance(model, np.asarray(q, float)[None, :], caps)
    return sorted(p for p, c in clear.items() if p[1] - p[0] > 1 and c[0] < 0)


# Safely below the ratio of face distance to vertex radius of the capsule triangulation (~0.93).
INSCRIBED = 0.85

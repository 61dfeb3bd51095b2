#!/usr/bin/python3
"""Checks the generated robot descriptions against the facts the conformance tests rely on.

Forward kinematics comes from the URDF joint origins (own parser) and is cross-checked with a
PyKDL chain built from the DH table; inverse kinematics is numeric (SciPy). Exit status 1 on any
miss. Run:  /usr/bin/python3 tools/check_models.py [description_dir]
"""
import filecmp
import json
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from description import geometry, inertia, kinematics as kin, models  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PI = np.pi
failures = []


def check(ok, what):
    print("%-4s %s" % ("ok" if ok else "MISS", what))
    if not ok:
        failures.append(what)


class Description:
    """One model as read back from its files."""

    def __init__(self, root, name):
        self.name = name
        self.urdf = ET.parse(os.path.join(root, "urdf", name + ".urdf")).getroot()
        self.srdf = ET.parse(os.path.join(root, "urdf", name + ".srdf")).getroot()
        with open(os.path.join(root, "config", name + ".json")) as fh:
            self.cfg = json.load(fh)
        self.root = root
        self.dh = {k: np.array(v) for k, v in self.cfg["dh"].items()}
        joints = {j.get("name"): j for j in self.urdf.findall("joint")}
        child_of = {j.find("parent").get("link"): j for j in joints.values()}
        self.chain, link = [], self.urdf.findall("link")[0].get("name")
        while link in child_of:
            j = child_of[link]
            self.chain.append(j)
            link = j.find("child").get("link")
        self.revolute = [j for j in self.chain if j.get("type") == "revolute"]

    @staticmethod
    def origin(j):
        o = j.find("origin")
        xyz = [float(x) for x in o.get("xyz").split()]
        rpy = [float(x) for x in o.get("rpy").split()]
        return kin.hom(kin.rpy_to_R(*rpy), xyz)

    def fk_urdf(self, q):
        T, i = np.eye(4), 0
        for j in self.chain:
            T = T @ self.origin(j)
            if j.get("type") == "revolute":
                axis = np.array([float(x) for x in j.find("axis").get("xyz").split()])
                assert np.allclose(axis, [0, 0, 1])
                T = T @ kin.hom(kin.rotz(q[i]))
                i += 1
        return T

    def link_rows(self):
        """Form-0 rows read back from the URDF inertials of links 1..6."""
        rows = []
        for name in self.cfg["links"][1:]:
            link = [lk for lk in self.urdf.findall("link") if lk.get("name") == name][0]
            ine = link.find("inertial")
            c = [float(x) for x in ine.find("origin").get("xyz").split()]
            m = float(ine.find("mass").get("value"))
            a = {k: float(v) for k, v in ine.find("inertia").attrib.items()}
            Ic = inertia.tensor(a["ixx"], a["ixy"], a["ixz"], a["iyy"], a["iyz"], a["izz"])
            rows.append(inertia.com_to_form0(m, c, Ic))
        return np.array(rows)


def kdl_fk(dh, q, tool=None):
    import PyKDL as kdl
    ch = kdl.Chain()
    for i in range(6):
        ch.addSegment(kdl.Segment(kdl.Joint(kdl.Joint.Fixed), kdl.Frame(
            kdl.Rotation(*kin.rotx(dh["alpha"][i]).reshape(-1)), kdl.Vector(dh["a"][i], 0, 0))))
        ch.addSegment(kdl.Segment(kdl.Joint(kdl.Joint.RotZ), kdl.Frame(
            kdl.Rotation.RotZ(dh["theta"][i]), kdl.Vector(0, 0, dh["d"][i]))))
    qa = kdl.JntArray(6)
    for i in range(6):
        qa[i] = float(q[i])
    F = kdl.Frame()
    kdl.ChainFkSolverPos_recursive(ch).JntToCart(qa, F)
    T = np.eye(4)
    T[:3, :3] = [[F.M[r, c] for c in range(3)] for r in range(3)]
    T[:3, 3] = [F.p[i] for i in range(3)]
    return T if tool is None else T @ tool


def line_reachable(d, q0, goal, tool=None, steps=40):
    """Straight line (slerp in orientation) from the pose at q0 to goal, tracked by IK from q0:
    every sample solved, same configuration, no jump between samples."""
    Tt = None if tool is None else kin.pose_to_T(np.asarray(tool, float))
    T0, T1 = kin.fk(d.dh, q0, Tt), kin.pose_to_T(np.asarray(goal, float))
    from scipy.spatial.transform import Rotation, Slerp
    slerp = Slerp([0, 1], Rotation.from_matrix([T0[:3, :3], T1[:3, :3]]))
    q, cfg0, worst = np.asarray(q0, float), kin.configuration(d.dh, q0), 0.0
    for s in np.linspace(0, 1, steps + 1)[1:]:
        T = kin.hom(slerp([s]).as_matrix()[0], (1 - s) * T0[:3, 3] + s * T1[:3, 3])
        qn, res = kin.ik(d.dh, T, q, Tt, d.cfg["joint_limits"]["lower"], d.cfg["joint_limits"]["upper"])
        worst = max(worst, np.abs(qn - q).max())
        if res > 1e-8 or kin.configuration(d.dh, qn) != cfg0:
            return False, "sample %.3f residual %.1e configuration %d->%d" % (
                s, res, cfg0, kin.configuration(d.dh, qn))
        q = qn
    return worst < 0.5, "largest joint step %.3f rad" % worst


def check_common(d, model):
    rng = np.random.default_rng(3)
    check(len(d.revolute) == 6 and d.cfg["dof"] == 6, d.name + ": six revolute joints")
    names = [d.chain[0].find("parent").get("link")] + [j.find("child").get("link") for j in d.chain]
    check(names == d.cfg["links"] + [d.cfg["end_effector"]], d.name + ": link chain matches the parameter file")
    origin_err = max(np.abs(Description.origin(j) - kin.mdh(d.dh["alpha"][k], d.dh["a"][k], d.dh["theta"][k],
                                                             d.dh["d"][k])).max()
                     for k, j in enumerate(d.revolute))
    check(origin_err < 1e-12, d.name + ": joint origins are the DH transforms (%.1e)" % origin_err)
    Q = rng.uniform(-PI, PI, (20, 6))
    e_urdf = max(np.abs(d.fk_urdf(q) - kin.fk(d.dh, q)).max() for q in Q)
    e_kdl = max(np.abs(kdl_fk(d.dh, q) - d.fk_urdf(q)).max() for q in Q)
    check(e_urdf < 1e-12 and e_kdl < 1e-12, d.name + ": URDF FK = DH FK = PyKDL FK (%.1e, %.1e)" % (e_urdf, e_kdl))
    rows = d.link_rows()
    dyn = np.array(d.cfg["dynamic_para"])
    check(len(dyn) == 61 and dyn[0] == 0, d.name + ": form-0 dynamic parameters of 61 values")
    e = np.abs(rows.reshape(-1) - dyn[1:]).max()
    check(e < 1e-12, d.name + ": URDF inertials round-trip to the form-0 set (%.1e)" % e)
    probs = [p for r in rows for p in inertia.consistency_problems(r)]
    check(not probs, d.name + ": inertials physically consistent " + "; ".join(probs))
    lim = d.cfg["joint_limits"]
    for k, j in enumerate(d.revolute):
        li = j.find("limit")
        same = all(abs(float(li.get(a)) - lim[b][k]) == 0 for a, b in
                   (("lower", "lower"), ("upper", "upper"), ("velocity", "velocity"), ("effort", "max_avg_torque")))
        if not same:
            break
    check(same, d.name + ": URDF limits equal the parameter file")
    # 4.4: FK at the reference posture is recovered by IK from that posture.
    q = np.array([0.6641, 0.393, -1.1606, 0.0172, -1.5708, 0.6641])
    _, res = kin.ik(d.dh, kin.fk(d.dh, q), q + 0.05)
    check(res < 1e-9, d.name + ": IK recovers the reference posture's pose")
    check_meshes(d, model)
    check_srdf(d, model)


def check_meshes(d, model):
    caps = geometry.link_capsules(model)
    for k in range(7):
        link = [lk for lk in d.urdf.findall("link") if lk.get("name") == d.cfg["links"][k]][0]
        rel = link.find("collision/geometry/mesh").get("filename")
        ok = rel == "meshes/%s/collision/link%d.STL" % (d.name, k)
        tri = geometry.read_stl(os.path.join(d.root, rel))
        edges = {}
        for t in np.round(tri, 6):
            for a, b in ((0, 1), (1, 2), (2, 0)):
                key = tuple(sorted((tuple(t[a]), tuple(t[b]))))
                edges[key] = edges.get(key, 0) + 1
        closed = all(v % 2 == 0 for v in edges.values())
        inside = all(min(geometry.segment_distance(p0, p1, v, v) - r for p0, p1, r in caps[k]) < 1e-6
                     for v in tri.reshape(-1, 3))
        if not (ok and closed and inside and len(tri) <= 400):
            check(False, "%s: mesh link%d (path %s, closed %s, inside capsules %s, %d triangles)"
                  % (d.name, k, ok, closed, inside, len(tri)))
            return
    check(True, d.name + ": meshes closed, inside their capsules, relative paths")


def check_srdf(d, model):
    names = d.cfg["links"] + [d.cfg["end_effector"]]
    pairs = [(e.get("link1"), e.get("link2"), e.get("reason")) for e in d.srdf.findall("disable_collisions")]
    adjacent = {(names[k], names[k + 1]) for k in range(7)}
    check({(a, b) for a, b, r in pairs if r == "Adjacent"} == adjacent, d.name + ": SRDF adjacent pairs")
    never = [(names.index(a), names.index(b)) for a, b, r in pairs if r == "Never"]
    rng = np.random.default_rng(11)
    lo, hi = np.array(d.cfg["joint_limits"]["lower"]), np.array(d.cfg["joint_limits"]["upper"])
    clear = geometry.pair_clearance(model, lo + (hi - lo) * rng.random((20000, 6)))
    worst = min([clear[p].min() for p in never] + [np.inf])
    check(worst > 0, d.name + ": 'Never' pairs stay apart on fresh samples (clearance %.3f m)" % worst)


def check_r5(d):
    ref = dict(alpha=[0, -PI / 2, PI, PI, -PI / 2, PI / 2], a=[0, 0, 0.408, 0.376, 0, 0],
               d=[0.122, 0.1215, 0, 0, 0.1025, 0.094], theta=[PI, -PI / 2, 0, -PI / 2, 0, 0], beta=[0] * 6)
    check(all(np.abs(d.dh[k] - ref[k]).max() < 1e-15 for k in ref), "vire_r5: nominal DH table")
    lim = d.cfg["joint_limits"]
    check(lim["velocity"] == [2.5964] * 3 + [3.1105] * 3, "vire_r5: velocity limits")
    check(lim["max_avg_torque"] == [133.0] * 3 + [13.5] * 3, "vire_r5: maximum average torques")
    check(d.cfg["rotor_inertia"] == [2.0] * 3 + [0.15] * 3, "vire_r5: rotor inertias")
    fitted = models.R5_INERTIALS
    check(np.abs(d.link_rows() - fitted).max() < 1e-12, "vire_r5: inertials are the fitted link set")
    q = np.array([0.6641, 0.393, -1.1606, 0.0172, -1.5708, 0.6641])
    T_ref = [-0.424915927341309, -0.48687058574014, 0.411360972073454, -3.141589761044286, 0, -1.5708]
    e = np.abs(kin.T_to_pose(d.fk_urdf(q)) - T_ref).max()
    check(e < 1e-4, "vire_r5: flange pose at the reference posture (%.1e)" % e)
    check(kin.configuration(d.dh, q) == 1, "vire_r5: reference posture is LUN")


R10_DATA = [
    ([0.37107, 0.40351, -0.16862, 2.3162, 0, 1.48184], [1.34161, -1.13057, 2.38442, 2.09448, 0.755978, 1.36561]),
    ([0.37146, 0.4036, -0.16863, 2.3162, 0, 1.48901], [1.34069, -1.13239, 2.38349, 2.10383, 0.757223, 1.35396]),
    ([0.37186, 0.40369, -0.16864, 2.31623, 0, 1.49619], [1.33973, -1.13418, 2.38253, 2.11314, 0.758573, 1.34229]),
    ([0.37225, 0.40378, -0.16865, 2.31625, 0, 1.50336], [1.33879, -1.13595, 2.38158, 2.12237, 0.759976, 1.33069])]

TOOL_WELD = [-0.00834, 0.01332, 0.46948, 0, 0, 0]
# (model, start joints, tool, Cartesian targets in order) of planning runs that name their model.
PATHS = [
    ("vire_r10", [-0.000003, -0.173853, -1.9479, -0.203245, -1.5708, -0.000008], None,
     [[-0.578716, -0.500499, 0.585239, 3.14159, -0.00000209485, -1.57078]]),
    ("vire_r12X", [2.64713836322567, 0.6682837082486555, 2.082699773248, -0.16109329654713092,
                   1.5770780983853823, 2.6785552496926632], None,
     [[0.308357, 0.425252, 0.417732, 3.09462, 0.00256608, 3.00337]]),
    ("vire_r10X", [9.83416e-11, -0.261799, 1.74533, 0.436332, 1.5708, 9.83416e-11], [0.00161, -0.03444, 0.37187, 0, 0, 0],
     [[0.3901485668438859, 0.05938620560661992, 0.2425688174534411, 3.141587502980584, -2.059826008490965e-06, 1.570819625791458],
      [0.3901485668438859, -0.2597925548508536, 0.2425688174534411, 3.141587502980584, -2.059826008405779e-06, 1.570819625791458],
      [0.6838195843143335, -0.2650062410051318, 0.2425688174534414, 3.141587502980583, -2.05982600802568e-06, 0.06872339964848129]]),
    ("vire_K5", [-1.61242, -0.400856, 1.15425, 0.00307381, 1.60998, 3.09101],
     [-0.00653532, 0.0157689, 0.485246, 3.0589, -0.688114, 1.59064],
     [[-0.1193199775962585, -0.6279964502402103, -0.07329832954237814, -0.1334686956390469, 0.7074490355606681, 1.527636691591464],
      [-0.1864085265243368, -0.6284167575878525, -0.07316082700393156, -0.1334469541769173, 0.7075584939908589, 1.527770151454702],
      [-0.1889916083665876, -0.6858496331571114, -0.07121894576812698, 0.06549920356504901, 0.7429713837704035, 3.070814268969437]]),
    ("vire_K10", [-2.881306166178977, -0.1436964888193231, 1.548486019562308, 0.07096578248499519, 1.645915127008233,
                  0.3049411760661368], [0.005, -0.02917, 0.43207, 3.13, 0.83, -1.55],
     [[-0.751727, -0.0467054, 0.204073, -0.1, -0.9, -1.59674], [-0.751727, -0.0467054, 0.204073, -0.1, -0.9, 3.11565],
      [-0.868211, -0.0287026, 0.111297, -0.1, -0.9, 3.11565], [-0.867617, 0.0712957, 0.111297, -0.1, -0.9, -1.59674],
      [-1.06762, 0.0712825, 0.111297, -0.1, -0.9, -1.59674], [-1.06881, -0.128714, 0.111297, -0.1, -0.9, -0.0259446]]),
    ("vire_r5", [-0.1056934693190255, -0.1352171051678285, 1.365455637684378, 0.07653645670929254, 1.428906407178467,
                 1.440149801434666], TOOL_WELD,
     [[0.566329544374529, -0.221050612770836, -0.0247185820627269, 3.05185120012389, -0.0556169081342633, 0.05944968410371988]]),
    ("vire_r5", [-0.00701441, -0.263799, 1.74285, 0.435573, 1.6118, -0.00702347], None,
     [[0.54887, -0.1215, 0.263197, -3.14159, 0.0, 1.5708]]),
    ("vire_r5", [-0.0241811, -0.269568, 1.73701, 0.431868, 1.70842, -0.0245124], None,
     [[0.548864, -0.121911, 0.263038, -3.14159, 0.0, 1.57082]]),
]

# Postures the tests require free of self-collision or start recorded motions from, and folded
# ones (elbow closed, wrist folded back onto the forearm) that must collide.
FREE = [("vire_r5", [0.6330928073150806, 0.7542270825026934, -1.3758930406000738, -2.2534022983832918,
                     -0.2406789674792817, 1.2892682061984584]),
        ("vire_r5", [-0.1578052656310147, -0.6985242842136061, 1.833582616231352, 2.266900015646541,
                     1.633981777769511, -0.1166286194815303]),
        ("vire_r5", [-2.1016259, -0.842232995, 1.04719755, 2.165085998553, 1.396000031, -0.00272899681841]),
        ("vire_r10", [0.371032, -0.48647, 2.36807, 2.57102, 1.09526, 0.0550803]),
        ("vire_r10", [-1.304, -0.4167, 2.5789, -1.6858, -1.6006, 0.2312]),
        ("vire_K5", [-1.61242, -0.400856, 1.15425, 0.00307381, 1.60998, 3.09101]),
        ("vire_K10", [-2.7398, 0.13639, 2.17863, 1.39385, 1.28582, 0.310162]),
        ("vire_U6", [-0, -0.12728, -1.321171, 0.376933, -1.570762, -0.000019]),
        ("vire_r5", [-9.4892e-07, -0.261799, 1.74533, 0.436333, 1.5708, 0]),
        ("vire_r5", [-0.0143431, 0.0491329, -0.0657296, -0.0633004, -0.0799256, 0.230762]),
        ("vire_K3", [-0.0143431, 0.0491329, -0.0657296, -0.0633004, -0.0799256, 0.230762]),
        ("vire_r5", [0, 0, 0, 0, 0, 0])]
FOLDED = [[0, 0, 3.0, 0, 0, 0], [0, 0, -3.0, 0, 0, 0], [0, 0, 0, 3.04, 0, 0]]


def check_pinned(descs):
    d = descs["vire_r10"]
    for i, (P, q) in enumerate(R10_DATA):
        T = kin.pose_to_T(np.array(P, float))
        qs, res = kin.ik(d.dh, T, np.array(q) + 0.02)
        e = np.abs(kin.T_to_pose(d.fk_urdf(q)) - P).max()
        check(res < 1e-9 and np.abs(qs - q).max() < 1e-4 and e < 2e-5,
              "vire_r10: data set %d, |FK(joint_ref) - T_ref| %.1e, IK joint error %.1e" % (i, e, np.abs(qs - q).max()))
    check(all(np.array_equal(descs["vire_K5"].dh[k], descs["vire_r5"].dh[k]) for k in descs["vire_r5"].dh),
          "vire_K5: shares the vire_r5 kinematics")
    d = descs["vire_P12Z"]
    goal = kin.pose_to_T(np.array([-0.158046, -0.0565, 0.596252, -0.139627, -1.52656e-16, -1.5708]))
    sols = [kin.ik(d.dh, goal, s) for s in np.random.default_rng(5).uniform(-PI, PI, (30, 6))]
    check(min(r for _, r in sols) < 1e-9, "vire_P12Z: the test pose is reachable")
    d = descs["vire_U6"]
    q = np.array([-0, -0.12728, -1.321171, 0.376933, -1.570762, -0.000019])
    P = kin.T_to_pose(d.fk_urdf(q))
    P[2] -= 0.1
    ok, why = line_reachable(d, q, P)
    check(ok, "vire_U6: 0.1 m below the test posture is reachable on a line (%s)" % why)
    for name, q0, tool, targets in PATHS:
        d, q = descs[name], np.array(q0, float)
        Tt = None if tool is None else kin.pose_to_T(np.array(tool, float))
        for k, goal in enumerate(targets):
            ok, why = line_reachable(d, q, goal, tool)
            check(ok, "%s: target %d from its start joints, same configuration (%s)" % (name, k, why))
            q, _ = kin.ik(d.dh, kin.pose_to_T(np.array(goal, float)), q, Tt)
    for name, q in FREE:
        hit = geometry.self_collides(models.by_name(name), q)
        check(not hit, "%s: posture %s free of self-collision %s" % (name, np.round(q, 3).tolist(), hit))
    for m in models.MODELS:
        hits = [geometry.self_collides(m, q, geometry.INSCRIBED) for q in FOLDED]
        if not all(hits):
            check(False, "%s: folded postures collide (%s)" % (m["name"], hits))
            break
    else:
        check(True, "every model: folded elbow postures collide")


def check_deterministic(root):
    with tempfile.TemporaryDirectory() as tmp:
        subprocess.run([sys.executable, os.path.join(ROOT, "tools", "gen_description.py"), tmp],
                       check=True, stdout=subprocess.DEVNULL)
        diff = []
        for dirpath, _, files in os.walk(tmp):
            for f in files:
                a = os.path.join(dirpath, f)
                b = os.path.join(root, os.path.relpath(a, tmp))
                if not (os.path.exists(b) and filecmp.cmp(a, b, shallow=False)):
                    diff.append(os.path.relpath(a, tmp))
        check(not diff, "re-generation reproduces the committed files %s" % diff[:5])


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "vire_description")
    descs = {}
    for m in models.MODELS:
        descs[m["name"]] = d = Description(root, m["name"])
        check_common(d, m)
    check_r5(descs["vire_r5"])
    check_pinned(descs)
    check_deterministic(root)
    print("\n%d miss(es)" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

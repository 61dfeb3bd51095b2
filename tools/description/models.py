"""The model table: every arm the descriptions cover, as one source of truth.

All arms share the offset-wrist joint layout below (link twists and zero offsets); they differ in
the six lengths, limits, drive constants and inertials."""
import numpy as np

PI = np.pi
TWO_PI = 2 * np.pi

ALPHA = [0.0, -PI / 2, PI, PI, -PI / 2, PI / 2]
THETA = [PI, -PI / 2, 0.0, -PI / 2, 0.0, 0.0]

LINK_NAMES = ["base_Link", "shoulder_Link", "upperArm_Link", "foreArm_Link",
              "wrist1_Link", "wrist2_Link", "wrist3_Link"]
JOINT_NAMES = ["shoulder_joint", "upperArm_joint", "foreArm_joint",
               "wrist1_joint", "wrist2_joint", "wrist3_joint"]
END_EFFECTOR = "end_effector"

# Physically consistent link set of vire_r5 (form-0 rows m, mcx, mcy, mcz, XX, XY, XZ, YY, YZ, ZZ about
# the DH frame origin); it reproduces the arm's identified joint-space inertia with its armature.
R5_INERTIALS = np.array([
    [4.848581, -0.000048, 0.008761, -0.067172, 0.012788, 0, -0.000005, 0.012731, 0.000224, 0.0081167],
    [10.7886726, 2.210597, 0, 0.0715169, 0.026496, -0.00002, -0.014597, 0.8627296, 0, 0.856099],
    [2.7735736, 0.7565085, 0.0000098, 0.267191, 0.0286043, 0.000008, -0.0705578, 0.2871784, 0.000003, 0.2585742],
    [1.5661154, 0.0000156, 0.0186101, -0.0025059, 0.002162, -0.000004, -0.000001, 0.0011579, -0.000004, 0.0020704],
    [1.5555689, -0.0000156, -0.0172181, -0.0025151, 0.002162, -0.000004, 0.000001, 0.001126, 0.0000041, 0.0020007],
    [0.1805243, 0, 0.0000842, -0.0034877, 0.000176, 0, 0, 0.0001509, 0.0000013, 0.00016]])

# Identified link set of vire_r12 (consistent: positive masses, centroidal inertia positive definite).
R12_INERTIALS = np.array([
    [10.180139, -4.1e-05, 0.052041, -0.267483, 0.05062, 3e-06, 2e-06, 0.049261, -0.0004, 0.030168],
    [18.169652, 3.768495, 0, -0.227012, 0.068128, 2.5e-05, 0.016674, 2.018731, 5e-06, 1.997036],
    [4.393121, 1.70034, -8.3e-05, 0.472511, 0.057602, 4.7e-05, -0.179399, 0.91404, 1.5e-05, 0.861851],
    [2.370741, 8.5e-05, 0.037007, -0.003618, 0.004255, 5e-06, -6e-06, 0.002196, -2.4e-05, 0.004199],
    [2.370741, -8.5e-05, -0.037007, -0.003618, 0.004255, 5e-06, 1e-06, 0.002196, 2.4e-05, 0.004199],
    [0.259654, 0.000132, 8.9e-05, -0.004427, 0.000238, 0, 2e-06, 0.000236, 3e-06, 0.000273]])


def _model(name, payload, lengths, vel, acc, torque, rotor, module_constant, start_stop,
           inertials=None, elbow_limit=175.0):
    d1, d2, a2, a3, d5, d6 = lengths
    el = np.deg2rad(elbow_limit)
    return dict(
        name=name, payload=payload,
        dh=dict(alpha=list(ALPHA), a=[0.0, 0.0, a2, a3, 0.0, 0.0], d=[d1, d2, 0.0, 0.0, d5, d6],
                theta=list(THETA), beta=[0.0] * 6),
        upper=[TWO_PI, TWO_PI, el, TWO_PI, TWO_PI, TWO_PI],
        lower=[-TWO_PI, -TWO_PI, -el, -TWO_PI, -TWO_PI, -TWO_PI],
        velocity=list(vel), acceleration=list(acc), max_avg_torque=list(torque),
        rotor_inertia=list(rotor), joint_module_constant=list(module_constant),
        start_stop_torque=list(start_stop), radii=_radii(d2, d5, d6), inertials=inertials)


def _radii(d2, d5, d6):
    """Capsule radii base..wrist3. The upper arm clears the base by the shoulder offset, the
    forearm the second wrist body by the wrist offset, and the flange body the first wrist body."""
    return [0.5 * d2, 0.5 * d2, 0.41 * d2, 0.36 * d5, 0.33 * d5, 0.33 * d5, 0.36 * d6]


def _three(a, b):
    return [a, a, a, b, b, b]


# Lengths (d1, d2, a2, a3, d5, d6) in m.
MODELS = [
    _model("vire_r3", 3.0, (0.1215, 0.1095, 0.266, 0.2565, 0.0865, 0.0725),
           _three(3.1416, 3.1416), _three(4.0, 4.5), _three(56.0, 6.8), _three(1.2, 0.08),
           _three(7.8, 7.6), _three(120.0, 20.0)),
    _model("vire_r5", 5.0, (0.122, 0.1215, 0.408, 0.376, 0.1025, 0.094),
           _three(2.5964, 3.1105), _three(3.3088, 3.6893), _three(133.0, 13.5), _three(2.0, 0.15),
           _three(8.5, 8.2), _three(207.0, 34.0),
           inertials=R5_INERTIALS),
    _model("vire_r10", 10.0, (0.172177, 0.200630, 0.650688, 0.611238, 0.102993, 0.094923),
           _three(2.0944, 2.618), _three(2.8, 3.4), _three(260.0, 28.0), _three(4.5, 0.15),
           _three(8.75, 8.8), _three(330.0, 55.0)),
    _model("vire_r12", 12.0, (0.17, 0.19, 0.6, 0.56, 0.115, 0.095),
           _three(2.0944, 2.618), _three(2.8, 3.4), _three(280.0, 30.0), (4.9, 4.9, 2.0, 0.15, 0.15, 0.15),
           (8.75, 8.75, 8.72, 8.811, 8.811, 8.811), _three(350.0, 60.0), inertials=R12_INERTIALS),
    _model("vire_r16", 16.0, (0.185, 0.205, 0.72, 0.66, 0.12, 0.1),
           _three(1.8326, 2.618), _three(2.4, 3.2), _three(360.0, 40.0), _three(6.5, 0.2),
           _three(9.2, 8.8), _three(450.0, 75.0)),
    _model("vire_r20", 20.0, (0.195, 0.215, 0.78, 0.70, 0.125, 0.105),
           _three(1.5708, 2.618), _three(2.2, 3.0), _three(420.0, 48.0), _three(8.0, 0.25),
           _three(9.6, 9.0), _three(520.0, 85.0)),
    _model("vire_r10X", 10.0, (0.17, 0.195, 0.64, 0.6, 0.105, 0.095),
           _three(2.0944, 2.618), _three(2.8, 3.4), _three(260.0, 28.0), _three(4.5, 0.15),
           _three(8.75, 8.8), _three(330.0, 55.0)),
    _model("vire_r12X", 12.0, (0.175, 0.2, 0.68, 0.62, 0.11, 0.096),
           _three(2.0944, 2.618), _three(2.8, 3.4), _three(290.0, 30.0), _three(4.9, 0.15),
           _three(8.75, 8.811), _three(360.0, 60.0)),
    _model("vire_rQ20", 20.0, (0.2, 0.22, 0.85, 0.75, 0.13, 0.11),
           _three(1.5708, 2.618), _three(2.2, 3.0), _three(440.0, 50.0), _three(8.5, 0.25),
           _three(9.6, 9.0), _three(540.0, 90.0)),
    _model("vire_K3", 3.0, (0.115, 0.11, 0.3, 0.27, 0.095, 0.08),
           _three(3.1416, 3.1416), _three(4.0, 4.5), _three(60.0, 7.0), _three(1.2, 0.08),
           _three(7.8, 7.6), _three(125.0, 20.0)),
    _model("vire_K5", 5.0, (0.122, 0.1215, 0.408, 0.376, 0.1025, 0.094),
           _three(2.5964, 3.1105), _three(3.3088, 3.6893), _three(133.0, 13.5), _three(2.0, 0.15),
           _three(8.5, 8.2), _three(207.0, 34.0)),
    _model("vire_K10", 10.0, (0.17, 0.195, 0.63, 0.59, 0.105, 0.095),
           _three(2.0944, 2.618), _three(2.8, 3.4), _three(260.0, 28.0), _three(4.5, 0.15),
           _three(8.75, 8.8), _three(330.0, 55.0)),
    _model("vire_W3", 3.0, (0.12, 0.11, 0.28, 0.26, 0.09, 0.08),
           _three(3.1416, 3.1416), _three(4.0, 4.5), _three(56.0, 6.8), _three(1.2, 0.08),
           _three(7.8, 7.6), _three(120.0, 20.0)),
    _model("vire_W6", 6.0, (0.14, 0.13, 0.42, 0.39, 0.1, 0.09),
           _three(2.5964, 3.1105), _three(3.3, 3.7), _three(150.0, 15.0), _three(2.2, 0.15),
           _three(8.5, 8.2), _three(220.0, 36.0)),
    _model("vire_U6", 6.0, (0.15, 0.14, 0.45, 0.40, 0.105, 0.09),
           _three(2.5964, 3.1105), _three(3.3, 3.7), _three(160.0, 16.0), _three(2.2, 0.15),
           _three(8.5, 8.2), _three(225.0, 36.0)),
    _model("vire_U12", 12.0, (0.17, 0.19, 0.62, 0.56, 0.115, 0.095),
           _three(2.0944, 2.618), _three(2.8, 3.4), _three(280.0, 30.0), _three(4.9, 0.15),
           _three(8.75, 8.811), _three(350.0, 60.0)),
    _model("vire_P12Z", 12.0, (0.17, 0.18, 0.6, 0.55, 0.115, 0.1),
           _three(2.0944, 2.618), _three(2.8, 3.4), _three(280.0, 30.0), _three(4.9, 0.15),
           _three(8.75, 8.811), _three(350.0, 60.0)),
    _model("vire_Q3", 3.0, (0.12, 0.11, 0.3, 0.27, 0.09, 0.08),
           _three(3.1416, 3.1416), _three(4.0, 4.5), _three(58.0, 7.0), _three(1.2, 0.08),
           _three(7.8, 7.6), _three(120.0, 20.0)),
]


def by_name(name):
    for m in MODELS:
        if m["name"] == name:
            return m
    raise KeyError(name)

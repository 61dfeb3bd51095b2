"""Writers of the description files: URDF, SRDF and the per-model parameter file."""
import json

import numpy as np

from . import kinematics as kin
from .models import END_EFFECTOR, JOINT_NAMES, LINK_NAMES


def num(x):
    """Shortest text that reads back as the same double."""
    x = float(x)
    return "0" if x == 0.0 else repr(x)


def nums(v):
    return " ".join(num(x) for x in v)


def joint_origin(dh, k):
    """xyz and rpy of joint k's origin: the DH transform of row k at zero joint value."""
    T = kin.mdh(dh["alpha"][k], dh["a"][k], dh["theta"][k], dh["d"][k])
    return T[:3, 3], kin.R_to_rpy(T[:3, :3])


def mesh_path(name, k):
    return "meshes/%s/collision/link%d.STL" % (name, k)


def urdf_text(model, inertials_com):
    """inertials_com: per moving link (m, c, Ic) in its DH frame."""
    name, dh = model["name"], model["dh"]
    out = ['<?xml version="1.0"?>', '<robot name="%s">' % name]

    def link(k):
        out.append('  <link name="%s">' % LINK_NAMES[k])
        if k > 0:
            m, c, Ic = inertials_com[k - 1]
            out.append('    <inertial>')
            out.append('      <origin xyz="%s" rpy="0 0 0"/>' % nums(c))
            out.append('      <mass value="%s"/>' % num(m))
            out.append('      <inertia ixx="%s" ixy="%s" ixz="%s" iyy="%s" iyz="%s" izz="%s"/>'
                       % tuple(num(v) for v in (Ic[0, 0], Ic[0, 1], Ic[0, 2], Ic[1, 1], Ic[1, 2], Ic[2, 2])))
            out.append('    </inertial>')
        out.append('    <collision>')
        out.append('      <origin xyz="0 0 0" rpy="0 0 0"/>')
        out.append('      <geometry>')
        out.append('        <mesh filename="%s"/>' % mesh_path(name, k))
        out.append('      </geometry>')
        out.append('    </collision>')
        out.append('  </link>')

    link(0)
    for k in range(6):
        link(k + 1)
        xyz, rpy = joint_origin(dh, k)
        out.append('  <joint name="%s" type="revolute">' % JOINT_NAMES[k])
        out.append('    <parent link="%s"/>' % LINK_NAMES[k])
        out.append('    <child link="%s"/>' % LINK_NAMES[k + 1])
        out.append('    <origin xyz="%s" rpy="%s"/>' % (nums(xyz), nums(rpy)))
        out.append('    <axis xyz="0 0 1"/>')
        out.append('    <limit lower="%s" upper="%s" effort="%s" velocity="%s"/>'
                   % (num(model["lower"][k]), num(model["upper"][k]), num(model["max_avg_torque"][k]),
                      num(model["velocity"][k])))
        out.append('  </joint>')
    out.append('  <link name="%s"/>' % END_EFFECTOR)
    out.append('  <joint name="%s_joint" type="fixed">' % END_EFFECTOR)
    out.append('    <parent link="%s"/>' % LINK_NAMES[6])
    out.append('    <child link="%s"/>' % END_EFFECTOR)
    out.append('    <origin xyz="0 0 0" rpy="0 0 0"/>')
    out.append('  </joint>')
    out.append('</robot>')
    return "\n".join(out) + "\n"


def srdf_text(model, never_pairs):
    out = ['<?xml version="1.0"?>', '<robot name="%s">' % model["name"]]
    names = LINK_NAMES + [END_EFFECTOR]
    for k in range(7):
        out.append('  <disable_collisions link1="%s" link2="%s" reason="Adjacent"/>' % (names[k], names[k + 1]))
    for i, j in never_pairs:
        out.append('  <disable_collisions link1="%s" link2="%s" reason="Never"/>' % (names[i], names[j]))
    out.append('</robot>')
    return "\n".join(out) + "\n"


def config_json(model, form0_rows):
    dh = model["dh"]
    doc = {
        "name": model["name"],
        "dof": 6,
        "dh": {k: [float(x) for x in dh[k]] for k in ("alpha", "a", "d", "theta", "beta")},
        "rotor_inertia": model["rotor_inertia"],
        "joint_limits": {
            "upper": model["upper"], "lower": model["lower"], "velocity": model["velocity"],
            "acceleration": model["acceleration"], "max_avg_torque": model["max_avg_torque"],
        },
        "links": list(LINK_NAMES),
        "joints": list(JOINT_NAMES),
        "end_effector": END_EFFECTOR,
        "payload": model["payload"],
        "joint_module_constant": model["joint_module_constant"],
        "start_stop_torque": model["start_stop_torque"],
        "dynamic_para": [0.0] + [float(x) for x in np.asarray(form0_rows).reshape(-1)],
    }
    return json.dumps(doc, indent=2) + "\n"

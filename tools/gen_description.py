#!/usr/bin/python3
"""Generates vire_description/ (URDF, SRDF, collision meshes, parameter files) for every model of
tools/description/models.py. Deterministic: the pair sampling is seeded, numbers are written in
their shortest exact form, so a re-run reproduces the files byte for byte.

Run:  /usr/bin/python3 tools/gen_description.py [output_dir]   (default: vire_description/)
"""
import os
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from description import geometry, inertia, models, writers  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def link_set(model, capsules):
    if model["inertials"] is not None:
        return np.asarray(model["inertials"], float)
    return inertia.solid_cylinder(model, capsules, inertia.masses_for(model["payload"]))


def generate(model, out_dir):
    name = model["name"]
    caps = geometry.link_capsules(model)
    rows = link_set(model, caps)
    for k, row in enumerate(rows):
        problems = inertia.consistency_problems(row)
        if problems:
            raise SystemExit("%s link %d: %s" % (name, k + 1, "; ".join(problems)))
    com = [inertia.form0_to_com(r) for r in rows]
    back = np.array([inertia.com_to_form0(*c) for c in com])
    if np.abs(back - rows).max() > 1e-12:
        raise SystemExit("%s: inertial conversion does not round-trip" % name)

    mesh_dir = os.path.join(out_dir, "meshes", name, "collision")
    os.makedirs(mesh_dir, exist_ok=True)
    for k, link_caps in enumerate(caps):
        V, F = geometry.link_mesh(link_caps)
        geometry.write_stl(os.path.join(mesh_dir, "link%d.STL" % k), V, F, "%s link%d" % (name, k))

    never = geometry.never_colliding_pairs(model)
    for sub, text in (("urdf/%s.urdf" % name, writers.urdf_text(model, com)),
                      ("urdf/%s.srdf" % name, writers.srdf_text(model, never)),
                      ("config/%s.json" % name, writers.config_json(model, rows))):
        path = os.path.join(out_dir, sub)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w") as fh:
            fh.write(text)
    print("%-10s never-colliding pairs: %s" % (name, never))


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "vire_description")
    only = set(sys.argv[2:])
    for model in models.MODELS:
        if not only or model["name"] in only:
            generate(model, out_dir)


if __name__ == "__main__":
    main()

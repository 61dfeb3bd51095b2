"""Robot description generator: one model table, written out as URDF, SRDF, meshes and parameters."""

// Anchor of the shared library; everything it exports comes from the module archives.

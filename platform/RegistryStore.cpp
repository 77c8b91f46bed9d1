// Registry store: one export-format file per root, locked, re-read and replaced atomically.

// Registry accessor: one open key under a chosen root, typed reads and writes.

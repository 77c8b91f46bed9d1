// Registry export text: reading and writing the registry editor's .reg format.

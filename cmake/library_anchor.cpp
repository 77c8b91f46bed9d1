// The shared library's own translation unit: its contents come from the
// subsystem archives linked in whole; this file only gives the target a source.

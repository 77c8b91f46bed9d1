// Case folding of UTF-8 names, as the registry compares key and value names.

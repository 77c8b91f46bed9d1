// Path of the running executable and its folder.

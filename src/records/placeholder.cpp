// The file readers and writers are built in this folder.

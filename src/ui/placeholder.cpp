// The window is built in this folder.

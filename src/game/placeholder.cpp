// The game controller is built in this folder.

// The search engine is built in this folder.

# filled in by the command-area work

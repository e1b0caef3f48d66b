#pragma once

// `trackora-bench play`: argv[0] is "play"; prints one JSON line, returns the exit code.
int runPlayBench(int argc, char **argv);

#pragma once

// `trackora-bench render`: argv[0] is "render"; plays in real controls in a
// window, prints one JSON line, returns the exit code.
int runRenderBench(int argc, char **argv);

#pragma once

// `trackora-bench step`: argv[0] is "step"; pauses a file, steps it forward
// and backward picture by picture and prints, as one JSON line, how long each
// step took until its picture was shown and how long stepFrame() held the caller.
int runStepBench(int argc, char **argv);

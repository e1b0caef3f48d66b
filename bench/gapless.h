#pragma once

// `trackora-bench gapless`: argv[0] is "gapless"; plays two recordings one
// after the other in real controls, once going on without a stop (nextMedia)
// and once by stop and start, and times the join's pictures and sound from
// outside the engine; prints one JSON line, returns the exit code.
int runGaplessBench(int argc, char **argv);

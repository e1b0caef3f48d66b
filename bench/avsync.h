#pragma once

// `trackora-bench avsync`: argv[0] is "avsync"; plays a flash-and-beep clip in
// a real control and times picture and sound from outside the engine; prints
// one JSON line, returns the exit code.
int runAvSyncBench(int argc, char **argv);

#pragma once

// `trackora-bench stop`: argv[0] is "stop"; plays and stops a file many times
// in a row and prints how long each stop() held the caller, as one JSON line.
int runStopBench(int argc, char **argv);

// `trackora-bench seek`: argv[0] is "seek"; seeks a playing (or paused) file
// many times and prints how long each setSeekSecond() held the caller and how
// long the first picture from the new place took, as one JSON line.
int runSeekBench(int argc, char **argv);

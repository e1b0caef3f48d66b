#pragma once

// `trackora-bench export`: argv[0] is "export"; times our export against the
// ffmpeg tool doing the same work in the same run, prints one JSON line,
// returns the exit code.
int runExportBench(int argc, char **argv);

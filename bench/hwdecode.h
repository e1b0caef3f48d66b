#pragma once

// `trackora-bench hwdecode FILE...`: argv[0] is "hwdecode"; plays each file
// once with the hardware decoding device and once with it hidden, each in a
// process of its own, and prints one JSON line per file comparing the two.
int runHwDecodeBench(int argc, char **argv);

#pragma once

// `trackora-bench viewer`: the real main window under an X server. Start-up
// time, opening a large folder, and playback cost beside two mpv windows.
int runViewerBench(int argc, char **argv);

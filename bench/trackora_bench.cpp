#include "avsync.h"
#include "playbench.h"
#include "render.h"
#include "stopseek.h"
#include "viewerbench.h"

#include <cstdio>
#include <cstring>

// One program, one subcommand per benchmark: `trackora-bench NAME ARGS...`.
int main(int argc, char **argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "play") == 0)
        return runPlayBench(argc - 1, argv + 1);
    if (argc >= 2 && std::strcmp(argv[1], "render") == 0)
        return runRenderBench(argc - 1, argv + 1);
    if (argc >= 2 && std::strcmp(argv[1], "viewer") == 0)
        return runViewerBench(argc - 1, argv + 1);
    if (argc >= 2 && std::strcmp(argv[1], "avsync") == 0)
        return runAvSyncBench(argc - 1, argv + 1);
    if (argc >= 2 && std::strcmp(argv[1], "stop") == 0)
        return runStopBench(argc - 1, argv + 1);
    if (argc >= 2 && std::strcmp(argv[1], "seek") == 0)
        return runSeekBench(argc - 1, argv + 1);
    std::fprintf(stderr, "usage: trackora-bench play FILE [--rate 0.5|1|2] [--seconds S] [--seek-every MS] [--peer FILE]\n"
                         "       trackora-bench render FILE [--peer FILE] [--model image|opengl] [--size WxH] [--rate R] [--seconds S]\n"
                         "       trackora-bench viewer [--media DIR] [--rows N] [--seconds S] [--rounds N]   (under an X server)\n"
                         "       trackora-bench avsync FILE [--rate R] [--fps N] [--sample-rate HZ] [--channels 1|2] [--peer]\n"
                         "                             [--seek-at S --seek-to SECOND] [--pause-at S --pause-ms MS] [--remake]\n"
                         "       trackora-bench stop FILE [--rounds N] [--peer FILE]\n"
                         "       trackora-bench seek FILE [--rounds N] [--peer FILE] [--paused]\n");
    return 2;
}

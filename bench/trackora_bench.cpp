#include "avsync.h"
#include "exportbench.h"
#include "gapless.h"
#include "hwdecode.h"
#include "playbench.h"
#include "render.h"
#include "step.h"
#include "stopseek.h"
#include "viewerbench.h"

#include <cstdio>
#include <cstring>

namespace {

struct Subcommand
{
    const char *name;
    int (*run)(int argc, char **argv);
};

const Subcommand kSubcommands[] = {
    {"play", runPlayBench},
    {"render", runRenderBench},
    {"step", runStepBench},
    {"viewer", runViewerBench},
    {"avsync", runAvSyncBench},
    {"stop", runStopBench},
    {"seek", runSeekBench},
    {"hwdecode", runHwDecodeBench},
    {"gapless", runGaplessBench},
    {"export", runExportBench},
};

} // namespace

// One program, one subcommand per benchmark: `trackora-bench NAME ARGS...`.
int main(int argc, char **argv)
{
    for (const Subcommand &subcommand : kSubcommands) {
        if (argc >= 2 && std::strcmp(argv[1], subcommand.name) == 0)
            return subcommand.run(argc - 1, argv + 1);
    }
    std::fprintf(stderr, "usage: trackora-bench play FILE [--rate 0.5|1|2] [--seconds S] [--peer FILE]\n"
                         "       trackora-bench render FILE [--peer FILE] [--model image|opengl] [--size WxH] [--zoom F] [--rate R] [--seconds S]\n"
                         "       trackora-bench viewer [--media DIR] [--rows N] [--seconds S] [--rounds N]   (under an X server)\n"
                         "       trackora-bench avsync FILE [--rate R] [--fps N] [--sample-rate HZ] [--channels 1|2] [--peer]\n"
                         "                             [--sound disk|pulse]\n"
                         "                             [--seek-at S --seek-to SECOND] [--pause-at S --pause-ms MS] [--remake]\n"
                         "       trackora-bench step FILE [--steps N] [--starts N] [--peer FILE]\n"
                         "       trackora-bench stop FILE [--rounds N] [--peer FILE]\n"
                         "       trackora-bench seek FILE [--rounds N] [--peer FILE] [--paused]\n"
                         "       trackora-bench hwdecode FILE... [--seconds S]\n"
                         "       trackora-bench gapless CLIP1 CLIP2 [--peer R1 R2] [--rate R] [--clip-seconds S] [--remake]\n"
                         "       trackora-bench export [--mode copy|side-by-side|both] [--rounds N] [--media DIR]\n");
    return 2;
}

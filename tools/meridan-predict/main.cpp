// meridan-predict: the whole ATU prediction of a genome without the
// workbench, through the prediction pipeline with the same engines.
#include "Arguments.h"
#include "Console.h"
#include "PredictionRun.h"

#include <cstdio>
#include <filesystem>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// The folder of the running executable (symbolic links resolved) when it
// holds bin/; otherwise the current folder.
std::string programFolder()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::canonical("/proc/self/exe", error);
    if (!error && std::filesystem::is_directory(executable.parent_path() / "bin", error))
        return executable.parent_path().string();
    return std::filesystem::current_path(error).string();
}

} // namespace

int main(int argc, char** argv)
{
#ifdef __GLIBC__
    // Large buffers (whole input files, sequences) come from and go back to
    // the system: otherwise the first one freed raises the allocator's
    // threshold for all threads, and every engine thread keeps such buffers
    // for the rest of the run.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
    Arguments arguments = parseArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (arguments.help) {
        std::fputs(helpText().c_str(), stdout);
        return 0;
    }
    Console console(arguments.mode);
    if (!arguments.problem.empty()) {
        console.error("meridan-predict: " + arguments.problem);
        return 2;
    }
    if (const std::string problem = checkInputs(arguments.inputs); !problem.empty()) {
        console.error("meridan-predict: " + problem);
        return 2;
    }
    return runPrediction(arguments.inputs, programFolder(), console);
}

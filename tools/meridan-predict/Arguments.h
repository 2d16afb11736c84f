// meridan-predict's command line: the options, the input files and the
// seed, and the help text.
#pragma once

#include "Console.h"
#include "PredictionRun.h"

#include <string>
#include <vector>

struct Arguments {
    PredictionInputs inputs;
    Console::Mode mode = Console::Mode::Normal;
    bool help = false;
    std::string problem; // set when the command line cannot be used
};

// argv without the program name. The seed is --seed N, else MERIDAN_SEED
// when it holds a decimal integer, else the pipeline's default seed.
Arguments parseArguments(const std::vector<std::string>& argv);

std::string helpText();

// ethrin-train: builds a weight-matrix file from known promoters.
//
//   ethrin-train --promoters PromoterSet.txt --sigma Sigma70 --seed seeds/sigma70.wm
//                --out sigma70.wm [--confidence Strong,Confirmed] [--iterations 50]
//                [--skip-tss FROM-TO]
//
// The seed gives the boxes, spacer range, pseudocount and the window of
// distances between the last box and the transcription start; the output
// holds the counts of the aligned boxes, the spacer lengths and the median
// distance.
#include "PromoterSet.h"
#include "ToolOptions.h"
#include "Training.h"

#include "meridan/ethrin/OutputFiles.h"

#include <filesystem>
#include <iostream>
#include <sstream>

using namespace meridan::ethrin;
using namespace meridan::ethrin::tools;

int main(int argc, char** argv)
{
    try {
        const ToolOptions opt(argc, argv,
                              {"promoters", "sigma", "seed", "out", "confidence", "iterations", "skip-tss", "spacer"});
        const std::string sigma = opt.text("sigma");
        const auto confidences = splitCommas(opt.text("confidence", "Strong,Confirmed"));
        long skipFrom = 0;
        long skipTo = -1;
        if (opt.has("skip-tss")) {
            const std::string range = opt.text("skip-tss");
            const auto dash = range.find('-');
            if (dash == std::string::npos)
                throw std::runtime_error("--skip-tss needs FROM-TO");
            skipFrom = std::stol(range.substr(0, dash));
            skipTo = std::stol(range.substr(dash + 1));
        }
        const PromoterModel seed = readModelFile(opt.text("seed"));
        const auto known = selectPromoters(readPromoterSet(opt.text("promoters")), sigma, confidences, skipFrom, skipTo);
        std::vector<std::string> sequences;
        for (const KnownPromoter& p : known)
            if (static_cast<int>(p.sequence.size()) == kSequenceLength)
                sequences.push_back(p.sequence);
        const std::string spacerMode = opt.text("spacer", "learned");
        if (spacerMode != "learned" && spacerMode != "flat")
            throw std::runtime_error("--spacer takes learned or flat");
        const TrainingResult r = trainModel(seed, sequences, kTssIndex, static_cast<int>(opt.whole("iterations", 50)),
                                            spacerMode == "learned");

        std::vector<std::string> comments = {
            "Promoter model " + seed.sigma + " for the Ethrin promoter scanner.",
            "Counts of the boxes of " + std::to_string(sequences.size()) + " known " + sigma
                + " promoters (confidence " + opt.text("confidence", "Strong,Confirmed") + ") of "
                + std::filesystem::path(opt.text("promoters")).filename().string() + ",",
            "each aligned at its best placement with the last box ending " + std::to_string(seed.tssWindowMin)
                + " to " + std::to_string(seed.tssWindowMax) + " bases before the start,",
            "starting from the consensus seed " + std::filesystem::path(opt.text("seed")).filename().string() + "; "
                + (r.converged ? "placements stable after " : "stopped unconverged after ")
                + std::to_string(r.iterations) + " rounds (ethrin-train).",
        };
        if (skipTo >= skipFrom)
            comments.push_back("Promoters starting at " + std::to_string(skipFrom) + ".." + std::to_string(skipTo)
                               + " were left out (held out for evaluation).");
        comments.push_back("Scores: log2 odds against the scanned genome's own composition; the pseudocount is");
        comments.push_back("spread over the bases by that composition.");
        std::ostringstream text;
        writeModel(text, r.model, comments);
        if (!writeAllOrNothing({{opt.text("out"), text.str()}}, std::cerr))
            return 1;
        std::cout << opt.text("out") << ": " << sequences.size() << " sequences, " << r.iterations << " rounds, "
                  << (r.converged ? "converged" : "not converged") << ", tss " << r.model.tssOffset << '\n';
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "ethrin-train: " << e.what() << '\n';
        return 1;
    }
}

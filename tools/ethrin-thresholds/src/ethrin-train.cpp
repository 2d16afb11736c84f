// ethrin-train: builds a weight-matrix file from known promoters.
//
//   ethrin-train --promoters PromoterSet.txt --sigma Sigma70 --seed seeds/sigma70.wm
//                --out sigma70.wm [--confidence Strong,Confirmed] [--iterations 50]
//                [--skip-tss FROM-TO] [--genome NC.fna --genes NC.ptt [--genes NC.rnt]
//                 [--upstream 250] [--downstream 100] [--bin 25] [--up-width 20]]
//
// With a genome and its gene tables the model also learns its context
// scores (ContextTraining.h) from the same promoters.
// The seed gives the boxes, spacer range, pseudocount and the window of
// distances between the last box and the transcription start; the output
// holds the counts of the aligned boxes, the spacer lengths and the median
// distance.
#include "PromoterSet.h"
#include "ContextTraining.h"
#include "ToolOptions.h"
#include "Training.h"

#include "meridan/ethrin/GeneScan.h"
#include "meridan/ethrin/GenomeInput.h"
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
                              {"promoters", "sigma", "seed", "out", "confidence", "iterations", "skip-tss", "spacer",
                               "genome", "genes", "upstream", "downstream", "bin", "up-width"},
                              {"genes"});
        const std::string sigma = opt.text("sigma");
        const auto confidences = splitCommas(opt.text("confidence", "Strong,Confirmed"));
        const auto [skipFrom, skipTo] = opt.range("skip-tss", 0, -1);
        const PromoterModel seed = readModelFile(opt.text("seed"));
        const auto known = selectPromoters(readPromoterSet(opt.text("promoters")), sigma, confidences, skipFrom, skipTo);
        std::vector<std::string> sequences;
        for (const KnownPromoter& p : known)
            if (static_cast<int>(p.sequence.size()) == kSequenceLength)
                sequences.push_back(p.sequence);
        const std::string spacerMode = opt.text("spacer", "learned");
        if (spacerMode != "learned" && spacerMode != "flat")
            throw std::runtime_error("--spacer takes learned or flat");
        TrainingResult r = trainModel(seed, sequences, kTssIndex, static_cast<int>(opt.whole("iterations", 50)),
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
        if (opt.has("genome")) {
            const Genome genome = readGenome(opt.text("genome"));
            const long length = static_cast<long>(genome.codes.size());
            GeneTableRead genes;
            for (const std::string& path : opt.all("genes"))
                readGeneTable(path, length, genes);
            const RegionSettings settings = normalizedSettings(static_cast<int>(opt.whole("upstream", 250)),
                                                               static_cast<int>(opt.whole("downstream", 100)), 1, length);
            std::vector<KnownStart> starts;
            for (const KnownPromoter& p : known)
                starts.push_back({p.strand, p.tss});
            const ContextCounts c = learnPositionAndIntergenic(r.model, starts, genes.genes, length, settings,
                                                               static_cast<int>(opt.whole("bin", 25)));
            const long holding = learnGapOdds(r.model, starts, genes.genes, length, settings, {0, 20, 50, 100, 200});
            const Composition composition = strandSymmetricComposition(genome.codes);
            // The sequences placed above, in the same order as r.placements.
            const long up = learnUpElement(r.model, sequences, r.placements, static_cast<int>(opt.whole("up-width", 20)),
                                           composition.p[0] + composition.p[3]);
            comments.push_back("Context from " + std::filesystem::path(opt.text("genome")).filename().string() + ": "
                               + std::to_string(c.starts) + " starts in scanned gene regions ("
                               + std::to_string(c.intergenicStarts) + " between genes; " + std::to_string(holding)
                               + " regions holding one), UP element from "
                               + std::to_string(up) + " placed sequences.");
        }
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

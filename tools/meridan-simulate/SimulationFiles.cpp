#include "SimulationFiles.h"

#include "meridan/genome/ResultFiles.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace meridan::simulation {

std::string fnaText(const SimulatedGenome& genome)
{
    const SimulationParameters& p = genome.parameters;
    std::string out = ">" + p.accession + " simulated genome, seed " + std::to_string(p.seed) + ", "
                      + std::to_string(genome.sequence.size()) + " bp\n";
    for (size_t i = 0; i < genome.sequence.size(); i += 70)
        out += genome.sequence.substr(i, 70) + '\n';
    return out;
}

std::string geneTableText(const SimulatedGenome& genome, bool rna)
{
    std::ostringstream rows;
    int count = 0;
    for (const SimulatedGene& g : genome.genes) {
        if (g.rna != rna)
            continue;
        ++count;
        rows << g.start << ".." << g.end << '\t' << g.strand << '\t' << g.lengthField << '\t' << g.pid
             << '\t' << g.name << '\t' << g.synonym << "\t-\t" << g.cog << '\t' << g.product << '\n';
    }
    const SimulationParameters& p = genome.parameters;
    std::ostringstream out;
    out << "Simulated genome " << p.accession << ", seed " << p.seed << " - 1.." << genome.sequence.size()
        << '\n'
        << count << (rna ? " RNAs" : " proteins") << '\n'
        << "Location\tStrand\tLength\tPID\tGene\tSynonym\tCode\tCOG\tProduct\n"
        << rows.str();
    return out.str();
}

std::string truthText(const SimulatedGenome& genome)
{
    const SimulationParameters& p = genome.parameters;
    std::ostringstream out;
    out << "# planted structure of the simulated genome " << p.accession << ": "
        << genome.sequence.size() << " bases, seed " << p.seed << ", " << genome.operons.size()
        << " operons\n"
        << "# kind\tstrand\tstart\tend\tgenes\tdetail\n";
    for (size_t i = 0; i < genome.operons.size(); ++i) {
        const PlantedOperon& o = genome.operons[i];
        out << "operon\t" << o.strand << '\t' << o.start << '\t' << o.end << '\t';
        for (size_t k = 0; k < o.genes.size(); ++k)
            out << (k ? "," : "") << genome.genes[size_t(o.genes[k])].synonym;
        out << '\t' << o.genes.size() << (o.genes.size() == 1 ? " gene" : " genes") << '\n';
        for (const PlantedSignal* s : {&genome.promoters[i], &genome.terminators[i]})
            out << (s == &genome.promoters[i] ? "promoter\t" : "terminator\t") << s->strand << '\t'
                << s->start << '\t' << s->end << '\t' << genome.genes[size_t(s->gene)].synonym << '\t'
                << s->detail << '\n';
    }
    return out.str();
}

std::vector<std::filesystem::path> writeSimulation(const SimulatedGenome& genome,
                                                   const std::filesystem::path& folder)
{
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::string& id = genome.parameters.accession;
    const std::vector<std::filesystem::path> paths{folder / (id + ".fna"), folder / (id + ".ptt"),
                                                   folder / (id + ".rnt"), folder / (id + "_truth.txt")};
    // The four files of a genome appear together or not at all.
    meridan::genome::ResultFiles files;
    files.add(paths[0].string(), fnaText(genome));
    files.add(paths[1].string(), geneTableText(genome, false));
    files.add(paths[2].string(), geneTableText(genome, true));
    files.add(paths[3].string(), truthText(genome));
    if (!files.commit())
        throw std::runtime_error(files.error());
    return paths;
}

} // namespace meridan::simulation

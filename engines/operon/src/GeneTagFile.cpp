#include "meridan/operon/GeneTagFile.h"

#include "meridan/genome/GenomeName.h"

#include <cstdio>
#include <ostream>

namespace meridan::operon {

std::optional<std::string> genomeIdFromPath(const std::string& fnaPath)
{
    return genome::genomeIdFromFileName(fnaPath);
}

std::string geneTagPath(const std::string& outputDirectory, const std::string& genomeId)
{
    return outputDirectory + genomeId + "_genetag.txt";
}

void writeGeneTags(std::ostream& out, const GeneTags& tags)
{
    for (std::size_t i = 0; i < tags.size(); ++i)
        out << tags.operonNumber[i] << "    " << tags.sdPosition[i] << "    " << tags.taPosition[i]
            << "    " << tags.terminatorPosition[i] << '\n';
}

GeneTagFile::GeneTagFile(std::string path) : path_(std::move(path)), temporaryPath_(path_ + ".part")
{
}

GeneTagFile::~GeneTagFile()
{
    if (out_.is_open())
        out_.close();
    if (!committed_)
        std::remove(temporaryPath_.c_str());
}

bool GeneTagFile::open()
{
    out_.open(temporaryPath_, std::ios::out | std::ios::trunc | std::ios::binary);
    return static_cast<bool>(out_);
}

bool GeneTagFile::commit(const GeneTags& tags)
{
    if (!out_.is_open())
        return false;
    writeGeneTags(out_, tags);
    out_.close();
    if (!out_)
        return false;
    if (std::rename(temporaryPath_.c_str(), path_.c_str()) != 0)
        return false;
    committed_ = true;
    return true;
}

} // namespace meridan::operon

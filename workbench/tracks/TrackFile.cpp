#include "TrackFile.h"

#include "BigWigSignal.h"
#include "TextTracks.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace meridan::tracks {

namespace {

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

std::string withoutVersion(const std::string& name)
{
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || dot + 1 == name.size())
        return name;
    for (size_t i = dot + 1; i < name.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(name[i])))
            return name;
    return name.substr(0, dot);
}

} // namespace

TrackFile readTrackFile(const std::string& path)
{
    TrackFile out;
    const std::filesystem::path file(path);
    out.name = file.stem().string();
    const std::string ext = lower(file.extension().string());
    if (ext == ".bw" || ext == ".bigwig") {
        std::string error;
        std::unique_ptr<BigWigSignal> signal = BigWigSignal::open(path, &error);
        out.error = error;
        out.forward = std::move(signal);
        return out;
    }
    TextTrack text;
    if (ext == ".bedgraph" || ext == ".bg")
        text = readBedGraph(path);
    else if (ext == ".wig")
        text = readWig(path);
    else if (ext == ".bed")
        text = readBed(path);
    else {
        out.error = path + ": not a track file (bigWig .bw, bedGraph .bedgraph/.bg, WIG .wig or BED .bed)";
        return out;
    }
    out.error = text.error;
    if (out.error.empty()) {
        out.forward = text.forward;
        out.reverse = text.reverse;
    }
    return out;
}

std::string partnerFile(const std::string& path, bool* isReverse)
{
    static const std::pair<const char*, const char*> words[] = {
        {"forward", "reverse"}, {"fwd", "rev"}, {"plus", "minus"}, {"pos", "neg"}};
    const std::filesystem::path file(path);
    const std::string name = file.filename().string();
    const std::string low = lower(name);
    for (const auto& [f, r] : words) {
        for (bool reverse : {false, true}) {
            const std::string mine = reverse ? r : f;
            const std::string other = reverse ? f : r;
            const auto at = low.find(mine);
            if (at == std::string::npos)
                continue;
            std::string partner = name;
            // Keep the case of the name: "Forward" becomes "Reverse".
            std::string replacement = other;
            if (std::isupper(static_cast<unsigned char>(name[at])))
                replacement[0] = char(std::toupper(static_cast<unsigned char>(replacement[0])));
            partner.replace(at, mine.size(), replacement);
            const std::filesystem::path candidate = file.parent_path() / partner;
            if (std::filesystem::exists(candidate)) {
                if (isReverse)
                    *isReverse = reverse;
                return candidate.string();
            }
        }
    }
    return {};
}

TrackFile openTrack(const std::string& path)
{
    bool chosenIsReverse = false;
    const std::string partner = partnerFile(path, &chosenIsReverse);
    TrackFile chosen = readTrackFile(path);
    if (!chosen.ok() || partner.empty() || chosen.stranded())
        return chosen;
    TrackFile other = readTrackFile(partner);
    if (!other.ok() || other.stranded())
        return chosen;
    TrackFile both;
    both.forward = chosenIsReverse ? other.forward : chosen.forward;
    both.reverse = chosenIsReverse ? chosen.forward : other.forward;
    // "T0_forward" and "T0_reverse" make "T0".
    std::string name = chosenIsReverse ? other.name : chosen.name;
    for (const char* word : {"_forward", "-forward", ".forward", "_fwd", "_plus", "_pos", "forward"}) {
        const auto at = lower(name).find(word);
        if (at != std::string::npos) {
            name.erase(at, std::char_traits<char>::length(word));
            break;
        }
    }
    both.name = name.empty() ? chosen.name : name;
    return both;
}

std::string matchingSequence(const Signal& signal, const std::string& genomeSequence)
{
    const std::vector<std::string> names = signal.sequenceNames();
    if (std::find(names.begin(), names.end(), genomeSequence) != names.end())
        return genomeSequence;
    const std::string accession = withoutVersion(genomeSequence);
    for (const std::string& name : names)
        if (withoutVersion(name) == accession)
            return name;
    return {};
}

} // namespace meridan::tracks

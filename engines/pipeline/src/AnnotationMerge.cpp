#include "meridan/pipeline/AnnotationMerge.h"

#include "meridan/genome/ResultFiles.h"
#include "meridan/genome/results/ResultPaths.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

namespace meridan::pipeline {

namespace fs = std::filesystem;

namespace {

// One line with its line break, as 8-bit text up to its first NUL byte.
bool readRow(std::istream& in, std::string& row)
{
    row.clear();
    if (!std::getline(in, row) && row.empty())
        return false;
    if (!in.eof())
        row += '\n';
    if (const auto nul = row.find('\0'); nul != std::string::npos)
        row.resize(nul);
    return true;
}

std::string trimmed(const std::string& text)
{
    const char* blanks = " \t\n\v\f\r";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The start coordinate: the text before the first '.', as a decimal number;
// anything else (a blank line, a header) gives 0.
int rowKey(const std::string& row)
{
    std::string text = trimmed(row.substr(0, row.find('.')));
    if (!text.empty() && text.front() == '+')
        text.erase(0, 1);
    int key = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), key);
    return error == std::errc() && end == text.data() + text.size() && !text.empty() ? key : 0;
}

// Location and Strand columns: what makes two rows the same gene.
std::string rowIdentity(const std::string& row)
{
    const auto tab = row.find('\t');
    const std::string location = trimmed(row.substr(0, tab));
    std::string strand;
    if (tab != std::string::npos)
        strand = trimmed(row.substr(tab + 1, row.find('\t', tab + 1) - tab - 1));
    return location + '\t' + strand;
}

struct Row {
    int key = 0;
    std::string text;
};

class RowMerge {
public:
    void add(const std::string& text)
    {
        const std::string identity = rowIdentity(text);
        if (const auto it = indexOf_.find(identity); it != indexOf_.end()) {
            rows_[it->second].text = text; // the later row replaces the gene in its place
            return;
        }
        indexOf_.emplace(identity, rows_.size());
        rows_.push_back(Row{rowKey(text), text});
    }

    std::vector<Row> sorted() const
    {
        std::vector<Row> rows = rows_;
        std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.key < b.key; });
        return rows;
    }

private:
    std::vector<Row> rows_;
    std::map<std::string, std::size_t> indexOf_;
};

void appendLine(std::string& out, const std::string& line, const std::string& lineEnd)
{
    out += line;
    if (line.empty() || line.back() != '\n')
        out += lineEnd;
}

bool olderThan(const fs::path& file, const std::string& otherPath)
{
    std::error_code error;
    const auto other = fs::last_write_time(otherPath, error);
    if (error)
        return false;
    const auto own = fs::last_write_time(file, error);
    return !error && own < other;
}

} // namespace

bool mergeAnnotation(const std::string& pttPath, const std::string& rntPath, const std::string& annotationPath)
{
    std::ifstream ptt(pttPath, std::ios::binary);
    if (!ptt || rntPath.empty())
        return false;
    std::ifstream rnt(rntPath, std::ios::binary);
    if (!rnt)
        return false;
    std::error_code ignored;
    fs::create_directories(fs::absolute(annotationPath, ignored).parent_path(), ignored);

    std::string header[3];
    std::string row;
    for (std::string& line : header)
        readRow(ptt, line);
    for (int i = 0; i < 3 && readRow(rnt, row); ++i) {
    }

    RowMerge merge;
    while (readRow(ptt, row))
        merge.add(row);
    while (readRow(rnt, row))
        merge.add(row);

    const std::string& first = header[0];
    const std::string lineEnd = first.size() >= 2 && first.compare(first.size() - 2, 2, "\r\n") == 0 ? "\r\n" : "\n";
    std::string text;
    for (const std::string& line : header)
        if (!line.empty())
            appendLine(text, line, lineEnd);
    for (const Row& merged : merge.sorted())
        appendLine(text, merged.text, lineEnd);
    return genome::writeFileWhole(annotationPath, text);
}

AnnotationChoice chooseAnnotation(const std::string& pttPath, const std::string& rntPath,
                                  const std::string& annotationFolder, const std::string& genomeId)
{
    const std::string path = genome::results::annotationTablePath(annotationFolder, genomeId);
    std::error_code error;
    const bool exists = fs::exists(path, error);
    std::string note = "annotation file doesn't exist!";
    if (exists) {
        if (!olderThan(path, pttPath) && (rntPath.empty() || !olderThan(path, rntPath)))
            return {path, true, "annotation file exists!"};
        note = "annotation file is older than its PTT or RNT file!";
    }
    if (rntPath.empty()) {
        // A stale file would still be read as the genome's gene table by
        // whoever opens it; without an RNT file the PTT file takes its place.
        if (exists && !fs::remove(path, error))
            note += " Could not remove the outdated annotation file " + path;
        return {pttPath, false, note};
    }
    if (mergeAnnotation(pttPath, rntPath, path))
        return {path, true, note};
    return {pttPath, false,
            note + " Could not write the annotation file " + path + " - the engines read the PTT file " + pttPath};
}

} // namespace meridan::pipeline

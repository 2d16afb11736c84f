#include "meridan/genome/InputText.h"

#include "OpenInput.h"

#include <zlib.h>

#include <iterator>

namespace meridan::genome {

namespace {

ReadResult<std::string> inflateGzip(std::string_view bytes, const std::string& sourceName)
{
    std::string text;
    text.reserve(bytes.size() * 4);
    z_stream stream{};
    // 15 + 32: any window size, gzip or zlib header detected automatically.
    if (inflateInit2(&stream, 15 + 32) != Z_OK)
        return ReadResult<std::string>::failure(sourceName + ": cannot start decompressing");
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    char buffer[1 << 16];
    std::string problem;
    while (true) {
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof buffer;
        const int status = inflate(&stream, Z_NO_FLUSH);
        text.append(buffer, sizeof buffer - stream.avail_out);
        if (status == Z_STREAM_END) {
            // A further gzip member may follow; trailing zero padding ends the data.
            if (stream.avail_in == 0 || stream.next_in[0] == 0)
                break;
            inflateReset(&stream);
            continue;
        }
        if (status == Z_BUF_ERROR && stream.avail_in == 0) {
            problem = "the compressed data ends early (the file is cut off)";
            break;
        }
        if (status != Z_OK) {
            problem = std::string("the compressed data is damaged (") +
                      (stream.msg ? stream.msg : "inflate error") + ")";
            break;
        }
    }
    inflateEnd(&stream);
    if (!problem.empty())
        return ReadResult<std::string>::failure(sourceName + ": " + problem);
    return ReadResult<std::string>::success(std::move(text));
}

// Control bytes other than tab, line feed, carriage return and form feed do
// not occur in the text formats read here.
bool isBinaryByte(unsigned char c)
{
    return c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f';
}

} // namespace

std::string lineMessage(const std::string& sourceName, long line, const std::string& text)
{
    return sourceName + ":" + std::to_string(line) + ": " + text;
}

bool isGzipData(std::string_view bytes)
{
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0x1f &&
           static_cast<unsigned char>(bytes[1]) == 0x8b;
}

ReadResult<std::string> decodeInputText(std::string bytes, const std::string& sourceName)
{
    if (isGzipData(bytes)) {
        auto inflated = inflateGzip(bytes, sourceName);
        if (!inflated)
            return inflated;
        bytes = std::move(*inflated.value);
    }
    long line = 1;
    for (const char c : bytes) {
        if (c == '\n')
            ++line;
        else if (isBinaryByte(static_cast<unsigned char>(c)))
            return ReadResult<std::string>::failure(
                lineMessage(sourceName, line, "binary data where text was expected"));
    }
    return ReadResult<std::string>::success(std::move(bytes));
}

ReadResult<std::string> readInputText(const std::string& path)
{
    std::ifstream in;
    if (!detail::openInput(path, in))
        return ReadResult<std::string>::failure(cantOpenMessage(path));
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return ReadResult<std::string>::failure(path + ": read error");
    return decodeInputText(std::move(bytes), path);
}

} // namespace meridan::genome

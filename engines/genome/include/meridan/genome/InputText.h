// Whole-file text input for the annotation readers: plain or gzip-compressed
// files (recognised by their content, not their name), refused when they hold
// binary data.
#pragma once

#include "meridan/genome/ReadResult.h"

#include <string>
#include <string_view>

namespace meridan::genome {

// The text of the file at path, decompressed when it is gzip data (several
// concatenated members are read in turn). Failures name the file: one that
// cannot be opened, a compressed stream that is damaged or cut off, a text
// holding a NUL or other binary control bytes (the line is named).
ReadResult<std::string> readInputText(const std::string& path);

// The same for bytes already in memory; sourceName names them in messages.
ReadResult<std::string> decodeInputText(std::string bytes, const std::string& sourceName);

// True when bytes start with the gzip signature.
bool isGzipData(std::string_view bytes);

// "<source>:<line>: <text>", the form of every reader message.
std::string lineMessage(const std::string& sourceName, long line, const std::string& text);

} // namespace meridan::genome

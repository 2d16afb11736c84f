// libFuzzer target: the gff3 reader.
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return meridan::genome::fuzz::gff3Input(data, size);
}

// libFuzzer target: the fasta reader.
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return meridan::genome::fuzz::fastaInput(data, size);
}

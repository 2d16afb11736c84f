// libFuzzer target: the rnt reader.
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return meridan::genome::fuzz::rntInput(data, size);
}

#include "terminator/RunError.h"

namespace meridan::terminator {

std::string cantOpenMessage(const std::string& path)
{
    return "Can't open file " + path + " !";
}

} // namespace meridan::terminator

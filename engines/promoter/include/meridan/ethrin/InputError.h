// The one error type of the promoter scanner: bad or missing input. Its text
// names the file (and line, where there is one) and is shown as it is.
#pragma once

#include <stdexcept>

namespace meridan::ethrin {

class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace meridan::ethrin

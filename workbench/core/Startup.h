// Process set-up shared by the program and its tools.
#pragma once

namespace meridan {

// Makes the program's own folder the working directory (it holds bin/,
// results/, annotation/, WM/ and threshold/) and adds "./bin/" to the
// library search path. Call after the application object exists.
void enterProgramFolder();

} // namespace meridan

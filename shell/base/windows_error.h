#pragma once

#include <string>

namespace shell {

// Windows' own description of an error code, in the user's language, as UTF-8, without its line
// end and final full stop.
std::string SystemText(unsigned long error);

}  // namespace shell

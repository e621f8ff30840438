#pragma once

namespace shell {

// The two languages of the interface.
enum class Language { Polish, English };

}  // namespace shell

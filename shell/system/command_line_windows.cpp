#include <windows.h>

#include "shell/system/command_line.h"

namespace shell {

NativeString StartupArgumentText(int, char**) {
  // Skip the program name, quoted or not, and the blanks after it; the rest is the argument.
  const wchar_t* rest = GetCommandLineW();
  if (*rest == L'"') {
    ++rest;
    while (*rest != L'\0' && *rest != L'"') {
      ++rest;
    }
    if (*rest == L'"') {
      ++rest;
    }
  } else {
    while (*rest != L'\0' && *rest != L' ' && *rest != L'\t') {
      ++rest;
    }
  }
  while (*rest == L' ' || *rest == L'\t') {
    ++rest;
  }
  return WithoutWrappingQuotes(rest);
}

}  // namespace shell

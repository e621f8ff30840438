#include "shell/system/command_line.h"

namespace shell {

NativeString WithoutWrappingQuotes(const NativeString& text) {
  const auto quote = static_cast<NativeString::value_type>('"');
  const bool wrapped = text.size() >= 2 && text.front() == quote && text.back() == quote &&
                       text.find(quote, 1) == text.size() - 1;
  return wrapped ? text.substr(1, text.size() - 2) : text;
}

StartRequest RequestOf(const NativeString& argument) {
  const std::filesystem::path text(argument);
  if (text == "--help") {
    return StartRequest::Help;
  }
  if (text == "--version") {
    return StartRequest::Version;
  }
  return StartRequest::Open;
}

std::string UsageText(std::string_view program, std::string_view what_it_shows,
                      std::string_view pattern) {
  const std::string name(program);
  return "Usage: " + name + " [FILE]\n" + "       " + name + " --help | --version\n\n" + "Shows " +
         std::string(what_it_shows) + " (" + std::string(pattern) +
         "). FILE is opened at start-up and its folder shown;\n"
         "everything after the program name is taken as the one path, blanks included,\n"
         "and a relative path is taken from the working folder.\n\n"
         "The interface is Polish unless the per-user setting Lang in section [Options]\n"
         "of $XDG_CONFIG_HOME/IconJAR.conf (by default ~/.config/IconJAR.conf) begins with\n"
         "\"en\". The program reads it and never writes it:\n\n"
         "    [Options]\n"
         "    Lang=en\n";
}

}  // namespace shell

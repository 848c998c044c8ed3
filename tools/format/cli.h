// The command line of cadenzo-format, kept apart from main() so that tests
// can run it with any arguments and read what it prints.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace cadenzo::format {

// The project's version, given by the build.
inline constexpr const char* kToolVersion = CADENZO_VERSION;

enum ExitCode : int { kExitOk = 0, kExitInputError = 1, kExitUsage = 2, kExitInternal = 3 };

// `args` excludes the program name. Writes the book to the -o file, or to
// `out` without one; messages go to `err`. Returns the process exit code.
int runFormatter(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The book lines as a text file: each line followed by LF.
std::string joinBookLines(const std::vector<std::string>& lines);
// The same, letting the lines go as they are copied.
std::string joinBookLines(std::vector<std::string>&& lines);

} // namespace cadenzo::format

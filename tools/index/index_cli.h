// The command line of cadenzo-index, kept apart from main() so that tests can
// run it with any arguments and read what it prints.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace cadenzo::index {

// `args` excludes the program name. Writes the index to the -o file, or
// beside the book; messages go to `err`. Returns the process exit code:
// 0 done, 1 the book could not be read or the index not written, 2 usage.
int runIndexer(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Where the index goes without -o: the book's name with the extension .lix.
std::string indexBesideBook(const std::string& book);

} // namespace cadenzo::index

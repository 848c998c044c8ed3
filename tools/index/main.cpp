// cadenzo-index: writes the word index (".lix") of a book file, so that the
// reader can show it on its Index page.
#include "index_cli.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    return cadenzo::index::runIndexer(args, std::cout, std::cerr);
}

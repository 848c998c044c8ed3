#include "cli.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    return cadenzo::format::runFormatter(args, std::cout, std::cerr);
}

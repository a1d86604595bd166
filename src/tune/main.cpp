#include "tune/tunecli.h"

#include <iostream>

int main(int argc, char** argv) {
    return kestrel::tuning::runTuneCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                           std::cerr);
}

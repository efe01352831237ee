#pragma once
// The generators in tools/ write files that are committed: a run must give
// them again, byte for byte.
#include <string>
#include <vector>

// The generator's exit status, run with the arguments given and its standard
// error dropped; -1 when it could not be started or did not end in a minute.
int RunGenerator(const std::string& generator, const std::vector<std::string>& arguments);

// The generator writes into a fresh directory exactly the files that are
// committed in shipped, byte for byte.
void ExpectGeneratorReproduces(const std::string& generator, const std::string& shipped);

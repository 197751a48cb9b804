// Access keys of the dialog's labels: the character after an ampersand is pressed with Alt.
// Two controls of one page with the same key would leave the second unreachable.
#pragma once

#include <string>
#include <vector>

namespace AccessKeys {

// The key of a label in upper case, or 0: "&&" is a plain ampersand.
char KeyOf(const std::string& label);

// Each clash among labels shown together, as "D: &Density, &Darken".
std::vector<std::string> Clashes(const std::vector<std::string>& labels);

}  // namespace AccessKeys

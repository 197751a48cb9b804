#include "product/dialog/AccessKeys.h"

#include <map>

#include "OrvLib/ORVUTIL/AccessKeyText.h"

namespace AccessKeys {

char KeyOf(const std::string& label) { return AccessKeyText::KeyOf(label); }

std::vector<std::string> Clashes(const std::vector<std::string>& labels) {
    std::map<char, std::vector<std::string>> byKey;
    for (const std::string& label : labels) {
        if (const char key = KeyOf(label)) byKey[key].push_back(label);
    }
    std::vector<std::string> clashes;
    for (const auto& [key, sharing] : byKey) {
        if (sharing.size() < 2) continue;
        std::string clash = std::string(1, key) + ":";
        for (size_t i = 0; i < sharing.size(); ++i) clash += (i == 0 ? " " : ", ") + sharing[i];
        clashes.push_back(clash);
    }
    return clashes;
}

}  // namespace AccessKeys

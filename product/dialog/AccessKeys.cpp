#include "product/dialog/AccessKeys.h"

#include <cctype>
#include <map>

namespace AccessKeys {

char KeyOf(const std::string& label) {
    for (size_t i = 0; i + 1 < label.size(); ++i) {
        if (label[i] != '&') continue;
        if (label[i + 1] != '&')
            return static_cast<char>(std::toupper(static_cast<unsigned char>(label[i + 1])));
        ++i;
    }
    return 0;
}

std::string Plain(const std::string& label) {
    std::string plain;
    for (size_t i = 0; i < label.size(); ++i) {
        if (label[i] == '&' && i + 1 < label.size()) ++i;
        plain += label[i];
    }
    return plain;
}

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

// A caption's access key: the character after an ampersand, pressed with Alt; "&&" is a
// plain ampersand.
#pragma once

#include <cctype>
#include <string>

namespace AccessKeyText {

// The key in upper case, or 0.
inline char KeyOf(const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&')
            return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
        ++i;
    }
    return 0;
}

// The caption without its marks, as a screen reader or a help page names it.
inline std::string Plain(const std::string& caption) {
    std::string plain;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        plain += caption[i];
    }
    return plain;
}

}  // namespace AccessKeyText

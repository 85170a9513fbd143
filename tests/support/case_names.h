#pragma once
// Names for the cases of parameterised tests, made from the case's own
// words so that they read the same in every run.
#include <cctype>
#include <string>

// The words of `what` run together, each capitalised, without what a test
// name cannot hold: "landscape: 16 rows a page" is "Landscape16RowsAPage".
inline std::string caseName(const char* what)
{
    std::string name;
    bool wordStart = true;
    for (const char* c = what; *c; ++c) {
        const unsigned char letter = static_cast<unsigned char>(*c);
        if (!std::isalnum(letter)) {
            wordStart = true;
            continue;
        }
        name += wordStart ? static_cast<char>(std::toupper(letter)) : static_cast<char>(letter);
        wordStart = false;
    }
    return name;
}

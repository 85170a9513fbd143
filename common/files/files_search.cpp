#include "common/files/files.h"
#include "common/internal/file_paths.h"
#include "common/internal/qtext.h"

#include <QDir>

#include <vector>

namespace {

struct Search {
    TextList names;
    size_t next = 0;
};

// Innermost search last. `lastRanOut` is set when the latest search call
// found a search exhausted (and dropped it): the endFileSearch that usually
// follows such a loop then has nothing left to end, and must not end the
// search of an enclosing loop instead.
std::vector<Search> searches;
bool lastRanOut = false;

bool wildcardMatch(const QString& name, const QString& pattern)
{
    qsizetype n = 0, p = 0, starP = -1, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == QLatin1Char('?') || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            starP = p++;
            starN = n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

// Names match ignoring case, and a pattern ending in ".*" also matches a name
// without an extension ("*.*" is every name).
bool nameMatches(const QString& name, const QString& foldedPattern)
{
    QString folded = name.toCaseFolded();
    return wildcardMatch(folded, foldedPattern)
        || (foldedPattern.endsWith(QLatin1String(".*")) && wildcardMatch(folded + QLatin1Char('.'), foldedPattern));
}

TextList matchingNames(const Text& pattern, int attributes)
{
    int slash = findTextReverse(pattern, "\\");
    Text directory = slash < 0 ? Text(".") : slash == 1 ? Text("\\") : leftText(pattern, slash - 1);
    Text namePattern = slash < 0 ? pattern : pattern.substr(static_cast<size_t>(slash));
    QString folded = namePattern.empty() ? QStringLiteral("*") : toQString(namePattern).toCaseFolded();

    QDir::Filters filter = (attributes & AttributeDirectory) ? QDir::Dirs | QDir::Hidden
                                                             : QDir::Files | QDir::Hidden;
    TextList names;
    const QStringList entries = QDir(fileSystemPath(directory)).entryList(filter, QDir::Name);
    for (const QString& entry : entries)
        if (nameMatches(entry, folded))
            names.push_back(fromQString(entry));
    return names;
}

bool hasWildcard(const Text& namePattern)
{
    return namePattern.empty() || namePattern.find_first_of("*?") != Text::npos;
}

} // namespace

Text findFile(const Text& pattern, int attributes)
{
    TextList names = matchingNames(pattern, attributes);
    int slash = findTextReverse(pattern, "\\");
    if (!hasWildcard(slash < 0 ? pattern : pattern.substr(static_cast<size_t>(slash))))
        return names.empty() ? Text() : names.front();   // a single test: no search state
    if (names.empty()) {
        lastRanOut = true;
        return {};
    }
    searches.push_back(Search{std::move(names), 1});
    lastRanOut = false;
    return searches.back().names.front();
}

Text findNextFile()
{
    if (searches.empty()) {
        lastRanOut = true;
        return {};
    }
    Search& search = searches.back();
    if (search.next < search.names.size()) {
        lastRanOut = false;
        return search.names[search.next++];
    }
    searches.pop_back();
    lastRanOut = true;
    return {};
}

void endFileSearch()
{
    if (lastRanOut)
        lastRanOut = false;
    else if (!searches.empty())
        searches.pop_back();
}

#include "common/dialogs/dialogs.h"

#include "common/files/files.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

int messageBox(const Text& text, int kind, const Text& caption)
{
    return interaction().messageBox(text, kind, caption);
}

bool inputBox(const Text& prompt, const Text& caption, Text& value)
{
    Text answer = value;
    if (!interaction().inputBox(prompt, caption, answer))
        return false;
    value = answer;
    return true;
}

namespace {

bool parseWholeNumber(const Text& text, int& result)
{
    size_t start = text.find_first_not_of(' ');
    size_t end = text.find_last_not_of(' ');
    if (start == Text::npos)
        return false;
    std::string digits = text.substr(start, end - start + 1);
    errno = 0;
    char* stop = nullptr;
    long long value = std::strtoll(digits.c_str(), &stop, 10);
    if (stop != digits.c_str() + digits.size() || errno == ERANGE
        || value < INT_MIN || value > INT_MAX)
        return false;
    result = static_cast<int>(value);
    return true;
}

// "name" -> "name.ext" when the last path level has no extension.
Text withDefaultExtension(const Text& path, const Text& extension)
{
    const Text level = path.substr(static_cast<size_t>(std::max(findTextReverse(path, "\\"), 0)));
    if (extension.empty() || level.empty() || findText(level, ".") != -1)
        return path;
    return path + "." + extension;
}

} // namespace

bool inputBox(const Text& prompt, const Text& caption, int& value)
{
    Text answer = std::to_string(value);
    if (!inputBox(prompt, caption, answer))
        return false;
    return parseWholeNumber(answer, value);
}

bool openCommonDialog(CommonDialog& dialog)
{
    if (dialog.kind == CommonDialog::Font) {
        FontChoice choice{dialog.font, dialog.fontColour};
        if (!interaction().fontDialog(choice))
            return false;
        dialog.font = choice.font;
        dialog.fontColour = choice.colour;
        return true;
    }
    FileDialogRequest request;
    request.save = dialog.kind == CommonDialog::FileSave;
    request.title = dialog.title;
    request.fileName = dialog.fileName;
    request.filter = dialog.filter;
    request.defaultExtension = dialog.defaultExtension;
    request.initialDirectory = dialog.initialDirectory;
    if (!interaction().fileDialog(request))
        return false;
    // An open dialog names an existing file; only a name that names none
    // gets the default extension there.
    bool extend = request.save || !fileExists(request.fileName);
    dialog.fileName = extend ? withDefaultExtension(request.fileName, dialog.defaultExtension)
                             : request.fileName;
    return true;
}

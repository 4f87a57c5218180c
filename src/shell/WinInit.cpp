#include "shell/WinInit.h"

namespace {

constexpr const char* kSection = "[Rename]";
constexpr const char* kDelete = "NUL=";
constexpr const char* kCrLf = "\r\n";

// One line of the text: where its content starts and ends, and where the
// next line starts (after the break, if there is one).
struct TLine {
    size_t Begin, End, Next;
};

TLine LineAt(const std::string& text, size_t begin) {
    size_t end = begin;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    size_t next = end;
    if (next < text.size() && text[next] == '\r') ++next;
    if (next < text.size() && text[next] == '\n') ++next;
    return {begin, end, next};
}

std::string FirstBreak(const std::string& text) {
    for (size_t at = 0; at < text.size();) {
        const TLine line = LineAt(text, at);
        if (line.Next > line.End) return text.substr(line.End, line.Next - line.End);
        at = line.Next;
    }
    return kCrLf;
}

// What a new file holds, each line ending with `lineBreak`.
std::string NewSection(const std::vector<std::string>& files, const std::string& extension,
                       const std::string& lineBreak) {
    std::string out = kSection + lineBreak;
    for (const std::string& file : files) out += kDelete + file + lineBreak;
    out += kDelete + extension + lineBreak;
    return out;
}

} // namespace

std::string WinInitWithDeletions(const std::optional<std::string>& current, const std::vector<std::string>& files,
                                 const std::string& extension) {
    if (!current) return NewSection(files, extension, kCrLf);
    const std::string& text = *current;

    for (size_t at = 0; at < text.size();) {
        const TLine line = LineAt(text, at);
        if (text.compare(line.Begin, line.End - line.Begin, kSection) == 0) {
            const bool hasBreak = line.Next > line.End;
            const std::string lineBreak = hasBreak ? text.substr(line.End, line.Next - line.End) : FirstBreak(text);
            // Each line goes in right after the section line, in front of the
            // ones inserted before it: the last inserted ends up first.
            std::string block = kDelete + extension + lineBreak;
            for (auto file = files.rbegin(); file != files.rend(); ++file) block += kDelete + *file + lineBreak;
            std::string out = text.substr(0, line.Next);
            if (!hasBreak) out += lineBreak;
            return out + block + text.substr(line.Next);
        }
        at = line.Next;
    }

    const std::string lineBreak = FirstBreak(text);
    std::string out = text;
    if (!out.empty() && out.back() != '\r' && out.back() != '\n') out += lineBreak;
    return out + NewSection(files, extension, lineBreak);
}

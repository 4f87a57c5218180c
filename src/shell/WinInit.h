#pragma once
// The uninstall leaves files that cannot go while the program runs (the
// program itself, the shell extension Explorer has loaded): they are named in
// WinInit.ini's "[Rename]" section as "NUL=" lines, which Windows carries out
// at its next start. This builds the file's new text; reading and writing the
// file is the caller's.
#include <optional>
#include <string>
#include <vector>

// The text of WinInit.ini with a "NUL=" line for each of `files` (in the
// order they were found) and for `extension`.
//
// `current` is the file's text, or nothing when there is no file. Its bytes
// are the system's ANSI text and are not decoded: lines are compared and
// kept byte for byte, and the given paths are inserted as they are (short
// paths, which are plain ASCII).
//
// - A file with a line that is exactly "[Rename]" (same letter case, no
//   spaces around it; a line ends at CR LF, LF or a lone CR, the break not
//   being part of the line) gets the new lines right after the first such
//   line, each inserted at that same place: the extension's line comes
//   first, the file lines follow in reverse order.
// - A file without such a line gets "[Rename]" and the lines of a new file
//   appended.
// - Without a file, the text is "[Rename]", the file lines in the order
//   found, then the extension's line.
//
// Every other byte of an existing file stays as it was. New lines end with
// the break that ends the "[Rename]" line, else with the file's first break,
// else with CR LF; a last line without a break gets one before anything is
// appended after it.
std::string WinInitWithDeletions(const std::optional<std::string>& current, const std::vector<std::string>& files,
                                 const std::string& extension);

// The WinInit.ini text the uninstall writes: where its "NUL=" lines go, what
// a new section holds, and that nothing else of the file changes.
#include "shell/WinInit.h"

#include <gtest/gtest.h>

namespace {

std::string Edit(const std::optional<std::string>& current) {
    return WinInitWithDeletions(current, {"C:\\MURALTO\\MURALTO.EXE", "C:\\MURALTO\\MURALTO.HLP"},
                                "C:\\MURALTO\\KELPFOLD.DLL");
}
// A new section's lines after "[Rename]": in the order found, the extension last.
const std::string kNew =
    "NUL=C:\\MURALTO\\MURALTO.EXE\r\nNUL=C:\\MURALTO\\MURALTO.HLP\r\nNUL=C:\\MURALTO\\KELPFOLD.DLL\r\n";
// Inserted one by one after an existing "[Rename]": the extension first, the files reversed.
const std::string kInserted =
    "NUL=C:\\MURALTO\\KELPFOLD.DLL\r\nNUL=C:\\MURALTO\\MURALTO.HLP\r\nNUL=C:\\MURALTO\\MURALTO.EXE\r\n";

std::string WithBreak(std::string lines, const std::string& lineBreak) {
    for (size_t at = 0; (at = lines.find("\r\n", at)) != std::string::npos; at += lineBreak.size())
        lines.replace(at, 2, lineBreak);
    return lines;
}

TEST(WinInit, WithoutASectionOneIsWrittenInTheOrderFound) {
    EXPECT_EQ(Edit(std::nullopt), "[Rename]\r\n" + kNew);
    EXPECT_EQ(Edit(""), "[Rename]\r\n" + kNew);
    EXPECT_EQ(Edit("[Other]\r\nA=1\r\n"), "[Other]\r\nA=1\r\n[Rename]\r\n" + kNew);
    EXPECT_EQ(Edit("[Other]\r\nA=1"), "[Other]\r\nA=1\r\n[Rename]\r\n" + kNew) << "the last line is ended first";
    EXPECT_EQ(Edit("A=1\nB=2"), "A=1\nB=2\n[Rename]\n" + WithBreak(kNew, "\n")) << "the file's own breaks";
}

TEST(WinInit, AnExistingSectionGetsTheExtensionFirstAndTheFilesReversed) {
    EXPECT_EQ(Edit("; x\r\n[Rename]\r\nNUL=C:\\OLD.TMP\r\n"),
              "; x\r\n[Rename]\r\n" + kInserted + "NUL=C:\\OLD.TMP\r\n");
    EXPECT_EQ(Edit("[Rename]\r\n[Other]\r\n[Rename]\r\n"), "[Rename]\r\n" + kInserted + "[Other]\r\n[Rename]\r\n")
        << "only the first section line";
    EXPECT_EQ(Edit("A=1\r\n[Rename]"), "A=1\r\n[Rename]\r\n" + kInserted) << "a last line without a break";
}

TEST(WinInit, OnlyAnExactLineIsTheSection) {
    for (const char* line :
         {"[rename]", "[RENAME]", " [Rename]", "[Rename] ", "[Rename]\t", "[ Rename ]", "x[Rename]"}) {
        const std::string before = "[Other]\r\n" + std::string(line) + "\r\nNUL=C:\\KEEP.TMP\r\n";
        EXPECT_EQ(Edit(before), before + "[Rename]\r\n" + kNew) << '"' << line << '"';
    }
}

TEST(WinInit, TheFilesOwnBytesAndBreaksAreKept) {
    // Bytes above 127 are ANSI text and pass through undecoded, like blank
    // lines and trailing spaces; the section line's break is used.
    EXPECT_EQ(Edit("[Other]\nName=Caf\xE9 \n\n[Rename]\nNUL=C:\\A.TMP\n"),
              "[Other]\nName=Caf\xE9 \n\n[Rename]\n" + WithBreak(kInserted, "\n") + "NUL=C:\\A.TMP\n");
    EXPECT_EQ(Edit("A=1\n[Rename]\r\nB=2\n"), "A=1\n[Rename]\r\n" + kInserted + "B=2\n");
    EXPECT_EQ(Edit("A=1\r[Rename]\rB=2"), "A=1\r[Rename]\r" + WithBreak(kInserted, "\r") + "B=2") << "lone CR";
}

} // namespace

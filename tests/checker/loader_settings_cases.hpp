#pragma once
// Loader settings files of every odd kind, with what Windows' GetPrivateProfileIntA gives
// for [GlobalSets] LoadPlugins in each (7 where it gives the default, 7): read off Wine's,
// and checked against it again by the Windows tests.

#include <string>
#include <vector>

namespace test_support {

struct ProfileCase {
    const char* name;
    std::string bytes;
    long expected;
};

inline std::vector<ProfileCase> profile_cases() {
    using namespace std::string_literals;
    return {
        {"plain", "[GlobalSets]\r\nLoadPlugins=0\r\n", 0},
        {"a key twice: the first", "[GlobalSets]\r\nLoadPlugins=0\r\nLoadPlugins=1\r\n", 0},
        {"a key twice, other way", "[GlobalSets]\r\nLoadPlugins=1\r\nLoadPlugins=0\r\n", 1},
        {"a section twice: the first",
         "[GlobalSets]\r\nLoadPlugins=0\r\n[GlobalSets]\r\nLoadPlugins=1\r\n", 0},
        {"only in the second", "[GlobalSets]\r\nX=1\r\n[GlobalSets]\r\nLoadPlugins=0\r\n", 7},
        {"UTF-8 mark", "\xEF\xBB\xBF[GlobalSets]\r\nLoadPlugins=0\r\n", 0},
        {"UTF-16 mark",
         "\xFF\xFE[\0G\0l\0o\0b\0a\0l\0S\0e\0t\0s\0]\0\r\0\n\0L\0o\0a\0d\0P\0l\0u\0g\0i\0n\0s\0=\0"
         "0\0\r\0\n\0"s,
         0},
        {"UTF-16 big-endian",
         "\xFE\xFF\0[\0G\0l\0o\0b\0a\0l\0S\0e\0t\0s\0]\0\r\0\n\0L\0o\0a\0d\0P\0l\0u\0g\0i\0n\0s\0="
         "\0"
         "5\0\r\0\n"s,
         5},
        {"UTF-16 without a mark",
         "[\0G\0l\0o\0b\0a\0l\0S\0e\0t\0s\0]\0\r\0\n\0L\0o\0a\0d\0P\0l\0u\0g\0i\0n\0s\0=\0"
         "0\0\r\0\n\0"s,
         7},
        {"CR alone", "[GlobalSets]\rLoadPlugins=0\r", 0},
        {"CR alone inside", "[GlobalSets]\r\nA=1\rLoadPlugins=0\r\n", 0},
        {"LF alone", "[GlobalSets]\nLoadPlugins=0\n", 0},
        {"blanks", "  [ GlobalSets ]  \r\n  LoadPlugins  =  0  \r\n", 0},
        {"tabs", "[GlobalSets]\r\n\tLoadPlugins\t=\t0\r\n", 0},
        {"other blanks", "[GlobalSets]\r\n\v\fLoadPlugins=0\x1A\r\n", 0},
        {"letter case", "[globalsets]\r\nloadplugins=0\r\n", 0},
        {"hex", "[GlobalSets]\r\nLoadPlugins=0x10\r\n", 16},
        {"hex, capital X", "[GlobalSets]\r\nLoadPlugins=0X1f\r\n", 0},
        {"no octal", "[GlobalSets]\r\nLoadPlugins=010\r\n", 10},
        {"negative", "[GlobalSets]\r\nLoadPlugins=-1\r\n", -1},
        {"plus", "[GlobalSets]\r\nLoadPlugins=+0\r\n", 0},
        {"a sign alone", "[GlobalSets]\r\nLoadPlugins=- 1\r\n", 0},
        {"past 32 bits", "[GlobalSets]\r\nLoadPlugins=99999999999\r\n", 1215752191},
        {"text", "[GlobalSets]\r\nLoadPlugins=abc\r\n", 0},
        {"quoted", "[GlobalSets]\r\nLoadPlugins=\"0\"\r\n", 0},
        {"text after", "[GlobalSets]\r\nLoadPlugins=0 ; no\r\n", 0},
        {"empty", "[GlobalSets]\r\nLoadPlugins=\r\n", 7},
        {"blank", "[GlobalSets]\r\nLoadPlugins=   \r\n", 7},
        {"Ctrl-Z alone", "[GlobalSets]\r\nLoadPlugins=\x1A\r\n", 7},
        {"no =", "[GlobalSets]\r\nLoadPlugins\r\n", 7},
        {"empty first", "[GlobalSets]\r\nLoadPlugins=\r\nLoadPlugins=0\r\n", 7},
        {"comment", "[GlobalSets]\r\n;LoadPlugins=0\r\n", 7},
        {"# is no comment", "[GlobalSets]\r\n#LoadPlugins=0\r\n", 7},
        {"text after ]", "[GlobalSets] junk\r\nLoadPlugins=0\r\n", 0},
        {"the last ] ends the name", "[GlobalSets][x]\r\nLoadPlugins=0\r\n", 7},
        {"no ]", "[GlobalSets\r\nLoadPlugins=0\r\n", 7},
        {"a broken header keeps the section", "[GlobalSets]\r\n[Broken\r\nLoadPlugins=0\r\n", 0},
        {"another section", "[Other]\r\nLoadPlugins=0\r\n", 7},
        {"== ", "[GlobalSets]\r\nLoadPlugins==0\r\n", 0},
        {"a blank inside the key", "[GlobalSets]\r\nLoad Plugins=0\r\n", 7},
        {"a NUL in the key", "[GlobalSets]\r\nLoad\0Plugins=0\r\n"s, 7},
        {"a NUL after the value", "[GlobalSets]\r\nLoadPlugins=0\0abc\r\n"s, 0},
        {"a NUL first", "\0[GlobalSets]\r\nLoadPlugins=0\r\n"s, 7},
        {"no line end", "[GlobalSets]\r\nLoadPlugins=1", 1},
        {"a space before the header", "   [GlobalSets]\r\nLoadPlugins=0\r\n", 0},
        {"a non-breaking space", "[GlobalSets]\r\n\xA0LoadPlugins=0\r\n", 7},
    };
}

} // namespace test_support

#include <array>
#include <string_view>

#include "format/dialects/dialect.h"

namespace detoken {
namespace {

// An empty cell: the code has no keyword.
constexpr std::string_view _;

// Single-byte tokens 80-FD. E4 is the Greek pi.
// clang-format off
constexpr std::array<std::string_view, 0x7E> kMainNames = {
    /* 80 */ "GOTO", "GOSUB", _, "RUN", "RETURN", "RESTORE", "RESUME", "LIST",
    /* 88 */ _, "DELETE", "RENUM", "AUTO", _, "FOR", "NEXT", "PRINT",
    /* 90 */ _, "INPUT", _, "IF", "DATA", "READ", "DIM", "REM",
    /* 98 */ "END", "STOP", "CONT", "CLS", _, "ON", "LET", "NEW",
    /* A0 */ "POKE", "OFF", "MODE", "SKIP", "PLOT", "LINE", "RLINE", "MOVE",
    /* A8 */ "RMOVE", "TRON", "TROFF", "INP#", _, "GET", "PCOLOR", "PHOME",
    /* B0 */ "HSET", "GPRINT", "KEY", "AXIS", "LOAD", "SAVE", "MERGE", _,
    /* B8 */ "CONSOLE", _, "OUT#", "CIRCLE", "TEST", "PAGE", _, _,
    /* C0 */ "ERASE", "ERROR", _, "USR", "BYE", _, _, "DEF",
    /* C8 */ _, _, _, _, _, _, "WOPEN", "CLOSE",
    /* D0 */ "ROPEN", _, _, _, _, _, _, _,
    /* D8 */ _, "KILL", _, _, _, _, _, _,
    /* E0 */ "TO", "STEP", "THEN", "USING", "π", _, "TAB", "SPC",
    /* E8 */ _, _, _, "OR", "AND", _, "><", "<>",
    /* F0 */ "=<", "<=", "=>", ">=", "=", ">", "<", "+",
    /* F8 */ "-", _, _, "/", "*", "^",
    // clang-format on
};

// FE followed by 80-AE.
// clang-format off
constexpr std::array<std::string_view, 0x2F> kFeNames = {
    /* 80 */ _, "SET", "RESET", "COLOR", _, _, _, _,
    /* 88 */ _, _, _, _, _, _, _, _,
    /* 90 */ _, _, _, _, _, _, _, _,
    /* 98 */ _, _, _, _, _, _, _, _,
    /* A0 */ _, _, "MUSIC", "TEMPO", "CURSOR", "VERIFY", "CLR", "LIMIT",
    /* A8 */ _, _, _, _, _, _, "BOOT",
    // clang-format on
};

// FF followed by 80-C7.
// clang-format off
constexpr std::array<std::string_view, 0x48> kFfNames = {
    /* 80 */ "INT", "ABS", "SIN", "COS", "TAN", "LN", "EXP", "SQR",
    /* 88 */ "RND", "PEEK", "ATN", "SGN", "LOG", _, "PAI", "RAD",
    /* 90 */ _, _, _, _, _, "EOF", _, _,
    /* 98 */ _, _, _, _, _, _, "JOY", _,
    /* A0 */ "CHR$", "STR$", "HEX$", _, _, _, _, _,
    /* A8 */ _, _, _, "ASC", "LEN", "VAL", _, _,
    /* B0 */ _, _, _, "ERN", "ERL", "SIZE", _, _,
    /* B8 */ _, _, "LEFT$", "RIGHT$", "MID$", _, _, _,
    /* C0 */ _, _, _, "STRING$", "TI$", _, _, "FN",
    // clang-format on
};

constexpr auto kWords = vocabulary(kMainNames, kFeNames, kFfNames);

// What each code is in a line body: 00 ends the line; 0B, 11 and 15 are the
// type codes of the unsigned word, the hexadecimal word and the real; 80-FD
// are keywords (DATA and REM with their text), FE and FF prefixes; the rest
// are characters.
using enum CodeClass;
constexpr CodeClass En = LineEnd, Ch = Character, Qt = Quote, Uw = UnsignedWord, Hx = HexWord, Re = SingleReal,
                    Kw = Keyword, Tk = TextKeyword, Pf = Prefix;

// clang-format off
constexpr DecodingRules kRules = {
    .classes = {
        /*       0   1   2   3   4   5   6   7   8   9   A   B   C   D   E   F */
        /* 0 */ En, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Uw, Ch, Ch, Ch, Ch,
        /* 1 */ Ch, Hx, Ch, Ch, Ch, Re, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch,
        /* 2 */ Ch, Ch, Qt, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch,
        /* 3 */ Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch,
        /* 4 */ Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch,
        /* 5 */ Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch,
        /* 6 */ Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch,
        /* 7 */ Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch,
        /* 8 */ Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw,
        /* 9 */ Kw, Kw, Kw, Kw, Tk, Kw, Kw, Tk, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw,
        /* A */ Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw,
        /* B */ Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw,
        /* C */ Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw,
        /* D */ Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw,
        /* E */ Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw,
        /* F */ Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Pf, Pf,
    },
    .keywords = kWords.encoded(),
    // The machine's own notation for hexadecimal.
    .hex_prefix = "$",
};
// clang-format on

// After these a number is a line number; after the commands of the editor,
// a range of lines (LIST 380-390 is 87 20 0B 7C 01 2D 0B 86 01 on a real
// tape: the numbers line numbers, the minus the character).
constexpr std::string_view kLineNumberKeywords[] = {"GOTO", "GOSUB", "THEN", "RESTORE", "RUN"};
constexpr std::string_view kLineRangeKeywords[] = {"LIST", "AUTO", "DELETE", "RENUM"};

constexpr KeywordLookup kShiftJisLookup =
    keyword_lookup(kRules.keywords.shift_jis, kLineNumberKeywords, kLineRangeKeywords);
constexpr KeywordLookup kUtf8Lookup = keyword_lookup(kRules.keywords.utf8, kLineNumberKeywords, kLineRangeKeywords);

}  // namespace

// S-BASIC, the default: tapes of attribute 05 loaded at 6BCF, which tell
// that they are its; it reports 36439 bytes free.
extern const DialectInfo kSBasic;
// clang-format off
constexpr DialectInfo kSBasic = {
    .dialect = Dialect::SBasic,
    .option = 's',
    .name = "S-BASIC",
    .title_name = {"MZ-700\x82\xCCS-BASIC",
     "MZ-700のS-BASIC",
     "MZ-700 S-BASIC"},
    .detoken_usage = {"  -s    MZT\x83""C\x83\x81\x81[\x83W\x82\xF0S-BASIC\x82\xCC\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xC6\x82\xDD\x82\xC8\x82\xB5\x82\xC4\x95\xCF\x8A\xB7\x82\xB7\x82\xE9(\x83""f\x83t\x83H\x83\x8B\x83g\x93\xAE\x8D\xEC)\n",
     "  -s    MZTイメージをS-BASICのプログラムとみなして変換する(デフォルト動作)\n",
     "  -s    read the image as an S-BASIC program (the default)\n"},
    .retoken_usage = {"  -s    \x83""e\x83L\x83X\x83g\x82\xF0S-BASIC\x82\xCC\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xC6\x82\xDD\x82\xC8\x82\xB5\x82\xC4\x95\xCF\x8A\xB7\x82\xB7\x82\xE9(\x83""f\x83t\x83H\x83\x8B\x83g\x93\xAE\x8D\xEC)\n",
     "  -s    テキストをS-BASICのプログラムとみなして変換する(デフォルト動作)\n",
     "  -s    read the text as an S-BASIC program (the default)\n"},
    .usage_place = {5, 8},
    .rules = kRules,
    .codes = type_codes_of(kRules.classes),
    .shift_jis_lookup = kShiftJisLookup,
    .utf8_lookup = kUtf8Lookup,
    .header = {0x05, 0x6BCF, 0x0000},
    .header_identifies = true,
    .free_memory = 36439,
};
// clang-format on

}  // namespace detoken

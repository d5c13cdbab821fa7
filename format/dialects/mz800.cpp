#include <array>
#include <string_view>

#include "format/dialects/dialect.h"

namespace detoken {
namespace {

// The MZ-800's own BASIC (BASIC 800, 1Z016), as the token list of its
// documentation, its manuals and real programs establish its codes (those
// only probable from context among them: the graphics and sound codes FE
// 90-9C, TAN, LOG, SPACE$, CSRH, CSRV, >< and =>).

// An empty cell: the code has no keyword (or none that is established).
constexpr std::string_view _;

// Single-byte tokens 80-FD. E4 is the Greek pi, F9 the integer division.
// clang-format off
constexpr std::array<std::string_view, 0x7E> kMainNames = {
    /* 80 */ "GOTO", "GOSUB", _, "RUN", "RETURN", "RESTORE", "RESUME", "LIST",
    /* 88 */ _, "DELETE", "RENUM", "AUTO", "EDIT", "FOR", "NEXT", "PRINT",
    /* 90 */ _, "INPUT", _, "IF", "DATA", "READ", "DIM", "REM",
    /* 98 */ "END", "STOP", "CONT", "CLS", _, "ON", "LET", "NEW",
    /* A0 */ "POKE", "OFF", "PMODE", "PSKIP", "PLOT", "PLINE", "RLINE", "PMOVE",
    /* A8 */ "RMOVE", "TRON", "TROFF", "INP@", "DEFAULT", "GET", "PCOLOR", "PHOME",
    /* B0 */ "HSET", "GPRINT", "KEY", "AXIS", "LOAD", "SAVE", "MERGE", "CHAIN",
    /* B8 */ "CONSOLE", "SEARCH", "OUT@", "PCIRCLE", "PTEST", "PAGE", "WAIT", "SWAP",
    /* C0 */ _, "ERROR", "ELSE", "USR", "BYE", _, _, "DEF",
    /* C8 */ _, _, "LABEL", _, _, _, "WOPEN", "CLOSE",
    /* D0 */ "ROPEN", "XOPEN", _, _, _, "DIR", _, _,
    /* D8 */ "RENAME", "KILL", "LOCK", "UNLOCK", "INIT", _, _, _,
    /* E0 */ "TO", "STEP", "THEN", "USING", "π", _, "TAB", "SPC",
    /* E8 */ _, _, "XOR", "OR", "AND", "NOT", "><", "<>",
    /* F0 */ "=<", "<=", "=>", ">=", "=", ">", "<", "+",
    /* F8 */ "-", "\\", "MOD", "/", "*", "^",
    // clang-format on
};

// FE followed by 80-A7.
// clang-format off
constexpr std::array<std::string_view, 0x28> kFeNames = {
    /* 80 */ _, _, _, _, _, _, _, _,
    /* 88 */ _, _, "SOUND", _, "NOISE", "BEEP", _, _,
    /* 90 */ "COLOR", _, "SET", _, "LINE", _, "PAL", "CIRCLE",
    /* 98 */ "BOX", "PAINT", "POSITION", "PATTERN", "HCOPY", _, _, _,
    /* A0 */ "SYMBOL", _, "MUSIC", "TEMPO", "CURSOR", "VERIFY", "CLR", "LIMIT",
    // clang-format on
};

// FF followed by 80-C4.
// clang-format off
constexpr std::array<std::string_view, 0x45> kFfNames = {
    /* 80 */ "INT", "ABS", "SIN", "COS", "TAN", "LN", "EXP", "SQR",
    /* 88 */ "RND", "PEEK", "ATN", "SGN", "LOG", _, "PAI", "RAD",
    /* 90 */ _, _, _, _, _, _, _, _,
    /* 98 */ _, _, _, _, "STICK", "STRIG", _, _,
    /* A0 */ "CHR$", "STR$", "HEX$", _, _, _, _, _,
    /* A8 */ "SPACE$", _, _, "ASC", "LEN", "VAL", _, _,
    /* B0 */ _, _, _, _, _, "SIZE", "CSRH", "CSRV",
    /* B8 */ _, _, "LEFT$", "RIGHT$", "MID$", _, _, _,
    /* C0 */ _, _, _, _, "TI$",
    // clang-format on
};

constexpr auto kWords = vocabulary(kMainNames, kFeNames, kFfNames);

// What each code is in a line body: as in S-BASIC (00 ends the line; 0B, 11
// and 15 are the type codes of the line number, the hexadecimal word and
// the real; 80-FD are keywords, DATA and REM with their text, FE and FF
// prefixes), but for the colon, which the machine stores before ELSE and
// before a ' comment.
using enum CodeClass;
constexpr CodeClass En = LineEnd, Ch = Character, Qt = Quote, Cl = Colon, Uw = UnsignedWord, Hx = HexWord,
                    Re = SingleReal, Kw = Keyword, Tk = TextKeyword, Pf = Prefix;

// clang-format off
constexpr DecodingRules kRules = {
    .classes = {
        /*       0   1   2   3   4   5   6   7   8   9   A   B   C   D   E   F */
        /* 0 */ En, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Uw, Ch, Ch, Ch, Ch,
        /* 1 */ Ch, Hx, Ch, Ch, Ch, Re, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch,
        /* 2 */ Ch, Ch, Qt, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch,
        /* 3 */ Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Cl, Ch, Ch, Ch, Ch, Ch,
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
    .hex_prefix = "$",
    .else_code = code_of(kWords.main, "ELSE"),
    .comment_mark = '\'',
    // Lines are stepped by their length: real programs hold machine code in
    // a line, zeros and all.
    .lines_by_length = true,
};
// clang-format on

// After these a number is a line number (and after a comma that follows
// one: ON X GOTO 100,200); after the commands of the editor, a range.
constexpr std::string_view kLineNumberKeywords[] = {"GOTO", "GOSUB", "THEN", "ELSE", "RESTORE"};
constexpr std::string_view kLineRangeKeywords[] = {"LIST", "AUTO", "DELETE", "RENUM", "EDIT"};

constexpr KeywordLookup kShiftJisLookup =
    keyword_lookup(kRules.keywords.shift_jis, kLineNumberKeywords, kLineRangeKeywords);
constexpr KeywordLookup kUtf8Lookup = keyword_lookup(kRules.keywords.utf8, kLineNumberKeywords, kLineRangeKeywords);

}  // namespace

// BASIC 800: tapes of attribute 05 loaded at 0000, which some tapes of
// S-BASIC have too, so the header does not tell them apart; how much it
// leaves free is not known here.
extern const DialectInfo kMz800;
// clang-format off
constexpr DialectInfo kMz800 = {
    .dialect = Dialect::Mz800,
    .option = 'm',
    .name = "MZ-800 BASIC",
    .title_name = {"MZ-800\x82\xCC""BASIC",
     "MZ-800のBASIC",
     "MZ-800 BASIC"},
    .detoken_usage = {"  -m    MZT\x83""C\x83\x81\x81[\x83W\x82\xF0MZ-800\x82\xCC""BASIC\x82\xCC\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xC6\x82\xDD\x82\xC8\x82\xB5\x82\xC4\x95\xCF\x8A\xB7\x82\xB7\x82\xE9\n",
     "  -m    MZTイメージをMZ-800のBASICのプログラムとみなして変換する\n",
     "  -m    read the image as a program of the MZ-800's BASIC\n"},
    .retoken_usage = {"  -m    \x83""e\x83L\x83X\x83g\x82\xF0MZ-800\x82\xCC""BASIC\x82\xCC\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xC6\x82\xDD\x82\xC8\x82\xB5\x82\xC4\x95\xCF\x8A\xB7\x82\xB7\x82\xE9\n",
     "  -m    テキストをMZ-800のBASICのプログラムとみなして変換する\n",
     "  -m    read the text as a program of the MZ-800's BASIC\n"},
    .usage_place = {11, 15},
    .rules = kRules,
    .codes = type_codes_of(kRules.classes, RealConversion::ByPower),
    .shift_jis_lookup = kShiftJisLookup,
    .utf8_lookup = kUtf8Lookup,
    .header = {0x05, 0x0000, 0x0000},
    .header_identifies = false,
    .free_memory = 0,
};
// clang-format on

}  // namespace detoken

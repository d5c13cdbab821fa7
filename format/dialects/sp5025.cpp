#include <array>
#include <string_view>

#include "format/dialects/dialect.h"

namespace detoken {
namespace {

// An empty cell: the code has no keyword (or none that is established).
constexpr std::string_view _;

// One-byte keywords 80-FF, as the real tapes of the MZ-80K and its
// documented table establish them. A function's keyword holds its opening
// parenthesis, DEF FN is one keyword, CF is the power operator and FF pi.
// clang-format off
constexpr std::array<std::string_view, 0x80> kMainNames = {
    /* 80 */ "REM", "DATA", "LIST", "RUN", "NEW", "PRINT", "LET", "FOR",
    /* 88 */ "IF", "GOTO", "READ", "GOSUB", "RETURN", "NEXT", "STOP", "END",
    /* 90 */ "ON", _, _, _, "POKE", "DIM", "DEF FN", "INPUT",
    /* 98 */ "RESTORE", "CLR", "MUSIC", "TEMPO", "USR(", "WOPEN", "ROPEN", "CLOSE",
    /* A0 */ _, _, _, _, _, "GET", _, _,
    /* A8 */ _, _, _, _, _, "THEN", "TO", "STEP",
    /* B0 */ _, "<>", _, "<=", _, ">=", "=", ">",
    /* B8 */ "<", _, _, _, "+", "-", "*", "/",
    /* C0 */ "LEFT$(", "RIGHT$(", "MID$(", "LEN(", "CHR$(", "STR$(", "ASC(", "VAL(",
    /* C8 */ "PEEK(", "TAB(", _, _, _, _, _, "^",
    /* D0 */ "RND(", "SIN(", "COS(", _, _, _, "INT(", "LOG(",
    /* D8 */ _, "ABS(", _, "SQR(", _, _, _, _,
    /* E0 */ _, _, _, _, _, _, _, _,
    /* E8 */ _, _, _, _, _, _, _, _,
    /* F0 */ _, _, _, _, _, _, _, _,
    /* F8 */ _, _, _, _, _, _, _, "π",
};
// clang-format on

constexpr auto kWords = vocabulary(kMainNames);

// What each code is in a line body: 0D ends the line; numbers are stored as
// the digits typed, so there are no constant type codes and every other code
// below 80 is a character (00 too); 80-FF are keywords, REM and DATA with
// their text. There are no two-byte keywords.
using enum CodeClass;
constexpr CodeClass En = LineEnd, Ch = Character, Qt = Quote, Kw = Keyword, Tk = TextKeyword;

// clang-format off
constexpr DecodingRules kRules = {
    .classes = {
        /*       0   1   2   3   4   5   6   7   8   9   A   B   C   D   E   F */
        /* 0 */ Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, En, Ch, Ch,
        /* 1 */ Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch,
        /* 2 */ Ch, Ch, Qt, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch,
        /* 3 */ Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch,
        /* 4 */ Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch,
        /* 5 */ Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch,
        /* 6 */ Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch,
        /* 7 */ Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch, Ch,
        /* 8 */ Tk, Tk, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw,
        /* 9 */ Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw,
        /* A */ Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw,
        /* B */ Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw,
        /* C */ Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw,
        /* D */ Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw,
        /* E */ Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw,
        /* F */ Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw, Kw,
    },
    .keywords = kWords.encoded(),
    .hex_prefix = "",
};
// clang-format on

// Numbers are the digits typed: no keyword is followed by a line number's
// word.
constexpr KeywordLookup kShiftJisLookup = keyword_lookup(kRules.keywords.shift_jis, {}, {});
constexpr KeywordLookup kUtf8Lookup = keyword_lookup(kRules.keywords.utf8, {}, {});

}  // namespace

// The MZ-80K's BASIC: tapes of attribute 02 loaded at 4806, which tell that
// they are its; how much it leaves free is not known here.
extern const DialectInfo kSp5025;
// clang-format off
constexpr DialectInfo kSp5025 = {
    .dialect = Dialect::Sp5025,
    .option = 'k',
    .name = "MZ-80K BASIC (SP-5025)",
    .title_name = {"MZ-80K\x82\xCC""BASIC(SP-5025)",
     "MZ-80KのBASIC(SP-5025)",
     "MZ-80K BASIC (SP-5025)"},
    .detoken_usage = {"  -k    MZT\x83""C\x83\x81\x81[\x83W\x82\xF0MZ-80K\x82\xCC""BASIC(SP-5025)\x82\xCC\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xC6\x82\xDD\x82\xC8\x82\xB5\x82\xC4\x95\xCF\x8A\xB7\x82\xB7\x82\xE9\n",
     "  -k    MZTイメージをMZ-80KのBASIC(SP-5025)のプログラムとみなして変換する\n",
     "  -k    read the image as a program of the MZ-80K's BASIC (SP-5025)\n"},
    .retoken_usage = {"  -k    \x83""e\x83L\x83X\x83g\x82\xF0MZ-80K\x82\xCC""BASIC(SP-5025)\x82\xCC\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xC6\x82\xDD\x82\xC8\x82\xB5\x82\xC4\x95\xCF\x8A\xB7\x82\xB7\x82\xE9\n",
     "  -k    テキストをMZ-80KのBASIC(SP-5025)のプログラムとみなして変換する\n",
     "  -k    read the text as a program of the MZ-80K's BASIC (SP-5025)\n"},
    .usage_place = {9, 13},
    .rules = kRules,
    .codes = type_codes_of(kRules.classes),
    .shift_jis_lookup = kShiftJisLookup,
    .utf8_lookup = kUtf8Lookup,
    .header = {0x02, 0x4806, 0x0000},
    .header_identifies = true,
    .free_memory = 0,
};
// clang-format on

}  // namespace detoken

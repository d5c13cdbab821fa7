#include "lister/dialects/sp5025.h"

#include <array>
#include <string_view>

#include "lister/dialects/decoding.h"

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

constexpr auto kMain = keyword_table(kMainNames, Encoding::ShiftJis);
constexpr auto kMainUtf8 = keyword_table(kMainNames, Encoding::Utf8);

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
    .keywords = {{kMain, {}, {}}, {kMainUtf8, {}, {}}},
    .hex_prefix = "",
};
// clang-format on

// Its tapes: attribute 02, loaded at 4806.
constexpr tape::HeaderKind kMz80kBasic = {0x02, 0x4806, 0x0000};

// Numbers are the digits typed: no keyword is followed by a line number's
// word.
constexpr KeywordLookup kShiftJisLookup = keyword_lookup(kRules.keywords.shift_jis, {});
constexpr KeywordLookup kUtf8Lookup = keyword_lookup(kRules.keywords.utf8, {});

}  // namespace

DecodeResult decode_sp5025_item(std::uint8_t first_byte, ByteCursor& cursor, Output& out, std::uint16_t line_number) {
  return decoding::item<kRules>(first_byte, cursor, out, line_number);
}

const DialectInfo& sp5025_info() {
  // How much the MZ-80K's BASIC leaves free is not known here.
  static constexpr DialectInfo kInfo = {{decode_sp5025_item, first_code_of(kRules.classes, CodeClass::LineEnd)},
                                        kRules,
                                        type_codes_of(kRules.classes),
                                        kShiftJisLookup,
                                        kUtf8Lookup,
                                        kMz80kBasic,
                                        0};
  return kInfo;
}

}  // namespace detoken

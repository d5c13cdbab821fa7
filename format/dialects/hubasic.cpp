#include <array>
#include <string_view>

#include "format/dialects/dialect.h"

namespace detoken {
namespace {

// An empty cell: the code has no keyword.
constexpr std::string_view _;

// Single-byte tokens 80-FD.
// clang-format off
constexpr std::array<std::string_view, 0x7E> kMainNames = {
    /* 80 */ "GOTO", "GOSUB", "GO", "RUN", "RETURN", "RESTORE", "RESUME", "LIST",
    /* 88 */ "LLIST", "DELETE", "RENUM", "AUTO", "EDIT", "FOR", "NEXT", "PRINT",
    /* 90 */ "LPRINT", "INPUT", "LINPUT", "IF", "DATA", "READ", "DIM", "REM",
    /* 98 */ "END", "STOP", "CONT", "CLS", "CLEAR", "ON", "LET", "NEW",
    /* A0 */ "POKE", "OFF", "WHILE", "WEND", "REPEAT", "UNTIL", _, _,
    /* A8 */ "TRACE", "TRON", "TROFF", "SPEED", _, _, "DEFINT", "DEFSNG",
    /* B0 */ "DEFDBL", "DEFSTR", "DEF", _, "LOAD", "SAVE", "MERGE", "CHAIN",
    /* B8 */ "CONSOLE", _, "OUT", "SEARCH", "WAIT", "PAUSE", "WRITE", "SWAP",
    /* C0 */ "ERASE", "ERROR", "ELSE", "CALL", "MON", "LOCATE", "MODE", "KEY",
    /* C8 */ "PUSH", "POP", "LABEL", "RANDOMIZE", "OPTION", "LINE", "OPEN", "CLOSE",
    /* D0 */ _, "FIELD", "GET", "PUT", "SET", "FILES", "LFILES", "DEVICE",
    /* D8 */ "NAME", "KILL", "LSET", "RSET", "INIT", "VDIM", "MAXFILES", _,
    /* E0 */ "TO", "STEP", "THEN", "USING", "SUB", "BASE", "TAB", "SPC",
    /* E8 */ "EQV", "IMP", "XOR", "OR", "AND", "NOT", "><", "<>",
    /* F0 */ "=<", "<=", "=>", ">=", "=", ">", "<", "+",
    /* F8 */ "-", "MOD", "\\", "/", "*", "^",
    // clang-format on
};

// FE followed by 80-AE.
// clang-format off
constexpr std::array<std::string_view, 0x2F> kFeNames = {
    /* 80 */ _, "PSET", "PRESET", "COLOR", _, _, _, _,
    /* 88 */ _, _, _, "PLAY", _, "BEEP", _, _,
    /* 90 */ _, _, _, _, "CGEN", "PCOLOR", "SKIP", "RLINE",
    /* 98 */ "MOVE", "RMOVE", "PHOME", "HSET", "GPRINT", "AXIS", "CIRCLE", "TEST",
    /* A0 */ "PLOT", "PAGE", "MUSIC", "TEMPO", "CURSOR", "VERIFY", "CLR", "LIMIT",
    /* A8 */ "KLIST", _, _, "CLICK", "BOOT", "DEVI$", "DEVO$",
    // clang-format on
};

// FF followed by 80-CD.
// clang-format off
constexpr std::array<std::string_view, 0x4E> kFfNames = {
    /* 80 */ "INT", "ABS", "SIN", "COS", "TAN", "LOG", "EXP", "SQR",
    /* 88 */ "RND", "PEEK", "ATN", "SGN", "FRAC", "FIX", "PAI", "RAD",
    /* 90 */ "INP", "CDBL", "CSNG", "CINT", "DSKF", "EOF", "FPOS", "LOC",
    /* 98 */ "LOF", "POS", "FAC", "SUM", "FRE", _, "JOY", _,
    /* A0 */ "CHR$", "STR$", "HEX$", "OCT$", "BIN$", "MKI$", "MKS$", "MKD$",
    /* A8 */ "SPACE$", _, _, "ASC", "LEN", "VAL", "CVS", "CVD",
    /* B0 */ "CVI", _, _, "ERR", "ERL", "CSRLIN", "STRPTR", "DTL",
    /* B8 */ _, _, "LEFT$", "RIGHT$", "MID$", "INKEY$", "INSTR", "HEXCHR$",
    /* C0 */ "MEM$", "SCRN$", "VARPTR", "STRING$", "TIME$", _, _, "FN",
    /* C8 */ "USR", _, _, "ATTR$", _, "CHARACTER$",
    // clang-format on
};

constexpr auto kWords = vocabulary(kMainNames, kFeNames, kFfNames);

// What each code is in a line body: 00 ends the line; 01-0A are the digits 0
// to 9; 0B, 0D, 0E, 0F and 12 are the type codes of the unsigned, octal,
// binary, hexadecimal and signed words, 15 and 18 of the single and double
// reals; the colon looks at what follows it; 80-FD are keywords (DATA and
// REM with their text), FE and FF prefixes; the rest are characters.
using enum CodeClass;
constexpr CodeClass En = LineEnd, Ch = Character, Qt = Quote, Cl = Colon, Dg = Digit, Uw = UnsignedWord,
                    Sw = SignedWord, Hx = HexWord, Oc = OctalWord, Bi = BinaryWord, Re = SingleReal, Db = DoubleReal,
                    Kw = Keyword, Tk = TextKeyword, Pf = Prefix;

// clang-format off
constexpr DecodingRules kRules = {
    .classes = {
        /*       0   1   2   3   4   5   6   7   8   9   A   B   C   D   E   F */
        /* 0 */ En, Dg, Dg, Dg, Dg, Dg, Dg, Dg, Dg, Dg, Dg, Uw, Ch, Oc, Bi, Hx,
        /* 1 */ Ch, Ch, Sw, Ch, Ch, Re, Ch, Ch, Db, Ch, Ch, Ch, Ch, Ch, Ch, Ch,
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
    .hex_prefix = "&H",
    .else_code = code_of(kWords.main, "ELSE"),
    .comment_mark = '\'',
};
// clang-format on

// After these a number is a line number.
constexpr std::string_view kLineNumberKeywords[] = {"GOTO", "GOSUB", "THEN", "ELSE", "RESTORE", "RUN", "RESUME"};
// After the commands of the editor, a range of lines, as S-BASIC stores it.
constexpr std::string_view kLineRangeKeywords[] = {"LIST", "LLIST", "AUTO", "DELETE", "RENUM", "EDIT"};

constexpr KeywordLookup kShiftJisLookup =
    keyword_lookup(kRules.keywords.shift_jis, kLineNumberKeywords, kLineRangeKeywords);
constexpr KeywordLookup kUtf8Lookup = keyword_lookup(kRules.keywords.utf8, kLineNumberKeywords, kLineRangeKeywords);

}  // namespace

// HuBASIC: its tapes have the header of S-BASIC's, so the header tells
// nothing of them; how much it leaves free is not known here.
extern const DialectInfo kHuBasic;
// clang-format off
constexpr DialectInfo kHuBasic = {
    .dialect = Dialect::HuBasic,
    .option = 'h',
    .name = "HuBASIC",
    .title_name = {"HuBASIC",
     "HuBASIC",
     "HuBASIC"},
    .detoken_usage = {"  -h    MZT\x83""C\x83\x81\x81[\x83W\x82\xF0HuBASIC\x82\xCC\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xC6\x82\xDD\x82\xC8\x82\xB5\x82\xC4\x95\xCF\x8A\xB7\x82\xB7\x82\xE9\n",
     "  -h    MZTイメージをHuBASICのプログラムとみなして変換する\n",
     "  -h    read the image as a HuBASIC program\n"},
    .retoken_usage = {"  -h    \x83""e\x83L\x83X\x83g\x82\xF0HuBASIC\x82\xCC\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xC6\x82\xDD\x82\xC8\x82\xB5\x82\xC4\x95\xCF\x8A\xB7\x82\xB7\x82\xE9\n",
     "  -h    テキストをHuBASICのプログラムとみなして変換する\n",
     "  -h    read the text as a HuBASIC program\n"},
    .usage_place = {4, 7},
    .rules = kRules,
    .codes = type_codes_of(kRules.classes),
    .shift_jis_lookup = kShiftJisLookup,
    .utf8_lookup = kUtf8Lookup,
    .header = {0x05, 0x6BCF, 0x0000},
    .header_identifies = false,
    .free_memory = 0,
};
// clang-format on

}  // namespace detoken

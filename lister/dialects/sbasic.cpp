#include "lister/dialects/sbasic.h"

#include <array>
#include <string_view>

#include "lister/numbers.h"

namespace detoken {
namespace {

// An empty cell: the code has no keyword.
constexpr std::string_view _;

// Single-byte tokens 80-FD. E4 is the Greek pi, 83 CE in Shift_JIS.
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
    /* E0 */ "TO", "STEP", "THEN", "USING", "\x83\xCE", _, "TAB", "SPC",
    /* E8 */ _, _, _, "OR", "AND", _, "><", "<>",
    /* F0 */ "=<", "<=", "=>", ">=", "=", ">", "<", "+",
    /* F8 */ "-", _, _, "/", "*", "^",
};

// FE followed by 80-AE.
constexpr std::array<std::string_view, 0x2F> kFeNames = {
    /* 80 */ _, "SET", "RESET", "COLOR", _, _, _, _,
    /* 88 */ _, _, _, _, _, _, _, _,
    /* 90 */ _, _, _, _, _, _, _, _,
    /* 98 */ _, _, _, _, _, _, _, _,
    /* A0 */ _, _, "MUSIC", "TEMPO", "CURSOR", "VERIFY", "CLR", "LIMIT",
    /* A8 */ _, _, _, _, _, _, "BOOT",
};

// FF followed by 80-C7.
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
};

constexpr auto kMain = keyword_table(kMainNames);
constexpr auto kFe = keyword_table(kFeNames);
constexpr auto kFf = keyword_table(kFfNames);

constexpr KeywordTables kTables = {kMain, kFe, kFf};

using namespace sbasic;

// Everything but the plain characters, apart so that the quick path for
// those stays small.
[[gnu::noinline]] DecodeResult decode_other_item(std::uint8_t first_byte, ByteCursor& cursor, Output& out,
                                                  std::uint16_t line_number) {
  switch (first_byte) {
    case kUnsignedWord:
      return decode_word_constant(cursor, out, write_unsigned);
    case kHexWord:
      return decode_word_constant(cursor, out, [](Output& o, std::uint16_t word) { write_hex(o, "", word); });
    case kSingleReal:
      return decode_real_constant(cursor, out, read_single_real);
    default:
      return decode_common_item(first_byte, cursor, out, line_number, kTables);
  }
}

}  // namespace

DecodeResult decode_sbasic_item(std::uint8_t first_byte, ByteCursor& cursor, Output& out, std::uint16_t line_number) {
  if (is_plain_character(first_byte)) {
    write_char(out, first_byte);
    return DecodeResult::Continue;
  }
  return decode_other_item(first_byte, cursor, out, line_number);
}

const KeywordTables& sbasic_keywords() { return kTables; }

}  // namespace detoken

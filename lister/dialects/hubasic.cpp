#include "lister/dialects/hubasic.h"

#include <array>
#include <string_view>

#include "lister/characters.h"
#include "lister/numbers.h"

namespace detoken {
namespace {

// An empty cell: the code has no keyword.
constexpr std::string_view _;

// Single-byte tokens 80-FD.
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
};

// FE followed by 80-AE.
constexpr std::array<std::string_view, 0x2F> kFeNames = {
    /* 80 */ _, "PSET", "PRESET", "COLOR", _, _, _, _,
    /* 88 */ _, _, _, "PLAY", _, "BEEP", _, _,
    /* 90 */ _, _, _, _, "CGEN", "PCOLOR", "SKIP", "RLINE",
    /* 98 */ "MOVE", "RMOVE", "PHOME", "HSET", "GPRINT", "AXIS", "CIRCLE", "TEST",
    /* A0 */ "PLOT", "PAGE", "MUSIC", "TEMPO", "CURSOR", "VERIFY", "CLR", "LIMIT",
    /* A8 */ "KLIST", _, _, "CLICK", "BOOT", "DEVI$", "DEVO$",
};

// FF followed by 80-CD.
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
};

constexpr auto kMain = keyword_table(kMainNames);
constexpr auto kFe = keyword_table(kFeNames);
constexpr auto kFf = keyword_table(kFfNames);

constexpr KeywordTables kTables = {kMain, kFe, kFf};

using namespace hubasic;

// The machine stores a colon before ELSE and before a ' comment; neither is
// written. The comment is raw text, like REM's.
void decode_colon(ByteCursor& cursor, Output& out) {
  switch (cursor.peek_byte()) {
    case kApostrophe:
      copy_statement_text(cursor, out);
      return;
    case kElseToken:
      return;
    default:
      out.put(':');
  }
}

// Everything but the plain characters, apart so that the quick path for
// those stays small.
[[gnu::noinline]] DecodeResult decode_other_item(std::uint8_t first_byte, ByteCursor& cursor, Output& out,
                                                  std::uint16_t line_number) {
  if (first_byte <= kLastDigit) {
    out.put(static_cast<char>('0' + first_byte - 1));
    return DecodeResult::Continue;
  }
  switch (first_byte) {
    case kUnsignedWord:
      return decode_word_constant(cursor, out, write_unsigned);
    case kOctalWord:
      return decode_word_constant(cursor, out, write_octal);
    case kBinaryWord:
      return decode_word_constant(cursor, out, write_binary);
    case kHexWord:
      return decode_word_constant(cursor, out, [](Output& o, std::uint16_t word) { write_hex(o, "&H", word); });
    case kSignedWord:
      return decode_word_constant(cursor, out, write_signed);
    case kSingleReal:
      return decode_real_constant(cursor, out, read_single_real);
    case kDoubleReal:
      return decode_real_constant(cursor, out, read_double_real);
    case kColon:
      decode_colon(cursor, out);
      return DecodeResult::Continue;
    default:
      return decode_common_item(first_byte, cursor, out, line_number, kTables);
  }
}

}  // namespace

DecodeResult decode_hubasic_item(std::uint8_t first_byte, ByteCursor& cursor, Output& out, std::uint16_t line_number) {
  if (is_plain_character(first_byte) && first_byte != kColon) {
    write_char(out, first_byte);
    return DecodeResult::Continue;
  }
  return decode_other_item(first_byte, cursor, out, line_number);
}

const KeywordTables& hubasic_keywords() { return kTables; }

}  // namespace detoken

#pragma once

// The keyword tables of both dialects as the tests expect them, written as
// rows of sixteen cells separated by spaces ("." for a code without a
// keyword), and a walk of every code through the lister.

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "lister/line_walker.h"
#include "tests/image.h"

namespace detoken::testing {

inline std::vector<std::string> cells_of(std::initializer_list<const char*> rows) {
  std::vector<std::string> cells;
  for (const char* row : rows) {
    std::istringstream words(row);
    for (std::string word; words >> word;) cells.push_back(word == "." ? "" : word);
  }
  return cells;
}

struct KeywordCells {
  std::vector<std::string> main;  // 80-FD
  std::vector<std::string> fe;    // FE 80 to the last code
  std::vector<std::string> ff;    // FF 80 to the last code
};

inline KeywordCells sbasic_cells() {
  KeywordCells cells{
      cells_of({
          "GOTO GOSUB . RUN RETURN RESTORE RESUME LIST . DELETE RENUM AUTO . FOR NEXT PRINT",
          ". INPUT . IF DATA READ DIM REM END STOP CONT CLS . ON LET NEW",
          "POKE OFF MODE SKIP PLOT LINE RLINE MOVE RMOVE TRON TROFF INP# . GET PCOLOR PHOME",
          "HSET GPRINT KEY AXIS LOAD SAVE MERGE . CONSOLE . OUT# CIRCLE TEST PAGE . .",
          "ERASE ERROR . USR BYE . . DEF . . . . . . WOPEN CLOSE",
          "ROPEN . . . . . . . . KILL . . . . . .",
          "TO STEP THEN USING pi . TAB SPC . . . OR AND . >< <>",
          "=< <= => >= = > < + - . . / * ^",
      }),
      cells_of({
          ". SET RESET COLOR . . . . . . . . . . . .",
          ". . . . . . . . . . . . . . . .",
          ". . MUSIC TEMPO CURSOR VERIFY CLR LIMIT . . . . . . BOOT",
      }),
      cells_of({
          "INT ABS SIN COS TAN LN EXP SQR RND PEEK ATN SGN LOG . PAI RAD",
          ". . . . . EOF . . . . . . . . JOY .",
          "CHR$ STR$ HEX$ . . . . . . . . ASC LEN VAL . .",
          ". . . ERN ERL SIZE . . . . LEFT$ RIGHT$ MID$ . . .",
          ". . . STRING$ TI$ . . FN",
      }),
  };
  cells.main[0xE4 - 0x80] = "\x83\xCE";  // the Greek pi in Shift_JIS
  return cells;
}

inline KeywordCells hubasic_cells() {
  return {
      cells_of({
          "GOTO GOSUB GO RUN RETURN RESTORE RESUME LIST LLIST DELETE RENUM AUTO EDIT FOR NEXT PRINT",
          "LPRINT INPUT LINPUT IF DATA READ DIM REM END STOP CONT CLS CLEAR ON LET NEW",
          "POKE OFF WHILE WEND REPEAT UNTIL . . TRACE TRON TROFF SPEED . . DEFINT DEFSNG",
          "DEFDBL DEFSTR DEF . LOAD SAVE MERGE CHAIN CONSOLE . OUT SEARCH WAIT PAUSE WRITE SWAP",
          "ERASE ERROR ELSE CALL MON LOCATE MODE KEY PUSH POP LABEL RANDOMIZE OPTION LINE OPEN CLOSE",
          ". FIELD GET PUT SET FILES LFILES DEVICE NAME KILL LSET RSET INIT VDIM MAXFILES .",
          "TO STEP THEN USING SUB BASE TAB SPC EQV IMP XOR OR AND NOT >< <>",
          "=< <= => >= = > < + - MOD \\ / * ^",
      }),
      cells_of({
          ". PSET PRESET COLOR . . . . . . . PLAY . BEEP . .",
          ". . . . CGEN PCOLOR SKIP RLINE MOVE RMOVE PHOME HSET GPRINT AXIS CIRCLE TEST",
          "PLOT PAGE MUSIC TEMPO CURSOR VERIFY CLR LIMIT KLIST . . CLICK BOOT DEVI$ DEVO$",
      }),
      cells_of({
          "INT ABS SIN COS TAN LOG EXP SQR RND PEEK ATN SGN FRAC FIX PAI RAD",
          "INP CDBL CSNG CINT DSKF EOF FPOS LOC LOF POS FAC SUM FRE . JOY .",
          "CHR$ STR$ HEX$ OCT$ BIN$ MKI$ MKS$ MKD$ SPACE$ . . ASC LEN VAL CVS CVD",
          "CVI . . ERR ERL CSRLIN STRPTR DTL . . LEFT$ RIGHT$ MID$ INKEY$ INSTR HEXCHR$",
          "MEM$ SCRN$ VARPTR STRING$ TIME$ . . FN USR . . ATTR$ . CHARACTER$",
      }),
  };
}

inline std::string syntax_error(const char* token) { return std::string("Syntax error in 10 (") + token + ")\n"; }

// Lists a one-line program, line 10, whose body is `body`.
inline void expect_listing(TokenDecoder decoder, const std::string& line_body, const std::string& keyword,
                           const std::string& report) {
  Output out;
  list_program(image_of({{10, line_body}}), out, decoder);
  if (keyword.empty()) {
    EXPECT_EQ(out.text(), "   10 ") << "no keyword expected for " << ::testing::PrintToString(line_body);
    EXPECT_EQ(out.reports(), report);
  } else {
    EXPECT_EQ(out.text(), "   10 " + keyword + "\n");
    EXPECT_EQ(out.reports(), "");
  }
}

// Every main code 80-FD: its keyword, or the report naming the code.
inline void walk_main_table(TokenDecoder decoder, const std::vector<std::string>& keywords) {
  ASSERT_EQ(keywords.size(), 0x7Eu);
  for (unsigned code = 0x80; code <= 0xFD; ++code) {
    char token[8];
    std::snprintf(token, sizeof token, "%02X", code);
    expect_listing(decoder, body({code}), keywords[code - 0x80], syntax_error(token));
  }
}

// Every second byte 00-FF after `prefix`: its keyword, or the report naming
// it, where bytes past the table's last code are named as the code after it.
inline void walk_prefix_table(TokenDecoder decoder, unsigned prefix, const std::vector<std::string>& keywords) {
  const unsigned past_end = 0x80 + static_cast<unsigned>(keywords.size());
  for (unsigned code = 0x00; code <= 0xFF; ++code) {
    const bool in_table = code >= 0x80 && code < past_end;
    char token[8];
    std::snprintf(token, sizeof token, "%02X %02X", prefix, code < past_end ? code : past_end);
    expect_listing(decoder, body({prefix, code}), in_table ? keywords[code - 0x80] : "", syntax_error(token));
  }
}

}  // namespace detoken::testing

#pragma once

// The keywords of both dialects as the tests expect them: one pair per
// keyword, its full code in hexadecimal and its text ("FF B3 ERN"), written
// from the tables' layout by reading each cell's column and not taken from
// the program's arrays. A code of a table that no pair names has no keyword.
// S-BASIC's pi is written in UTF-8 and converted to Shift_JIS by iconv.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tests/image.h"
#include "tests/run_program.h"

namespace detoken::testing {

inline constexpr std::string_view kSBasicPairs[] = {
    // Main table, 80-FD.
    "80 GOTO", "81 GOSUB", "83 RUN", "84 RETURN", "85 RESTORE", "86 RESUME", "87 LIST", "89 DELETE", "8A RENUM",
    "8B AUTO", "8D FOR", "8E NEXT", "8F PRINT", "91 INPUT", "93 IF", "94 DATA", "95 READ", "96 DIM", "97 REM", "98 END",
    "99 STOP", "9A CONT", "9B CLS", "9D ON", "9E LET", "9F NEW", "A0 POKE", "A1 OFF", "A2 MODE", "A3 SKIP", "A4 PLOT",
    "A5 LINE", "A6 RLINE", "A7 MOVE", "A8 RMOVE", "A9 TRON", "AA TROFF", "AB INP#", "AD GET", "AE PCOLOR", "AF PHOME",
    "B0 HSET", "B1 GPRINT", "B2 KEY", "B3 AXIS", "B4 LOAD", "B5 SAVE", "B6 MERGE", "B8 CONSOLE", "BA OUT#", "BB CIRCLE",
    "BC TEST", "BD PAGE", "C0 ERASE", "C1 ERROR", "C3 USR", "C4 BYE", "C7 DEF", "CE WOPEN", "CF CLOSE", "D0 ROPEN",
    "D9 KILL", "E0 TO", "E1 STEP", "E2 THEN", "E3 USING", "E4 π", "E6 TAB", "E7 SPC", "EB OR", "EC AND", "EE ><",
    "EF <>", "F0 =<", "F1 <=", "F2 =>", "F3 >=", "F4 =", "F5 >", "F6 <", "F7 +", "F8 -", "FB /", "FC *", "FD ^",
    // FE table, FE 80-AE.
    "FE 81 SET", "FE 82 RESET", "FE 83 COLOR", "FE A2 MUSIC", "FE A3 TEMPO", "FE A4 CURSOR", "FE A5 VERIFY",
    "FE A6 CLR", "FE A7 LIMIT", "FE AE BOOT",
    // FF table, FF 80-C7.
    "FF 80 INT", "FF 81 ABS", "FF 82 SIN", "FF 83 COS", "FF 84 TAN", "FF 85 LN", "FF 86 EXP", "FF 87 SQR", "FF 88 RND",
    "FF 89 PEEK", "FF 8A ATN", "FF 8B SGN", "FF 8C LOG", "FF 8E PAI", "FF 8F RAD", "FF 95 EOF", "FF 9E JOY",
    "FF A0 CHR$", "FF A1 STR$", "FF A2 HEX$", "FF AB ASC", "FF AC LEN", "FF AD VAL", "FF B3 ERN", "FF B4 ERL",
    "FF B5 SIZE", "FF BA LEFT$", "FF BB RIGHT$", "FF BC MID$", "FF C3 STRING$", "FF C4 TI$", "FF C7 FN"};

inline constexpr std::string_view kHuBasicPairs[] = {
    // Main table, 80-FD.
    "80 GOTO", "81 GOSUB", "82 GO", "83 RUN", "84 RETURN", "85 RESTORE", "86 RESUME", "87 LIST", "88 LLIST",
    "89 DELETE", "8A RENUM", "8B AUTO", "8C EDIT", "8D FOR", "8E NEXT", "8F PRINT", "90 LPRINT", "91 INPUT",
    "92 LINPUT", "93 IF", "94 DATA", "95 READ", "96 DIM", "97 REM", "98 END", "99 STOP", "9A CONT", "9B CLS",
    "9C CLEAR", "9D ON", "9E LET", "9F NEW", "A0 POKE", "A1 OFF", "A2 WHILE", "A3 WEND", "A4 REPEAT", "A5 UNTIL",
    "A8 TRACE", "A9 TRON", "AA TROFF", "AB SPEED", "AE DEFINT", "AF DEFSNG", "B0 DEFDBL", "B1 DEFSTR", "B2 DEF",
    "B4 LOAD", "B5 SAVE", "B6 MERGE", "B7 CHAIN", "B8 CONSOLE", "BA OUT", "BB SEARCH", "BC WAIT", "BD PAUSE",
    "BE WRITE", "BF SWAP", "C0 ERASE", "C1 ERROR", "C2 ELSE", "C3 CALL", "C4 MON", "C5 LOCATE", "C6 MODE", "C7 KEY",
    "C8 PUSH", "C9 POP", "CA LABEL", "CB RANDOMIZE", "CC OPTION", "CD LINE", "CE OPEN", "CF CLOSE", "D1 FIELD",
    "D2 GET", "D3 PUT", "D4 SET", "D5 FILES", "D6 LFILES", "D7 DEVICE", "D8 NAME", "D9 KILL", "DA LSET", "DB RSET",
    "DC INIT", "DD VDIM", "DE MAXFILES", "E0 TO", "E1 STEP", "E2 THEN", "E3 USING", "E4 SUB", "E5 BASE", "E6 TAB",
    "E7 SPC", "E8 EQV", "E9 IMP", "EA XOR", "EB OR", "EC AND", "ED NOT", "EE ><", "EF <>", "F0 =<", "F1 <=", "F2 =>",
    "F3 >=", "F4 =", "F5 >", "F6 <", "F7 +", "F8 -", "F9 MOD", "FA \\", "FB /", "FC *", "FD ^",
    // FE table, FE 80-AE.
    "FE 81 PSET", "FE 82 PRESET", "FE 83 COLOR", "FE 8B PLAY", "FE 8D BEEP", "FE 94 CGEN", "FE 95 PCOLOR", "FE 96 SKIP",
    "FE 97 RLINE", "FE 98 MOVE", "FE 99 RMOVE", "FE 9A PHOME", "FE 9B HSET", "FE 9C GPRINT", "FE 9D AXIS",
    "FE 9E CIRCLE", "FE 9F TEST", "FE A0 PLOT", "FE A1 PAGE", "FE A2 MUSIC", "FE A3 TEMPO", "FE A4 CURSOR",
    "FE A5 VERIFY", "FE A6 CLR", "FE A7 LIMIT", "FE A8 KLIST", "FE AB CLICK", "FE AC BOOT", "FE AD DEVI$",
    "FE AE DEVO$",
    // FF table, FF 80-CD.
    "FF 80 INT", "FF 81 ABS", "FF 82 SIN", "FF 83 COS", "FF 84 TAN", "FF 85 LOG", "FF 86 EXP", "FF 87 SQR", "FF 88 RND",
    "FF 89 PEEK", "FF 8A ATN", "FF 8B SGN", "FF 8C FRAC", "FF 8D FIX", "FF 8E PAI", "FF 8F RAD", "FF 90 INP",
    "FF 91 CDBL", "FF 92 CSNG", "FF 93 CINT", "FF 94 DSKF", "FF 95 EOF", "FF 96 FPOS", "FF 97 LOC", "FF 98 LOF",
    "FF 99 POS", "FF 9A FAC", "FF 9B SUM", "FF 9C FRE", "FF 9E JOY", "FF A0 CHR$", "FF A1 STR$", "FF A2 HEX$",
    "FF A3 OCT$", "FF A4 BIN$", "FF A5 MKI$", "FF A6 MKS$", "FF A7 MKD$", "FF A8 SPACE$", "FF AB ASC", "FF AC LEN",
    "FF AD VAL", "FF AE CVS", "FF AF CVD", "FF B0 CVI", "FF B3 ERR", "FF B4 ERL", "FF B5 CSRLIN", "FF B6 STRPTR",
    "FF B7 DTL", "FF BA LEFT$", "FF BB RIGHT$", "FF BC MID$", "FF BD INKEY$", "FF BE INSTR", "FF BF HEXCHR$",
    "FF C0 MEM$", "FF C1 SCRN$", "FF C2 VARPTR", "FF C3 STRING$", "FF C4 TIME$", "FF C7 FN", "FF C8 USR", "FF CB ATTR$",
    "FF CD CHARACTER$"};

// A dialect's keywords and the codes its reports give to second bytes past
// the FE and FF tables.
struct Vocabulary {
  std::span<const std::string_view> pairs;
  unsigned fe_past_end;
  unsigned ff_past_end;
};

inline constexpr Vocabulary kSBasic = {kSBasicPairs, 0xAF, 0xC8};
inline constexpr Vocabulary kHuBasic = {kHuBasicPairs, 0xAF, 0xCE};

// A code as the pairs and the reports write it: "B3", "FF B3".
inline std::string code_name(unsigned prefix, unsigned code) {
  char name[24];
  if (prefix == 0) std::snprintf(name, sizeof name, "%02X", code);
  if (prefix != 0) std::snprintf(name, sizeof name, "%02X %02X", prefix, code);
  return name;
}

// One token and what the lister makes of it.
struct Token {
  unsigned prefix;      // FE or FF; 0 for a single byte
  unsigned code;        // the single byte, or the byte after the prefix
  std::string keyword;  // in Shift_JIS; empty where the code has none
  unsigned reported;    // the code a syntax error names

  std::string bytes() const { return prefix == 0 ? body({code}) : body({prefix, code}); }
  std::string report() const { return "Syntax error in 10 (" + code_name(prefix, reported) + ")\n"; }
};

// Every code 80-FD and every second byte 00-FF after FE and FF, each with the
// keyword of its pair. Second bytes past a table are reported as the code
// after it; those below 80, as themselves.
inline std::vector<Token> every_token(const Vocabulary& vocabulary) {
  std::map<std::string, std::string, std::less<>> keywords;  // "FF B3" -> "ERN"
  for (const std::string_view pair : vocabulary.pairs) {
    const std::size_t space = pair.rfind(' ');
    keywords.emplace(pair.substr(0, space), shift_jis(pair.substr(space + 1)));
  }
  std::vector<Token> tokens;
  const auto add = [&](unsigned prefix, unsigned code, unsigned reported) {
    const auto found = keywords.find(code_name(prefix, code));
    tokens.push_back({prefix, code, found == keywords.end() ? "" : found->second, reported});
    if (found != keywords.end()) keywords.erase(found);
  };
  for (unsigned code = 0x80; code <= 0xFD; ++code) add(0, code, code);
  for (unsigned code = 0x00; code <= 0xFF; ++code) add(0xFE, code, std::min(code, vocabulary.fe_past_end));
  for (unsigned code = 0x00; code <= 0xFF; ++code) add(0xFF, code, std::min(code, vocabulary.ff_past_end));
  for (const auto& [code, keyword] : keywords) ADD_FAILURE() << "a pair outside the tables: " << code;
  return tokens;
}

}  // namespace detoken::testing

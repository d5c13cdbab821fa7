#pragma once

#include "charsets/encoding.h"

// What the conversions say about what they convert, in the three forms of
// every message (see cli/messages.h).
// clang-format off
namespace detoken::messages {

// What is wrong with a listing, on standard error after "FILE:LINE:COLUMN: ".
inline constexpr Message kMissingLineNumber = {
    "\x8Ds\x94\xD4\x8D\x86\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\n",
    "行番号がありません\n",
    "The line does not start with its number\n"};
inline constexpr Message kLineNumberTooLarge = {
    "\x8Ds\x94\xD4\x8D\x86\x82\xAA\x91\xE5\x82\xAB\x82\xB7\x82\xAC\x82\xDC\x82\xB7(0\x81`65535)\n",
    "行番号が大きすぎます(0～65535)\n",
    "The line number is too large (0 to 65535)\n"};
inline constexpr Message kNoMachineCode = {
    "MZ-700\x82\xC9\x82\xC8\x82\xA2\x95\xB6\x8E\x9A\x82\xC5\x82\xB7: %s\n",
    "MZ-700にない文字です: %s\n",
    "A character the MZ-700 does not have: %s\n"};
inline constexpr Message kLowerCaseNeedsEuropean = {
    "\x89p\x8F\xAC\x95\xB6\x8E\x9A\x82\xCD\x83\x88\x81[\x83\x8D\x83""b\x83p\x94\xC5\x82\xCC\x95\xB6\x8E\x9A\x83Z\x83""b\x83g\x82\xC9\x82\xB5\x82\xA9\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1(-e\x82\xF0\x95t\x82\xAF\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2): %s\n",
    "英小文字はヨーロッパ版の文字セットにしかありません(-eを付けてください): %s\n",
    "Lower-case letters are only in the European character set (give -e): %s\n"};
inline constexpr Message kBadEscape = {
    "{XX}\x82\xCC\x8F\x91\x82\xAB\x95\xFB\x82\xAA\x90\xB3\x82\xB5\x82\xAD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1: %s\n",
    "{XX}の書き方が正しくありません: %s\n",
    "Not the way to write a {XX}: %s\n"};
inline constexpr Message kNotInProgramText = {
    "\x82\xB1\x82\xB1\x82\xC9\x82\xCD\x8F\x91\x82\xAF\x82\xC8\x82\xA2\x95\xB6\x8E\x9A\x82\xC5\x82\xB7: %s\n",
    "ここには書けない文字です: %s\n",
    "A character that cannot stand here: %s\n"};
inline constexpr Message kNumberOutOfRange = {
    "\x90\x94\x92l\x82\xAA\x94\xCD\x88\xCD\x82\xF0\x92\xB4\x82\xA6\x82\xC4\x82\xA2\x82\xDC\x82\xB7: %s\n",
    "数値が範囲を超えています: %s\n",
    "A number out of range: %s\n"};
inline constexpr Message kMalformedNumber = {
    "\x90\x94\x92l\x82\xCC\x8F\x91\x82\xAB\x95\xFB\x82\xAA\x90\xB3\x82\xB5\x82\xAD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1: %s\n",
    "数値の書き方が正しくありません: %s\n",
    "A number not written as one: %s\n"};
inline constexpr Message kLineTooLong = {
    "\x8Ds\x82\xAA\x92\xB7\x82\xB7\x82\xAC\x82\xDC\x82\xB7\n",
    "行が長すぎます\n",
    "The line is too long\n"};
inline constexpr Message kProgramTooLarge = {
    "\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xAA\x91\xE5\x82\xAB\x82\xB7\x82\xAC\x82\xDC\x82\xB7\n",
    "プログラムが大きすぎます\n",
    "The program is too large\n"};
inline constexpr Message kByteOrderMarkInShiftJis = {
    "UTF-8\x82\xCC""BOM\x82\xC5\x8En\x82\xDC\x82\xC1\x82\xC4\x82\xA2\x82\xDC\x82\xB7(UTF-8\x82\xCC\x83\x8A\x83X\x83g\x82\xC9\x82\xCD-u\x82\xF0\x95t\x82\xAF\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2)\n",
    "UTF-8のBOMで始まっています(UTF-8のリストには-uを付けてください)\n",
    "The listing starts with UTF-8's byte-order mark (give -u for a UTF-8 listing)\n"};
inline constexpr Message kNotShiftJis = {
    "Shift_JIS\x82\xCC\x95\xB6\x8E\x9A\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1(UTF-8\x82\xCC\x83\x8A\x83X\x83g\x82\xC9\x82\xCD-u\x82\xF0\x95t\x82\xAF\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2): %s\n",
    "Shift_JISの文字ではありません(UTF-8のリストには-uを付けてください): %s\n",
    "Not a Shift_JIS character (give -u for a UTF-8 listing): %s\n"};
inline constexpr Message kNotUtf8 = {
    "UTF-8\x82\xCC\x95\xB6\x8E\x9A\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1: %s\n",
    "UTF-8の文字ではありません: %s\n",
    "Not a UTF-8 character: %s\n"};
// Said as "FILE: " and the message: it has no line and column.
inline constexpr Message kEmptyListing = {
    "\x83\x8A\x83X\x83g\x82\xC9\x8Ds\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1(\x8B\xF3\x82\xCC\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xCD\x8D\xEC\x82\xE8\x82\xDC\x82\xB9\x82\xF1)\n",
    "リストに行がありません(空のプログラムは作りません)\n",
    "The listing has no line (no empty program is made)\n"};

// What retoken noticed about a listing without refusing it, on standard error after "FILE: ".
inline constexpr Message kLooksLikeUtf8 = {
    "UTF-8\x82\xC5\x95\xDB\x91\xB6\x82\xB3\x82\xEA\x82\xBD\x83\x8A\x83X\x83g\x82\xCC\x82\xE6\x82\xA4\x82\xC5\x82\xB7\x82\xAA\x81""AShift_JIS\x82\xC6\x82\xB5\x82\xC4\x93\xC7\x82\xDD\x82\xDC\x82\xB5\x82\xBD(UTF-8\x82\xC8\x82\xE7-u\x82\xF0\x95t\x82\xAF\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2)\n",
    "UTF-8で保存されたリストのようですが、Shift_JISとして読みました(UTF-8なら-uを付けてください)\n",
    "The listing looks saved in UTF-8, but was read as Shift_JIS (give -u if it is UTF-8)\n"};
inline constexpr Message kLinesEdited = {
    "\x95\xC0\x82\xD7\x91\xD6\x82\xA6\x82\xBD\x8Ds: %d\x81""A\x92u\x82\xAB\x8A\xB7\x82\xA6\x82\xBD\x8Ds: %d\x81""A\x8D\xED\x8F\x9C\x82\xB5\x82\xBD\x8Ds: %d\n",
    "並べ替えた行: %d、置き換えた行: %d、削除した行: %d\n",
    "Lines reordered: %d, replaced: %d, deleted: %d\n"};
inline constexpr Message kLastLineUnended = {
    "\x8D\xC5\x8C\xE3\x82\xCC\x8Ds\x82\xC9\x89\xFC\x8Ds\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1(\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xAA\x93r\x92\x86\x82\xC5\x90\xD8\x82\xEA\x82\xC4\x82\xA2\x82\xE9\x82\xA9\x82\xE0\x82\xB5\x82\xEA\x82\xDC\x82\xB9\x82\xF1)\n",
    "最後の行に改行がありません(プログラムが途中で切れているかもしれません)\n",
    "The last line has no line feed (the program may be cut short)\n"};
inline constexpr Message kProgramExceedsMemory = {
    "\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xAA%d\x83o\x83""C\x83g\x82\xA0\x82\xE8\x81""ABASIC\x82\xCC\x8B\xF3\x82\xAB\x83\x81\x83\x82\x83\x8A%d\x83o\x83""C\x83g\x82\xC9\x93\xFC\x82\xE8\x82\xDC\x82\xB9\x82\xF1\n",
    "プログラムが%dバイトあり、BASICの空きメモリ%dバイトに入りません\n",
    "The program takes %d bytes, more than the %d bytes its BASIC leaves free\n"};

// What is said about a tape, on standard error (detoken's as they stand, retoken's after "LISTING: ").
inline constexpr Message kHeaderOfOption = {
    "\x83w\x83""b\x83_\x82\xCD%s\x82\xCC\x83""e\x81[\x83v\x82\xCC\x82\xE0\x82\xCC\x82\xC5\x82\xB7(%s\x82\xF0\x95t\x82\xAF\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2)\n",
    "ヘッダは%sのテープのものです(%sを付けてください)\n",
    "The header is that of a tape of %s (give %s)\n"};
inline constexpr Message kHeaderOfDefault = {
    "\x83w\x83""b\x83_\x82\xCD%s\x82\xCC\x83""e\x81[\x83v\x82\xCC\x82\xE0\x82\xCC\x82\xC5\x82\xB7(\x83I\x83v\x83V\x83\x87\x83\x93\x82\xF0\x95t\x82\xAF\x82\xB8\x82\xC9\x95\xCF\x8A\xB7\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2)\n",
    "ヘッダは%sのテープのものです(オプションを付けずに変換してください)\n",
    "The header is that of a tape of %s (give no option for it)\n"};
inline constexpr Message kCodeOfOther = {
    "%s\x82\xC5\x82\xCD\x82\xB1\x82\xCC\x83R\x81[\x83h\x82\xCD%s\x82\xC5\x82\xB7(%s\x82\xF0\x95t\x82\xAF\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2)\n",
    "%sではこのコードは%sです(%sを付けてください)\n",
    "In %s this code is %s (give %s)\n"};
inline constexpr Message kTrailingBytes = {
    "\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xCC\x8FI\x82\xED\x82\xE8\x82\xCC\x88\xF3\x82\xCC\x8C\xE3\x82\xC9%d\x83o\x83""C\x83g\x82\xA0\x82\xE8\x82\xDC\x82\xB7(\x83\x8A\x83X\x83g\x82\xC9\x82\xCD\x8Fo\x82\xDC\x82\xB9\x82\xF1)\n",
    "プログラムの終わりの印の後に%dバイトあります(リストには出ません)\n",
    "%d bytes follow the program's end marker (they are not listed)\n"};
inline constexpr Message kLongLines = {
    "MZ-700\x82\xCC\x93\xFC\x97\xCD\x8Ds(255\x95\xB6\x8E\x9A)\x82\xE6\x82\xE8\x92\xB7\x82\xA2\x8Ds\x82\xAA%d\x8Ds\x82\xA0\x82\xE8\x82\xDC\x82\xB7(\x8D\xC5\x8F\x89\x82\xCD\x83\x8A\x83X\x83g\x82\xCC%d\x8Ds\x96\xDA)\n",
    "MZ-700の入力行(255文字)より長い行が%d行あります(最初はリストの%d行目)\n",
    "%d lines are longer than the MZ-700's input line (255 characters) (the first is line %d of the listing)\n"};

// Every message, for the test that checks the forms of each.
inline constexpr const Message* kAllReports[] = {
    &kMissingLineNumber, &kLineNumberTooLarge, &kNoMachineCode, &kLowerCaseNeedsEuropean, &kBadEscape,
    &kNotInProgramText, &kNumberOutOfRange, &kMalformedNumber, &kLineTooLong, &kProgramTooLarge,
    &kByteOrderMarkInShiftJis, &kNotShiftJis, &kNotUtf8, &kEmptyListing, &kLooksLikeUtf8, &kLinesEdited,
    &kLastLineUnended, &kProgramExceedsMemory, &kHeaderOfOption, &kHeaderOfDefault, &kCodeOfOther, &kTrailingBytes,
    &kLongLines,
};

}  // namespace detoken::messages
// clang-format on

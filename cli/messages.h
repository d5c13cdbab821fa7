#pragma once

#include "charsets/encoding.h"

// The console programs' own messages: the usage texts and what they say
// about files and options. Each is written in Shift_JIS (code page 932), the
// programs' own encoding, or in UTF-8 with -u, or in English: the forms of
// the same text stand side by side (a test checks the first two against
// each other with iconv). "%s" stands for a file name or the characters at
// fault, "%c" for an option letter, "%d" for a count.
// Each message's bytes are laid out as written, not as the formatter would.
// clang-format off
namespace detoken::messages {

// detoken's usage text, line by line; its title names every dialect between
// its start and its end (the dialects' own lines are in the registry).
inline constexpr Message kUsageTitleStart = {
    "DETOKEN \x84\x9F ",
    "DETOKEN ─ ",
    "DETOKEN - turns MZT images of "};
inline constexpr Message kUsageTitleEnd = {
    "\x82\xCCMZT\x83""C\x83\x81\x81[\x83W\x82\xF0\x83""e\x83L\x83X\x83g\x82\xC9\x95\xCF\x8A\xB7\x82\xB5\x82\xDC\x82\xB7\n\n",
    "のMZTイメージをテキストに変換します\n\n",
    " programs into text\n\n"};
inline constexpr Message kUsageCall = {
    "\x8Eg\x82\xA2\x95\xFB: DETOKEN [\x83I\x83v\x83V\x83\x87\x83\x93] MZT\x83t\x83@\x83""C\x83\x8B\n",
    "使い方: DETOKEN [オプション] MZTファイル\n",
    "Usage: DETOKEN [options] MZT-file\n"};
// The -o line, which retoken's usage shares.
inline constexpr Message kUsageOutput = {
    "  -oxxx \x8Fo\x97\xCD\x83t\x83@\x83""C\x83\x8B\x96\xBC\n",
    "  -oxxx 出力ファイル名\n",
    "  -oxxx the output file's name\n"};
inline constexpr Message kUsageOutputDefault = {
    "        (\x8F\xC8\x97\xAA\x8E\x9E\x82\xCD\x8Ag\x92\xA3\x8Eq\x82\xF0'.txt'\x82\xC9\x92u\x82\xAB\x8A\xB7\x82\xA6\x82\xBD\x83t\x83@\x83""C\x83\x8B\x96\xBC\x82\xC5\x8Fo\x97\xCD\x82\xB5\x82\xDC\x82\xB7)\n",
    "        (省略時は拡張子を'.txt'に置き換えたファイル名で出力します)\n",
    "        (by default the input's name with its extension replaced by '.txt')\n"};
inline constexpr Message kUsageExact = {
    "  -x    \x8E\xC0\x90\x94\x82\xF0\x81""A\x83""e\x81[\x83v\x82\xC9\x96\xDF\x82\xB5\x82\xBD\x82\xC6\x82\xAB\x93\xAF\x82\xB6\x92l\x82\xC9\x82\xC8\x82\xE9\x8C\x85\x90\x94\x82\xC5\x8F\x91\x82\xAD\n",
    "  -x    実数を、テープに戻したとき同じ値になる桁数で書く\n",
    "  -x    write reals with as many digits as give the same value back on tape\n"};
inline constexpr Message kUsageEuropean = {
    "  -e    \x83\x88\x81[\x83\x8D\x83""b\x83p\x94\xC5\x82\xCC\x95\xB6\x8E\x9A\x83Z\x83""b\x83g\x82\xC5\x95\xCF\x8A\xB7\x82\xB7\x82\xE9(\x89p\x8F\xAC\x95\xB6\x8E\x9A\x82\xC8\x82\xC7)\n",
    "  -e    ヨーロッパ版の文字セットで変換する(英小文字など)\n",
    "  -e    use the European version's character set (lower-case letters and more)\n"};
inline constexpr Message kUsageUtf8 = {
    "  -u    \x83\x8A\x83X\x83g\x82\xC6\x83\x81\x83""b\x83Z\x81[\x83W\x82\xF0UTF-8\x82\xC5\x8F\x91\x82\xAD\n",
    "  -u    リストとメッセージをUTF-8で書く\n",
    "  -u    write the listing and the messages in UTF-8\n"};
// The -l line, which retoken's usage shares.
inline constexpr Message kUsageEnglish = {
    "  -l    \x83\x81\x83""b\x83Z\x81[\x83W\x82\xF0\x89p\x8C\xEA\x82\xC5\x8F\x91\x82\xAD(\x8A\xC2\x8B\xAB\x95\xCF\x90\x94""DETOKEN_LANG=en\x82\xC6\x93\xAF\x82\xB6)\n",
    "  -l    メッセージを英語で書く(環境変数DETOKEN_LANG=enと同じ)\n",
    "  -l    write the messages in English (as DETOKEN_LANG=en in the environment does)\n"};
inline constexpr Message kUsagePart = {
    "  -pN   \x98^\x89\xB9\x82\xCCN\x94\xD4\x96\xDA\x82\xCC\x83t\x83@\x83""C\x83\x8B\x82\xF0\x95\xCF\x8A\xB7\x82\xB7\x82\xE9(\x8F\xC8\x97\xAA\x8E\x9E\x82\xCD""1\x94\xD4\x96\xDA)\n",
    "  -pN   録音のN番目のファイルを変換する(省略時は1番目)\n",
    "  -pN   take the N-th file of a recording (the first by default)\n"};
inline constexpr Message kUsageForms = {
    "  MZT\x83t\x83@\x83""C\x83\x8B\x82\xCC\x91\xE3\x82\xED\x82\xE8\x82\xC9\x83""e\x81[\x83v\x82\xCCWAV\x98^\x89\xB9\x82\xE0\x93\xC7\x82\xDF\x82\xDC\x82\xB7\x81""B-o\x82\xCC\x96\xBC\x91O\x82\xAA.wav\x82\xC8\x82\xE7\x98^\x89\xB9\x82\xF0\x81""A\n  .mzt/.mzf\x82\xC8\x82\xE7\x83""C\x83\x81\x81[\x83W\x82\xF0\x8F\x91\x82\xAB\x82\xDC\x82\xB7\n",
    "  MZTファイルの代わりにテープのWAV録音も読めます。-oの名前が.wavなら録音を、\n  .mzt/.mzfならイメージを書きます\n",
    "  The file may be a WAV recording of the tape; -o with a name ending in .wav\n  writes a recording, in .mzt or .mzf an image\n"};

// What both programs say about files and options.
inline constexpr Message kNameTooLong = {
    "\x8Fo\x97\xCD\x83t\x83@\x83""C\x83\x8B\x96\xBC\x82\xAA\x92\xB7\x82\xB7\x82\xAC\x82\xDC\x82\xB7\n",
    "出力ファイル名が長すぎます\n",
    "The output file's name is too long\n"};
inline constexpr Message kInvalidOption = {
    "\x96\xB3\x8C\xF8\x82\xC8\x83I\x83v\x83V\x83\x87\x83\x93: -%c\n",
    "無効なオプション: -%c\n",
    "Invalid option: -%c\n"};
inline constexpr Message kReadFailed = {
    "'%s'\x82\xCC\x93\xC7\x82\xDD\x8D\x9E\x82\xDD\x82\xC9\x8E\xB8\x94s\x82\xB5\x82\xDC\x82\xB5\x82\xBD\n",
    "'%s'の読み込みに失敗しました\n",
    "Reading '%s' failed\n"};
inline constexpr Message kNoMemory = {
    "\x83\x81\x83\x82\x83\x8A\x82\xAA\x8Am\x95\xDB\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\n",
    "メモリが確保できません\n",
    "Memory cannot be allocated\n"};
// In Japanese this one has no line break.
inline constexpr Message kCannotCreate = {
    "\x8F\x91\x82\xAB\x8D\x9E\x82\xDD\x83t\x83@\x83""C\x83\x8B'%s'\x82\xAA\x8F\x80\x94\xF5\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1",
    "書き込みファイル'%s'が準備できません",
    "The output file '%s' cannot be prepared\n"};
inline constexpr Message kWritten = {
    "'%s'\x82\xF0\x8Fo\x97\xCD\x82\xB5\x82\xDC\x82\xB5\x82\xBD\n",
    "'%s'を出力しました\n",
    "'%s' written\n"};
inline constexpr Message kSameAsInput = {
    "\x8Fo\x97\xCD\x83t\x83@\x83""C\x83\x8B'%s'\x82\xCD\x93\xFC\x97\xCD\x83t\x83@\x83""C\x83\x8B\x82\xC6\x93\xAF\x82\xB6\x82\xC5\x82\xB7\n",
    "出力ファイル'%s'は入力ファイルと同じです\n",
    "The output file '%s' is the input file itself\n"};
inline constexpr Message kWriteFailed = {
    "'%s'\x82\xCC\x8F\x91\x82\xAB\x8D\x9E\x82\xDD\x82\xC9\x8E\xB8\x94s\x82\xB5\x82\xDC\x82\xB5\x82\xBD\n",
    "'%s'の書き込みに失敗しました\n",
    "Writing '%s' failed\n"};

// retoken's usage text; it shares the -o and -l lines with detoken's.
inline constexpr Message kRetokenUsageTitleStart = {
    "RETOKEN \x84\x9F \x83""e\x83L\x83X\x83g\x82\xF0",
    "RETOKEN ─ テキストを",
    "RETOKEN - turns text back into MZT images of "};
inline constexpr Message kRetokenUsageTitleEnd = {
    "\x82\xCCMZT\x83""C\x83\x81\x81[\x83W\x82\xC9\x96\xDF\x82\xB5\x82\xDC\x82\xB7\n\n",
    "のMZTイメージに戻します\n\n",
    " programs\n\n"};
inline constexpr Message kRetokenUsageCall = {
    "\x8Eg\x82\xA2\x95\xFB: RETOKEN [\x83I\x83v\x83V\x83\x87\x83\x93] \x83""e\x83L\x83X\x83g\x83t\x83@\x83""C\x83\x8B\n",
    "使い方: RETOKEN [オプション] テキストファイル\n",
    "Usage: RETOKEN [options] text-file\n"};
inline constexpr Message kRetokenUsageOutputDefault = {
    "        (\x8F\xC8\x97\xAA\x8E\x9E\x82\xCD\x8Ag\x92\xA3\x8Eq\x82\xF0'.mzt'\x82\xC9\x92u\x82\xAB\x8A\xB7\x82\xA6\x82\xBD\x83t\x83@\x83""C\x83\x8B\x96\xBC\x82\xC5\x8Fo\x97\xCD\x82\xB5\x82\xDC\x82\xB7)\n",
    "        (省略時は拡張子を'.mzt'に置き換えたファイル名で出力します)\n",
    "        (by default the listing's name with its extension replaced by '.mzt')\n"};
inline constexpr Message kRetokenUsageName = {
    "  -nxxx \x83""e\x81[\x83v\x82\xC9\x8BL\x98^\x82\xB7\x82\xE9\x83v\x83\x8D\x83O\x83\x89\x83\x80\x96\xBC\n",
    "  -nxxx テープに記録するプログラム名\n",
    "  -nxxx the program's name on the tape\n"};
inline constexpr Message kRetokenUsageNameDefault = {
    "        (\x8F\xC8\x97\xAA\x8E\x9E\x82\xCD\x83t\x83@\x83""C\x83\x8B\x96\xBC\x82\xA9\x82\xE7\x8Ag\x92\xA3\x8Eq\x82\xF0\x8F\x9C\x82\xA2\x82\xC4\x91\xE5\x95\xB6\x8E\x9A\x82\xC9\x82\xB5\x82\xBD\x82\xE0\x82\xCC)\n",
    "        (省略時はファイル名から拡張子を除いて大文字にしたもの)\n",
    "        (by default the file's name without its extension, in upper case)\n"};
inline constexpr Message kRetokenUsageReplace = {
    "  -f    \x93\xAF\x82\xB6\x96\xBC\x91O\x82\xCC\x83t\x83@\x83""C\x83\x8B\x82\xAA\x82\xA0\x82\xEA\x82\xCE\x92u\x82\xAB\x8A\xB7\x82\xA6\x82\xE9\n",
    "  -f    同じ名前のファイルがあれば置き換える\n",
    "  -f    replace a file already at the output name\n"};
inline constexpr Message kRetokenUsageExact = {
    "  -x    (detoken\x82\xCC-x\x82\xC6\x93\xAF\x82\xB6\x8Ew\x92\xE8\x81""B\x8E\xC0\x90\x94\x82\xCD\x82\xA2\x82\xC2\x82\xE0\x8F\x91\x82\xA9\x82\xEA\x82\xBD\x8C\x85\x82\xCC\x82\xDC\x82\xDC\x93\xC7\x82\xDE)\n",
    "  -x    (detokenの-xと同じ指定。実数はいつも書かれた桁のまま読む)\n",
    "  -x    (as detoken's -x: reals are always read with every digit written)\n"};
inline constexpr Message kRetokenUsageEuropean = {
    "  -e    \x83\x88\x81[\x83\x8D\x83""b\x83p\x94\xC5\x82\xCC\x95\xB6\x8E\x9A\x83Z\x83""b\x83g\x82\xC5\x93\xC7\x82\xDE(\x89p\x8F\xAC\x95\xB6\x8E\x9A\x82\xC8\x82\xC7)\n",
    "  -e    ヨーロッパ版の文字セットで読む(英小文字など)\n",
    "  -e    read the European version's character set (lower-case letters and more)\n"};
inline constexpr Message kRetokenUsageUtf8 = {
    "  -u    UTF-8\x82\xCC\x83\x8A\x83X\x83g\x82\xF0\x93\xC7\x82\xDD\x81""A\x83\x81\x83""b\x83Z\x81[\x83W\x82\xF0UTF-8\x82\xC5\x8F\x91\x82\xAD\n",
    "  -u    UTF-8のリストを読み、メッセージをUTF-8で書く\n",
    "  -u    read a UTF-8 listing, and write the messages in UTF-8\n"};
inline constexpr Message kRetokenUsageTape = {
    "  -txxx \x83""e\x81[\x83v\x83""C\x83\x81\x81[\x83W\x82\xCC\x83w\x83""b\x83_\x82\xF0\x88\xF8\x82\xAB\x8Cp\x82\xAE(-o\x82\xAA\x82\xC8\x82\xAF\x82\xEA\x82\xCE\x82\xBB\x82\xCC\x83""e\x81[\x83v\x82\xF0\x92u\x82\xAB\x8A\xB7\x82\xA6\x82\xE9)\n",
    "  -txxx テープイメージのヘッダを引き継ぐ(-oがなければそのテープを置き換える)\n",
    "  -txxx keep the header of the tape xxx (and replace that tape unless -o is given)\n"};
inline constexpr Message kRetokenUsagePart = {
    "  -pN   -t\x82\xCC\x98^\x89\xB9\x82\xCCN\x94\xD4\x96\xDA\x82\xCC\x83t\x83@\x83""C\x83\x8B\x82\xF0\x88\xF8\x82\xAB\x8Cp\x82\xAE(\x8F\xC8\x97\xAA\x8E\x9E\x82\xCD""1\x94\xD4\x96\xDA)\n",
    "  -pN   -tの録音のN番目のファイルを引き継ぐ(省略時は1番目)\n",
    "  -pN   take the N-th file of the -t recording (the first by default)\n"};
inline constexpr Message kRetokenUsageForms = {
    "  -o\x82\xCC\x96\xBC\x91O\x82\xAA.wav\x82\xC8\x82\xE7\x8B@\x8A""B\x82\xAA\x93\xC7\x82\xDD\x8D\x9E\x82\xDF\x82\xE9\x98^\x89\xB9\x82\xF0\x8F\x91\x82\xAB\x82\xDC\x82\xB7\x81""B-t\x82\xC9\x82\xCDWAV\x82\xCC\x98^\x89\xB9\x82\xE0\x8Eg\x82\xA6\x82\xDC\x82\xB7\n",
    "  -oの名前が.wavなら機械が読み込める録音を書きます。-tにはWAVの録音も使えます\n",
    "  -o with a name ending in .wav writes a recording the machine loads; -t takes\n  a WAV recording too\n"};

// retoken's own messages about files and names.
inline constexpr Message kOutputExists = {
    "'%s'\x82\xCD\x8A\xF9\x82\xC9\x82\xA0\x82\xE8\x82\xDC\x82\xB7(\x92u\x82\xAB\x8A\xB7\x82\xA6\x82\xE9\x82\xC9\x82\xCD-f\x82\xF0\x95t\x82\xAF\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2)\n",
    "'%s'は既にあります(置き換えるには-fを付けてください)\n",
    "'%s' is already there (give -f to replace it)\n"};
inline constexpr Message kBadTapeName = {
    "\x83""e\x81[\x83v\x82\xC9\x8BL\x98^\x82\xC5\x82\xAB\x82\xC8\x82\xA2\x96\xBC\x91O\x82\xC5\x82\xB7: %s\n",
    "テープに記録できない名前です: %s\n",
    "A name that cannot go on tape: %s\n"};
inline constexpr Message kNotATape = {
    "'%s'\x82\xCD\x83""e\x81[\x83v\x83""C\x83\x81\x81[\x83W\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\n",
    "'%s'はテープイメージではありません\n",
    "'%s' is not a tape image\n"};
inline constexpr Message kNoTapeRecorded = {
    "'%s'\x82\xCC\x98^\x89\xB9\x82\xC9\x82\xCD\x83""e\x81[\x83v\x82\xCC\x8BL\x98^\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1\n",
    "'%s'の録音にはテープの記録が見つかりません\n",
    "No tape was found in the recording '%s'\n"};
inline constexpr Message kNotAWav = {
    "'%s'\x82\xCDWAV\x83t\x83@\x83""C\x83\x8B\x82\xC6\x82\xB5\x82\xC4\x93\xC7\x82\xDF\x82\xDC\x82\xB9\x82\xF1(%s)\n",
    "'%s'はWAVファイルとして読めません(%s)\n",
    "'%s' cannot be read as a WAV file (%s)\n"};
inline constexpr Message kNoSuchFile = {
    "'%s'\x82\xCC\x98^\x89\xB9\x82\xC9\x82\xCD\x83t\x83@\x83""C\x83\x8B\x82\xAA%d\x8C\xC2\x82\xB5\x82\xA9\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\n",
    "'%s'の録音にはファイルが%d個しかありません\n",
    "The recording '%s' holds only %d file(s)\n"};
inline constexpr Message kRecordingHoldsMore = {
    "'%s'\x82\xC9\x82\xCD%d\x8C\xC2\x82\xCC\x83t\x83@\x83""C\x83\x8B\x82\xAA\x98^\x89\xB9\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xE9\x82\xCC\x82\xC5\x92u\x82\xAB\x8A\xB7\x82\xA6\x82\xDC\x82\xB9\x82\xF1(-o\x82\xC5\x95\xCA\x82\xCC\x83t\x83@\x83""C\x83\x8B\x82\xC9\x8F\x91\x82\xA2\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2)\n",
    "'%s'には%d個のファイルが録音されているので置き換えません(-oで別のファイルに書いてください)\n",
    "'%s' holds %d recorded files: it is not written over (give -o to write elsewhere)\n"};

// Why a WAV file cannot be read, the last value of kNotAWav.
inline constexpr Message kWavNotRiff = {
    "RIFF/WAVE\x82\xC5\x8En\x82\xDC\x82\xC1\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1",
    "RIFF/WAVEで始まっていません",
    "it does not start with RIFF and WAVE"};
inline constexpr Message kWavRf64 = {
    "RF64(4GB\x82\xF0\x92\xB4\x82\xA6\x82\xE9WAV)\x82\xCC\x8C`\x8E\xAE\x82\xC5\x82\xB7",
    "RF64(4GBを超えるWAV)の形式です",
    "it is an RF64 file, a WAV of 64-bit sizes, which is not read"};
inline constexpr Message kWavNoFormat = {
    "\x83T\x83\x93\x83v\x83\x8B\x82\xCC\x91O\x82\xC9""fmt\x83`\x83\x83\x83\x93\x83N\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1",
    "サンプルの前にfmtチャンクがありません",
    "no fmt chunk comes before the samples"};
inline constexpr Message kWavFormatCut = {
    "fmt\x83`\x83\x83\x83\x93\x83N\x82\xAA\x93r\x92\x86\x82\xC5\x90\xD8\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB7",
    "fmtチャンクが途中で切れています",
    "the fmt chunk is cut short"};
inline constexpr Message kWavAbsurdFormatSize = {
    "fmt\x83`\x83\x83\x83\x93\x83N\x82\xCC\x91\xE5\x82\xAB\x82\xB3\x82\xAA\x88\xD9\x8F\xED\x82\xC5\x82\xB7",
    "fmtチャンクの大きさが異常です",
    "the fmt chunk's size is absurd"};
inline constexpr Message kWavUnsupportedFormat = {
    "PCM\x82\xC5\x82\xE0\x95\x82\x93\xAE\x8F\xAC\x90\x94\x93_\x82\xC5\x82\xE0\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1",
    "PCMでも浮動小数点でもありません",
    "the samples are neither PCM nor floating point"};
inline constexpr Message kWavUnsupportedBits = {
    "\x83T\x83\x93\x83v\x83\x8B\x82\xCC\x83r\x83""b\x83g\x90\x94\x82\xC9\x91\xCE\x89\x9E\x82\xB5\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1",
    "サンプルのビット数に対応していません",
    "its sample size is not one that is read (8, 16, 24 or 32 bits for integers, 32 or 64 for floats)"};
inline constexpr Message kWavNoChannels = {
    "\x83`\x83\x83\x83\x93\x83l\x83\x8B\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1",
    "チャンネルがありません",
    "it has no channels"};
inline constexpr Message kWavTooManyChannels = {
    "\x83`\x83\x83\x83\x93\x83l\x83\x8B\x82\xAA\x91\xBD\x82\xB7\x82\xAC\x82\xDC\x82\xB7",
    "チャンネルが多すぎます",
    "it has too many channels"};
inline constexpr Message kWavNoRate = {
    "\x83T\x83\x93\x83v\x83\x8A\x83\x93\x83O\x8E\xFC\x94g\x90\x94\x82\xAA""0\x82\xC5\x82\xB7",
    "サンプリング周波数が0です",
    "its sample rate is 0"};
inline constexpr Message kWavUnsupportedRate = {
    "\x83T\x83\x93\x83v\x83\x8A\x83\x93\x83O\x8E\xFC\x94g\x90\x94\x82\xAA""11025\x81`96000Hz\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1",
    "サンプリング周波数が11025～96000Hzではありません",
    "its sample rate is not 11025 to 96000 Hz"};
inline constexpr Message kWavBadBlockAlign = {
    "\x83u\x83\x8D\x83""b\x83N\x82\xCC\x91\xE5\x82\xAB\x82\xB3\x82\xAA\x83`\x83\x83\x83\x93\x83l\x83\x8B\x82\xC6\x83r\x83""b\x83g\x90\x94\x82\xC9\x8D\x87\x82\xA2\x82\xDC\x82\xB9\x82\xF1",
    "ブロックの大きさがチャンネルとビット数に合いません",
    "its block align does not fit its channels and bits"};
inline constexpr Message kWavChunkPastEnd = {
    "\x83`\x83\x83\x83\x93\x83N\x82\xAA\x83t\x83@\x83""C\x83\x8B\x82\xCC\x8FI\x82\xED\x82\xE8\x82\xF0\x89z\x82\xA6\x82\xC4\x82\xA2\x82\xDC\x82\xB7",
    "チャンクがファイルの終わりを越えています",
    "a chunk runs past the end of the file"};
inline constexpr Message kWavNoData = {
    "data\x83`\x83\x83\x83\x93\x83N\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1",
    "dataチャンクがありません",
    "it has no data chunk"};
inline constexpr Message kNotABasicTape = {
    "'%s'\x82\xCD""BASIC\x82\xCC\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xCC\x83""e\x81[\x83v\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\n",
    "'%s'はBASICのプログラムのテープではありません\n",
    "'%s' is not a tape of a BASIC program\n"};

inline constexpr Message kDamagedTape = {
    "'%s'\x82\xCC\x8BL\x98^\x82\xAA\x89\xF3\x82\xEA\x82\xC4\x82\xA2\x82\xE9\x82\xCC\x82\xC5\x92u\x82\xAB\x8A\xB7\x82\xA6\x82\xDC\x82\xB9\x82\xF1(-o\x82\xC5\x95\xCA\x82\xCC\x83t\x83@\x83""C\x83\x8B\x82\xC9\x8F\x91\x82\xA2\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2)\n",
    "'%s'の記録が壊れているので置き換えません(-oで別のファイルに書いてください)\n",
    "'%s' is damaged: it is not written over (give -o to write elsewhere)\n"};
inline constexpr Message kNotWholeProgram = {
    "'%s'\x82\xCC\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xCD%s\x82\xCC\x83v\x83\x8D\x83O\x83\x89\x83\x80\x82\xC6\x82\xB5\x82\xC4\x8D\xC5\x8C\xE3\x82\xDC\x82\xC5\x93\xC7\x82\xDF\x82\xC8\x82\xA2\x82\xCC\x82\xC5\x92u\x82\xAB\x8A\xB7\x82\xA6\x82\xDC\x82\xB9\x82\xF1(-o\x82\xC5\x95\xCA\x82\xCC\x83t\x83@\x83""C\x83\x8B\x82\xC9\x8F\x91\x82\xA2\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2)\n",
    "'%s'のプログラムは%sのプログラムとして最後まで読めないので置き換えません(-oで別のファイルに書いてください)\n",
    "'%s' holds no whole program of %s: it is not written over (give -o to write elsewhere)\n"};

inline constexpr Message kNotRecordable = {
    "'%s'\x82\xCD\x8A\xAE\x91S\x82\xC8\x83""e\x81[\x83v\x83""C\x83\x81\x81[\x83W\x82\xC5\x82\xCD\x82\xC8\x82\xA2\x82\xCC\x82\xC5\x81""A\x98^\x89\xB9\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\n",
    "'%s'は完全なテープイメージではないので、録音できません\n",
    "'%s' is not a whole tape image: it cannot be recorded\n"};

// Every message, for the test that checks the forms of each.
inline constexpr const Message* kAll[] = {
    &kUsageTitleStart, &kUsageTitleEnd, &kUsageCall, &kUsageOutput, &kUsageOutputDefault, &kUsageExact,
    &kUsageEuropean, &kUsageUtf8, &kUsageEnglish, &kUsagePart, &kUsageForms, &kNameTooLong, &kInvalidOption, &kReadFailed,
    &kNoMemory, &kCannotCreate, &kWritten, &kSameAsInput, &kWriteFailed, &kRetokenUsageTitleStart,
    &kRetokenUsageTitleEnd, &kRetokenUsageCall, &kRetokenUsageOutputDefault, &kRetokenUsageName,
    &kRetokenUsageNameDefault, &kRetokenUsageReplace, &kRetokenUsageExact, &kRetokenUsageEuropean, &kRetokenUsageUtf8,
    &kRetokenUsageTape, &kRetokenUsagePart, &kRetokenUsageForms, &kOutputExists, &kBadTapeName, &kNotATape, &kNoTapeRecorded, &kNotAWav,
    &kNoSuchFile, &kRecordingHoldsMore, &kWavNotRiff, &kWavRf64, &kWavNoFormat, &kWavFormatCut, &kWavAbsurdFormatSize,
    &kWavUnsupportedFormat, &kWavUnsupportedBits, &kWavNoChannels, &kWavTooManyChannels, &kWavNoRate,
    &kWavUnsupportedRate, &kWavBadBlockAlign, &kWavChunkPastEnd, &kWavNoData, &kNotABasicTape, &kDamagedTape, &kNotWholeProgram, &kNotRecordable,
};

}  // namespace detoken::messages
// clang-format on

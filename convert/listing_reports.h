#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "charsets/encoding.h"
#include "format/dialects/dialect.h"
#include "tokenizer/tokenizer.h"

// What is said about a listing being made into a tape (on standard error),
// as text in the wording, each line ended by "\n"; empty when there is
// nothing to say. Every line starts with the listing's name.
namespace detoken {

struct ListingReports {
  std::string_view listing_name;
  Wording wording;
};

// "LISTING:LINE:COLUMN: " and what is wrong, with the characters at fault
// ("LISTING: " for a fault of the whole listing).
std::string fault_report(const ListingReports& reports, const ListingFault& fault);

// "LISTING: " and what reading it noticed: that it looks like UTF-8 (even
// when it was refused: that is most likely why), and when it was `read`, the
// lines edited, a last line without a line feed, lines the machine's input
// line does not take.
std::string notes_report(const ListingReports& reports, const ListingNotes& notes, bool read);

// "LISTING: " and a program larger than the dialect's BASIC leaves free.
std::string size_report(const ListingReports& reports, Dialect dialect, std::size_t program_size);

}  // namespace detoken

#pragma once

#include <cstddef>
#include <string>

#include "cli/options.h"
#include "tokenizer/tokenizer.h"

// What retoken says about a listing (on standard error), as text in the
// console's encoding, each line ended by "\n"; empty when there is nothing
// to say.
namespace detoken {

// "LISTING:LINE:COLUMN: " and what is wrong, with the characters at fault
// ("LISTING: " for a fault of the whole listing).
std::string fault_report(const RunOptions& options, const ListingFault& fault);

// "LISTING: " and what reading it noticed: that it looks like UTF-8 (even
// when it was refused: that is most likely why), and when it was `read`, the
// lines edited, a last line without a line feed, lines the machine's input
// line does not take.
std::string notes_report(const RunOptions& options, const ListingNotes& notes, bool read);

// "LISTING: " and a program larger than the dialect's BASIC leaves free.
std::string size_report(const RunOptions& options, std::size_t program_size);

}  // namespace detoken

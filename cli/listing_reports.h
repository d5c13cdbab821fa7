#pragma once

#include <cstddef>

#include "cli/options.h"
#include "tokenizer/tokenizer.h"

// What retoken says about a listing, on standard error.
namespace detoken {

// "LISTING:LINE:COLUMN: " and what is wrong, with the characters at fault
// ("LISTING: " for a fault of the whole listing).
void report_fault(const RunOptions& options, const ListingFault& fault);

// "LISTING: " and what reading it noticed: that it looks like UTF-8 (even
// when it was refused: that is most likely why), and when it was `read`, the
// lines edited, a last line without a line feed, lines the machine's input
// line does not take.
void report_notes(const RunOptions& options, const ListingNotes& notes, bool read);

// "LISTING: " and a program larger than the dialect's BASIC leaves free.
void report_size(const RunOptions& options, std::size_t program_size);

}  // namespace detoken

#pragma once

#include "lister/line_walker.h"

namespace detoken {

enum class Dialect { SBasic, HuBasic };

// The decoder that lists programs of `dialect`.
TokenDecoder decoder_for(Dialect dialect);

}  // namespace detoken

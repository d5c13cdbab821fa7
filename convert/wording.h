#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "charsets/encoding.h"

namespace detoken {

// `message` as `wording` writes it, its placeholders ("%s", "%c", "%d")
// replaced by `values` in turn.
std::string format(const Message& message, const Wording& wording, std::initializer_list<std::string_view> values = {});

}  // namespace detoken

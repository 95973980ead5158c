// Rules for the texts that the model stores.
//
// The module file is line-based: names and short values are written raw on
// one line, inside brackets or parentheses, while free texts (descriptions,
// code, general information) go into compact blocks and may hold anything.
// These predicates are the gatekeepers for the raw texts.
#pragma once

#include <string_view>

namespace orven::model {

// A raw text fits on one line of a module file: it holds no line feed and no
// carriage return.
bool isRawText(std::string_view text);

// A module, group or service name (also a conceptual unit's or an
// application's): a raw text without "[" and "]". The empty name is allowed.
bool isValidName(std::string_view name);

// The description rule: at least 32 bytes long, and the share of spaces
// (byte 32 only) greater than 0 and at most 0.33.
bool isValidDescription(std::string_view description);

}  // namespace orven::model

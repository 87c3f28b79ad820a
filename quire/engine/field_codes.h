// Reading a field's code: its keyword and the argument of a switch.
#pragma once

#include <string>

namespace quire {

// The field's keyword in capitals ("PAGE", "DATE"...): its first word.
std::string field_keyword(const std::string& code);

// The argument of switch `\<name>` (such as `\@ "dd/MM/yy"`), without its
// quotes; empty when the code has no such switch.
std::string field_argument(const std::string& code, char name);

}  // namespace quire

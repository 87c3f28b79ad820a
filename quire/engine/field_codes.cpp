#include "field_codes.h"

#include <cctype>

namespace quire {

std::string field_keyword(const std::string& code) {
  size_t at = code.find_first_not_of(' ');
  std::string word;
  for (; at < code.size() && code[at] != ' ' && code[at] != '\\'; ++at)
    word.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(code[at]))));
  return word;
}

std::string field_argument(const std::string& code, char name) {
  const size_t found = code.find(std::string{'\\', name});
  if (found == std::string::npos) return {};
  size_t at = code.find_first_not_of(' ', found + 2);
  if (at == std::string::npos) return {};
  // A quoted argument runs to its closing quote (or the end of a cut code), a bare one to the next space.
  const bool quoted = code[at] == '"';
  if (quoted) ++at;
  const size_t end = code.find(quoted ? '"' : ' ', at);
  return code.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

}  // namespace quire

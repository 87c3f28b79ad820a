#include "document_info.h"

#include <glib.h>

#include <cstdio>
#include <utility>
#include <vector>

namespace quire_export {
namespace {

std::vector<std::pair<const char*, const std::string*>> fields_of(const quire::Document& doc) {
  const quire::DocumentProperties& p = doc.properties;
  return {{"Title", &p.title},     {"Subject", &p.subject},         {"Author", &p.author},
          {"Company", &p.company}, {"Application", &p.app_name}, {"Language", &doc.language}};
}

// Property texts come from the file: invalid UTF-8 becomes U+FFFD so the
// report is always valid text.
std::string valid_utf8(const std::string& text) {
  gchar* valid = g_utf8_make_valid(text.data(), gssize(text.size()));
  std::string result(valid);
  g_free(valid);
  return result;
}

// One line per value: line breaks inside a property would start a false line.
std::string one_line(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  return text;
}

std::string json_string(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", u);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string lower(const char* name) {
  std::string text(name);
  for (char& c : text) c = char(g_ascii_tolower(c));
  return text;
}

}  // namespace

std::string info_lines(const quire::Document& doc) {
  std::string out;
  for (const auto& [name, value] : fields_of(doc)) out += std::string(name) + ": " + one_line(valid_utf8(*value)) + "\n";
  return out + "Pages: " + std::to_string(doc.page_count()) + "\n";
}

std::string info_json(const quire::Document& doc) {
  std::string out = "{";
  for (const auto& [name, value] : fields_of(doc)) out += json_string(lower(name)) + ": " + json_string(valid_utf8(*value)) + ", ";
  return out + "\"pages\": " + std::to_string(doc.page_count()) + "}\n";
}

}  // namespace quire_export

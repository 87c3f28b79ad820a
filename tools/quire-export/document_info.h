// The --info report: a document's properties and page count, as plain
// "Name: value" lines or as one JSON object.
#pragma once

#include <string>

#include "engine/document.h"

namespace quire_export {

std::string info_lines(const quire::Document& doc);
std::string info_json(const quire::Document& doc);

}  // namespace quire_export

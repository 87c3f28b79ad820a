// Opens a document the fixture writer made, failing the test when the engine
// refuses it.
#pragma once

#include <gtest/gtest.h>

#include "doc_writer.h"
#include "engine/document.h"

namespace quire_test {

inline quire::Document open_plan(const DocPlan& plan) {
  const Bytes bytes = write_doc(plan);
  quire::Document doc;
  EXPECT_EQ(quire::open_document_memory(doc, bytes.data(), bytes.size()), quire::OPEN_OK);
  return doc;
}

}  // namespace quire_test

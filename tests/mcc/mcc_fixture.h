// Shared by the vellum.mcc tests: picture files, a partner object that
// records what it is told, and access to an object's instance data.
#pragma once

#include <gtest/gtest.h>

#include <mui/Vellum_mcc.h>

#include <string>
#include <utility>
#include <vector>

#include "mcc/vellum_class.h"
#include "mui_test_support.h"

namespace mcc_test {

// Pure red as the renderer paints it: colours reach cairo as byte / 256.
constexpr uint32_t RED = 0xFFFE0000;

// A placeable picture of width x height units whose left half is a solid
// red rectangle and whose right half is left unpainted; its path.
std::string write_half_red_picture(const std::string& name, int width, int height);

// A temporary folder for this test program's files.
std::string scratch_folder();

// Everything a partner object was told, in order: attribute or method
// identifier and value.
using Told = std::vector<std::pair<ULONG, IPTR>>;

class Partner {
 public:
  Partner();
  ~Partner();
  Object* object() const { return object_; }
  const Told& told() const;

 private:
  struct MUI_CustomClass* mcc_ = nullptr;
  Object* object_ = nullptr;
};

inline vellum_mcc::VellumData* instance(Object* obj) {
  return static_cast<vellum_mcc::VellumData*>(INST_DATA(OCLASS(obj), obj));
}

inline IPTR get(Object* obj, ULONG attr) {
  IPTR value = 0;
  GetAttr(attr, obj, &value);
  return value;
}

class VellumTest : public ::testing::Test {
 protected:
  void SetUp() override { mui_test::use_headless_platform(); }
};

}  // namespace mcc_test

// Where -d writes each input: DIR/NAME.EXT, NAME being the input's file
// name less a .wmf extension. Two inputs never share an output: when a
// name is taken, the later input gets NAME-2.EXT (or -3, ...), chosen
// before any rendering starts, so parallel jobs never write one path.
#pragma once

#include <string>
#include <vector>

namespace vellum::render_tool {

struct BatchOutput {
  std::string path;
  std::string taken_by;  // the input that holds the plain name, when this one was renamed
};

std::vector<BatchOutput> batch_outputs(const std::string& dir, const std::vector<std::string>& inputs,
                                       const std::string& extension);

}  // namespace vellum::render_tool

#include "tools/vellum-render/batch_outputs.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>

namespace vellum::render_tool {
namespace {

// NAME for NAME.wmf (any case of the suffix); standard input is "stdin".
std::string stem_of(const std::string& input) {
  if (input == "-") return "stdin";
  std::string name = std::filesystem::path(input).filename().string();
  if (name.size() > 4) {
    std::string suffix = name.substr(name.size() - 4);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(), [](unsigned char c) { return std::tolower(c); });
    if (suffix == ".wmf") name.resize(name.size() - 4);
  }
  return name;
}

}  // namespace

std::vector<BatchOutput> batch_outputs(const std::string& dir, const std::vector<std::string>& inputs,
                                       const std::string& extension) {
  const std::filesystem::path folder(dir);
  auto path_for = [&](const std::string& name) { return (folder / (name + "." + extension)).string(); };
  // Every plain name is claimed first, by the first input that wants it,
  // so a renamed output never lands on a later input's plain name.
  std::map<std::string, size_t> owner;
  for (size_t i = 0; i < inputs.size(); ++i) owner.emplace(path_for(stem_of(inputs[i])), i);

  std::vector<BatchOutput> outputs(inputs.size());
  for (size_t i = 0; i < inputs.size(); ++i) {
    const std::string stem = stem_of(inputs[i]);
    const std::string plain = path_for(stem);
    const size_t holder = owner.at(plain);
    if (holder == i) {
      outputs[i].path = plain;
      continue;
    }
    std::string renamed;
    for (unsigned n = 2; owner.count(renamed = path_for(stem + "-" + std::to_string(n))); ++n) {}
    owner.emplace(renamed, i);
    outputs[i] = {renamed, inputs[holder]};
  }
  return outputs;
}

}  // namespace vellum::render_tool

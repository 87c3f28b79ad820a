// ReadArgs: a command line matched against a template such as
// "INPUT/A,PAGENUMBER/A" or "FROM/M,TO/K/A,QUIET/S,SIZE/N". Keywords are
// found first (case-insensitive, "KEY value" or "KEY=value"); the remaining
// items fill the other options in template order. The program's own command
// line comes from the host; a CSource in the RDArgs replaces it.
#include <fcntl.h>
#include <unistd.h>

#include <climits>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include <proto/dos.h>
#include <strings.h>

namespace {

struct Option {
  std::vector<std::string> keywords;
  bool required = false, keyword = false, isSwitch = false, number = false, multiple = false, rest = false;
};

struct Item {
  std::string text;
  bool quoted;
};

// What a parse owns until FreeArgs: strings, numbers, string arrays.
struct ParseStorage {
  std::vector<std::unique_ptr<std::string>> strings;
  std::vector<std::unique_ptr<LONG>> numbers;
  std::vector<std::unique_ptr<std::vector<STRPTR>>> lists;
  bool ownsRDArgs = false;
};

bool parse_template(const char* text, std::vector<Option>& options) {
  std::string all(text);
  size_t start = 0;
  while (start <= all.size()) {
    size_t comma = all.find(',', start);
    if (comma == std::string::npos) comma = all.size();
    std::string entry = all.substr(start, comma - start);
    start = comma + 1;
    Option option;
    size_t slash = entry.find('/');
    std::string names = entry.substr(0, slash);
    size_t at = 0;
    while (at <= names.size()) {
      size_t equals = names.find('=', at);
      if (equals == std::string::npos) equals = names.size();
      if (equals == at) return false;
      option.keywords.push_back(names.substr(at, equals - at));
      at = equals + 1;
    }
    for (; slash != std::string::npos && slash + 1 < entry.size(); slash = entry.find('/', slash + 1)) {
      switch (entry[slash + 1] & ~0x20) {
        case 'A': option.required = true; break;
        case 'K': option.keyword = true; break;
        case 'S': option.isSwitch = true; break;
        case 'N': option.number = true; break;
        case 'M': option.multiple = true; break;
        case 'F': option.rest = true; break;
        case 'T': option.isSwitch = true; break;
        default: return false;
      }
    }
    options.push_back(option);
  }
  return true;
}

// Splits a line into items: blanks separate, double quotes group, and
// inside quotes *" is a quote, *N a line end, ** a star.
std::vector<Item> split_line(const std::string& line) {
  std::vector<Item> items;
  size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
      if (c == '\n') break;
      i++;
      continue;
    }
    Item item{{}, c == '"'};
    if (item.quoted) {
      for (i++; i < line.size() && line[i] != '"'; i++) {
        if (line[i] == '*' && i + 1 < line.size()) {
          char next = line[++i];
          item.text += (next == 'N' || next == 'n') ? '\n' : (next == 'E' || next == 'e') ? '\x1b' : next;
        } else {
          item.text += line[i];
        }
      }
      i++;
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\n' && line[i] != '\r')
        item.text += line[i++];
    }
    items.push_back(item);
  }
  return items;
}

// The program's arguments after its name, each one item.
std::vector<Item> program_arguments() {
  std::vector<Item> items;
  int fd = open("/proc/self/cmdline", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return items;
  std::string all;
  char chunk[4096];
  ssize_t n;
  while ((n = read(fd, chunk, sizeof chunk)) > 0) all.append(chunk, size_t(n));
  close(fd);
  size_t start = all.find('\0');
  while (start != std::string::npos && start + 1 < all.size()) {
    size_t end = all.find('\0', start + 1);
    if (end == std::string::npos) end = all.size();
    items.push_back({all.substr(start + 1, end - start - 1), false});
    start = end;
  }
  return items;
}

int keyword_index(const std::vector<Option>& options, const std::string& word) {
  for (size_t i = 0; i < options.size(); i++)
    for (const std::string& keyword : options[i].keywords)
      if (strcasecmp(keyword.c_str(), word.c_str()) == 0) return int(i);
  return -1;
}

class Parser {
 public:
  Parser(std::vector<Option> options, ParseStorage& storage)
      : options_(std::move(options)), values_(options_.size()), filled_(options_.size(), false), storage_(storage) {}

  LONG parse(std::vector<Item> items, IPTR* array);

 private:
  void take(size_t option, const std::string& value) {
    values_[option].push_back(value);
    filled_[option] = true;
  }
  LONG store(IPTR* array);

  std::vector<Option> options_;
  std::vector<std::vector<std::string>> values_;
  std::vector<bool> filled_;
  ParseStorage& storage_;
};

LONG Parser::parse(std::vector<Item> items, IPTR* array) {
  std::vector<Item> positional;
  for (size_t i = 0; i < items.size(); i++) {
    const Item& item = items[i];
    std::string word = item.text;
    std::string inlineValue;
    bool hasInline = false;
    if (!item.quoted) {
      size_t equals = word.find('=');
      if (equals != std::string::npos && equals > 0) {
        inlineValue = word.substr(equals + 1);
        word.resize(equals);
        hasInline = true;
      }
    }
    int index = item.quoted ? -1 : keyword_index(options_, word);
    if (index < 0) {
      positional.push_back(item);
      continue;
    }
    const Option& option = options_[size_t(index)];
    if (option.isSwitch) {
      if (hasInline) return ERROR_TOO_MANY_ARGS;
      filled_[size_t(index)] = true;
    } else if (hasInline) {
      take(size_t(index), inlineValue);
    } else if (option.rest) {
      std::string rest;
      for (i++; i < items.size(); i++) rest += (rest.empty() ? "" : " ") + items[i].text;
      take(size_t(index), rest);
    } else if (i + 1 < items.size()) {
      take(size_t(index), items[++i].text);
    } else {
      return ERROR_KEY_NEEDS_ARG;
    }
  }

  size_t next = 0;
  for (size_t o = 0; o < options_.size() && next < positional.size(); o++) {
    const Option& option = options_[o];
    if (option.keyword || option.isSwitch || (filled_[o] && !option.multiple)) continue;
    if (option.rest) {
      std::string rest;
      for (; next < positional.size(); next++) rest += (rest.empty() ? "" : " ") + positional[next].text;
      take(o, rest);
    } else if (option.multiple) {
      // Leave one item for each required option that follows.
      size_t reserved = 0;
      for (size_t later = o + 1; later < options_.size(); later++)
        reserved += options_[later].required && !filled_[later] && !options_[later].keyword &&
                    !options_[later].isSwitch;
      for (; next + reserved < positional.size(); next++) take(o, positional[next].text);
    } else {
      take(o, positional[next++].text);
    }
  }
  if (next < positional.size()) return ERROR_TOO_MANY_ARGS;
  for (size_t o = 0; o < options_.size(); o++)
    if (options_[o].required && !filled_[o]) return ERROR_REQUIRED_ARG_MISSING;
  return store(array);
}

LONG Parser::store(IPTR* array) {
  // Numbers are checked before anything is written, so a failed parse
  // leaves the caller's array as it was.
  std::vector<LONG> numbers(options_.size());
  for (size_t o = 0; o < options_.size(); o++) {
    if (!filled_[o] || options_[o].isSwitch || !options_[o].number || options_[o].multiple) continue;
    const std::string& text = values_[o].front();
    if (StrToLong(text.c_str(), &numbers[o]) != LONG(text.size())) return ERROR_BAD_NUMBER;
  }
  for (size_t o = 0; o < options_.size(); o++) {
    if (!filled_[o]) continue;
    const Option& option = options_[o];
    if (option.isSwitch) {
      array[o] = DOSTRUE;
    } else if (option.number && !option.multiple) {
      storage_.numbers.push_back(std::make_unique<LONG>(numbers[o]));
      array[o] = reinterpret_cast<IPTR>(storage_.numbers.back().get());
    } else if (option.multiple) {
      auto list = std::make_unique<std::vector<STRPTR>>();
      for (const std::string& value : values_[o]) {
        storage_.strings.push_back(std::make_unique<std::string>(value));
        list->push_back(storage_.strings.back()->data());
      }
      list->push_back(nullptr);
      array[o] = reinterpret_cast<IPTR>(list->data());
      storage_.lists.push_back(std::move(list));
    } else {
      storage_.strings.push_back(std::make_unique<std::string>(values_[o].back()));
      array[o] = reinterpret_cast<IPTR>(storage_.strings.back()->data());
    }
  }
  return 0;
}

}  // namespace

extern "C" struct RDArgs* AllocDosObject(ULONG type, const struct TagItem*) {
  if (type != DOS_RDARGS) return nullptr;
  return new (std::nothrow) RDArgs{};
}

extern "C" void FreeDosObject(ULONG type, APTR ptr) {
  if (type == DOS_RDARGS) delete static_cast<RDArgs*>(ptr);
}

extern "C" struct RDArgs* ReadArgs(CONST_STRPTR argTemplate, IPTR* array, struct RDArgs* args) {
  std::vector<Option> options;
  if (!argTemplate || !array || !parse_template(argTemplate, options)) {
    SetIoErr(ERROR_BAD_TEMPLATE);
    return nullptr;
  }
  std::vector<Item> items;
  if (args && args->RDA_Source.CS_Buffer) {
    const struct CSource& source = args->RDA_Source;
    LONG from = source.CS_CurChr < 0 ? 0 : source.CS_CurChr;
    if (source.CS_Length > from)
      items = split_line(std::string(source.CS_Buffer + from, size_t(source.CS_Length - from)));
  } else {
    items = program_arguments();
  }
  auto storage = std::make_unique<ParseStorage>();
  Parser parser(std::move(options), *storage);
  if (LONG error = parser.parse(std::move(items), array)) {
    SetIoErr(error);
    return nullptr;
  }
  if (!args) {
    args = AllocDosObject(DOS_RDARGS, nullptr);
    if (!args) {
      SetIoErr(ERROR_NO_FREE_STORE);
      return nullptr;
    }
    storage->ownsRDArgs = true;
  }
  args->RDA_DAList = reinterpret_cast<IPTR>(storage.release());
  return args;
}

extern "C" void FreeArgs(struct RDArgs* args) {
  if (!args) return;
  auto* storage = reinterpret_cast<ParseStorage*>(args->RDA_DAList);
  args->RDA_DAList = 0;
  bool owns = storage && storage->ownsRDArgs;
  delete storage;
  if (owns) FreeDosObject(DOS_RDARGS, args);
}

extern "C" LONG StrToLong(CONST_STRPTR string, LONG* value) {
  if (!string || !value) return -1;
  const char* p = string;
  while (*p == ' ' || *p == '\t') p++;
  bool negative = *p == '-';
  if (*p == '-' || *p == '+') p++;
  if (*p < '0' || *p > '9') return -1;
  long long number = 0;
  for (; *p >= '0' && *p <= '9'; p++) {
    number = number * 10 + (*p - '0');
    // A number that does not fit is no number, rather than a wrapped one.
    if (number > (long long)INT32_MAX + (negative ? 1 : 0)) return -1;
  }
  *value = LONG(negative ? -number : number);
  return LONG(p - string);
}

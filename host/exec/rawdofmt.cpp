// The raw formatter: a small printf that knows %s %ld %lx %p (plus %d %u %x
// %X %c and %%), the '-' and '0' flags and a field width. Unknown
// conversions are copied through as they stand.
#include <cstring>
#include <string>

#include "internal.h"

namespace {

void append_padded(std::string& out, const std::string& text, size_t width, bool left, char fill) {
  size_t pad = width > text.size() ? width - text.size() : 0;
  if (left) {
    out += text;
    out.append(pad, ' ');
    return;
  }
  // Zero padding goes after a minus sign, not before it.
  if (fill == '0' && !text.empty() && text[0] == '-') {
    out += '-';
    out.append(pad, '0');
    out.append(text, 1);
    return;
  }
  out.append(pad, fill);
  out += text;
}

std::string in_base(unsigned long long value, unsigned base, bool upper) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  char buffer[32];
  size_t at = sizeof buffer;
  do {
    buffer[--at] = digits[value % base];
    value /= base;
  } while (value);
  return std::string(buffer + at, sizeof buffer - at);
}

std::string format(const char* fmt, va_list args) {
  std::string out;
  for (const char* p = fmt; *p; p++) {
    if (*p != '%') {
      out += *p;
      continue;
    }
    const char* start = p++;
    bool left = false;
    char fill = ' ';
    for (; *p == '-' || *p == '0'; p++) (*p == '-' ? left = true : fill = '0');
    size_t width = 0;
    for (; *p >= '0' && *p <= '9'; p++) width = width < 1000 ? width * 10 + size_t(*p - '0') : width;
    bool isLong = *p == 'l';
    if (isLong) p++;
    switch (*p) {
      case 's': {
        const char* text = va_arg(args, const char*);
        append_padded(out, text ? text : "(null)", width, left, ' ');
        break;
      }
      case 'd': {
        long long value = isLong ? va_arg(args, long) : va_arg(args, int);
        unsigned long long magnitude = value < 0 ? 0ULL - (unsigned long long)value : (unsigned long long)value;
        std::string text = in_base(magnitude, 10, false);
        if (value < 0) text.insert(text.begin(), '-');
        append_padded(out, text, width, left, fill);
        break;
      }
      case 'u': {
        unsigned long long value = isLong ? va_arg(args, unsigned long) : va_arg(args, unsigned);
        append_padded(out, in_base(value, 10, false), width, left, fill);
        break;
      }
      case 'x':
      case 'X': {
        unsigned long long value = isLong ? va_arg(args, unsigned long) : va_arg(args, unsigned);
        append_padded(out, in_base(value, 16, *p == 'X'), width, left, fill);
        break;
      }
      case 'p':
        append_padded(out, in_base(reinterpret_cast<uintptr_t>(va_arg(args, void*)), 16, false), width, left,
                      fill);
        break;
      case 'c':
        append_padded(out, std::string(1, char(va_arg(args, int))), width, left, ' ');
        break;
      case '%':
        out += '%';
        break;
      default:
        // Not a conversion this formatter knows: keep the text.
        out.append(start, size_t(p - start) + (*p ? 1 : 0));
        if (!*p) return out;
        break;
    }
  }
  return out;
}

}  // namespace

extern "C" STRPTR VNewRawDoFmt(CONST_STRPTR formatString, APTR putChProc, STRPTR putChData, va_list args) {
  if (!formatString) return putChData;
  std::string text = format(formatString, args);
  if (putChProc == RAWFMTFUNC_SERIAL) {
    host::serial_write(text.data(), text.size());
  } else if (putChProc) {
    auto put = reinterpret_cast<PutChFunc>(putChProc);
    for (char c : text) put(c, putChData);
    put('\0', putChData);
  }
  return putChData;
}

extern "C" STRPTR NewRawDoFmt(CONST_STRPTR formatString, APTR putChProc, STRPTR putChData, ...) {
  va_list args;
  va_start(args, putChData);
  STRPTR result = VNewRawDoFmt(formatString, putChProc, putChData, args);
  va_end(args);
  return result;
}

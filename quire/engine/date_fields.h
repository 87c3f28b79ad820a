// DATE and TIME fields as Word prints them: updated to the moment of
// printing and written by the field's date picture (`\@ "d MMMM yyyy"`),
// with month and day names in the document's language.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace quire {

// The moment fields are updated to: SOURCE_DATE_EPOCH (seconds since 1970)
// in UTC when it is set to a usable number, else the clock in local time.
std::tm printing_moment();

// Month and day names, full and short; January and Sunday first.
struct DateNames {
  std::string months[12], short_months[12], days[7], short_days[7];
};

// The names in the language `lid`, in English when it has none.
DateNames date_names(uint16_t lid);

// `when` as a Word date picture writes it: d dd ddd dddd (day), M MM MMM
// MMMM (month), yy yyyy, h hh (12-hour) H HH, m mm, s ss, AM/PM am/pm A/P
// a/p, 'quoted' text; any other character stands for itself.
std::string format_date(const std::tm& when, const std::string& picture, const DateNames& names);

// Writes the DATE and TIME fields of a document: what one shows at `when`
// in language `lid` is its picture, else a short numeric date or time. The
// language's names are looked up once, when a field first needs them.
class DateFieldWriter {
 public:
  DateFieldWriter(const std::tm& when, uint16_t lid) : when_(when), lid_(lid) {}
  // The field's text; empty for any other field.
  std::string text(const std::string& code);

 private:
  std::tm when_;
  uint16_t lid_;
  std::optional<DateNames> names_;
};

}  // namespace quire

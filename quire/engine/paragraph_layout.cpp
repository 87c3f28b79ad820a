#include "paragraph_layout.h"

#include <pango/pangocairo.h>

#include <algorithm>

namespace quire {
namespace {

constexpr const char* FALLBACK_FAMILY = "Times New Roman";
constexpr double DEFAULT_TAB_POINTS = 36.0;  // Word's default tab stops: every half inch
constexpr double MIN_LINE_FACTOR = 0.5, MAX_LINE_FACTOR = 5.0;

const char* family_for(uint16_t font, const FontChoice& fonts) {
  const uint16_t index = font == 0xFFFF ? fonts.default_font : font;
  if (index < fonts.names.size() && !fonts.names[index].empty()) return fonts.names[index].c_str();
  return FALLBACK_FAMILY;
}

PangoFontDescription* font_for(const CharProps& props, const FontChoice& fonts) {
  PangoFontDescription* desc = pango_font_description_new();
  pango_font_description_set_family(desc, family_for(props.font, fonts));
  pango_font_description_set_size(desc, props.half_points * PANGO_SCALE / 2);
  pango_font_description_set_weight(desc, props.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(desc, props.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  return desc;
}

void add_attribute(PangoAttrList* list, PangoAttribute* attr, const TextRun& run) {
  attr->start_index = run.start;
  attr->end_index = run.end;
  pango_attr_list_insert(list, attr);
}

// The runs' attributes over the bytes [start, end) of the text, shifted to
// start at 0. Runs are ordered, so only the ones that overlap are visited.
PangoAttrList* run_attributes(const Paragraph& paragraph, const FontChoice& fonts, size_t start, size_t end) {
  PangoAttrList* list = pango_attr_list_new();
  auto run_it = std::upper_bound(paragraph.runs.begin(), paragraph.runs.end(), start,
                                 [](size_t at, const TextRun& run) { return at < run.end; });
  for (; run_it != paragraph.runs.end() && run_it->start < end; ++run_it) {
    TextRun run = *run_it;
    run.start = static_cast<uint32_t>(std::max<size_t>(run.start, start) - start);
    run.end = static_cast<uint32_t>(std::min<size_t>(run.end, end) - start);
    PangoFontDescription* desc = font_for(run.props, fonts);
    add_attribute(list, pango_attr_font_desc_new(desc), run);
    pango_font_description_free(desc);
    if (run.props.underline) add_attribute(list, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE), run);
    if (run.props.strike) add_attribute(list, pango_attr_strikethrough_new(TRUE), run);
    if (!run.props.auto_colour) {
      const uint32_t c = run.props.colour;
      add_attribute(list,
                    pango_attr_foreground_new(static_cast<guint16>((c >> 16 & 0xFF) * 257),
                                              static_cast<guint16>((c >> 8 & 0xFF) * 257),
                                              static_cast<guint16>((c & 0xFF) * 257)),
                    run);
    }
  }
  return list;
}

void apply_paragraph_format(PangoLayout* layout, const ParaProps& props, bool first_slice) {
  switch (props.alignment) {
    case Alignment::CENTRE: pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER); break;
    case Alignment::RIGHT: pango_layout_set_alignment(layout, PANGO_ALIGN_RIGHT); break;
    case Alignment::JUSTIFY: pango_layout_set_justify(layout, TRUE); break;
    case Alignment::LEFT: break;
  }
  if (first_slice) pango_layout_set_indent(layout, static_cast<int>(points(props.first_indent) * PANGO_SCALE));
  if (props.line_multiple && props.line_spacing != 240 && props.line_spacing > 0)
    pango_layout_set_line_spacing(
        layout, static_cast<float>(std::clamp(props.line_spacing / 240.0, MIN_LINE_FACTOR, MAX_LINE_FACTOR)));
  PangoTabArray* tabs = pango_tab_array_new_with_positions(1, TRUE, PANGO_TAB_LEFT,
                                                           static_cast<int>(DEFAULT_TAB_POINTS));
  pango_layout_set_tabs(layout, tabs);
  pango_tab_array_free(tabs);
}

}  // namespace

PangoContext* new_layout_context() {
  PangoFontMap* map = pango_cairo_font_map_new();
  PangoContext* context = pango_font_map_create_context(map);
  g_object_unref(map);  // the context keeps its map
  pango_cairo_context_set_resolution(context, 72.0);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  pango_cairo_context_set_font_options(context, options);
  cairo_font_options_destroy(options);
  return context;
}

PangoContext* main_layout_context() {
  static PangoContext* const context = new_layout_context();
  return context;
}

PangoLayout* make_paragraph_layout(PangoContext* context, const Paragraph& paragraph, const FontChoice& fonts,
                                   double width) {
  double shift = 0;
  return make_paragraph_slice(context, paragraph, fonts, width, 0, paragraph.text.size(), &shift);
}

PangoLayout* make_paragraph_slice(PangoContext* context, const Paragraph& paragraph, const FontChoice& fonts,
                                  double width, size_t start, size_t end, double* shift) {
  const bool first_slice = start == 0;
  // Pango indents every line but the first by a negative (hanging) indent;
  // a later slice has no first line, so it is narrowed and moved instead.
  const double indent = points(paragraph.props.first_indent);
  *shift = !first_slice && indent < 0 ? -indent : 0;
  PangoLayout* layout = pango_layout_new(context);
  PangoFontDescription* mark = font_for(paragraph.mark, fonts);
  pango_layout_set_font_description(layout, mark);
  pango_font_description_free(mark);
  pango_layout_set_width(layout, static_cast<int>(std::max(1.0, width - *shift) * PANGO_SCALE));
  pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
  apply_paragraph_format(layout, paragraph.props, first_slice);
  pango_layout_set_text(layout, paragraph.text.data() + start, static_cast<int>(end - start));
  PangoAttrList* attrs = run_attributes(paragraph, fonts, start, end);
  pango_layout_set_attributes(layout, attrs);
  pango_attr_list_unref(attrs);
  return layout;
}

}  // namespace quire

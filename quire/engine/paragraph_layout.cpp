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

PangoAttrList* run_attributes(const Paragraph& paragraph, const FontChoice& fonts) {
  PangoAttrList* list = pango_attr_list_new();
  for (const TextRun& run : paragraph.runs) {
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

void apply_paragraph_format(PangoLayout* layout, const ParaProps& props) {
  switch (props.alignment) {
    case Alignment::CENTRE: pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER); break;
    case Alignment::RIGHT: pango_layout_set_alignment(layout, PANGO_ALIGN_RIGHT); break;
    case Alignment::JUSTIFY: pango_layout_set_justify(layout, TRUE); break;
    case Alignment::LEFT: break;
  }
  pango_layout_set_indent(layout, static_cast<int>(points(props.first_indent) * PANGO_SCALE));
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
  PangoLayout* layout = pango_layout_new(context);
  PangoFontDescription* mark = font_for(paragraph.mark, fonts);
  pango_layout_set_font_description(layout, mark);
  pango_font_description_free(mark);
  pango_layout_set_width(layout, static_cast<int>(std::max(1.0, width) * PANGO_SCALE));
  pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
  apply_paragraph_format(layout, paragraph.props);
  pango_layout_set_text(layout, paragraph.text.data(), static_cast<int>(paragraph.text.size()));
  PangoAttrList* attrs = run_attributes(paragraph, fonts);
  pango_layout_set_attributes(layout, attrs);
  pango_attr_list_unref(attrs);
  return layout;
}

}  // namespace quire

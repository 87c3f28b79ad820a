#include "paragraph_layout.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cstdint>

#include "number_format.h"
#include "picture_drawing.h"

namespace quire {
namespace {

constexpr double SUPERSCRIPT_SCALE = 0.65, SUPERSCRIPT_RISE = 0.35, SUBSCRIPT_RISE = -0.14;
constexpr const char* FALLBACK_FAMILY = "Times New Roman";
constexpr double MIN_LINE_FACTOR = 0.5, MAX_LINE_FACTOR = 5.0;

const char* family_for(uint16_t font, const FontChoice& fonts) {
  const uint16_t index = font == 0xFFFF ? fonts.default_font : font;
  if (index < fonts.names.size() && !fonts.names[index].empty()) return fonts.names[index].c_str();
  return FALLBACK_FAMILY;
}

PangoFontDescription* font_for(const CharProps& props, const FontChoice& fonts) {
  PangoFontDescription* desc = pango_font_description_new();
  pango_font_description_set_family(desc, family_for(props.font, fonts));
  const double scale = props.position != 0 ? SUPERSCRIPT_SCALE : 1.0;
  pango_font_description_set_size(desc, static_cast<int>(props.half_points * scale * PANGO_SCALE / 2));
  pango_font_description_set_weight(desc, props.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(desc, props.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  return desc;
}

constexpr int MAX_TAB_STOPS = 64;
constexpr uint8_t LIST_TAB = 6;  // the stop a list's number tabs to

// Highlight colours: the Ico palette.
constexpr uint32_t HIGHLIGHT[17] = {0xFFFFFF, 0x000000, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFF00FF, 0xFF0000,
                                     0xFFFF00, 0xFFFFFF, 0x000080, 0x008080, 0x008000, 0x800080, 0x800000,
                                     0x808000, 0x808080, 0xC0C0C0};

guint16 channel(uint32_t colour, int shift) { return static_cast<guint16>((colour >> shift & 0xFF) * 257); }

// What an inline shape draws, carried in its attribute's data: a picture's
// index + 1 shifted left once, or a check box with the low bit set and its
// tick in the next one.
gpointer picture_shape(uint32_t picture) { return reinterpret_cast<gpointer>(uintptr_t{picture} << 1); }
gpointer box_shape(bool checked) { return reinterpret_cast<gpointer>(uintptr_t{checked ? 3u : 1u}); }
bool is_box_shape(gpointer data) { return (reinterpret_cast<uintptr_t>(data) & 1) != 0; }
bool box_checked(gpointer data) { return (reinterpret_cast<uintptr_t>(data) & 2) != 0; }
uintptr_t shape_picture(gpointer data) { return reinterpret_cast<uintptr_t>(data) >> 1; }

// A check box of `half_points`: it takes that much room along the line and
// as high as the text's ascent; its square stands inside, on the baseline.
PangoAttribute* box_attribute(uint16_t half_points, bool checked) {
  const int side = half_points * PANGO_SCALE / 2;
  PangoRectangle logical{0, -side * 4 / 5, side, side * 4 / 5};
  PangoRectangle ink{side / 10, -side * 3 / 4, side * 3 / 4, side * 3 / 4};
  return pango_attr_shape_new_with_data(&ink, &logical, box_shape(checked), nullptr, nullptr);
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
      add_attribute(list, pango_attr_foreground_new(channel(c, 16), channel(c, 8), channel(c, 0)), run);
    }
    if (run.props.position != 0) {
      const double rise = run.props.position == 1 ? SUPERSCRIPT_RISE : SUBSCRIPT_RISE;
      add_attribute(list, pango_attr_rise_new(static_cast<int>(rise * run.props.half_points / 2 * PANGO_SCALE)), run);
    }
    if (run.props.small_caps) add_attribute(list, pango_attr_variant_new(PANGO_VARIANT_SMALL_CAPS), run);
    if (run.props.all_caps) add_attribute(list, pango_attr_text_transform_new(PANGO_TEXT_TRANSFORM_UPPERCASE), run);
    if (run.props.highlight != 0) {
      const uint32_t c = HIGHLIGHT[run.props.highlight];
      add_attribute(list, pango_attr_background_new(channel(c, 16), channel(c, 8), channel(c, 0)), run);
    }
    if (run.props.spacing != 0)
      add_attribute(list, pango_attr_letter_spacing_new(static_cast<int>(points(run.props.spacing) * PANGO_SCALE)), run);
    if (run.props.picture != 0 && fonts.pictures && run.props.picture <= fonts.pictures->size()) {
      const Picture& picture = (*fonts.pictures)[run.props.picture - 1];
      PangoRectangle box{0, static_cast<int>(-picture.height * PANGO_SCALE), static_cast<int>(picture.width * PANGO_SCALE),
                         static_cast<int>(picture.height * PANGO_SCALE)};
      add_attribute(list, pango_attr_shape_new_with_data(&box, &box, picture_shape(run.props.picture), nullptr, nullptr),
                    run);
    }
    if (run.props.check_box != 0)
      add_attribute(list, box_attribute(run.props.box_size ? run.props.box_size : run.props.half_points,
                                        run.props.check_box == 2),
                    run);
  }
  return list;
}

// Tab stops from the column's left edge, in layout coordinates (the layout
// starts `origin` twips into the column): the paragraph's own stops, the
// hanging indent's implicit stop, then default stops every `default_tab`.
PangoTabArray* tab_array(const ParaProps& props, int32_t default_tab, double width) {
  const int32_t origin = props.left_indent + std::min<int32_t>(0, props.first_indent);
  std::vector<TabStop> stops;
  for (const TabStop& tab : props.tabs)
    if (tab.kind != 4 && tab.position > origin) stops.push_back(tab);  // bar tabs only draw a line
  // A hanging indent stops the tab after a list's number, unless the list
  // set a stop of its own for it.
  const bool list_tab = std::any_of(props.tabs.begin(), props.tabs.end(),
                                    [](const TabStop& tab) { return tab.kind == LIST_TAB; });
  if (props.first_indent < 0 && !list_tab) {
    TabStop hanging{static_cast<int16_t>(props.left_indent), 0, 0};
    auto at = std::lower_bound(stops.begin(), stops.end(), hanging,
                               [](const TabStop& a, const TabStop& b) { return a.position < b.position; });
    if (at == stops.end() || at->position != hanging.position) stops.insert(at, hanging);
  }
  const int32_t last = stops.empty() ? origin : std::max<int32_t>(origin, stops.back().position);
  const int32_t limit = origin + static_cast<int32_t>(width * 20);
  for (int32_t at = (last / default_tab + 1) * default_tab; at <= limit && stops.size() < MAX_TAB_STOPS;
       at += default_tab)
    stops.push_back({static_cast<int16_t>(std::min<int32_t>(at, INT16_MAX)), 0, 0});
  if (stops.empty()) stops.push_back({static_cast<int16_t>(origin + default_tab), 0, 0});
  PangoTabArray* tabs = pango_tab_array_new(static_cast<int>(stops.size()), FALSE);
  for (size_t i = 0; i < stops.size(); ++i) {
    PangoTabAlign align = PANGO_TAB_LEFT;
    switch (stops[i].kind) {
      case 1: align = PANGO_TAB_CENTER; break;
      case 2: align = PANGO_TAB_RIGHT; break;
      case 3: align = PANGO_TAB_DECIMAL; break;
      default: break;
    }
    pango_tab_array_set_tab(tabs, static_cast<int>(i), align,
                            static_cast<int>(points(stops[i].position - origin) * PANGO_SCALE));
  }
  return tabs;
}

void apply_paragraph_format(PangoLayout* layout, const ParaProps& props, bool first_slice, int32_t default_tab,
                            double width) {
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
  PangoTabArray* tabs = tab_array(props, default_tab, width);
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

namespace {

thread_local const DocumentModel* drawn_model = nullptr;

// A check box's square in the text's colour, crossed when it is ticked.
void draw_check_box(cairo_t* cr, const PangoRectangle& ink, double x, double y, bool checked) {
  const double left = x + static_cast<double>(ink.x) / PANGO_SCALE, top = y + static_cast<double>(ink.y) / PANGO_SCALE;
  const double side = static_cast<double>(ink.width) / PANGO_SCALE;
  cairo_save(cr);
  cairo_set_line_width(cr, std::max(0.5, side / 14));
  cairo_rectangle(cr, left, top, side, side);
  if (checked) {
    cairo_move_to(cr, left, top);
    cairo_line_to(cr, left + side, top + side);
    cairo_move_to(cr, left + side, top);
    cairo_line_to(cr, left, top + side);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
}

void draw_shape(cairo_t* cr, PangoAttrShape* attr, gboolean do_path, gpointer) {
  if (do_path) return;
  double x = 0, y = 0;
  cairo_get_current_point(cr, &x, &y);
  if (is_box_shape(attr->data)) {
    draw_check_box(cr, attr->ink_rect, x, y, box_checked(attr->data));
    return;
  }
  const uintptr_t index = shape_picture(attr->data);
  if (!drawn_model || index == 0 || index > drawn_model->pictures.size()) return;
  const double width = static_cast<double>(attr->logical_rect.width) / PANGO_SCALE;
  const double height = static_cast<double>(attr->logical_rect.height) / PANGO_SCALE;
  draw_picture(cr, drawn_model->pictures[index - 1], x, y - height, width, height);
}

}  // namespace

void set_drawn_model(const DocumentModel* model) { drawn_model = model; }

ParagraphBox paragraph_box(const ParaProps& props, double column_width, double min_width) {
  const double origin = points(props.left_indent + std::min<int32_t>(0, props.first_indent));
  return {origin, std::max(min_width, column_width - origin - points(props.right_indent))};
}

// Paragraph text with its page-number characters filled in.
Paragraph with_fields(const Paragraph& paragraph, int32_t number, int32_t count, uint8_t nfc) {
  Paragraph out = paragraph;
  out.text.clear();
  out.runs.clear();
  std::string page = format_number(number, nfc == NFC_BULLET || nfc == NFC_NONE ? uint8_t{NFC_DECIMAL} : nfc);
  std::string total = std::to_string(count);
  for (const TextRun& run : paragraph.runs) {
    const uint32_t start = static_cast<uint32_t>(out.text.size());
    std::string piece = paragraph.text.substr(run.start, run.end - run.start);
    for (const auto& [mark, value] : {std::pair<const char*, const std::string*>{"\xEE\x80\x80", &page},
                                      std::pair<const char*, const std::string*>{"\xEE\x80\x81", &total}}) {
      for (size_t at = piece.find(mark); at != std::string::npos; at = piece.find(mark, at + value->size()))
        piece.replace(at, 3, *value);
    }
    out.text += piece;
    out.runs.push_back({start, static_cast<uint32_t>(out.text.size()), run.props});
  }
  std::erase_if(out.runs, [](const TextRun& run) { return run.start == run.end; });
  return out;
}

PangoContext* main_layout_context() {
  static PangoContext* const context = [] {
    PangoContext* made = new_layout_context();
    pango_cairo_context_set_shape_renderer(made, draw_shape, nullptr, nullptr);
    return made;
  }();
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
  apply_paragraph_format(layout, paragraph.props, first_slice, fonts.default_tab > 0 ? fonts.default_tab : 720, width);
  pango_layout_set_text(layout, paragraph.text.data() + start, static_cast<int>(end - start));
  PangoAttrList* attrs = run_attributes(paragraph, fonts, start, end);
  pango_layout_set_attributes(layout, attrs);
  pango_attr_list_unref(attrs);
  return layout;
}

}  // namespace quire

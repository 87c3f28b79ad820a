#include "paragraph_metrics.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <exception>
#include <memory>
#include <new>
#include <system_error>
#include <thread>
#include <utility>

namespace quire {
namespace {

constexpr size_t JOBS_PER_THREAD = 400;  // a helper's fresh font caches cost about 200 paragraphs
constexpr unsigned MAX_THREADS = 4;

// The start of the UTF-8 character at or before `at`.
size_t character_start(const std::string& text, size_t at) {
  while (at > 0 && at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) --at;
  return at;
}

// The room a font asks for below a line, beyond its ascent and descent, in points.
double font_gap(PangoFont* font) {
  if (!font) return 0;
  PangoFontMetrics* metrics = pango_font_get_metrics(font, nullptr);
  const int gap = pango_font_metrics_get_height(metrics) - pango_font_metrics_get_ascent(metrics) -
                  pango_font_metrics_get_descent(metrics);
  pango_font_metrics_unref(metrics);
  return std::max(0, gap) / static_cast<double>(PANGO_SCALE);
}

// Appends the lines of `layout` before line `keep_end` (all of them when
// negative), `shift` points to the right and `offset` points down; returns
// the top of the first line not kept (the layout's height when all are kept).
// Each line takes its fonts' line gap below it, the paragraph's last line
// too: a single line is its ascent, descent and gap.
double take_lines(PangoLayout* layout, int keep_end, double shift, double offset, size_t base,
                  ParagraphMetrics& metrics) {
  PangoLayoutIter* iter = pango_layout_get_iter(layout);
  int line = 0;
  double next_top = -1;
  do {
    PangoRectangle logical;
    pango_layout_iter_get_line_extents(iter, nullptr, &logical);
    const double top = offset + static_cast<double>(logical.y) / PANGO_SCALE;
    if (keep_end >= 0 && line >= keep_end) {
      next_top = top;
      break;
    }
    PangoLayoutLine* layout_line = pango_layout_iter_get_line_readonly(iter);
    const double gap = line_gap(layout, layout_line);
    metrics.lines.push_back({top, top + static_cast<double>(logical.height) / PANGO_SCALE + gap,
                             shift + static_cast<double>(logical.x) / PANGO_SCALE,
                             offset + static_cast<double>(pango_layout_iter_get_baseline(iter)) / PANGO_SCALE,
                             layout_line,
                             static_cast<uint32_t>(base + static_cast<size_t>(pango_layout_iter_get_index(iter)))});
    offset += gap;
    ++line;
  } while (pango_layout_iter_next_line(iter));
  pango_layout_iter_free(iter);
  if (next_top < 0) {
    PangoRectangle extents;
    pango_layout_get_extents(layout, nullptr, &extents);
    next_top = offset + static_cast<double>(extents.height) / PANGO_SCALE;
  }
  return next_top;
}

}  // namespace

// The line gap of a line set in single spacing: the largest of its fonts',
// or, on a line without text, that of the paragraph mark's font, which
// also gives such a line its height.
double line_gap(PangoLayout* layout, PangoLayoutLine* line) {
  if (pango_layout_get_line_spacing(layout) != 0.0f) return 0;  // spaced in multiples of the line
  double gap = 0;
  for (GSList* run = line->runs; run; run = run->next)
    gap = std::max(gap, font_gap(static_cast<PangoGlyphItem*>(run->data)->item->analysis.font));
  if (!line->runs) {
    PangoFont* font = pango_context_load_font(pango_layout_get_context(layout), pango_layout_get_font_description(layout));
    gap = font_gap(font);
    if (font) g_object_unref(font);
  }
  return gap;
}

namespace {

void measure_range(PangoContext* context, const std::vector<MeasureJob>& jobs, const FontChoice& fonts,
                   std::vector<ParagraphMetrics>& out, size_t first, size_t end) {
  for (size_t i = first; i < end; ++i) out[i] = measure(context, jobs[i], fonts);
}

// Appends the lines of the paragraph's text from byte `start` on, set
// `width` points wide from `offset` points down, and the layouts that hold
// them; sets the paragraph's height. Stops early, after the slice that
// holds more than `enough` lines.
void lay_out_from(PangoContext* context, const Paragraph& paragraph, const FontChoice& fonts, double width,
                  size_t start, double offset, ParagraphMetrics& metrics, size_t enough = SIZE_MAX) {
  const std::string& text = paragraph.text;
  size_t slice = SLICE_BYTES;
  for (;;) {
    double shift = 0;
    const size_t end = start + slice >= text.size() ? text.size() : character_start(text, start + slice);
    LayoutPtr layout(make_paragraph_slice(context, paragraph, fonts, width, start, end, &shift));
    const int count = pango_layout_get_line_count(layout.get());
    if (end == text.size()) {
      metrics.height = take_lines(layout.get(), -1, shift, offset, start, metrics);
      metrics.layouts.push_back(std::move(layout));
      return;
    }
    if (count < 2) {  // one line longer than the slice: give the next try more text
      slice *= 2;
      continue;
    }
    // The last line may have been cut short by the slice's end: the next
    // slice starts with it.
    const PangoLayoutLine* last = pango_layout_get_line_readonly(layout.get(), count - 1);
    const size_t next_start = start + static_cast<size_t>(last->start_index);
    offset = take_lines(layout.get(), count - 1, shift, offset, start, metrics);
    metrics.layouts.push_back(std::move(layout));
    if (metrics.lines.size() > enough) return;
    start = next_start;
    slice = SLICE_BYTES;
  }
}

}  // namespace

ParagraphMetrics lay_out_paragraph(PangoContext* context, const Paragraph& paragraph, const FontChoice& fonts,
                                   double width) {
  ParagraphMetrics metrics;
  lay_out_from(context, paragraph, fonts, width, 0, 0, metrics);
  return metrics;
}

ParagraphMetrics lay_out_beside(PangoContext* context, const Paragraph& paragraph, const FontChoice& fonts,
                                double width, double indent, size_t count) {
  ParagraphMetrics metrics;
  lay_out_from(context, paragraph, fonts, std::max(1.0, width - indent), 0, 0, metrics, count);
  if (metrics.lines.size() > count) {
    const LineBox next = metrics.lines[count];
    metrics.lines.resize(count);
    lay_out_from(context, paragraph, fonts, width, next.start, next.top, metrics);
  }
  for (size_t i = 0; i < count && i < metrics.lines.size(); ++i) metrics.lines[i].x += indent;
  return metrics;
}

ParagraphMetrics measure(PangoContext* context, const MeasureJob& job, const FontChoice& fonts) {
  ParagraphMetrics metrics = lay_out_paragraph(context, *job.paragraph, fonts, job.width);
  if (job.paragraph->text.size() < KEEP_LAYOUT_BYTES) {
    metrics.layouts.clear();
    for (LineBox& box : metrics.lines) box.line = nullptr;
  }
  return metrics;
}

double natural_width(PangoContext* context, const Paragraph& paragraph, const FontChoice& fonts, double max_width) {
  // Page numbers are measured as two digits wide.
  const Paragraph measured = paragraph.has_fields ? with_fields(paragraph, 88, 88, 0) : Paragraph{};
  LayoutPtr layout(make_paragraph_layout(context, paragraph.has_fields ? measured : paragraph, fonts, max_width));
  pango_layout_set_width(layout.get(), -1);
  PangoRectangle logical;
  pango_layout_get_extents(layout.get(), nullptr, &logical);
  const ParaProps& props = paragraph.props;
  double width = static_cast<double>(logical.width) / PANGO_SCALE + points(props.left_indent + props.right_indent);
  width += 1.0;  // room for rounding
  return std::clamp(width, 1.0, std::max(1.0, max_width));
}

std::vector<ParagraphMetrics> measure_paragraphs(const std::vector<MeasureJob>& jobs, const FontChoice& fonts) {
  std::vector<ParagraphMetrics> out(jobs.size());
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const size_t threads = std::min<size_t>({cores, MAX_THREADS, jobs.size() / JOBS_PER_THREAD + 1});
  // Each helper thread shapes on its own context; this thread takes the
  // first share, and any share whose helper could not be started. Nothing
  // thrown leaves a helper: it is noted, and thrown again here once every
  // helper has been joined.
  std::vector<std::thread> helpers;
  std::atomic<bool> helper_failed{false};
  std::vector<std::pair<size_t, size_t>> own{{0, 0}};
  const size_t share = (jobs.size() + threads - 1) / threads;
  own[0].second = std::min(share, jobs.size());
  for (size_t t = 1; t < threads; ++t) {
    const size_t first = std::min(jobs.size(), t * share), end = std::min(jobs.size(), first + share);
    try {
      helpers.emplace_back([&, first, end] {
        try {
          const std::unique_ptr<PangoContext, void (*)(gpointer)> context(new_layout_context(), g_object_unref);
          measure_range(context.get(), jobs, fonts, out, first, end);
        } catch (...) {
          helper_failed = true;
        }
      });
    } catch (const std::system_error&) {
      own.emplace_back(first, end);
    }
  }
  std::exception_ptr failure;
  try {
    for (const auto& [first, end] : own) measure_range(main_layout_context(), jobs, fonts, out, first, end);
  } catch (...) {
    failure = std::current_exception();
  }
  for (std::thread& helper : helpers) helper.join();
  if (failure) std::rethrow_exception(failure);
  if (helper_failed) throw std::bad_alloc();
  return out;
}

}  // namespace quire

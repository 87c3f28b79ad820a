#include "paragraph_metrics.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <thread>

namespace quire {
namespace {

constexpr size_t JOBS_PER_THREAD = 400;  // a helper's fresh font caches cost about 200 paragraphs
constexpr unsigned MAX_THREADS = 4;

ParagraphMetrics measure(PangoContext* context, const MeasureJob& job, const FontChoice& fonts) {
  ParagraphMetrics metrics;
  PangoLayout* layout = make_paragraph_layout(context, *job.paragraph, fonts, job.width);
  PangoLayoutIter* iter = pango_layout_get_iter(layout);
  do {
    PangoRectangle logical;
    pango_layout_iter_get_line_extents(iter, nullptr, &logical);
    metrics.lines.push_back({static_cast<double>(logical.y) / PANGO_SCALE,
                             static_cast<double>(logical.y + logical.height) / PANGO_SCALE});
  } while (pango_layout_iter_next_line(iter));
  pango_layout_iter_free(iter);
  PangoRectangle extents;
  pango_layout_get_extents(layout, nullptr, &extents);
  metrics.height = static_cast<double>(extents.height) / PANGO_SCALE;
  g_object_unref(layout);
  return metrics;
}

void measure_range(PangoContext* context, const std::vector<MeasureJob>& jobs, const FontChoice& fonts,
                   std::vector<ParagraphMetrics>& out, size_t first, size_t end) {
  for (size_t i = first; i < end; ++i) out[i] = measure(context, jobs[i], fonts);
}

}  // namespace

std::vector<ParagraphMetrics> measure_paragraphs(const std::vector<MeasureJob>& jobs, const FontChoice& fonts) {
  std::vector<ParagraphMetrics> out(jobs.size());
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const size_t threads = std::min<size_t>({cores, MAX_THREADS, jobs.size() / JOBS_PER_THREAD + 1});
  // Each helper thread shapes on its own context; this thread takes the first share.
  std::vector<std::thread> helpers;
  const size_t share = (jobs.size() + threads - 1) / threads;
  for (size_t t = 1; t < threads; ++t) {
    const size_t first = std::min(jobs.size(), t * share), end = std::min(jobs.size(), first + share);
    helpers.emplace_back([&, first, end] {
      PangoContext* context = new_layout_context();
      measure_range(context, jobs, fonts, out, first, end);
      g_object_unref(context);
    });
  }
  measure_range(main_layout_context(), jobs, fonts, out, 0, std::min(share, jobs.size()));
  for (std::thread& helper : helpers) helper.join();
  return out;
}

}  // namespace quire

// Keeps the exact player's strokes near linear in the file and the picture.
// Each stroke outlines the whole accumulated path again, open figures of
// earlier records included, and the player's pixels depend on that; but a
// file that changes pen between line records would make it quadratic. The
// ledger counts the stroked length in device pixels against two budgets:
// - every record played allows PIXELS_PER_RECORD more; past that, a stroke
//   outlines only what was added since the previous one: the figures
//   already stroked are held aside, out of cairo's path, until a fill or a
//   clip takes the whole path;
// - past max(MIN_WORK_PIXELS, WORK_PER_PIXEL x the picture's pixels) in
//   all, strokes are drawn without antialiasing, several times cheaper.
// Ordinary files stay within both and keep their pixels.
#pragma once

#include <cstdint>
#include <vector>

typedef struct _cairo cairo_t;
typedef struct cairo_path cairo_path_t;

namespace vellum {

class StrokeLedger {
 public:
  static constexpr double PIXELS_PER_RECORD = 512;
  static constexpr double WORK_PER_PIXEL = 4;
  static constexpr double MIN_WORK_PIXELS = 16e6;

  explicit StrokeLedger(double picture_pixels);
  StrokeLedger(const StrokeLedger&) = delete;
  StrokeLedger& operator=(const StrokeLedger&) = delete;
  ~StrokeLedger();

  void record_played() { allowance_ += PIXELS_PER_RECORD; }

  // Strokes cairo's current path with the context's settings and keeps it.
  void stroke(cairo_t* cr);

  // Puts the held figures back in front of cairo's path, for a fill or clip.
  void restore_whole_path(cairo_t* cr);

  // Moves cairo's path into the held figures, leaving only a move to the
  // current point, so the context can fill something of its own.
  void set_aside(cairo_t* cr);

  // Whether strokes now outline only the new part of the path.
  bool strokes_only_new() const { return spent_ > allowance_; }

 private:
  double allowance_ = 0;
  double spent_ = 0;
  double work_limit_;
  std::vector<cairo_path_t*> held_;
};

}  // namespace vellum

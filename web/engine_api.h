// The browser edition's design engine (the calculator's own is web/calculator_api.h), as a small
// C interface: every call takes and gives UTF-8 text (JSON where it is structured), so that the
// page's script calls it through emscripten's ccall without generated glue or dynamic code, and
// so that the same interface compiles and is tested natively. What comes from a user's file comes
// as bytes with their count, so that the engine, not the browser, judges bytes that are not UTF-8
// or hold a NUL, as the desktop does. Each answer stays valid until the next call. Nothing here
// computes, reads or judges anything itself: it hands texts to calc/, rows/, design/ and batch/
// and their answers back.
#pragma once

#include <cstddef>

/// The largest catalogue the page computes, and the most it gives back: beyond them it says so
/// and points to disc-spring-batch, which streams any size.
inline constexpr std::size_t kMaxCatalogueBytes = std::size_t{32} << 20;
inline constexpr std::size_t kMaxAnswerBytes = std::size_t{64} << 20;

extern "C" {

/// Sets the language every later answer's words are said in, by its tag ("zh", "en", a browser's
/// "en-GB": Chinese for zh*, English for any other); answers {"language": "zh" or "en"}.
const char* ds_language(const char* tag);

/// What the design view is built from, its words in the language set: the inputs' table (label,
/// name, hint, key, kind), the requirement's table (label, hint, key) and its points' names, the
/// working points' names, the fatigue lines' hint ("fatigueHint"), the catalogue's limit
/// ("catalogueBytes"), the named materials with E, μ and Rm as texts, the largest design file and
/// line set read
/// ("designFileBytes", "fatigueFileBytes"), and the design a new one is ("fresh", as
/// ds_design_check answers).
const char* ds_inputs();

/// A design file's `size` bytes read: {"file": the same design written anew, "address": it as
/// a link's fragment, "view": its texts for the form: {"fields": {key: text}, "points":
/// [{"by", "value"}], "requirement": the selection's texts, "fatigueLines": the fatigue lines'
/// text}} or {"error": why}.
const char* ds_design_check(const char* bytes, int size);

/// A line set's file put into the fatigue lines' box, `size` bytes of it read (its limit and one
/// more are enough): {"text": its text, without a byte-order mark} or {"error": why not, naming
/// the file `name`}.
const char* ds_fatigue_file(const char* bytes, int size, const char* name);

/// The design a link's fragment (after `#design=`) carries, answered as ds_design_check does.
const char* ds_design_address(const char* fragment);

/// An edit: the design of a form's texts (a "view" as ds_design_check gives it, edited),
/// answered as ds_design_check does — the engine alone writes and reads design files — and, when
/// `width` is above 0, with its "sheet" computed and kept as ds_sheet does: one call an edit.
const char* ds_edit(const char* view_json, int width, int height, const char* font);

/// Computes the sheet of a design given as a design file's text and keeps it for the calls below:
/// its header, row count, working points, summary, findings (sentences and codes), caption, data
/// sheet, and its plot laid out `width` × `height` in the CSS font `font` (measured in the
/// browser), as shapes to draw and where each panel stands. {"error": why} when the file is not
/// a design.
const char* ds_sheet(const char* file_text, int width, int height, const char* font);

/// The kept sheet's plot as a picture to save or print: `width` × `height`, with the spring's
/// caption wrapped below when `with_caption` is not 0: {"width", "height", "shapes"}.
const char* ds_picture(int width, int height, int with_caption);

/// Rows `from` … `from + count` of the kept sheet's table: {"rows": [{"cells": [...], "span"}]}.
const char* ds_sheet_rows(int from, int count);

/// A computed point of the kept sheet's plot, for the read-out: point `index` of series `series`
/// of panel `panel` (clamped to the last), or with `index` below 0 the point nearest `x`:
/// {"index", "count", "x", "xText", "yText", "said": the read-out, "shapes": the point marked
/// and its read-out's box}, or {"error": why} when there is no such series or it has no points.
const char* ds_plot_point(int panel, int series, int index, double x);

/// The computed point of the kept sheet's plot nearest (`x`, `y`) in the plot's units, within
/// 24, as the window's plot finds it: answered as ds_plot_point, or {"error"} when none is near.
const char* ds_plot_at(double x, double y);

/// What 复制表格 copies for the kept sheet (empty when there is nothing to copy).
const char* ds_sheet_copy();

/// The selection (选型) for the requirement of a design given as a design file's text:
/// {"problem": why it cannot be searched, or null; "summary": one line; "header": the columns;
/// "rows": [{"cells": a reader's digits, "every": every digit, "keys": each cell's number or
/// null, "name", "special"}]; "shown": how many of the catalogue's are shown, "more": whether
/// 更多… shows more, and "best": how many it then shows; "copy": what 复制 copies}, the `best` best
/// of the catalogue's candidates (0 or less: as many as at first), then the special springs.
/// {"error": why} when the file is not a design.
const char* ds_select(const char* file_text, int best);

/// The design file of the design with candidate `row` of its selection (showing `best`) in
/// place of its spring and stack: {"file": …} or {"error": why}.
const char* ds_open_candidate(const char* file_text, int best, int row);

/// What disc-spring-batch prints for the `size` bytes of `input` with the arguments of
/// `args_json` (a JSON array of strings, no file names): {"status": 0, 1 or 2, "output": text,
/// "error": message}. With "--design", `input` is one design file's bytes. An input of more
/// than kMaxCatalogueBytes, or an answer that would grow beyond kMaxAnswerBytes, is refused
/// (status 2) with the reason.
const char* ds_batch(const char* args_json, const char* input, int size);
}

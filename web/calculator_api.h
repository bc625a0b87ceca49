// The calculator's part of the browser edition's engine: its two commands alone, so that the
// page's calculator answers from a module far smaller than the whole engine, compiled first.
#pragma once

extern "C" {

/// The calculator's command "calculate" (自动计算) or "clear" (重新输入) on the texts of Text1 …
/// Text10, a JSON array of ten strings: {"boxes": the ten texts after the command, "report":
/// null, or on a fault the run-time error report {"title", "text", "button"}}. The answer stays
/// valid until the next call.
const char* ds_command(const char* command, const char* boxes_json);
}

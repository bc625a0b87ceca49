// The design tool's own words beyond its inputs and sentences: titles, commands, controls' names,
// states and refusals, one table for the window and the page.
#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "rows/language.h"

namespace design {

/// A word of the faces. Its text may hold named placeholders, "{path}", filled by Fill().
enum class Word {
    kTitle,
    kPngFiles,
    kSvgFiles,
    kDesignFiles,
    kPdfFiles,
    kSelect,
    kSelectHint,
    kFatigue,
    kFatigueHint,
    kPlot,
    kTable,
    kPoints,
    kPointsSaid,
    kFindings,
    kTest,
    kStatus,
    kSave,
    kSaveAs,
    kOpen,
    kCopyTable,
    kSaveImage,
    kDataSheetPdf,
    kPrint,
    kComputing,
    kNothingTo,
    kToCopy,
    kToSave,
    kToWriteDataSheet,
    kToPrint,
    kCannotWrite,
    kSaveImageTitle,
    kDesignFileName,
    kUnsaved,
    kSaveEllipsis,
    kDiscard,
    kCancel,
    kOpenTitle,
    kNotOpenedWindow,
    kNotOpenedPage,
    kNotOpenedExample,
    kAddressTooLarge,
    kDataSheetTitle,
    kDataSheetFileName,
    kCannotPrint,
    kComputedByWindow,
    kDataSheetPdfTitle,
    kCannotRead,
    kFatigueLines,
    kFatigueReading,
    kLoadEllipsis,
    kLoadFatigueTitle,
    kFatigueFiles,
    kSelection,
    kDynamic,
    kSelectionSaid,
    kCandidates,
    kOpenAsDesign,
    kOpenAsDesignNamed,
    kOpenColumn,
    kCopyCandidates,
    kMore,
    kMoreCandidates,
    kSelecting,
    kSelectionCancelled,
    kSelectionFailed,
    kSortByColumn,
    kNoCandidates,
    kCandidatesCopied,
    kComputeFailed,
    kCopied,
    kLinkCopied,
    kLocalLink,
    kOpenedAsDesign,
    kPlotPointOf,
    kCatalogueTooLarge,
    kCatalogueRefused,
    kCatalogueComputing,
    kCatalogueDone,
    kCatalogueDoneWithErrors,
    kCatalogueCancelled,
    kCatalogueResultSuffix,
    kCurveUsage,
    kCurveRefused,
    kWriteFailed,
    kUnknownOption,
    kCurveArguments,
    kViews,
    kTabCalculator,
    kTabDesign,
    kStarting,
    kPlotKeys,
    kSaveSvg,
    kSavePng,
    kSaveDesignEllipsis,
    kPrintDataSheet,
    kCopyLink,
    kLoadFatigueLines,
    kCatalogueOptions,
    kCatalogueChoose,
    kCatalogueDrop,
    kSelectionNote,
    kOk,
    kComputedByPage,
    kArgumentsNotTexts,
    kNoFilesHere,
    kCatalogueLargerThan,
    kAnswerTooLarge,
    kNoDesignYet,
    kNoSuchCurve,
    kCurveWithoutPoints,
    kNoCurveNear,
    kNoSuchCandidate,
    kPackets,
    kPacketsNamed,
    kAddPacket,
    kRemovePacket,
    kPacketUp,
    kPacketDown,
    kPacketsTable,
    kPacketNumbered,
    kRemove,
    kLanguage,
    kLanguageValues,
    kEngineFailed,
    kNoDisplay,
    kCount,
};

/// A word: its key (how the page asks for it) and its text.
struct FaceWord {
    constexpr FaceWord(Word w, rows::Phrase phrase) : word(w), key(phrase.key), text(phrase.text) {}

    Word word;
    std::string_view key;
    std::string_view text;
};

using rows::P;

inline constexpr std::array<FaceWord, static_cast<std::size_t>(Word::kCount)> kFaceWords = {{
    {Word::kTitle, P("title", "碟形弹簧特性曲线")},
    {Word::kPngFiles, P("png-files", "PNG 图像 (*.png)")},
    {Word::kSvgFiles, P("svg-files", "SVG 图像 (*.svg)")},
    {Word::kDesignFiles, P("design-files", "碟簧设计 (*.dspring)")},
    {Word::kPdfFiles, P("pdf-files", "PDF 文件 (*.pdf)")},
    {Word::kSelect, P("select", "选型…")},
    {Word::kSelectHint, P("select-hint", "按要求从 DIN 2093 碟簧中选型并设计特制碟簧")},
    {Word::kFatigue, P("fatigue", "疲劳线…")},
    {Word::kFatigueHint,
     P("fatigue-hint", "输入从所持标准或手册的疲劳图上读出的线，按它们判断两工作点间的载荷循环")},
    {Word::kPlot, P("plot", "特性曲线")},
    {Word::kTable, P("table", "特性表")},
    {Word::kPoints, P("points", "工作点")},
    {Word::kPointsSaid, P("points-said", "工作点说明")},
    {Word::kFindings, P("findings", "设计检查")},
    {Word::kTest, P("test", "检验")},
    {Word::kStatus, P("status", "状态")},
    {Word::kSave, P("save", "保存设计")},
    {Word::kSaveAs, P("save-as", "另存为…")},
    {Word::kOpen, P("open", "打开设计…")},
    {Word::kCopyTable, P("copy-table", "复制表格")},
    {Word::kSaveImage, P("save-image", "保存图像…")},
    {Word::kDataSheetPdf, P("data-sheet-pdf", "数据表 PDF…")},
    {Word::kPrint, P("print", "打印…")},
    {Word::kComputing, P("computing", "正在计算…")},
    {Word::kNothingTo, P("nothing-to", "没有可{what}的内容：{why}")},
    {Word::kToCopy, P("to-copy", "复制")},
    {Word::kToSave, P("to-save", "保存")},
    {Word::kToWriteDataSheet, P("to-write-data-sheet", "写入数据表")},
    {Word::kToPrint, P("to-print", "打印")},
    {Word::kCannotWrite, P("cannot-write", "无法写入文件 {path}")},
    {Word::kSaveImageTitle, P("save-image-title", "保存图像")},
    {Word::kDesignFileName, P("design-file-name", "碟簧.dspring")},
    {Word::kUnsaved, P("unsaved", "这个设计改过以后还没有保存。要保存吗？")},
    {Word::kSaveEllipsis, P("save-ellipsis", "保存…")},
    {Word::kDiscard, P("discard", "不保存")},
    {Word::kCancel, P("cancel", "取消")},
    {Word::kOpenTitle, P("open-title", "打开设计")},
    {Word::kNotOpenedWindow, P("not-opened-window", "打不开这个设计，窗口保持原样。")},
    {Word::kNotOpenedPage, P("not-opened-page", "打不开这个设计，页面保持原样。")},
    {Word::kNotOpenedExample, P("not-opened-example", "打不开这个设计，打开的是示例弹簧。")},
    {Word::kAddressTooLarge, P("address-too-large", "地址中的设计大于 {size} MiB，不打开")},
    {Word::kDataSheetTitle, P("data-sheet-title", "数据表")},
    {Word::kDataSheetFileName, P("data-sheet-file-name", "碟簧数据表.pdf")},
    {Word::kCannotPrint, P("cannot-print", "无法打印")},
    {Word::kComputedByWindow, P("computed-by-window", "由 disc-spring-curve 计算")},
    {Word::kDataSheetPdfTitle, P("data-sheet-pdf-title", "碟形弹簧数据表 — {caption}")},
    {Word::kCannotRead, P("cannot-read", "无法读取文件 {path}：{why}")},
    {Word::kFatigueLines, P("fatigue-lines", "疲劳线")},
    {Word::kFatigueReading, P("fatigue-reading", "疲劳线的读法")},
    {Word::kLoadEllipsis, P("load-ellipsis", "载入…")},
    {Word::kLoadFatigueTitle, P("load-fatigue-title", "载入疲劳线")},
    {Word::kFatigueFiles, P("fatigue-files", "疲劳线 (*.tsv *.txt);;所有文件 (*)")},
    {Word::kSelection, P("selection", "选型")},
    {Word::kDynamic, P("dynamic", "动载")},
    {Word::kSelectionSaid, P("selection-said", "选型结果")},
    {Word::kCandidates, P("candidates", "候选碟簧")},
    {Word::kOpenAsDesign, P("open-as-design", "作为设计打开")},
    {Word::kOpenAsDesignNamed, P("open-as-design-named", "作为设计打开 {name}")},
    {Word::kOpenColumn, P("open-column", "打开")},
    {Word::kCopyCandidates, P("copy-candidates", "复制候选表")},
    {Word::kMore, P("more", "更多…")},
    {Word::kMoreCandidates, P("more-candidates", "更多候选")},
    {Word::kSelecting, P("selecting", "正在选型…")},
    {Word::kSelectionCancelled,
     P("selection-cancelled", "选型已取消；修改要求或切换到“选型”时重新选型")},
    {Word::kSelectionFailed, P("selection-failed", "选型出错：{why}")},
    {Word::kSortByColumn, P("sort-by-column", "按此列排序")},
    {Word::kNoCandidates, P("no-candidates", "没有候选碟簧")},
    {Word::kCandidatesCopied, P("candidates-copied", "已复制候选表")},
    {Word::kComputeFailed, P("compute-failed", "计算出错：{why}")},
    {Word::kCopied, P("copied", "已复制")},
    {Word::kLinkCopied, P("link-copied", "链接已复制")},
    {Word::kLocalLink,
     P("local-link",
       "这个页面是从本机的文件打开的，它的链接只能在这台电脑上打开，还会带上文件夹的路径。要把设计"
       "交给别人，请用“保存设计…”保存成文件。")},
    {Word::kOpenedAsDesign,
     P("opened-as-design", "已作为设计打开；原来的设计可用浏览器的“后退”找回")},
    {Word::kPlotPointOf, P("plot-point-of", "{said}（第 {index} 点，共 {count} 点）")},
    {Word::kCatalogueTooLarge, P("catalogue-too-large",
                                 "不能计算这个目录：大于 {size} MiB，浏览器中不计算；请用 "
                                 "disc-spring-batch，它能读任意大的目录")},
    {Word::kCatalogueRefused, P("catalogue-refused", "不能计算这个目录：{why}")},
    {Word::kCatalogueComputing, P("catalogue-computing", "正在计算目录…")},
    {Word::kCatalogueDone, P("catalogue-done", "目录已算完")},
    {Word::kCatalogueDoneWithErrors, P("catalogue-done-with-errors", "目录已算完，有的行没有结果")},
    {Word::kCatalogueCancelled, P("catalogue-cancelled", "目录的计算已取消")},
    {Word::kCatalogueResultSuffix, P("catalogue-result-suffix", "-结果.tsv")},
    {Word::kCurveUsage,
     P("curve-usage",
       "用法: disc-spring-curve [D d t H [f] | 设计文件.dspring]\n"
       "\n"
       "碟形弹簧特性曲线：画出并列出碟簧或碟簧组从自由状态到压平的力和应力，给出工作点，\n"
       "并作设计检查。不带参数时打开示例弹簧 D = 100, d = 51, t = 3.5, H = 6.3。\n"
       "\n"
       "  D d t H [f]       外径、内径、厚度、自由高度（mm）和可选的曲线终点 f（省略时为\n"
       "                    h0 = H - t），按计算器输入框的规则读取，如 3.5 或 2.06E5\n"
       "  设计文件.dspring  打开用“保存设计”或“另存为…”保存的设计（全部输入、材料、工作点）；\n"
       "                    disc-spring-batch --design 可以不开窗口检查设计文件\n"
       "  --lang zh|en      窗口和说明的语言；不给时按系统的语言（zh* 为中文，其他为英文）\n"
       "  -h, --help        显示本说明\n"
       "\n"
       "退出状态: 0 正常关闭窗口；2 参数不能用、设计文件不能读或没有可以打开窗口的显示。\n")},
    {Word::kCurveRefused, P("curve-refused", "disc-spring-curve: {why}（用 --help 查看用法）\n")},
    {Word::kWriteFailed, P("write-failed", "写入标准输出失败")},
    {Word::kUnknownOption, P("unknown-option", "未知选项 '{option}'")},
    {Word::kCurveArguments,
     P("curve-arguments", "需要 D d t H 四个数值（或再加曲线终点 f），或一个 .dspring 设计文件")},
    {Word::kViews, P("views", "视图")},
    {Word::kTabCalculator, P("tab-calculator", "计算器")},
    {Word::kTabDesign, P("tab-design", "特性曲线与设计")},
    {Word::kStarting, P("starting", "正在启动…")},
    {Word::kPlotKeys, P("plot-keys", "特性曲线：用方向键沿曲线读数，上下键换曲线")},
    {Word::kSaveSvg, P("save-svg", "保存图像 SVG")},
    {Word::kSavePng, P("save-png", "保存图像 PNG")},
    {Word::kSaveDesignEllipsis, P("save-design-ellipsis", "保存设计…")},
    {Word::kPrintDataSheet, P("print-data-sheet", "数据表（打印）…")},
    {Word::kCopyLink, P("copy-link", "复制链接")},
    {Word::kLoadFatigueLines, P("load-fatigue-lines", "载入疲劳线…")},
    {Word::kCatalogueOptions, P("catalogue-options", "批量计算目录：选项")},
    {Word::kCatalogueChoose, P("catalogue-choose", "选择 .tsv 文件…")},
    {Word::kCatalogueDrop,
     P("catalogue-drop",
       "或把目录文件拖到这里：结果与 disc-spring-batch 输出的完全相同，作为下载交给你。")},
    {Word::kSelectionNote,
     P("selection-note",
       "按要求从 DIN 2093 碟簧（各种串并联组合）中选型，并设计特制碟簧。材料（E、μ、Rm）和摩擦取"
       "“特性曲线与设计”中的。")},
    {Word::kOk, P("ok", "确定")},
    {Word::kComputedByPage, P("computed-by-page", "由碟形弹簧的设计计算（浏览器版）计算")},
    {Word::kArgumentsNotTexts, P("arguments-not-texts", "参数应为文字的列表")},
    {Word::kNoFilesHere, P("no-files-here", "这里不接受文件名和 --help")},
    {Word::kCatalogueLargerThan,
     P("catalogue-larger-than",
       "目录大于 {size} MiB，浏览器中不计算；请用 disc-spring-batch，它能读任意大的目录")},
    {Word::kAnswerTooLarge,
     P("answer-too-large",
       "结果将超过 {size} MiB，浏览器中不计算；请用 disc-spring-batch，或减少行数或曲线点数")},
    {Word::kNoDesignYet, P("no-design-yet", "还没有计算设计")},
    {Word::kNoSuchCurve, P("no-such-curve", "没有这条曲线")},
    {Word::kCurveWithoutPoints, P("curve-without-points", "这条曲线没有点")},
    {Word::kNoCurveNear, P("no-curve-near", "附近没有曲线")},
    {Word::kNoSuchCandidate, P("no-such-candidate", "没有这个候选碟簧")},
    {Word::kPackets, P("packets", "渐进碟簧组…")},
    {Word::kPacketsNamed, P("packets-named", "渐进碟簧组（{count} 组）…")},
    {Word::kAddPacket, P("add-packet", "添加一组")},
    {Word::kRemovePacket, P("remove-packet", "删除所选组")},
    {Word::kPacketUp, P("packet-up", "上移")},
    {Word::kPacketDown, P("packet-down", "下移")},
    {Word::kPacketsTable, P("packets-table", "各组")},
    {Word::kPacketNumbered, P("packet-numbered", "第 {k} 组")},
    {Word::kRemove, P("remove", "删除")},
    {Word::kLanguage, P("language", "语言")},
    {Word::kLanguageValues, P("language-values", "--lang 应为 zh 或 en")},
    {Word::kEngineFailed, P("engine-failed", "引擎无法启动：{why}")},
    {Word::kNoDisplay, P("no-display",
                         "没有可以打开窗口的显示（DISPLAY 和 WAYLAND_DISPLAY 都没有设置）；"
                         "不开窗口请用 disc-spring-batch")},
}};

/// Whether every word stands at its own place, so that Said() finds it.
constexpr bool InOrder() {
    for (std::size_t k = 0; k < kFaceWords.size(); ++k) {
        if (kFaceWords[k].word != static_cast<Word>(k)) {
            return false;
        }
    }
    return true;
}
static_assert(InOrder(), "kFaceWords lists the words in the order of Word");

/// A word's text.
constexpr std::string_view Said(Word word) {
    return kFaceWords[static_cast<std::size_t>(word)].text;
}

/// A word's text with its placeholders filled: each "{name}" by the value given for it.
std::string Fill(Word word, std::span<const std::pair<std::string_view, std::string_view>> values);
inline std::string Fill(
    Word word, std::initializer_list<std::pair<std::string_view, std::string_view>> values) {
    return Fill(word, std::span(values.begin(), values.size()));
}

}  // namespace design

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
    kCount,
};

/// A word: its key (how the page asks for it) and its text.
struct FaceWord {
    Word word;
    std::string_view key;
    std::string_view text;
};

inline constexpr std::array<FaceWord, static_cast<std::size_t>(Word::kCount)> kFaceWords = {{
    {Word::kTitle, "title", "碟形弹簧特性曲线"},
    {Word::kPngFiles, "png-files", "PNG 图像 (*.png)"},
    {Word::kSvgFiles, "svg-files", "SVG 图像 (*.svg)"},
    {Word::kDesignFiles, "design-files", "碟簧设计 (*.dspring)"},
    {Word::kPdfFiles, "pdf-files", "PDF 文件 (*.pdf)"},
    {Word::kSelect, "select", "选型…"},
    {Word::kSelectHint, "select-hint", "按要求从 DIN 2093 碟簧中选型并设计特制碟簧"},
    {Word::kFatigue, "fatigue", "疲劳线…"},
    {Word::kFatigueHint, "fatigue-hint",
     "输入从所持标准或手册的疲劳图上读出的线，按它们判断两工作点间的载荷循环"},
    {Word::kPlot, "plot", "特性曲线"},
    {Word::kTable, "table", "特性表"},
    {Word::kPoints, "points", "工作点"},
    {Word::kPointsSaid, "points-said", "工作点说明"},
    {Word::kFindings, "findings", "设计检查"},
    {Word::kTest, "test", "检验"},
    {Word::kStatus, "status", "状态"},
    {Word::kSave, "save", "保存设计"},
    {Word::kSaveAs, "save-as", "另存为…"},
    {Word::kOpen, "open", "打开设计…"},
    {Word::kCopyTable, "copy-table", "复制表格"},
    {Word::kSaveImage, "save-image", "保存图像…"},
    {Word::kDataSheetPdf, "data-sheet-pdf", "数据表 PDF…"},
    {Word::kPrint, "print", "打印…"},
    {Word::kComputing, "computing", "正在计算…"},
    {Word::kNothingTo, "nothing-to", "没有可{what}的内容：{why}"},
    {Word::kToCopy, "to-copy", "复制"},
    {Word::kToSave, "to-save", "保存"},
    {Word::kToWriteDataSheet, "to-write-data-sheet", "写入数据表"},
    {Word::kToPrint, "to-print", "打印"},
    {Word::kCannotWrite, "cannot-write", "无法写入文件 {path}"},
    {Word::kSaveImageTitle, "save-image-title", "保存图像"},
    {Word::kDesignFileName, "design-file-name", "碟簧.dspring"},
    {Word::kUnsaved, "unsaved", "这个设计改过以后还没有保存。要保存吗？"},
    {Word::kSaveEllipsis, "save-ellipsis", "保存…"},
    {Word::kDiscard, "discard", "不保存"},
    {Word::kCancel, "cancel", "取消"},
    {Word::kOpenTitle, "open-title", "打开设计"},
    {Word::kNotOpenedWindow, "not-opened-window", "打不开这个设计，窗口保持原样。"},
    {Word::kNotOpenedPage, "not-opened-page", "打不开这个设计，页面保持原样。"},
    {Word::kNotOpenedExample, "not-opened-example", "打不开这个设计，打开的是示例弹簧。"},
    {Word::kAddressTooLarge, "address-too-large", "地址中的设计大于 {size} MiB，不打开"},
    {Word::kDataSheetTitle, "data-sheet-title", "数据表"},
    {Word::kDataSheetFileName, "data-sheet-file-name", "碟簧数据表.pdf"},
    {Word::kCannotPrint, "cannot-print", "无法打印"},
    {Word::kComputedByWindow, "computed-by-window", "由 disc-spring-curve 计算"},
    {Word::kDataSheetPdfTitle, "data-sheet-pdf-title", "碟形弹簧数据表 — {caption}"},
    {Word::kCannotRead, "cannot-read", "无法读取文件 {path}：{why}"},
    {Word::kFatigueLines, "fatigue-lines", "疲劳线"},
    {Word::kFatigueReading, "fatigue-reading", "疲劳线的读法"},
    {Word::kLoadEllipsis, "load-ellipsis", "载入…"},
    {Word::kLoadFatigueTitle, "load-fatigue-title", "载入疲劳线"},
    {Word::kFatigueFiles, "fatigue-files", "疲劳线 (*.tsv *.txt);;所有文件 (*)"},
    {Word::kSelection, "selection", "选型"},
    {Word::kDynamic, "dynamic", "动载"},
    {Word::kSelectionSaid, "selection-said", "选型结果"},
    {Word::kCandidates, "candidates", "候选碟簧"},
    {Word::kOpenAsDesign, "open-as-design", "作为设计打开"},
    {Word::kOpenAsDesignNamed, "open-as-design-named", "作为设计打开 {name}"},
    {Word::kOpenColumn, "open-column", "打开"},
    {Word::kCopyCandidates, "copy-candidates", "复制候选表"},
    {Word::kMore, "more", "更多…"},
    {Word::kMoreCandidates, "more-candidates", "更多候选"},
    {Word::kSelecting, "selecting", "正在选型…"},
    {Word::kSelectionCancelled, "selection-cancelled",
     "选型已取消；修改要求或切换到“选型”时重新选型"},
    {Word::kSelectionFailed, "selection-failed", "选型出错：{why}"},
    {Word::kSortByColumn, "sort-by-column", "按此列排序"},
    {Word::kNoCandidates, "no-candidates", "没有候选碟簧"},
    {Word::kCandidatesCopied, "candidates-copied", "已复制候选表"},
    {Word::kComputeFailed, "compute-failed", "计算出错：{why}"},
    {Word::kCopied, "copied", "已复制"},
    {Word::kLinkCopied, "link-copied", "链接已复制"},
    {Word::kLocalLink, "local-link",
     "这个页面是从本机的文件打开的，它的链接只能在这台电脑上打开，还会带上文件夹的路径。要把设计"
     "交给别人，请用“保存设计…”保存成文件。"},
    {Word::kOpenedAsDesign, "opened-as-design", "已作为设计打开；原来的设计可用浏览器的“后退”找回"},
    {Word::kPlotPointOf, "plot-point-of", "{said}（第 {index} 点，共 {count} 点）"},
    {Word::kCatalogueTooLarge, "catalogue-too-large",
     "不能计算这个目录：大于 {size} MiB，浏览器中不计算；请用 "
     "disc-spring-batch，它能读任意大的目录"},
    {Word::kCatalogueRefused, "catalogue-refused", "不能计算这个目录：{why}"},
    {Word::kCatalogueComputing, "catalogue-computing", "正在计算目录…"},
    {Word::kCatalogueDone, "catalogue-done", "目录已算完"},
    {Word::kCatalogueDoneWithErrors, "catalogue-done-with-errors", "目录已算完，有的行没有结果"},
    {Word::kCatalogueCancelled, "catalogue-cancelled", "目录的计算已取消"},
    {Word::kCatalogueResultSuffix, "catalogue-result-suffix", "-结果.tsv"},
    {Word::kCurveUsage, "curve-usage",
     "用法: disc-spring-curve [D d t H [f] | 设计文件.dspring]\n"
     "\n"
     "碟形弹簧特性曲线：画出并列出碟簧或碟簧组从自由状态到压平的力和应力，给出工作点，\n"
     "并作设计检查。不带参数时打开示例弹簧 D = 100, d = 51, t = 3.5, H = 6.3。\n"
     "\n"
     "  D d t H [f]       外径、内径、厚度、自由高度（mm）和可选的曲线终点 f（省略时为\n"
     "                    h0 = H - t），按计算器输入框的规则读取，如 3.5 或 2.06E5\n"
     "  设计文件.dspring  打开用“保存设计”或“另存为…”保存的设计（全部输入、材料、工作点）；\n"
     "                    disc-spring-batch --design 可以不开窗口检查设计文件\n"
     "  -h, --help        显示本说明\n"
     "\n"
     "退出状态: 0 正常关闭窗口；2 参数不能用、设计文件不能读或没有可以打开窗口的显示。\n"},
    {Word::kCurveRefused, "curve-refused", "disc-spring-curve: {why}（用 --help 查看用法）\n"},
    {Word::kWriteFailed, "write-failed", "写入标准输出失败"},
    {Word::kUnknownOption, "unknown-option", "未知选项 '{option}'"},
    {Word::kCurveArguments, "curve-arguments",
     "需要 D d t H 四个数值（或再加曲线终点 f），或一个 .dspring 设计文件"},
    {Word::kViews, "views", "视图"},
    {Word::kTabCalculator, "tab-calculator", "计算器"},
    {Word::kTabDesign, "tab-design", "特性曲线与设计"},
    {Word::kStarting, "starting", "正在启动…"},
    {Word::kPlotKeys, "plot-keys", "特性曲线：用方向键沿曲线读数，上下键换曲线"},
    {Word::kSaveSvg, "save-svg", "保存图像 SVG"},
    {Word::kSavePng, "save-png", "保存图像 PNG"},
    {Word::kSaveDesignEllipsis, "save-design-ellipsis", "保存设计…"},
    {Word::kPrintDataSheet, "print-data-sheet", "数据表（打印）…"},
    {Word::kCopyLink, "copy-link", "复制链接"},
    {Word::kLoadFatigueLines, "load-fatigue-lines", "载入疲劳线…"},
    {Word::kCatalogueOptions, "catalogue-options", "批量计算目录：选项"},
    {Word::kCatalogueChoose, "catalogue-choose", "选择 .tsv 文件…"},
    {Word::kCatalogueDrop, "catalogue-drop",
     "或把目录文件拖到这里：结果与 disc-spring-batch 输出的完全相同，作为下载交给你。"},
    {Word::kSelectionNote, "selection-note",
     "按要求从 DIN 2093 碟簧（各种串并联组合）中选型，并设计特制碟簧。材料（E、μ、Rm）和摩擦取"
     "“特性曲线与设计”中的。"},
    {Word::kOk, "ok", "确定"},
    {Word::kComputedByPage, "computed-by-page", "由碟形弹簧的设计计算（浏览器版）计算"},
    {Word::kArgumentsNotTexts, "arguments-not-texts", "参数应为文字的列表"},
    {Word::kNoFilesHere, "no-files-here", "这里不接受文件名和 --help"},
    {Word::kCatalogueLargerThan, "catalogue-larger-than",
     "目录大于 {size} MiB，浏览器中不计算；请用 disc-spring-batch，它能读任意大的目录"},
    {Word::kAnswerTooLarge, "answer-too-large",
     "结果将超过 {size} MiB，浏览器中不计算；请用 disc-spring-batch，或减少行数或曲线点数"},
    {Word::kNoDesignYet, "no-design-yet", "还没有计算设计"},
    {Word::kNoSuchCurve, "no-such-curve", "没有这条曲线"},
    {Word::kCurveWithoutPoints, "curve-without-points", "这条曲线没有点"},
    {Word::kNoCurveNear, "no-curve-near", "附近没有曲线"},
    {Word::kNoSuchCandidate, "no-such-candidate", "没有这个候选碟簧"},
    {Word::kPackets, "packets", "渐进碟簧组…"},
    {Word::kPacketsNamed, "packets-named", "渐进碟簧组（{count} 组）…"},
    {Word::kAddPacket, "add-packet", "添加一组"},
    {Word::kRemovePacket, "remove-packet", "删除所选组"},
    {Word::kPacketUp, "packet-up", "上移"},
    {Word::kPacketDown, "packet-down", "下移"},
    {Word::kPacketsTable, "packets-table", "各组"},
    {Word::kPacketNumbered, "packet-numbered", "第 {k} 组"},
    {Word::kRemove, "remove", "删除"},
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

#include "app/CatalogueProblems.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "app/CatalogueBuild.h"

namespace zr {
namespace {

struct KindText {
  ProblemKind kind;
  const char* ja;
  const char* en;
};

// "%s" in a text stands for the problem's detail.
constexpr std::array kTexts = {
    KindText{ProblemKind::FolderUnreadable, "フォルダーを読めません", "the folder cannot be read"},
    KindText{ProblemKind::ListMissing, "ファイルがありません", "the file is missing"},
    KindText{ProblemKind::ListUnreadable, "ファイルを開けません", "the file cannot be opened"},
    KindText{ProblemKind::ListUnmarkedUtf8,
             "BOM なしの UTF-8 です。ANSI コードページで読まれ、名前が文字化けします (UTF-8 "
             "BOM 付きか Shift JIS で保存してください)",
             "UTF-8 without a byte-order mark: it is read in the ANSI code page and the names "
             "show garbled (save it as UTF-8 with BOM or Shift JIS)"},
    KindText{ProblemKind::ListUndecodable, "コードページで読めない文字があります",
             "holds bytes the code page cannot decode"},
    KindText{ProblemKind::CategoryWithoutTab,
             "タブがないため分類になりません (名前とタグはタブで区切ります)",
             "no tab, so it is no category (name and tag are separated by a tab)"},
    KindText{ProblemKind::CategoryEmptyTag, "タグが空なので何も表示されません",
             "the tag is empty, so the category shows nothing"},
    KindText{ProblemKind::CategoryTagUnused,
             "このタグで始まる行が BlockList.txt にないので、分類が空になります",
             "no line of BlockList.txt begins with this tag: the category is empty"},
    KindText{ProblemKind::CategoryTagTwice, "タグが %s 行と同じです", "the same tag as line %s"},
    KindText{ProblemKind::CategoryNameTwice, "名前が %s 行と同じで、この分類は選べません",
             "the same name as line %s: this category cannot be reached"},
    KindText{ProblemKind::BlockLineShort, "欄が 2 つ未満 (番号タブ名前) で、スロットが空になります",
             "fewer than two fields (number, tab, name): the slot stays empty"},
    KindText{ProblemKind::BlockNumberTwice, "ブロック番号が %s 行と重複しています",
             "the block number is used on line %s too"},
    KindText{ProblemKind::DrawingMissingB, "B 図面 %s がないので、サムネイルも挿入もできません",
             "no B drawing %s: no thumbnail and no insertion"},
    KindText{ProblemKind::DrawingMissingScale,
             "%s がないので、B 図面が黄色い印で代わりに使われます",
             "no %s: the B drawing stands in, with the yellow mark"},
    KindText{ProblemKind::DrawingUnreadable,
             "DXF として読めません (グループコードと値の組 %s が読めない)",
             "the DXF reader cannot read it (the code/value pair %s is not DXF)"},
    KindText{ProblemKind::DrawingBinary, "バイナリ DXF は読めません (ASCII DXF で保存してください)",
             "a binary DXF, which is not read (save it as ASCII DXF)"},
    KindText{ProblemKind::DrawingTruncated,
             "途中で切れています (EOF がありません)。一部しか表示されません",
             "cut short (no EOF): only part of it shows"},
    KindText{ProblemKind::DrawingEmpty, "描くものがありません (スロットが黒く、大きさもありません)",
             "nothing to draw (black slot, no size)"},
    KindText{ProblemKind::DrawingUnlisted, "どの行にも使われていない図面です",
             "no line lists this drawing"},
    KindText{ProblemKind::DrawingCaseTwin,
             "%s と大文字小文字だけが違います (Windows では同じファイルです)",
             "differs from %s in letter case only (one and the same file on Windows)"},
    KindText{ProblemKind::DxfFolderMissing, "DXF フォルダーがありません", "there is no DXF folder"},
    KindText{ProblemKind::SourceMisnamed,
             "ファイル名が「番号+縮尺文字 (A/B/C).dxf」ではないので取り込みません",
             "not named by block number and scale letter (A, B or C): left out"},
    KindText{ProblemKind::SourceLineGone, "図面が元のフォルダーにありません (行は残します)",
             "its drawings are gone from the source folder (the line is kept)"},
    KindText{ProblemKind::SourceCaseTwin, "%s と同じブロックと縮尺です (後の方を取り込みません)",
             "the same block and scale as %s (this one is left out)"},
    KindText{ProblemKind::WriteFailed, "書き込めません", "cannot be written"},
};

std::string Fill(const char* text, const std::string& detail) {
  std::string out(text);
  const std::size_t at = out.find("%s");
  if (at != std::string::npos) out.replace(at, 2, detail);
  return out;
}

}  // namespace

std::string DescribeProblem(const Problem& problem, MessageLanguage language) {
  const bool ja = language == MessageLanguage::Japanese;
  std::string out;
  if (problem.severity == Severity::Error) {
    out = ja ? "エラー" : "error";
  } else {
    out = ja ? "警告" : "warning";
  }
  out.append(": ").append(problem.file);
  if (problem.line > 0) out.append(":").append(std::to_string(problem.line));
  if (!problem.subject.empty()) out.append(": ").append(problem.subject);
  const auto it = std::find_if(kTexts.begin(), kTexts.end(),
                               [&](const KindText& t) { return t.kind == problem.kind; });
  if (it != kTexts.end()) out.append(": ").append(Fill(ja ? it->ja : it->en, problem.detail));
  return out;
}

std::string DescribeChange(const Change& change, MessageLanguage language) {
  const bool ja = language == MessageLanguage::Japanese;
  const char* what = "";
  switch (change.kind) {
    case ChangeKind::AddCategory:
      what = ja ? "分類を追加" : "category added";
      break;
    case ChangeKind::AddBlock:
      what = ja ? "ブロックを追加" : "block added";
      break;
    case ChangeKind::CopyDrawing:
      what = ja ? "図面をコピー" : "drawing copied";
      break;
    case ChangeKind::ReplaceDrawing:
      what = ja ? "図面を更新" : "drawing updated";
      break;
    case ChangeKind::Reencode:
      what = ja ? "文字コードを変更" : "encoding changed";
      break;
  }
  std::string out(what);
  out.append(": ").append(change.file);
  if (change.line > 0) out.append(":").append(std::to_string(change.line));
  std::string shown = change.what;
  for (char& c : shown) {
    if (c == '\t') c = ' ';
  }
  while (!shown.empty() && shown.back() == ' ') shown.pop_back();  // the empty fields
  if (!shown.empty()) out.append(": ").append(shown);
  return out;
}

void AddProblem(std::vector<Problem>& problems, Severity severity, ProblemKind kind,
                std::string file, int line, std::string subject, std::string detail) {
  problems.push_back(
      {severity, kind, std::move(file), line, std::move(subject), std::move(detail)});
}

bool HasError(const std::vector<Problem>& problems) {
  return std::any_of(problems.begin(), problems.end(),
                     [](const Problem& p) { return p.severity == Severity::Error; });
}

std::string CountProblems(const std::vector<Problem>& problems, MessageLanguage language) {
  const auto errors = std::count_if(problems.begin(), problems.end(),
                                    [](const Problem& p) { return p.severity == Severity::Error; });
  const auto warnings = static_cast<std::ptrdiff_t>(problems.size()) - errors;
  if (language == MessageLanguage::Japanese) {
    return "エラー " + std::to_string(errors) + " 件、警告 " + std::to_string(warnings) + " 件";
  }
  return std::to_string(errors) + " error(s), " + std::to_string(warnings) + " warning(s)";
}

}  // namespace zr

#include "CatalogueTool.h"

#include "app/CatalogueBuild.h"
#include "app/CatalogueCheck.h"

namespace zr::tool {
namespace {

constexpr int kUsage = 2;

struct CommonArgs {
  MessageLanguage language = MessageLanguage::Japanese;
  bool dryRun = false;
  std::map<std::string, std::string> tags;
  std::vector<std::string> positional;
};

bool ParseCommon(const std::vector<std::string>& args, CommonArgs& parsed) {
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--lang" && i + 1 < args.size()) {
      const std::string& lang = args[++i];
      if (lang != "en" && lang != "ja") return false;
      parsed.language = lang == "en" ? MessageLanguage::English : MessageLanguage::Japanese;
    } else if (a == "--dry-run") {
      parsed.dryRun = true;
    } else if (a == "--tag" && i + 1 < args.size()) {
      const std::string& pair = args[++i];
      const std::size_t eq = pair.find('=');
      if (eq == std::string::npos || eq == 0 || eq + 1 == pair.size()) return false;
      parsed.tags[pair.substr(0, eq)] = pair.substr(eq + 1);
    } else if (a.starts_with("--")) {
      return false;
    } else {
      parsed.positional.push_back(a);
    }
  }
  return true;
}

void PrintProblems(const std::vector<Problem>& problems, MessageLanguage language,
                   std::ostream& out) {
  for (const Problem& p : problems) out << DescribeProblem(p, language) << '\n';
  out << CountProblems(problems, language) << '\n';
}

int Check(const CommonArgs& args, std::ostream& out) {
  const CheckReport report = CheckCatalogue(args.positional[0]);
  PrintProblems(report.problems, args.language, out);
  if (!report.folderReadable) return 2;
  return HasError(report.problems) ? 1 : 0;
}

int Build(const CommonArgs& args, std::ostream& out) {
  BuildOptions options;
  options.dryRun = args.dryRun;
  options.tags = args.tags;
  const BuildReport report = BuildCatalogue(args.positional[0], args.positional[1], options);
  const bool ja = args.language == MessageLanguage::Japanese;
  for (const Change& c : report.changes) out << DescribeChange(c, args.language) << '\n';
  PrintProblems(report.problems, args.language, out);
  if (report.changes.empty()) {
    out << (ja ? "変更はありません\n" : "nothing to change\n");
  } else if (args.dryRun) {
    out << (ja ? "--dry-run: 何も書き込んでいません\n" : "--dry-run: nothing was written\n");
  }
  if (!report.sourceReadable) return 2;
  return HasError(report.problems) ? 1 : 0;
}

void Usage(std::ostream& err) {
  err << "ZrCatalogue check FOLDER [--lang en]\n"
         "ZrCatalogue build SOURCE CATALOGUE [--dry-run] [--tag NAME=TAG]... [--lang en]\n"
         "ZrCatalogue sheet FOLDER OUT.png [--cell N] [--columns N] [--scale A|B|C] "
         "[--kiten] [--rotate DEGREES]\n";
}

}  // namespace

int RunCatalogueTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     SheetCommand sheet) {
  const std::string command = args.empty() ? std::string() : args[0];
  if (command == "sheet") {
    if (sheet != nullptr) return sheet({args.begin() + 1, args.end()}, out, err);
    err << "sheet: this build has no renderer (use the Windows build)\n";
    return kUsage;
  }
  CommonArgs parsed;
  const std::size_t wanted = command == "check" ? 1 : command == "build" ? 2 : 0;
  if (wanted == 0 || !ParseCommon(args, parsed) || parsed.positional.size() != wanted) {
    Usage(err);
    return kUsage;
  }
  return command == "check" ? Check(parsed, out) : Build(parsed, out);
}

}  // namespace zr::tool

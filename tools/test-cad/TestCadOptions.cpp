#include "TestCadOptions.h"

#include <charconv>
#include <functional>
#include <stdexcept>

#include "text/TextFile.h"

namespace zr::testcad {

namespace {

int ParseInt(const std::string& option, const std::string& text) {
  int value = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size()) {
    throw std::invalid_argument(option + ": not an integer: " + text);
  }
  return value;
}

double ParseDouble(const std::string& option, const std::string& text) {
  double value = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size()) {
    throw std::invalid_argument(option + ": not a number: " + text);
  }
  return value;
}

// An integer of the width a ":i2", ":i4" or ":i8" suffix names, else of the width the
// variable has by default (ATTREQ and ORTHOMODE: 16 bits), else 32 bits.
cadlink::AutoValue ParseInteger(std::string value, const cadlink::AutoValue& like) {
  cadlink::AutoValue width = like;
  const std::size_t colon = value.find(':');
  if (colon != std::string::npos) {
    const std::string suffix = value.substr(colon + 1);
    if (suffix == "i2") {
      width = std::int16_t{0};
    } else if (suffix == "i4") {
      width = std::int32_t{0};
    } else if (suffix == "i8") {
      width = std::int64_t{0};
    } else {
      throw std::invalid_argument("--var: type i2, i4 or i8 expected after ':'");
    }
    value.resize(colon);
  }
  try {
    return cadlink::SameKindInteger(width, ParseInt("--var", value));
  } catch (const cadlink::AutomationError&) {
    throw std::invalid_argument("--var: out of range: " + value);
  }
}

// NAME=VALUE: a value with commas is an array of numbers, else an integer or a number.
void ParseVariable(const std::string& text, SimCadConfig& sim) {
  const std::size_t eq = text.find('=');
  if (eq == std::string::npos || eq == 0) throw std::invalid_argument("--var: NAME=VALUE expected");
  const std::string name = AsciiUpper(text.substr(0, eq));
  const std::string value = text.substr(eq + 1);
  if (value.find(',') != std::string::npos) {
    cadlink::DoubleArray numbers;
    for (const std::string& part : zr::text::Split(value, ',')) {
      numbers.push_back(ParseDouble("--var", part));
    }
    sim.variables[name] = cadlink::AutoValue(std::move(numbers));
  } else if (value.find_first_of(".eE") != std::string::npos) {
    sim.variables[name] = cadlink::AutoValue(ParseDouble("--var", value));
  } else {
    const auto known = sim.variables.find(name);
    sim.variables[name] =
        ParseInteger(value, known != sim.variables.end() ? known->second : cadlink::AutoValue());
  }
}

// MEMBER or LABEL.MEMBER, with ":N" for the N-th call only.
void ParseFailure(const std::string& text, SimCadConfig& sim) {
  std::string name = text;
  int nth = 0;
  const std::size_t colon = text.find(':');
  if (colon != std::string::npos) {
    name = text.substr(0, colon);
    nth = ParseInt("--fail", text.substr(colon + 1));
    if (nth < 1) throw std::invalid_argument("--fail: the call number starts at 1");
  }
  if (name.empty() || name.back() == '.') throw std::invalid_argument("--fail: MEMBER expected");
  sim.failures[AsciiUpper(name)] = nth;
}

// LABEL.MEMBER=KIND
void ParseWrongType(const std::string& text, WrongTypes& wrongTypes) {
  const std::size_t eq = text.find('=');
  const std::size_t dot = text.find('.');
  if (eq == std::string::npos || dot == std::string::npos || dot == 0 || dot + 1 >= eq) {
    throw std::invalid_argument("--wrong-type: LABEL.MEMBER=KIND expected");
  }
  const std::string kind = text.substr(eq + 1);
  bool known = false;
  for (const auto& [name, what] : WrongTypeKinds()) known = known || name == kind;
  if (!known) throw std::invalid_argument("--wrong-type: unknown kind " + kind);
  wrongTypes[AsciiUpper(text.substr(0, eq))] = kind;
}

// The argument after the current option (which it then skips); throws if there is none.
using OptionValue = std::function<std::string()>;

// Hands each option of `args` to `take`. With `slashes`, Windows style "/progid" is taken as
// "--progid".
void ForEachOption(const std::vector<std::string>& args, bool slashes,
                   const std::function<void(const std::string&, const OptionValue&)>& take) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string a = slashes && args[i].size() > 1 && args[i][0] == '/'
                              ? "--" + args[i].substr(1)
                              : args[i];
    const OptionValue value = [&]() -> std::string {
      if (i + 1 >= args.size()) throw std::invalid_argument(a + ": value missing");
      return args[++i];
    };
    take(a, value);
  }
}

// The options that may also change while the test CAD runs; false for any other option.
bool ParseRuntimeOption(const std::string& a, const OptionValue& value,
                        SimCadConfig& sim, WrongTypes& wrongTypes) {
  if (a == "--fail") {
    ParseFailure(value(), sim);
  } else if (a == "--wrong-type") {
    ParseWrongType(value(), wrongTypes);
  } else if (a == "--cancel-insert") {
    sim.cancelInsert = true;
  } else if (a == "--insert") {
    sim.cancelInsert = false;
  } else if (a == "--reset") {
    sim.failures.clear();
    sim.cancelInsert = false;
    wrongTypes.clear();
  } else {
    return false;
  }
  return true;
}

// X,Y,W,H of the main window.
void ParsePlace(const std::string& text, TestCadOptions& o) {
  const std::vector<std::string> p = text::Split(text, ',');
  if (p.size() != 4) throw std::invalid_argument("--pos: X,Y,W,H expected");
  o.x = ParseInt("--pos", p[0]);
  o.y = ParseInt("--pos", p[1]);
  o.width = ParseInt("--pos", p[2]);
  o.height = ParseInt("--pos", p[3]);
}

ExtraWindow ParseWindow(const std::string& text) {
  const std::vector<std::string> parts = zr::text::Split(text, '|');
  if (parts.size() < 2 || parts[0].empty()) {
    throw std::invalid_argument("--window: CLASS|TITLE[|minimized][|disabled] expected");
  }
  ExtraWindow w{parts[0], parts[1]};
  for (std::size_t i = 2; i < parts.size(); ++i) {
    if (parts[i] == "minimized") {
      w.minimized = true;
    } else if (parts[i] == "disabled") {
      w.disabled = true;
    } else {
      throw std::invalid_argument("--window: unknown flag " + parts[i]);
    }
  }
  return w;
}

}  // namespace

TestCadOptions ParseTestCadOptions(const std::vector<std::string>& args) {
  TestCadOptions o;
  ForEachOption(args, true, [&](const std::string& a, const OptionValue& value) {
    if (ParseRuntimeOption(a, value, o.sim, o.wrongTypes)) {
      return;
    } else if (a == "--block") {
      const std::string& name = value();
      if (name.empty()) throw std::invalid_argument("--block: empty");
      o.sim.blocks.push_back(name);
    } else if (a == "--progid") {
      o.progId = value();
      if (o.progId.empty()) throw std::invalid_argument("--progid: empty");
    } else if (a == "--log") {
      o.logPath = value();
    } else if (a == "--busy-ms") {
      o.sim.busyMs = ParseInt(a, value());
    } else if (a == "--angle") {
      o.sim.angleDegrees = ParseDouble(a, value());
    } else if (a == "--angle-fails") {
      o.sim.angleFails = true;
    } else if (a == "--filter") {
      const std::string& mode = value();
      if (mode == "retry") {
        o.filter = FilterMode::RetryLater;
      } else if (mode == "reject") {
        o.filter = FilterMode::Rejected;
      } else {
        throw std::invalid_argument("--filter: retry or reject expected");
      }
    } else if (a == "--filter-ms") {
      o.filterMs = ParseInt(a, value());
    } else if (a == "--var") {
      ParseVariable(value(), o.sim);
    } else if (a == "--window") {
      o.windows.push_back(ParseWindow(value()));
    } else if (a == "--title") {
      o.mainTitle = value();
    } else if (a == "--class") {
      o.mainClass = value();
      if (o.mainClass.empty()) throw std::invalid_argument("--class: empty");
    } else if (a == "--minimized") {
      o.minimized = true;
    } else if (a == "--disabled") {
      o.disabled = true;
    } else if (a == "--pos") {
      ParsePlace(value(), o);
    } else {
      throw std::invalid_argument("unknown option " + a);
    }
  });
  if (o.sim.busyMs < 0 || o.filterMs < 0) throw std::invalid_argument("negative time");
  if (o.filter != FilterMode::None && o.filterMs == 0) o.filterMs = 3000;
  if (o.mainTitle.empty()) o.mainTitle = "ZrTestCad - " + o.progId;
  return o;
}

void ApplyTestCadControl(const std::string& text, SimCadConfig& sim, WrongTypes& wrongTypes) {
  std::vector<std::string> args;
  for (const std::string& part : text::Split(text, ' ')) {
    if (!part.empty()) args.push_back(part);
  }
  ForEachOption(args, false, [&](const std::string& a, const OptionValue& value) {
    if (!ParseRuntimeOption(a, value, sim, wrongTypes)) {
      throw std::invalid_argument("not a control option: " + a);
    }
  });
}

const std::vector<std::pair<std::string, std::string>>& WrongTypeKinds() {
  static const std::vector<std::pair<std::string, std::string>> kinds{
      {"r8-over-variants", "VT_ARRAY|VT_R8 over an array of three VARIANTs"},
      {"variants-over-r8", "VT_ARRAY|VT_VARIANT over an array of three doubles"},
      {"text-in-variants", "VT_ARRAY|VT_VARIANT whose element is a text"},
      {"two-dim", "a 2 x 3 array of doubles"},
      {"short-array", "a one-element array of doubles"},
      {"error", "VT_ERROR E_FAIL"},
      {"byref-unknown", "VT_BYREF|VT_UI4"},
      {"text", "a text instead of the value"},
      {"empty", "VT_EMPTY instead of the value"},
  };
  return kinds;
}

const char* TestCadUsage() {
  return "ZrTestCad [options]\n"
         "  --progid ID          register under this ProgID (default BricscadApp.AcadApplication)\n"
         "  --log FILE           append every call and message to FILE (UTF-8, one line each)\n"
         "  --busy-ms N          stay busy N ms after each SendCommand\n"
         "  --angle DEG          Utility.GetAngle answers DEG degrees (in radians; default 90)\n"
         "  --angle-fails        Utility.GetAngle fails as if cancelled\n"
         "  --filter retry|reject  refuse incoming calls after each SendCommand ...\n"
         "  --filter-ms N        ... for N ms (default 3000)\n"
         "  --var NAME=VALUE     system variable: integer (suffix :i2, :i4 or :i8 for its\n"
         "                       width), number or X,Y,Z\n"
         "  --window CLASS|TITLE[|minimized][|disabled]  extra top-level window (repeatable;\n"
         "                       stacked in the order given, the first on top)\n"
         "  --title TEXT, --class NAME  main window title and class\n"
         "  --minimized, --disabled     main window state\n"
         "  --pos X,Y,W,H        main window place and size\n"
         "  --block NAME         a block defined in the drawing at start (repeatable)\n"
         "  --fail MEMBER[:N]    MEMBER (or LABEL.MEMBER, e.g. Document.GetVariable) fails,\n"
         "                       every call or only the N-th (repeatable)\n"
         "  --cancel-insert      -INSERT adds no entity, as if the user cancelled it\n"
         "  --wrong-type LABEL.MEMBER=KIND  the member answers with a wrong type: r8-over-\n"
         "                       variants, variants-over-r8, text-in-variants, two-dim,\n"
         "                       short-array, error, byref-unknown, text, empty\n"
         "While it runs, a WM_COPYDATA with dwData 0x5A52 to its main window carries the\n"
         "same --fail, --wrong-type, --cancel-insert options, --insert and --reset.\n";
}

}  // namespace zr::testcad

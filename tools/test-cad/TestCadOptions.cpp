#include "TestCadOptions.h"

#include <charconv>
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
  for (std::size_t i = 0; i < args.size(); ++i) {
    // Windows style "/progid" is taken as "--progid".
    const std::string a =
        args[i].size() > 1 && args[i][0] == '/' ? "--" + args[i].substr(1) : args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw std::invalid_argument(a + ": value missing");
      return args[++i];
    };
    if (a == "--progid") {
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
      const std::vector<std::string> p = text::Split(value(), ',');
      if (p.size() != 4) throw std::invalid_argument("--pos: X,Y,W,H expected");
      o.x = ParseInt(a, p[0]);
      o.y = ParseInt(a, p[1]);
      o.width = ParseInt(a, p[2]);
      o.height = ParseInt(a, p[3]);
    } else {
      throw std::invalid_argument("unknown option " + a);
    }
  }
  if (o.sim.busyMs < 0 || o.filterMs < 0) throw std::invalid_argument("negative time");
  if (o.filter != FilterMode::None && o.filterMs == 0) o.filterMs = 3000;
  if (o.mainTitle.empty()) o.mainTitle = "ZrTestCad - " + o.progId;
  return o;
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
         "  --pos X,Y,W,H        main window place and size\n";
}

}  // namespace zr::testcad

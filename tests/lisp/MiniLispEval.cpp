// The evaluator and the built-in functions of the subset.
#include <algorithm>

#include "MiniLisp.h"

namespace zr::lisp {

namespace {

const Cons* AsCons(const Value& v) { return v ? std::get_if<Cons>(&v->v) : nullptr; }
const Symbol* AsSymbol(const Value& v) { return v ? std::get_if<Symbol>(&v->v) : nullptr; }
Value Truth(bool b) { return b ? Sym("T") : nullptr; }
bool AllInts(const Args& a) {
  return std::all_of(a.begin(), a.end(), [](const Value& v) { return v && std::holds_alternative<long>(v->v); });
}
// Element n, walking conses only as far as needed (car of a dotted pair works).
Value Nth(const Value& list, std::size_t n) {
  Value p = list;
  for (; n > 0 && AsCons(p); --n) p = AsCons(p)->cdr;
  if (p && !AsCons(p)) throw LispError("bad argument type: consp " + Print(p));
  return p ? AsCons(p)->car : nullptr;
}
bool Same(const Value& a, const Value& b) {
  if (!a || !b) return !a && !b;
  if (IsNumber(a) && IsNumber(b)) return Number(a) == Number(b);
  return Print(a) == Print(b);
}
Value Arithmetic(const Args& a, char op) {
  if (a.empty()) return Int(0);
  if (AllInts(a)) {
    long r = std::get<long>(a[0]->v);
    if (a.size() == 1 && op == '-') return Int(-r);
    for (std::size_t i = 1; i < a.size(); ++i) {
      const long x = std::get<long>(a[i]->v);
      r = op == '+' ? r + x : op == '-' ? r - x : op == '*' ? r * x : r / x;
    }
    return Int(r);
  }
  double r = Number(a[0]);
  if (a.size() == 1 && op == '-') return Real(-r);
  for (std::size_t i = 1; i < a.size(); ++i) {
    const double x = Number(a[i]);
    r = op == '+' ? r + x : op == '-' ? r - x : op == '*' ? r * x : r / x;
  }
  return Real(r);
}
Value Compare(const Args& a, bool (*holds)(double, double)) {
  for (std::size_t i = 1; i < a.size(); ++i) {
    if (!holds(Number(a[i - 1]), Number(a[i]))) return nullptr;
  }
  return Sym("T");
}

// Binds symbols for one call and puts the outer values back however the call ends.
class DynamicScope {
 public:
  DynamicScope(std::map<std::string, Value>& globals) : globals_(globals) {}
  ~DynamicScope() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) globals_[it->first] = it->second;
  }
  void Bind(const std::string& name, Value v) {
    saved_.emplace_back(name, globals_[name]);
    globals_[name] = std::move(v);
  }

 private:
  std::map<std::string, Value>& globals_;
  std::vector<std::pair<std::string, Value>> saved_;
};

// Thrown once *error* has run for an error: the evaluation unwinds to the command line.
struct ErrorHandled {};

}  // namespace

void Need(const Args& a, std::size_t min, std::size_t max, const char* name) {
  if (a.size() < min) throw LispError(std::string("too few arguments: ") + name);
  if (a.size() > max) throw LispError(std::string("too many arguments: ") + name);
}

Interpreter::Interpreter() {
  DefineListFunctions();
  DefineNumberFunctions();
  DefineTextFunctions();
  globals_["PAUSE"] = Str("\\");  // what (command ... pause ...) passes for the user's input
}

void Interpreter::DefineListFunctions() {
  Define("CAR", [](const Args& a) { Need(a, 1, 1, "car"); return Nth(a[0], 0); });
  Define("CADR", [](const Args& a) { Need(a, 1, 1, "cadr"); return Nth(a[0], 1); });
  Define("CADDR", [](const Args& a) { Need(a, 1, 1, "caddr"); return Nth(a[0], 2); });
  Define("CDR", [](const Args& a) {
    Need(a, 1, 1, "cdr");
    const Cons* c = AsCons(a[0]);
    if (!c && a[0]) throw LispError("bad argument type: consp " + Print(a[0]));
    return c ? c->cdr : nullptr;
  });
  Define("CONS", [](const Args& a) { Need(a, 2, 2, "cons"); return std::make_shared<Cell>(Cell{Cons{a[0], a[1]}}); });
  Define("LIST", [](const Args& a) { return List(a); });
  Define("LISTP", [](const Args& a) { Need(a, 1, 1, "listp"); return Truth(!a[0] || AsCons(a[0])); });
  Define("NOT", [](const Args& a) { Need(a, 1, 1, "not"); return Truth(!a[0]); });
  Define("NULL", [](const Args& a) { Need(a, 1, 1, "null"); return Truth(!a[0]); });
  Define("MEMBER", [](const Args& a) {
    Need(a, 2, 2, "member");
    for (Value p = a[1]; AsCons(p); p = AsCons(p)->cdr) {
      if (Same(AsCons(p)->car, a[0])) return p;
    }
    return Value();
  });
  Define("MAPCAR", [this](const Args& a) {
    Need(a, 2, 2, "mapcar");
    Args out;
    for (const Value& item : Items(a[1])) out.push_back(Apply(a[0], {item}));
    return List(out);
  });
}

void Interpreter::DefineNumberFunctions() {
  Define("=", [](const Args& a) {
    for (std::size_t i = 1; i < a.size(); ++i) {
      if (!Same(a[0], a[i])) return Value();
    }
    return Sym("T");
  });
  Define("/=", [](const Args& a) { Need(a, 2, 2, "/="); return Truth(!Same(a[0], a[1])); });
  Define("<", [](const Args& a) { return Compare(a, [](double x, double y) { return x < y; }); });
  Define(">", [](const Args& a) { return Compare(a, [](double x, double y) { return x > y; }); });
  Define("+", [](const Args& a) { return Arithmetic(a, '+'); });
  Define("-", [](const Args& a) { return Arithmetic(a, '-'); });
  Define("*", [](const Args& a) { return Arithmetic(a, '*'); });
  Define("/", [](const Args& a) { return Arithmetic(a, '/'); });
  Define("1+", [](const Args& a) { Need(a, 1, 1, "1+"); return Arithmetic({a[0], Int(1)}, '+'); });
  Define("1-", [](const Args& a) { Need(a, 1, 1, "1-"); return Arithmetic({a[0], Int(1)}, '-'); });
}

void Interpreter::DefineTextFunctions() {
  Define("STRCAT", [](const Args& a) {
    std::string s;
    for (const Value& v : a) s += Text(v);
    return Str(s);
  });
  Define("STRLEN", [](const Args& a) { Need(a, 1, 1, "strlen"); return Int(static_cast<long>(Text(a[0]).size())); });
  Define("SUBSTR", [](const Args& a) {
    Need(a, 2, 3, "substr");
    const std::string& s = Text(a[0]);
    const auto start = static_cast<std::size_t>(Number(a[1]));
    if (start < 1) throw LispError("bad argument value: substr");
    if (start > s.size()) return Str("");
    const std::size_t len = a.size() > 2 ? static_cast<std::size_t>(Number(a[2])) : std::string::npos;
    return Str(s.substr(start - 1, len));
  });
  Define("STRCASE", [](const Args& a) {
    Need(a, 1, 2, "strcase");
    std::string s = Text(a[0]);
    const bool lower = a.size() > 1 && a[1];
    for (char& c : s) {
      if (!lower && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      if (lower && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return Str(s);
  });
  Define("PRINC", [this](const Args& a) {
    Need(a, 0, 1, "princ");
    if (a.empty()) return Str("");
    const bool text = a[0] && std::holds_alternative<std::string>(a[0]->v);
    output_ += text ? Text(a[0]) : Print(a[0]);
    return a[0];
  });
  Define("ATOMS-FAMILY", [this](const Args& a) {
    Need(a, 1, 2, "atoms-family");
    Args found;
    for (const Value& name : Items(a.size() > 1 ? a[1] : nullptr)) {
      found.push_back(Global(Text(name)) ? name : nullptr);
    }
    return List(found);
  });
}

void Interpreter::Define(const std::string& name, Builtin fn) {
  globals_[AsSymbol(Sym(name))->name] = std::make_shared<Cell>(Cell{std::move(fn)});
}

Value Interpreter::Global(const std::string& name) const {
  auto it = globals_.find(AsSymbol(Sym(name))->name);
  return it == globals_.end() ? nullptr : it->second;
}

void Interpreter::SetGlobal(const std::string& name, Value v) {
  globals_[AsSymbol(Sym(name))->name] = std::move(v);
}

Value Interpreter::Run(std::string_view text) {
  Value last;
  for (const Value& expr : ReadAll(text)) {
    try {
      last = Eval(expr);
    } catch (const ErrorHandled&) {
      last = nullptr;
    } catch (const LispError& e) {
      last = nullptr;
      CallErrorHandler(e.what());
    }
  }
  return last;
}

// *error* runs where the error happened, so it sees the failing call's bindings (dynamic
// scope); they are put back only as the evaluation unwinds afterwards.
void Interpreter::CallErrorHandler(const std::string& message) {
  const Value handler = Global("*ERROR*");
  if (!handler) return;
  inErrorHandler_ = true;
  try {
    Apply(handler, {Str(message)});
  } catch (const LispError&) {
    // An error inside *error* ends it; the command line carries on.
  }
  inErrorHandler_ = false;
}

Value Interpreter::Eval(const Value& expr) {
  if (!expr) return nullptr;
  if (const Symbol* s = AsSymbol(expr)) {
    if (s->name == "T") return expr;
    if (s->name == "NIL") return nullptr;
    auto it = globals_.find(s->name);
    return it == globals_.end() ? nullptr : it->second;
  }
  if (const Cons* c = AsCons(expr)) return EvalList(*c);
  return expr;
}

Value Interpreter::EvalList(const Cons& form) {
  try {
    return EvalForm(form);
  } catch (const LispError& e) {
    if (inErrorHandler_) throw;
    CallErrorHandler(e.what());
    throw ErrorHandled{};
  }
}

Value Interpreter::EvalForm(const Cons& form) {
  if (const Symbol* head = AsSymbol(form.car)) {
    bool handled = false;
    Value v = Special(head->name, form.cdr, handled);
    if (handled) return v;
  }
  const Value fn = Eval(form.car);
  if (!fn) throw LispError("no function definition: " + Print(form.car));
  Args args;
  for (const Value& a : Items(form.cdr)) args.push_back(Eval(a));
  return Apply(fn, args);
}

Value Interpreter::Apply(const Value& fn, const Args& args) {
  if (fn) {
    if (auto* b = std::get_if<Builtin>(&fn->v)) return (*b)(args);
    if (auto* l = std::get_if<Lambda>(&fn->v)) {
      const std::vector<Value> params = Items(l->params);
      if (args.size() < params.size()) throw LispError("too few arguments");
      if (args.size() > params.size()) throw LispError("too many arguments");
      DynamicScope scope(globals_);
      for (std::size_t i = 0; i < params.size(); ++i) scope.Bind(AsSymbol(params[i])->name, args[i]);
      for (const Value& local : Items(l->locals)) scope.Bind(AsSymbol(local)->name, nullptr);
      return Progn(l->body);
    }
    if (const Cons* c = AsCons(fn); c && AsSymbol(c->car) && AsSymbol(c->car)->name == "LAMBDA") {
      return Apply(Eval(fn), args);
    }
  }
  throw LispError("bad function: " + Print(fn));
}

Value Interpreter::Progn(const Value& body) {
  Value last;
  for (const Value& e : Items(body)) last = Eval(e);
  return last;
}

Value Interpreter::Special(const std::string& name, const Value& rest, bool& handled) {
  handled = true;
  const std::vector<Value> a = name == "QUOTE" ? std::vector<Value>{} : Items(rest);
  if (name == "QUOTE") return AsCons(rest)->car;
  if (name == "SETQ") {
    // Pairs only: (setq a) is refused as the CAD refuses it.
    if (a.empty() || a.size() % 2 != 0) throw LispError("too few arguments: setq");
    Value last;
    for (std::size_t i = 0; i + 1 < a.size(); i += 2) SetGlobal(AsSymbol(a[i])->name, last = Eval(a[i + 1]));
    return last;
  }
  if (name == "DEFUN" || name == "LAMBDA") return Defun(name == "DEFUN", a);
  if (name == "IF") {
    Need(a, 2, 3, "if");  // a forgotten progn gives a fourth argument
    return Eval(a[0]) ? Eval(a[1]) : (a.size() > 2 ? Eval(a[2]) : nullptr);
  }
  if (name == "PROGN") return Progn(rest);
  if (name == "COND") {
    for (const Value& clause : a) {
      const Value test = Eval(AsCons(clause)->car);
      if (test) return AsCons(clause)->cdr ? Progn(AsCons(clause)->cdr) : test;
    }
    return nullptr;
  }
  if (name == "WHILE") {
    Value last;
    while (Eval(a.at(0))) last = Progn(AsCons(rest)->cdr);
    return last;
  }
  if (name == "AND" || name == "OR") {
    const bool isAnd = name == "AND";
    for (const Value& e : a) {
      if (static_cast<bool>(Eval(e)) != isAnd) return Truth(!isAnd);
    }
    return Truth(isAnd);
  }
  if (name == "FOREACH") return Foreach(a, AsCons(AsCons(rest)->cdr)->cdr);
  handled = false;
  return nullptr;
}

// (defun name (params / locals) body...) or (lambda (params / locals) body...).
Value Interpreter::Defun(bool named, const std::vector<Value>& a) {
  const std::size_t p = named ? 1 : 0;
  Args params, locals;
  bool afterSlash = false;
  for (const Value& s : Items(a.at(p))) {
    if (AsSymbol(s)->name == "/") {
      afterSlash = true;
    } else {
      (afterSlash ? locals : params).push_back(s);
    }
  }
  const Value body = List(Args(a.begin() + static_cast<long>(p) + 1, a.end()));
  const Value fn = std::make_shared<Cell>(Cell{Lambda{List(params), List(locals), body}});
  if (!named) return fn;
  SetGlobal(AsSymbol(a[0])->name, fn);
  return a[0];
}

// (foreach var list body...): var bound to each item in turn, put back afterwards.
Value Interpreter::Foreach(const std::vector<Value>& a, const Value& body) {
  DynamicScope scope(globals_);
  const std::string var = AsSymbol(a.at(0))->name;
  scope.Bind(var, nullptr);
  Value last;
  for (const Value& item : Items(Eval(a.at(1)))) {
    globals_[var] = item;
    last = Progn(body);
  }
  return last;
}

}  // namespace zr::lisp

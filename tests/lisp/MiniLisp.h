#pragma once
// A small evaluator of the AutoLISP subset the companion file uses, so that tests run the
// file instead of reading it: reader, dynamic scope as in AutoLISP (parameters and locals
// shadow globals for the call), the CAD's argument counts for the special forms, *error*
// called with the message where an evaluation fails (the failing call's bindings still in
// place), and host functions (the CAD's command, getvar, ...) registered by the test.
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zr::lisp {

struct Cell;
using Value = std::shared_ptr<const Cell>;  // nullptr is nil
using Args = std::vector<Value>;
using Builtin = std::function<Value(const Args&)>;

struct Symbol {
  std::string name;  // upper case
};
struct Cons {
  Value car, cdr;
};
struct Lambda {
  Value params, locals, body;  // lists
};
struct Cell {
  std::variant<long, double, std::string, Symbol, Cons, Builtin, Lambda> v;
};

// A LISP error: what() is the message *error* receives.
class LispError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

Value Int(long n);
Value Real(double d);
Value Str(std::string s);
Value Sym(const std::string& name);
Value List(const Args& items);
bool IsNumber(const Value& v);
double Number(const Value& v);
const std::string& Text(const Value& v);
std::vector<Value> Items(const Value& list);
// Throws "too few arguments: name" or "too many arguments: name" as the CAD does.
void Need(const Args& a, std::size_t min, std::size_t max, const char* name);
// Readable form: (95 202.5 0.0) "a" SYM; a number without its decimals when whole.
std::string Print(const Value& v);

// Every expression of the text; throws LispError when one is incomplete or malformed.
std::vector<Value> ReadAll(std::string_view text);

class Interpreter {
 public:
  Interpreter();
  void Define(const std::string& name, Builtin fn);
  Value Global(const std::string& name) const;
  void SetGlobal(const std::string& name, Value v);
  // Evaluates every expression of the text as the command line does: an error ends the
  // expression and runs *error* with its message. The last value.
  Value Run(std::string_view text);
  Value Eval(const Value& expr);
  Value Apply(const Value& fn, const Args& args);
  const std::string& Output() const { return output_; }

 private:
  void DefineListFunctions();
  void DefineNumberFunctions();
  void DefineTextFunctions();
  Value EvalList(const Cons& form);
  Value EvalForm(const Cons& form);
  void CallErrorHandler(const std::string& message);
  Value Special(const std::string& name, const Value& rest, bool& handled);
  Value Progn(const Value& body);
  Value Defun(bool named, const std::vector<Value>& a);
  Value Foreach(const std::vector<Value>& a, const Value& body);

  std::map<std::string, Value> globals_;
  std::string output_;
  bool inErrorHandler_ = false;
};

}  // namespace zr::lisp

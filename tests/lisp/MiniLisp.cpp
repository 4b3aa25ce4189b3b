#include "MiniLisp.h"

#include <charconv>
#include <cmath>

namespace zr::lisp {

Value Int(long n) { return std::make_shared<Cell>(Cell{n}); }
Value Real(double d) { return std::make_shared<Cell>(Cell{d}); }
Value Str(std::string s) { return std::make_shared<Cell>(Cell{std::move(s)}); }
Value Sym(const std::string& name) {
  std::string upper = name;
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return std::make_shared<Cell>(Cell{Symbol{upper}});
}
Value Pair(Value car, Value cdr) {
  return std::make_shared<Cell>(Cell{Cons{std::move(car), std::move(cdr)}});
}
Value List(const Args& items) {
  Value list;
  for (auto it = items.rbegin(); it != items.rend(); ++it) list = Pair(*it, list);
  return list;
}

namespace {

const Cons* AsCons(const Value& v) { return v ? std::get_if<Cons>(&v->v) : nullptr; }

std::string NumberText(double d) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, d);
  return std::string(buf, r.ptr);
}

class Reader {
 public:
  explicit Reader(std::string_view text) : s_(text) {}
  bool AtEnd() {
    Skip();
    return i_ >= s_.size();
  }
  Value Read() {
    Skip();
    if (i_ >= s_.size()) throw LispError("malformed list on input");
    const char c = s_[i_];
    if (c == '(') return ReadList();
    if (c == ')') throw LispError("extra right paren on input");
    if (c == '\'') {
      ++i_;
      return List({Sym("QUOTE"), Read()});
    }
    if (c == '"') return ReadString();
    return ReadAtom();
  }

 private:
  void Skip() {
    while (i_ < s_.size()) {
      if (s_[i_] == ';') {
        while (i_ < s_.size() && s_[i_] != '\n') ++i_;
      } else if (static_cast<unsigned char>(s_[i_]) <= ' ') {
        ++i_;
      } else {
        break;
      }
    }
  }
  Value ReadList() {
    ++i_;
    Args items;
    for (;;) {
      Skip();
      if (i_ >= s_.size()) throw LispError("malformed list on input");
      if (s_[i_] == ')') {
        ++i_;
        return List(items);
      }
      items.push_back(Read());
    }
  }
  Value ReadString() {
    std::string out;
    for (++i_; i_ < s_.size(); ++i_) {
      char c = s_[i_];
      if (c == '"') {
        ++i_;
        return Str(out);
      }
      if (c == '\\' && i_ + 1 < s_.size()) {
        c = s_[++i_];
        out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c == 'e' ? '\x1B' : c;
      } else {
        out += c;
      }
    }
    throw LispError("malformed string on input");
  }
  Value ReadAtom() {
    const std::size_t start = i_;
    while (i_ < s_.size() && static_cast<unsigned char>(s_[i_]) > ' ' && s_[i_] != '(' &&
           s_[i_] != ')' && s_[i_] != '\'' && s_[i_] != '"' && s_[i_] != ';') {
      ++i_;
    }
    const std::string atom(s_.substr(start, i_ - start));
    long n = 0;
    auto [p, ec] = std::from_chars(atom.data(), atom.data() + atom.size(), n);
    if (ec == std::errc() && p == atom.data() + atom.size()) return Int(n);
    double d = 0;
    auto [q, ec2] = std::from_chars(atom.data(), atom.data() + atom.size(), d);
    if (ec2 == std::errc() && q == atom.data() + atom.size()) return Real(d);
    return Sym(atom);
  }

  std::string_view s_;
  std::size_t i_ = 0;
};

}  // namespace

bool IsNumber(const Value& v) {
  return v && (std::holds_alternative<long>(v->v) || std::holds_alternative<double>(v->v));
}
double Number(const Value& v) {
  if (!IsNumber(v)) throw LispError("bad argument type: numberp: " + Print(v));
  if (auto* n = std::get_if<long>(&v->v)) return static_cast<double>(*n);
  return std::get<double>(v->v);
}
const std::string& Text(const Value& v) {
  if (!v || !std::holds_alternative<std::string>(v->v)) {
    throw LispError("bad argument type: stringp " + Print(v));
  }
  return std::get<std::string>(v->v);
}
std::vector<Value> Items(const Value& list) {
  std::vector<Value> items;
  for (Value p = list; p; p = AsCons(p) ? AsCons(p)->cdr : nullptr) {
    if (!AsCons(p)) throw LispError("bad list: " + Print(list));
    items.push_back(AsCons(p)->car);
  }
  return items;
}
std::string Print(const Value& v) {
  if (!v) return "nil";
  if (auto* n = std::get_if<long>(&v->v)) return std::to_string(*n);
  if (auto* d = std::get_if<double>(&v->v)) return NumberText(*d);
  if (auto* s = std::get_if<std::string>(&v->v)) return "\"" + *s + "\"";
  if (auto* s = std::get_if<Symbol>(&v->v)) return s->name;
  if (std::holds_alternative<Builtin>(v->v)) return "<SUBR>";
  if (auto* l = std::get_if<Lambda>(&v->v)) {
    return "<LAMBDA " + Print(l->params) + " / " + Print(l->locals) + " " + Print(l->body) + ">";
  }
  std::string out = "(";
  Value p = v;
  for (; AsCons(p); p = AsCons(p)->cdr) {
    if (out.size() > 1) out += " ";
    out += Print(AsCons(p)->car);
  }
  if (p) out += " . " + Print(p);
  return out + ")";
}

std::vector<Value> ReadAll(std::string_view text) {
  Reader reader(text);
  std::vector<Value> all;
  while (!reader.AtEnd()) all.push_back(reader.Read());
  return all;
}

}  // namespace zr::lisp

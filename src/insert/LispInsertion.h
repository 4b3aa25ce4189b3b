#pragma once
// The LISP mode of insertion: a call of the companion LISP function, or for AutoCAD LT a typed
// command through its command window. This is the seam the LISP support fills in; until it
// does, a click in LISP mode resolves the file and scale as always and sends nothing.
#include "insert/BlockInsert.h"

namespace zr::insert {

class LispInsertion : public ILispInsertion {
 public:
  explicit LispInsertion(cadlink::IDesktop& desktop) : desktop_(desktop) {}
  void InsertByLisp(const TInsertRequest& /*request*/, const TBlockFile& /*file*/,
                    bool /*auxiliary*/) override {}

 private:
  [[maybe_unused]] cadlink::IDesktop& desktop_;
};

}  // namespace zr::insert

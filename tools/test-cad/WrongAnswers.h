#pragma once
// Answers that a CAD should not send, put into a result VARIANT in place of the real one, so
// that the palette's reading of untrusted values can be tried across processes.
#include <windows.h>
#include <oaidl.h>

#include <string>

namespace zr::testcad {

// Replaces `result` by the wrong answer `kind` (one of WrongTypeKinds); false for an unknown
// kind (the result is then left alone).
bool PutWrongAnswer(const std::string& kind, VARIANT& result);

}  // namespace zr::testcad

#pragma once
// VARIANT <-> AutoValue at the COM boundary, and owners that clear VARIANTs.
#include <windows.h>
#include <oleauto.h>

#include <cstddef>
#include <memory>
#include <string>

#include "cadlink/AutoValue.h"

namespace zr::win32 {

// Owns one VARIANT and clears it on scope exit.
class UniqueVariant {
 public:
  UniqueVariant() { ::VariantInit(&v_); }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;
  ~UniqueVariant() { ::VariantClear(&v_); }

  VARIANT* get() { return &v_; }
  const VARIANT& operator*() const { return v_; }
  // Clears the value and returns the VARIANT for use as an out parameter.
  VARIANT* Reset() {
    ::VariantClear(&v_);
    return &v_;
  }

 private:
  VARIANT v_;
};

// Owns a fixed number of VARIANTs (arguments of one call) and clears them all.
class VariantArray {
 public:
  explicit VariantArray(std::size_t n) : n_(n), v_(std::make_unique<VARIANT[]>(n)) {
    for (std::size_t i = 0; i < n_; ++i) ::VariantInit(&v_[i]);
  }
  VariantArray(const VariantArray&) = delete;
  VariantArray& operator=(const VariantArray&) = delete;
  ~VariantArray() {
    for (std::size_t i = 0; i < n_; ++i) ::VariantClear(&v_[i]);
  }
  VARIANT& operator[](std::size_t i) { return v_[i]; }
  VARIANT* data() { return v_.get(); }
  std::size_t size() const { return n_; }

 private:
  std::size_t n_;
  std::unique_ptr<VARIANT[]> v_;
};

// Fills an empty (initialised or cleared) VARIANT: Empty -> VT_EMPTY, Omitted -> VT_ERROR
// DISP_E_PARAMNOTFOUND, Bool -> VT_BOOL, Int16 -> VT_I2, Int32 -> VT_I4, Int64 -> VT_I8,
// Double -> VT_R8, Text -> VT_BSTR, Doubles -> one-dimensional SAFEARRAY of VT_R8 from index 0, Object ->
// VT_DISPATCH (a remote object hands back its own IDispatch, a local one is served).
void ToVariant(const cadlink::AutoValue& value, VARIANT& out);

// Reads a VARIANT a server answers with, as untrusted input (VariantRead.cpp): VT_I2 stays a
// 16-bit integer, other small integer types are widened, references of the types this
// program passes are followed, one-dimensional numeric arrays (also of VARIANTs holding
// numbers) are read as doubles after their real element type, element size, dimensions and
// bounds are checked. Anything else, a VT_ERROR other than "parameter not found" included,
// throws AutomationError with a Japanese text.
cadlink::AutoValue FromVariant(const VARIANT& v);

// "VT_ARRAY|VT_R8" and the like, for error texts.
std::string VarTypeText(VARTYPE vt);

// Stores a callee's new value into a by-reference argument of the caller; a reference type
// it cannot write throws AutomationError.
void StoreIntoReference(const cadlink::AutoValue& value, VARIANT& byRef);

}  // namespace zr::win32

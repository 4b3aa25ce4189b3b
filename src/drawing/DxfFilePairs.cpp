#include "drawing/DxfFilePairs.h"

#include <cstring>

namespace zr::dxf {

void FilePairs::Refill(std::size_t keepFrom) {
  const std::size_t kept = size_ - keepFrom;
  if (kept > 0 && keepFrom > 0) std::memmove(buffer_.data(), buffer_.data() + keepFrom, kept);
  base_ += keepFrom;
  lineBase_ += linesDone_;
  linesDone_ = 0;
  // A pair longer than a piece makes room for one more piece after it.
  if (buffer_.size() < kept + piece_) buffer_.resize(kept + piece_);
  in_.read(buffer_.data() + kept, static_cast<std::streamsize>(piece_));
  const auto got = static_cast<std::size_t>(in_.gcount());
  size_ = kept + got;
  if (got < piece_) {
    atEnd_ = true;
    failed_ = in_.bad();
  }
  pairs_ = PairCursor(std::string_view(buffer_.data(), size_));
}

}  // namespace zr::dxf

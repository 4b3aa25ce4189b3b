#pragma once
// The group-code/value pairs of a file read piece by piece into one reused buffer: the whole
// file is never in memory at once (no fresh memory the size of the file for a first read),
// and the buffer stays warm in the cache from piece to piece and from file to file.
#include <cstddef>
#include <istream>
#include <string>
#include <string_view>

#include "drawing/DxfPairs.h"

namespace zr::dxf {

class FilePairs {
 public:
  // Reads `in` from its current position, pieceBytes at a time, through `buffer` (whose
  // memory the caller may keep for the next file).
  FilePairs(std::istream& in, std::string& buffer, std::size_t pieceBytes)
      : in_(in), buffer_(buffer), piece_(pieceBytes) {}
  // The next pair, with line numbers counted from the first line read; false at the end. As
  // with PairCursor, a trailing odd line is dropped.
  bool Next(Pair& pair);
  // Bytes read up to the end of the last pair.
  std::size_t Offset() const { return base_ + pairs_.Offset(); }
  // Reading failed before the end of the stream.
  bool Failed() const { return failed_; }

 private:
  bool Complete(const Pair& pair) const;
  void Refill(std::size_t keepFrom);

  std::istream& in_;
  std::string& buffer_;
  std::size_t piece_;
  std::size_t size_ = 0;       // bytes of the buffer that hold data
  std::size_t base_ = 0;       // stream offset of the buffer's first byte
  std::size_t lineBase_ = 0;   // lines before the buffer's first byte
  std::size_t linesDone_ = 0;  // lines of the buffer taken by complete pairs
  bool atEnd_ = false;
  bool failed_ = false;
  PairCursor pairs_{std::string_view()};
};

// A pair is taken once its value line's break has been read: a line cut off by the end of
// the buffer may go on in the next piece, and a CR at its very end may be half of a CR LF.
inline bool FilePairs::Complete(const Pair& pair) const {
  const auto end = static_cast<std::size_t>(pair.value.data() - buffer_.data()) + pair.value.size();
  if (end >= size_) return false;
  return buffer_[end] != '\r' || end + 1 < size_;
}

inline bool FilePairs::Next(Pair& pair) {
  for (;;) {
    const std::size_t start = pairs_.Offset();
    if (pairs_.Next(pair) && (atEnd_ || Complete(pair))) {
      linesDone_ = pair.valueLine;
      pair.codeLine += lineBase_;
      pair.valueLine += lineBase_;
      return true;
    }
    if (atEnd_) return false;
    Refill(start);  // the unfinished pair moves to the front and the next piece follows it
  }
}

}  // namespace zr::dxf

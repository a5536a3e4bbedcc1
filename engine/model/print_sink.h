#pragma once
// The prepared page's object stream: what "print" writes for each object
// and how an object record is read back.

#include <memory>

#include "engine/model/view.h"

namespace vl {

class TvlStreamReader;
class TvlStreamWriter;

// Writes printed objects into a prepared page's object stream: the object
// type byte, the class name of an add-in, then the view data in printing
// form (whatever the view's PrintingForm says at the time).
class TvlStreamPrintSink : public TvlPrintSink {
 public:
  explicit TvlStreamPrintSink(TvlStreamWriter& w) : w_(w) {}
  void WriteByte(std::uint8_t value) override;
  void WriteString(const std::string& text) override;
  void WriteViewData(TvlView& view) override;

 private:
  TvlStreamWriter& w_;
};

// Reads one object record of a prepared page's object stream (at the stream
// version in force): creates the view of the record's type, reads it in
// printing form and gives it back with PrintingForm off. A type no class
// answers to raises TvlStreamError, an unregistered add-in class
// TvlClassNotFoundError, a damaged record TvlStreamError.
std::unique_ptr<TvlView> vlReadPrintedView(TvlStreamReader& r);

}  // namespace vl

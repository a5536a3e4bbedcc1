#include "engine/model/print_sink.h"

#include "engine/core/error.h"
#include "engine/model/object_factory.h"
#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"

namespace vl {
namespace {

// Sets a view's PrintingForm for one read or write and puts it back however
// that ends.
class PrintingFormScope {
 public:
  PrintingFormScope(TvlView& v, bool printing) : v_(v), saved_(v.PrintingForm) { v.PrintingForm = printing; }
  ~PrintingFormScope() { v_.PrintingForm = saved_; }
  PrintingFormScope(const PrintingFormScope&) = delete;
  PrintingFormScope& operator=(const PrintingFormScope&) = delete;

 private:
  TvlView& v_;
  bool saved_;
};

}  // namespace

void TvlStreamPrintSink::WriteByte(std::uint8_t value) { w_.WriteByte(value); }
void TvlStreamPrintSink::WriteString(const std::string& text) { w_.WriteString(text); }

void TvlStreamPrintSink::WriteViewData(TvlView& view) {
  PrintingFormScope printing(view, true);
  view.SaveToStream(w_);
}

std::unique_ptr<TvlView> vlReadPrintedView(TvlStreamReader& r) {
  const std::uint8_t typ = r.ReadByte();
  const std::string className = typ == otAddIn ? r.ReadString() : std::string();
  std::unique_ptr<TvlView> view = vlCreateView(typ, className);
  if (!view) throw TvlStreamError("unknown object type " + std::to_string(typ) + " in a prepared page");
  {
    PrintingFormScope printing(*view, true);
    view->LoadFromStream(r);
  }
  view->PrintingForm = false;
  return view;
}

}  // namespace vl

#include "engine/model/object_factory.h"

#include "engine/core/engine_state.h"
#include "engine/core/error.h"

namespace vl {
namespace {

// Whether a line of the error text (lines end with a carriage return) is
// the class name.
bool Listed(const std::string& text, const std::string& name) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\r', start);
    if (end == std::string::npos) end = text.size();
    if (text.compare(start, end - start, name) == 0) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

bool TvlAddInRegistry::Register(TvlAddInClass entry) {
  if (entries_.size() >= kMaxEntries || Find(entry.ClassName) || !entry.Create) return false;
  entries_.push_back(std::move(entry));
  return true;
}

void TvlAddInRegistry::Unregister(const std::string& className) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it)
    if (it->ClassName == className) {
      entries_.erase(it);
      return;
    }
}

const TvlAddInClass* TvlAddInRegistry::Find(const std::string& className) const {
  for (const TvlAddInClass& e : entries_)
    if (e.ClassName == className) return &e;
  return nullptr;
}

TvlAddInRegistry& vlAddIns() {
  static TvlAddInRegistry registry;
  return registry;
}

std::unique_ptr<TvlView> vlCreateView(int typ, const std::string& className) {
  std::unique_ptr<TvlView> view;
  switch (typ) {
    case otMemo: view = std::make_unique<TvlMemoView>(); break;
    case otPicture: view = std::make_unique<TvlPictureView>(); break;
    case otBand: view = std::make_unique<TvlBandView>(); break;
    case otSubReport: view = std::make_unique<TvlSubReportView>(); break;
    case otLine: view = std::make_unique<TvlLineView>(); break;
    case otAddIn: {
      const TvlAddInClass* cls = vlAddIns().Find(className);
      if (!cls) {
        TvlEngineState& st = vlState();
        st.ErrorFlag = true;
        // A template with many objects of a missing class names it once.
        if (!Listed(st.ErrorText, className)) {
          st.ErrorText += className;
          st.ErrorText += '\r';
        }
        throw TvlClassNotFoundError(st.ErrorText);
      }
      view = cls->Create();
      if (!view) return nullptr;
      view->Typ = otAddIn;
      view->ClassName = cls->ClassName;
      break;
    }
    default: return nullptr;
  }
  view->ID = ++vlShared().LastViewId;
  return view;
}

std::string vlViewClassName(const TvlView& view) {
  switch (view.Typ) {
    case otMemo: return "TvlMemoView";
    case otPicture: return "TvlPictureView";
    case otBand: return "TvlBandView";
    case otSubReport: return "TvlSubReportView";
    case otLine: return "TvlLineView";
    default: return view.ClassName;
  }
}

}  // namespace vl

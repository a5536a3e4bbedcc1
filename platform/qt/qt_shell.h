#pragma once
// Opens addresses and documents with the desktop's default handler.

#include "platform/shell.h"

namespace vl {

class TvlQtShell : public TvlShell {
 public:
  bool Open(const std::string& address, const std::string& verb) override;
};

}  // namespace vl

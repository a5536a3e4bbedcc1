#pragma once
// Opens addresses and documents with the desktop's default handler.

#include <QUrl>
#include <string>

#include "platform/shell.h"

namespace vl {

// The URL the desktop is handed for an address: always with its scheme, so
// that a local file never stands in for a web address ("http://x/run" is
// never the relative path "http:/x/run"). An address without a scheme is
// guessed as a browser would ("www.example.com" is http, "/tmp/a" a file).
QUrl vlShellUrl(const std::string& address);

class TvlQtShell : public TvlShell {
 public:
  bool Open(const std::string& address, const std::string& verb) override;
};

}  // namespace vl

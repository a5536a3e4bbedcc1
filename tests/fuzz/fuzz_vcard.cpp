// The vCard reader on arbitrary bytes: it either refuses them with a TvlError
// or gives cards whose every field reads within bounds, forward and back.

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/data/vcard_data_source.h"
#include "engine/core/error.h"
#include "tests/fuzz/fuzz_records.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  vl::fuzz::WriteSeedsIfAsked({
      "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Smith;John;;;\r\nFN:John Smith\\, Jr.\r\nTEL;TYPE=cell,pref:1\r\n"
      "item1.ADR;TYPE=home:;;1 Elm\r\n  Rd;Town;ST;12345;US\r\nEND:VCARD\r\n",
      "BEGIN:VCARD\nVERSION:2.1\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=E6=9D=8E;=E5=9B=9B=\n;;;\n"
      "FN;CHARSET=GB2312:\xD5\xC5\nPHOTO;BASE64:AAAA\nBBBB\n\nAGENT:\nBEGIN:VCARD\nFN:x\nEND:VCARD\nEND:VCARD\n",
      "BEGIN:VCARD\r\nVERSION:4.0\r\nADR;LABEL=\"a;b:c\";PREF=1:;;s;l;r;p;c;extra\r\nEMAIL:a@b\r\nEND:VCARD\r\n",
      "\xEF\xBB\xBF" "BEGIN:VCARD\nFN:\\\nEND:VCARD\n",
      "BEGIN:VCARD\nFN Ann\n",
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vl::TvlVCardDataSource s;
  try {
    s.OpenText(std::string(reinterpret_cast<const char*>(data), size), "fuzz.vcf");
  } catch (const vl::TvlError&) {
    return 0;
  }
  const std::size_t total = vl::fuzz::WalkRecords(s);
  // Values grow only by the composed name and address and by character set
  // conversion, each a few times the bytes they come from.
  if (total > 16 * size + 16) __builtin_trap();
  return 0;
}

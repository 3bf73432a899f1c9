#pragma once
// Text files as operators' editors write them: a UTF-8 byte-order mark at the
// start (what common Windows editors put there) is no part of the text, and a
// line ends in LF, CR LF or CR alone.

#include <cstddef>
#include <string_view>

namespace storage {

// The text without a leading UTF-8 byte-order mark.
std::string_view OhneBom(std::string_view text);

// Takes the next line off `rest` into `zeile` (without its end, cut to
// `hoechstens` characters: the rest of an over-long line is dropped and the
// line counts once); false when `rest` is empty. A last line without an end
// counts as a line.
bool NaechsteZeile(std::string_view& rest, std::string_view& zeile,
                   std::size_t hoechstens = std::string_view::npos);

}  // namespace storage

#pragma once
// The pieces the field readers and writers share: trimming, the level-7 binary encodings,
// number texts and rounding, and the wording of their errors. Not for use outside the codec.

#include "dbase/FieldCodec.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace valmora::dbase::codec {

char blankByte(FieldType type); // what fills a blank field: NULs in the binary types, blanks in the others
std::string_view trimmedRight(std::string_view s); // without trailing blanks and NULs
std::string_view trimmed(std::string_view s);      // the same at both ends

std::uint64_t readBigEndian(std::string_view b);
void putBigEndian(std::string& out, std::uint64_t v); // fills all of `out`
std::int32_t decodeInteger(std::string_view b);       // level-7 I and +
double decodeDouble(std::string_view b);              // level-7 O
double decodeTimestamp(std::string_view b);           // level-7 @, in milliseconds
std::uint64_t encodeDouble(double d);
Date dateFromTimestamp(double ms);
double timestampFromDate(Date d);

std::optional<double> parseDouble(std::string_view text); // finite numbers only
std::int64_t roundHalfEven(std::int64_t units, std::int64_t scale);
std::int64_t roundDoubleHalfEven(double d); // throws std::out_of_range beyond 64 bits
std::string doubleText(double d);
std::string numberText(double d, int decimals);

TableError cannotStore(const FieldContext& c, const std::string& what);
TableError cannotRead(const FieldContext& c, std::string_view bytes, const std::string& as);
// `text` right-aligned in `out`, or a TableError when it does not fit.
void putRightAligned(std::string& out, const std::string& text, const FieldContext& c);

} // namespace valmora::dbase::codec

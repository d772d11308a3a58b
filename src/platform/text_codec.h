// Conversions between the text encodings found in Windows-made files.
//
// Inside the program text is UTF-8 in std::string: it is what Linux file
// names and terminals use, and it stands where the original platform used the
// ANSI code page. Files that Windows programs wrote may instead be UTF-16
// (with a byte-order mark) or single-byte ANSI (Windows-1252); these helpers
// turn them into UTF-8 and back. Malformed input never fails: a byte or code
// unit that cannot be decoded becomes U+FFFD.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qfw {

// UTF-8 to UTF-16 and back; invalid sequences become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// Whether the bytes form valid UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view bytes);

// Windows-1252 bytes to UTF-8 (the five unassigned bytes map to U+FFFD).
std::string Windows1252ToUtf8(std::string_view bytes);

// Bytes as UTF-16 little-endian code units (an odd last byte is dropped), and
// code units as little-endian bytes.
std::u16string Utf16LeBytesToText(std::string_view bytes);
std::string TextToUtf16LeBytes(std::u16string_view text);

// Byte-order marks as they appear at the start of a file.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
inline constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
inline constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// ASCII-only case folding, the way file formats that predate Unicode compare
// names; bytes above 127 are left as they are.
char AsciiLower(char c);
std::string AsciiLower(std::string_view text);
char AsciiUpper(char c);
std::string AsciiUpper(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// `text` without the leading and trailing characters of `blanks`. The default
// removes blanks only (never tabs), as the runtime's Trim does; file readers
// pass the white space their format allows. The result views `text`.
std::string_view Trim(std::string_view text, std::string_view blanks = " ");

}  // namespace qfw

#pragma once
#include <cstddef>
#include <string>

// Small text helpers shared by the pages and the record.

std::string HtmlEscape(const std::string& s);

// A JSON string literal, quotes included. Bytes that do not form valid UTF-8 are
// written as \u00XX so that the output is always valid JSON.
std::string JsonString(const std::string& s);

// Percent-encodes everything but the unreserved characters of RFC 3986, byte by
// byte; UTF-8 input gives the UTF-8 escapes a browser's encodeURIComponent gives.
std::string UrlEncode(const std::string& s);

// UTF-8 to GBK (code page 936, the ANSI code page of Chinese Windows). Returns
// false and leaves out untouched if the conversion is not available.
bool Utf8ToGbk(const std::string& in, std::string& out);

// Decimal text to a number within [0, max]. Empty or malformed text gives false.
bool ParseBoundedNumber(const std::string& text, unsigned long long max,
                        unsigned long long& out);

// Escapes the characters that are special in std::regex ECMAScript patterns,
// so that a literal path can be registered as a route.
std::string RegexLiteral(const std::string& s);

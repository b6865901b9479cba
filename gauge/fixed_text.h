// FixedText: a NUL-terminated text in a fixed buffer whose capacity counts the NUL. Every write
// is cut at capacity - 1 characters, so no write can pass the buffer's end.
#pragma once

#include <cstddef>
#include <string_view>

#include "gauge/format.h"

namespace kolvex {

template <std::size_t Capacity>
class FixedText {
  static_assert(Capacity >= 1);

 public:
  constexpr FixedText() = default;
  // Initial texts of the instrument's buffers ("000.0", "ZZZZZZZZZZZZ", ...).
  constexpr FixedText(std::string_view initial) { assign(initial); }  // NOLINT: implicit on purpose

  static constexpr std::size_t capacity() { return Capacity; }

  constexpr std::size_t size() const {
    std::size_t length = 0;
    while (length < Capacity - 1 && data_[length] != '\0') {
      ++length;
    }
    return length;
  }
  constexpr bool empty() const { return data_[0] == '\0'; }
  constexpr const char* c_str() const { return data_; }
  constexpr std::string_view view() const { return {data_, size()}; }
  constexpr operator std::string_view() const { return view(); }  // NOLINT: reads like a text

  constexpr void clear() { data_[0] = '\0'; }
  constexpr void assign(std::string_view text) {
    data_[0] = '\0';
    append(text);
  }
  constexpr void append(std::string_view text) {
    std::size_t length = size();
    for (char c : text) {
      if (length >= Capacity - 1) {
        break;
      }
      data_[length++] = c;
    }
    data_[length] = '\0';
  }
  constexpr void append(char c) { append(std::string_view(&c, 1)); }

  // The formatted value replaces (assign_format) or follows (append_format) the text; see
  // format.h for the conversions.
  template <typename Value>
  void assign_format(std::string_view pattern, Value value) {
    clear();
    append_format(pattern, value);
  }
  template <typename Value>
  void append_format(std::string_view pattern, Value value) {
    const std::size_t length = size();
    format_value(data_ + length, Capacity - length, pattern, value);
  }

  constexpr bool contains(char c) const { return view().find(c) != std::string_view::npos; }
  constexpr bool contains(std::string_view text) const {
    return view().find(text) != std::string_view::npos;
  }
  // True when any of the characters of `set` occurs in the text.
  constexpr bool contains_any(std::string_view set) const {
    return view().find_first_of(set) != std::string_view::npos;
  }

  friend constexpr bool operator==(const FixedText& text, std::string_view other) {
    return text.view() == other;
  }

 private:
  char data_[Capacity] = {};
};

}  // namespace kolvex

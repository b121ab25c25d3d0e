#include "gbk_text.h"

#include <charconv>

namespace kesvane {

namespace {

char lower_ascii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
char upper_ascii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

size_t char_width(std::string_view text, size_t at);

// Whether `needle` stands in `text` at `at`, which is a character boundary.
// Only single-byte characters are compared without case: the second byte of
// a two-byte character may look like an ASCII letter, but is none.
bool matches_at(std::string_view text, size_t at, std::string_view needle) {
    if (text.size() - at < needle.size()) {
        return false;
    }
    for (size_t i = 0; i < needle.size();) {
        const size_t width = char_width(text, at + i);
        if (width == 2) {
            if (i + 1 >= needle.size() || text[at + i] != needle[i] ||
                text[at + i + 1] != needle[i + 1]) {
                return false;
            }
        } else if (lower_ascii(text[at + i]) != lower_ascii(needle[i])) {
            return false;
        }
        i += width;
    }
    return true;
}

// Width of the character that starts at `at`: 2 for a lead byte followed by
// another byte, 1 otherwise (a lone lead byte at the end counts as one).
size_t char_width(std::string_view text, size_t at) {
    if (is_gbk_lead_byte(static_cast<unsigned char>(text[at])) && at + 1 < text.size()) {
        return 2;
    }
    return 1;
}

bool is_blank_at(std::string_view text, size_t at, size_t width) {
    if (width == 1) {
        return text[at] == ' ';
    }
    return static_cast<unsigned char>(text[at]) == 0xA1 &&
           static_cast<unsigned char>(text[at + 1]) == 0xA1;
}

} // namespace

std::string_view until_first_zero(std::string_view bytes) {
    const size_t zero = bytes.find('\0');
    return zero == std::string_view::npos ? bytes : bytes.substr(0, zero);
}

int find_text(std::string_view haystack, std::string_view needle, int from) {
    if (from < 1) {
        from = 1;
    }
    const size_t start = static_cast<size_t>(from - 1);
    if (haystack.empty() || start >= haystack.size()) {
        return -1;
    }
    for (size_t at = 0; at < haystack.size(); at += char_width(haystack, at)) {
        if (at < start) {
            continue;
        }
        if (matches_at(haystack, at, needle)) {
            return static_cast<int>(at + 1);
        }
    }
    return -1;
}

bool contains_text(std::string_view haystack, std::string_view needle) {
    return needle.empty() || find_text(haystack, needle) != -1;
}

bool starts_with_text(std::string_view text, std::string_view prefix) {
    return matches_at(text, 0, prefix) || prefix.empty();
}

bool equals_text(std::string_view a, std::string_view b) {
    return a.size() == b.size() && matches_at(a, 0, b);
}

std::string trim_blanks(std::string_view text) {
    size_t first_kept = text.size();
    size_t end_kept = 0;
    for (size_t at = 0; at < text.size();) {
        const size_t width = char_width(text, at);
        if (!is_blank_at(text, at, width)) {
            if (first_kept == text.size()) {
                first_kept = at;
            }
            end_kept = at + width;
        }
        at += width;
    }
    if (first_kept == text.size()) {
        return {};
    }
    return std::string(text.substr(first_kept, end_kept - first_kept));
}

std::string ascii_lower(std::string_view text) {
    std::string out(text);
    for (size_t at = 0; at < out.size();) {
        const size_t width = char_width(out, at);
        if (width == 1) {
            out[at] = lower_ascii(out[at]);
        }
        at += width;
    }
    return out;
}

std::string ascii_upper(std::string_view text) {
    std::string out(text);
    for (size_t at = 0; at < out.size();) {
        const size_t width = char_width(out, at);
        if (width == 1) {
            out[at] = upper_ascii(out[at]);
        }
        at += width;
    }
    return out;
}

double leading_number(std::string_view text) {
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) {
        ++at;
    }
    std::string number;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        number += text[at++];
    }
    bool seen_point = false;
    bool seen_digit = false;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c >= '0' && c <= '9') {
            seen_digit = true;
            number += c;
        } else if (c == '.' && !seen_point) {
            seen_point = true;
            number += c;
        } else {
            break;
        }
    }
    if (!seen_digit) {
        return 0.0;
    }
    // from_chars ignores the process locale, whose decimal point may be a comma.
    const char* begin = number.data();
    if (*begin == '+') {
        ++begin;
    }
    double value = 0.0;
    std::from_chars(begin, number.data() + number.size(), value);
    return value;
}

} // namespace kesvane

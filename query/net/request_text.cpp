#include "request_text.h"

namespace kesvane {

namespace {

bool is_control(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F;
}

void append_escaped(std::string& out, unsigned char byte) {
    static constexpr char digits[] = "0123456789ABCDEF";
    out += '%';
    out += digits[byte >> 4];
    out += digits[byte & 0x0F];
}

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::string escape_for_request_line(std::string_view address) {
    std::string out;
    out.reserve(address.size());
    for (const char c : address) {
        const auto byte = static_cast<unsigned char>(c);
        if (is_control(byte) || byte == ' ' || byte == '#') {
            append_escaped(out, byte);
        } else {
            out += c;
        }
    }
    return out;
}

std::string escape_for_header_value(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (is_control(byte) && byte != '\t') {
            append_escaped(out, byte);
        } else {
            out += c;
        }
    }
    return out;
}

std::string header_line(std::string_view name, std::string_view value) {
    if (value.find_first_not_of(" \t") == std::string_view::npos) {
        return std::string(name) + ';';
    }
    std::string line(name);
    line += ": ";
    line += value;
    return line;
}

std::vector<std::string> split_header_block(std::string_view block) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < block.size()) {
        std::size_t end = block.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = block.size();
        }
        std::string line(block.substr(start, end - start));
        if (!line.empty()) {
            const std::size_t colon = line.find(':');
            if (colon != std::string::npos &&
                line.find_first_not_of(" \t", colon + 1) == std::string::npos) {
                line.erase(colon);
                while (!line.empty() && is_blank(line.back())) {
                    line.pop_back();
                }
                line += ';';
            }
            lines.push_back(std::move(line));
        }
        start = end + 1;
    }
    return lines;
}

} // namespace kesvane

#include "skin_source.h"

#include <array>
#include <cctype>
#include <map>

namespace skivra {

namespace {

constexpr std::array<const char*, static_cast<std::size_t>(ColorRole::Count)> kRoleNames = {
    "Window",
    "WindowText",
    "Base",
    "AlternateBase",
    "ToolTipBase",
    "ToolTipText",
    "PlaceholderText",
    "Text",
    "Button",
    "ButtonText",
    "BrightText",
    "Light",
    "Midlight",
    "Mid",
    "Dark",
    "Shadow",
    "Highlight",
    "HighlightedText",
    "Link",
    "LinkVisited"};

constexpr std::array<const char*, static_cast<std::size_t>(Metric::Count)> kMetricNames = {
    "ButtonMargin", "FrameWidth",   "ScrollBarExtent",    "ScrollBarSliderMin", "IndicatorSize",
    "ButtonShift",  "HeaderMargin", "MenuBarItemSpacing", "Indicator"};

constexpr std::array<const char*, static_cast<std::size_t>(IndicatorShape::Count)> kShapeNames = {
    "native", "block", "seal"};

constexpr std::array<const char*, static_cast<std::size_t>(Accent::Count)> kAccentNames = {
    "IndicatorFrame", "IndicatorFill", "IndicatorChecked", "IndicatorMark"};

constexpr std::array<const char*, static_cast<std::size_t>(ColorGroup::Count)> kGroupNames = {
    "All", "Active", "Inactive", "Disabled"};

template <std::size_t N> int index_of(const std::array<const char*, N>& names, std::string_view s) {
    for (std::size_t i = 0; i < N; ++i) {
        if (s == names[i]) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) {
        s.remove_prefix(1);
    }
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) {
        s.remove_suffix(1);
    }
    return s;
}

bool is_name_char(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-';
}

int hex_value(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::optional<Rgba> parse_color(std::string_view s) {
    if (s.empty() || s[0] != '#' || (s.size() != 7 && s.size() != 9)) {
        return std::nullopt;
    }
    std::uint8_t parts[4] = {0, 0, 0, 255};
    for (std::size_t i = 1, part = 0; i < s.size(); i += 2, ++part) {
        const int high = hex_value(s[i]);
        const int low = hex_value(s[i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        parts[part] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return Rgba{parts[0], parts[1], parts[2], parts[3]};
}

class Parser {
public:
    explicit Parser(SourceError& error) : error_(error) {}

    std::optional<Skin> run(std::string_view text) {
        std::size_t at = 0;
        while (at <= text.size() && !in_rules_) {
            const std::size_t end = std::min(text.find('\n', at), text.size());
            ++line_;
            if (!take_line(text.substr(at, end - at))) {
                return std::nullopt;
            }
            at = end + 1;
        }
        if (in_rules_) {
            std::string rules;
            if (at < text.size() && !substitute(text.substr(at), rules)) {
                return std::nullopt;
            }
            skin_.rules = std::move(rules);
        }
        if (skin_.name.empty()) {
            return fail(0, "the [skin] section gives no name");
        }
        return std::move(skin_);
    }

private:
    std::nullopt_t fail(int line, std::string message) {
        error_.line = line;
        error_.message = std::move(message);
        return std::nullopt;
    }

    bool take_line(std::string_view raw) {
        const std::string_view line = trim(raw);
        if (line.empty() || line[0] == '#') {
            return true;
        }
        if (line.front() == '[') {
            if (line.back() != ']') {
                return fail(line_, "unclosed section name"), false;
            }
            section_ = std::string(line.substr(1, line.size() - 2));
            if (section_ == "rules") {
                in_rules_ = true;
                return true;
            }
            if (section_ != "skin" && section_ != "colors" && section_ != "palette" &&
                section_ != "metrics" && section_ != "accents") {
                return fail(line_, "unknown section [" + section_ + "]"), false;
            }
            return true;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || section_.empty()) {
            return fail(line_, "expected `name = value` inside a section"), false;
        }
        const std::string key(trim(line.substr(0, equals)));
        std::string value;
        if (!substitute(trim(line.substr(equals + 1)), value)) {
            return false;
        }
        return take_entry(key, value);
    }

    bool take_entry(const std::string& key, const std::string& value) {
        if (section_ == "skin") {
            if (key == "name") {
                skin_.name = value;
            } else if (key == "base") {
                skin_.base_style = value;
            } else {
                return fail(line_, "unknown [skin] entry " + key), false;
            }
            return true;
        }
        if (section_ == "colors") {
            if (!parse_color(value)) {
                return fail(line_, "bad colour " + value), false;
            }
            for (const char c : key) {
                if (!is_name_char(c)) {
                    return fail(line_, "bad colour name " + key), false;
                }
            }
            colors_[key] = value;
            return true;
        }
        if (section_ == "metrics") {
            const int metric = index_of(kMetricNames, key);
            if (metric < 0) {
                return fail(line_, "unknown metric " + key), false;
            }
            int number = 0;
            if (static_cast<Metric>(metric) == Metric::IndicatorShape) {
                number = index_of(kShapeNames, value);
                if (number < 0) {
                    return fail(line_, "unknown indicator shape " + value), false;
                }
            } else if (value.empty() || value.size() > 4 ||
                       value.find_first_not_of("0123456789") != std::string::npos) {
                return fail(line_, "a metric is a number of pixels up to 1000"), false;
            } else {
                number = std::stoi(value);
                if (number > 1000) {
                    return fail(line_, "a metric is a number of pixels up to 1000"), false;
                }
            }
            skin_.metrics.push_back({static_cast<Metric>(metric), number});
            return true;
        }
        const std::optional<Rgba> color = parse_color(value);
        if (!color) {
            return fail(line_, "bad colour " + value), false;
        }
        if (section_ == "accents") {
            const int accent = index_of(kAccentNames, key);
            if (accent < 0) {
                return fail(line_, "unknown accent " + key), false;
            }
            skin_.accents.push_back({static_cast<Accent>(accent), *color});
            return true;
        }
        // [palette]
        std::string_view role_name = key;
        int group = static_cast<int>(ColorGroup::All);
        if (const std::size_t dot = role_name.find('.'); dot != std::string_view::npos) {
            group = index_of(kGroupNames, role_name.substr(0, dot));
            role_name = role_name.substr(dot + 1);
        }
        const int role = index_of(kRoleNames, role_name);
        if (group < 0 || role < 0) {
            return fail(line_, "unknown palette role " + key), false;
        }
        skin_.palette.push_back(
            {static_cast<ColorGroup>(group), static_cast<ColorRole>(role), *color});
        return true;
    }

    // Replaces each @name by its colour; counts lines so that errors in
    // the rules point at the right one.
    bool substitute(std::string_view text, std::string& out) {
        int line = line_;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n') {
                ++line;
            }
            if (text[i] != '@') {
                out += text[i];
                continue;
            }
            std::size_t end = i + 1;
            while (end < text.size() && is_name_char(text[end])) {
                ++end;
            }
            const std::string name(text.substr(i + 1, end - i - 1));
            const auto found = colors_.find(name);
            if (found == colors_.end()) {
                return fail(in_rules_ ? line + 1 : line, "unknown colour @" + name), false;
            }
            out += found->second;
            i = end - 1;
        }
        return true;
    }

    SourceError& error_;
    Skin skin_;
    std::map<std::string, std::string> colors_;
    std::string section_;
    bool in_rules_ = false;
    int line_ = 0;
};

} // namespace

std::optional<Skin> parse_skin_source(std::string_view text, SourceError& error) {
    return Parser(error).run(text);
}

const char* color_role_name(ColorRole role) {
    return kRoleNames.at(static_cast<std::size_t>(role));
}
const char* metric_name(Metric metric) {
    return kMetricNames.at(static_cast<std::size_t>(metric));
}
const char* accent_name(Accent accent) {
    return kAccentNames.at(static_cast<std::size_t>(accent));
}

} // namespace skivra

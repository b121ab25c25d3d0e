// What one stand-in endpoint answers: status, content type, extra header
// lines and the body bytes, which are already in the charset the real site
// used.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace kesvane::standin {

struct Reply {
    int status = 200;
    std::string content_type;
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;
};

inline constexpr const char* kGbkHtml = "text/html; charset=gb2312";
inline constexpr const char* kUtf8Html = "text/html; charset=utf-8";

} // namespace kesvane::standin

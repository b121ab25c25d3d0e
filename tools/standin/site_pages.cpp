#include "site_pages.h"

#include "gbk_codec.h"
#include "html_text.h"
#include "sample_history.h"

#include <string>

namespace kesvane::standin {

namespace {

// GBK pages are written as UTF-8 here; values that arrive from the request
// are inserted afterwards as the bytes they were, as the real site would.
std::string gbk_page(std::string_view utf8_template, std::string_view placeholder,
                     std::string_view value) {
    std::string page = kesvane::gbk(utf8_template);
    if (!placeholder.empty()) {
        for (std::size_t at = page.find(placeholder); at != std::string::npos;
             at = page.find(placeholder, at + value.size())) {
            page.replace(at, placeholder.size(), value);
        }
    }
    return page;
}

std::string history_rows(const std::vector<TrackEvent>& history) {
    std::string rows;
    bool odd = true;
    for (const auto& event : history) {
        rows += std::string("<tr class=\"") + (odd ? "odd" : "even") + "\"><td>" + event.time +
                "</td><td>" + event.text + "</td></tr>\r\n";
        odd = !odd;
    }
    return rows;
}

} // namespace

Reply home_page() {
    const std::string page = R"(<!DOCTYPE html>
<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=gb2312">
<title>Kesvane 快递查询 - 官方主页</title>
</head>
<body>
<h1>Kesvane 快递查询</h1>
<p>一个小巧的快递单号查询工具：输入单号，勾选快递公司，点击查询即可。</p>
<ul>
<li>支持中通、申通、圆通、韵达、顺丰、EMS、中国邮政等 24 家快递公司</li>
<li>常用单号可以保存，并附上备注</li>
<li>最新版本：1.2 测试版</li>
</ul>
<p><a href="/soft/welcome.html">使用说明</a> | <a href="/all/ems.shtml">快递100 EMS 查询</a></p>
<p>Copyright &copy; Dorvanu</p>
</body>
</html>
)";
    return {200, kGbkHtml, gbk_page(page, {}, {}), {}};
}

Reply welcome_page() {
    const std::string page = R"(<!DOCTYPE html>
<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=gb2312">
<title>欢迎使用 Kesvane</title>
<style type="text/css">
body { font-size: 12px; background-color: #FFFFFF; }
h2 { color: #0066FF; }
</style>
</head>
<body>
<h2>欢迎使用 Kesvane 快递查询！</h2>
<p>使用方法：</p>
<ol>
<li>在“快递单号”中输入您的单号；</li>
<li>在右侧列表中勾选快递公司；</li>
<li>点击“查询”，结果将显示在这里。</li>
</ol>
<p>查询中国邮政时，请先输入验证码图片中的字符。</p>
<p>感谢您的使用！</p>
</body>
</html>
)";
    return {200, kGbkHtml, gbk_page(page, {}, {}), {}};
}

Reply version_file(std::string_view version_reply) {
    // The web server goes by the file name; the program reads the body as text.
    return {200, "image/gif", std::string(version_reply), {}};
}

Reply sto_result_page(std::string_view number) {
    std::string content;
    if (number.empty()) {
        content = "<p class=\"tip\">请输入要查询的运单号。</p>\r\n";
    } else {
        content = "<h3>运单号：@NUMBER@</h3>\r\n"
                  "<table class=\"result\" width=\"600\" border=\"1\" cellspacing=\"0\">\r\n"
                  "<tr><th width=\"160\">时间</th><th>跟踪记录</th></tr>\r\n" +
                  history_rows(delivered_history("申通快递")) + "</table>\r\n";
    }
    const std::string page =
        "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
        "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\r\n"
        "<html>\r\n<head>\r\n<meta charset=gb2312>\r\n"
        "<title>申通快递 - 快件查询结果</title>\r\n"
        "<style type=\"text/css\">body{font-size:12px}.head{background:#E60012;color:#FFF;"
        "padding:6px}</style>\r\n</head>\r\n<body>\r\n"
        "<div class=\"head\">申通快递 STO Express 快件跟踪查询</div>\r\n" +
        content +
        "<p>如有疑问，请拨打申通快递客服热线：95543</p>\r\n"
        "</body>\r\n</html>\r\n";
    return {200, kGbkHtml, gbk_page(page, "@NUMBER@", html_escape(number)), {}};
}

Reply kuaidi100_wap_result_page(std::string_view company_id, std::string_view number) {
    std::string content;
    if (company_id != "shunfeng") {
        content = "<p class=\"error\">暂不支持该快递公司：" + html_escape(company_id) + "</p>\n";
    } else if (number.empty()) {
        content = "<p class=\"error\">请输入快递单号。</p>\n";
    } else {
        content =
            "<h2>顺丰速运</h2>\n<p>单号：" + html_escape(number) + "</p>\n<ul class=\"trace\">\n";
        for (const auto& event : delivered_history("顺丰速运")) {
            content +=
                "<li><span class=\"time\">" + event.time + "</span><br>" + event.text + "</li>\n";
        }
        content += "</ul>\n";
    }
    std::string page = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                       "<title>快递100 - 顺丰查询结果</title>\n</head>\n<body>\n"
                       "<header>快递100 手机版</header>\n" +
                       content + "<footer>快递100 m.kuaidi100.com</footer>\n</body>\n</html>\n";
    return {200, kUtf8Html, std::move(page), {}};
}

Reply kuaidi100_ems_page() {
    std::string page = R"(<!DOCTYPE html>
<html>
<head>
<meta charset="utf-8">
<title>EMS快递查询 - 快递100</title>
</head>
<body>
<h1>EMS快递单号查询</h1>
<form action="/all/ems.shtml" method="get">
<label>EMS单号：<input type="text" name="postid" maxlength="20"></label>
<input type="submit" value="查询">
</form>
<p>请输入13位EMS邮件号码，例如 EA123456789CN。</p>
<p>EMS客服电话：11183</p>
</body>
</html>
)";
    return {200, kUtf8Html, std::move(page), {}};
}

Reply taobao_login_page(std::string_view redirect) {
    const std::string target = html_escape(redirect);
    std::string page = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                       "<title>手机淘宝网 - 登录</title>\n</head>\n<body>\n"
                       "<h1>手机淘宝网</h1>\n"
                       "<form method=\"post\" action=\"/login/login.htm\">\n"
                       "<p>账户名：<input type=\"text\" name=\"TPL_username\"></p>\n"
                       "<p>密码：<input type=\"password\" name=\"TPL_password\"></p>\n"
                       "<input type=\"hidden\" name=\"redirect_url\" value=\"" +
                       target +
                       "\">\n<p><input type=\"submit\" value=\"登录\"></p>\n</form>\n"
                       "<p>登录后将前往：<a id=\"redirect\" href=\"" +
                       target + "\">" + target + "</a></p>\n</body>\n</html>\n";
    return {200, kUtf8Html, std::move(page), {}};
}

Reply not_found_page(std::string_view path) {
    std::string page = "<html><head><title>404 Not Found</title></head><body>"
                       "<h1>Not Found</h1><p>The requested URL " +
                       html_escape(path) + " was not found on this server.</p></body></html>\n";
    return {404, "text/html", std::move(page), {}};
}

} // namespace kesvane::standin

#include "china_post_page.h"

#include "config.h"
#include "gbk_codec.h"

namespace kesvane {

namespace {

constexpr std::string_view kStartMarker =
    "</table>\r\n\r\n \r\n<div id=\"a1Parent1\" "
    "onClick=\"javascript:hideshow('a1Child1','1')\" style=\"cursor:hand\">";

constexpr std::string_view kEndMarker = " </div>\r\n \r\n \r\n </form> \r\n</body>\r\n</html>";

// The header and footer bytes are fixed, quirks included: the style block
// opens a comment it never closes (browsers read it as CSS all the same) and
// the footer's anchor is never closed.
constexpr std::string_view kPageHeader =
    "<html>\r\n<head>\r\n<title>Dorvanu-Kesvane</title>\r\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">\r\n"
    "</head>\r\n\r\n<body bgcolor=\"#FFFFFF\" text=\"#000000\">\r\n"
    "<style type=\"text/css\">\r\n<!--\r\nbody,td,th {\r\n\tfont-size: 12px;\r\n}\r\n"
    "body {\r\n\tbackground-color: #FFFFFF;\r\n}\r\n</style>";

} // namespace

std::string china_post_query_address() {
    return config().china_post_site_url + "/queryMail.do";
}

std::string china_post_captcha_address() {
    return config().china_post_site_url + "/image";
}

std::string ems_captcha_address() {
    return config().ems_site_url + "/servlet/ImageCaptchaServlet";
}

std::string china_post_form_body(const std::string& number, const std::string& code) {
    return "action=getBatchMailTrace&isin=1&mailCode=" + number + "&code=" + code;
}

std::string_view china_post_start_marker() {
    return kStartMarker;
}

std::string_view china_post_end_marker() {
    return kEndMarker;
}

std::string china_post_report_page(const std::string& piece) {
    return std::string(kPageHeader) + piece + "\r\n<a href=\"" + config().publisher_site_url +
           gbk("/\" target=\"_blank\"><font color=\"#0066FF\" "
               "size=\"2\">查询结果由《Kesvane》生成！感谢使用！</font>\r\n</body>\r\n</html>");
}

} // namespace kesvane

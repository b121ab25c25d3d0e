// Dividing request addresses into host, port and path.

#include <gtest/gtest.h>

#include "web_request.h"

namespace kesvane {
namespace {

struct DivisionCase {
    std::string url;
    std::string host;
    int port;
    std::string path;
};

class UrlDivision : public ::testing::TestWithParam<DivisionCase> {};

TEST_P(UrlDivision, GivesHostPortAndPath) {
    const DivisionCase& c = GetParam();
    EXPECT_EQ(split_host(c.url), c.host);
    EXPECT_EQ(split_port(c.url), c.port);
    EXPECT_EQ(split_path(c.url), c.path);
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, UrlDivision,
    ::testing::Values(
        DivisionCase{"http://Host.Example.com:8080/a/b?x=1", "host.example.com", 8080, "/a/b?x=1"},
        DivisionCase{"http://host", "host", 80, "/"},
        DivisionCase{"HTTP://Host/Path", "host", 80, "/Path"},
        DivisionCase{"host:8080/x", "host", 8080, "/x"}, DivisionCase{"host", "host", 80, "/"},
        // An empty port text reads as 0, which means the default port.
        DivisionCase{"http://host:/x", "host", 0, "/x"},
        DivisionCase{"http://host:abc/x", "host", 0, "/x"},
        DivisionCase{"http://host:8080x/y", "host", 8080, "/y"},
        DivisionCase{"http://host:8080?q=1", "host", 8080, "/"},
        // Only "http://" is understood: the scheme name is taken for the host.
        DivisionCase{"https://secure.example.com/x", "https", 0, "//secure.example.com/x"},
        // The host is not looked for inside the "http://" prefix.
        DivisionCase{"http://h/x", "h", 80, "/x"}, DivisionCase{"http://tp:81/x", "tp", 81, "/x"},
        DivisionCase{"http://www.kuaidi100.com/api?id=K&com=ems&nu=A&B", "www.kuaidi100.com", 80,
                     "/api?id=K&com=ems&nu=A&B"},
        // The bytes of a double-byte character are not letters to lower.
        DivisionCase{"http://\x81\x41Z/x", "\x81\x41z", 80, "/x"}, DivisionCase{"", "", 80, "/"}));

} // namespace
} // namespace kesvane

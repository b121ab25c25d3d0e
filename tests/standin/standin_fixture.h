// A fresh stand-in server per test, with a client that opens one connection
// per request so that stopping the server never waits for an idle one.
#pragma once

#include "standin_sites.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <string>

class StandinTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sites.start()); }
    void TearDown() override { sites.stop(); }

    httplib::Client client() const {
        httplib::Client c("127.0.0.1", sites.port());
        c.set_read_timeout(30, 0);
        return c;
    }

    httplib::Result get(const std::string& target, const httplib::Headers& headers = {}) const {
        return client().Get(target, headers);
    }

    httplib::Result post(const std::string& target, const std::string& body,
                         const httplib::Headers& headers = {}) const {
        return client().Post(target, headers, body, "application/x-www-form-urlencoded");
    }

    kesvane::StandinSites sites;
};

// The process-wide libcurl state: one-time initialisation and the cookie
// store that every exchange of the program shares, so that a captcha fetched
// by one request ties up with the form posted by the next.
#pragma once

#include <curl/curl.h>

#include <memory>

namespace kesvane {

struct EasyHandleCloser {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
using EasyHandle = std::unique_ptr<CURL, EasyHandleCloser>;

// A fresh handle attached to the shared cookie store; null when libcurl
// cannot be set up. Safe to call from any thread.
EasyHandle new_shared_easy_handle();

} // namespace kesvane

// The form post and plain download of the China Post road. Both share the
// process-wide cookie store with web_request.
#pragma once

#include <string>

#include "web_request.h"

namespace kesvane {

// Synchronous POST with exactly the header lines Content-Type, Referer and
// Content-Length (also for an empty body). Returns the raw reply bytes up to
// the first zero byte; the empty text on any failure.
std::string post_form(const std::string& url, const std::string& referer, const std::string& body,
                      const RequestControl& control = {});

// Plain GET returning every byte of the reply (images hold zero bytes);
// empty on failure.
std::string download_bytes(const std::string& url, const RequestControl& control = {});

} // namespace kesvane

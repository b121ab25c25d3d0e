// Reading the publisher's version file against the running version.
#pragma once

#include <string_view>

namespace kesvane {

enum class VersionVerdict {
    newer,      // the site offers a newer version
    up_to_date, // the running version is the latest
    unknown,    // no version file came back: no reply, an HTTP error, or
                // a text that is not a version number
};

// `header_block`: the reply's raw header block, its first line the status
// line (empty when the request failed). `body`: the reply's text, a decimal
// number such as 1.3, blanks and line ends around it allowed. Versions are
// compared as decimal numbers (1.10 is below 1.2); a newer version must
// exceed the running one by more than 0.0000001.
VersionVerdict judge_version_reply(std::string_view header_block, std::string_view body,
                                   std::string_view running_version);

} // namespace kesvane

// The generated result page "temp.htm" in the TEMP folder.
#pragma once

#include <string>

namespace kesvane {

// The TEMP folder (the variable looked up ignoring letter case, else the
// system's temporary folder) followed by "/temp.htm".
std::string report_path();

// Replaces the report page with `bytes` as a whole: the bytes go to a file
// beside it, which is flushed and renamed over it, so that the page is never
// seen half written. Returns false when the page could not be written.
bool write_report_page(const std::string& bytes);

// Writes `bytes` beside the report page and returns the temporary file's
// path (empty on failure); commit_report_page renames it over the page.
std::string stage_report_page(const std::string& bytes);
bool commit_report_page(const std::string& staged_path);

// Deletes the program's own report page; a missing page is no error.
void delete_report_page();

// The footer the API road puts after the reply.
std::string api_report_footer();

} // namespace kesvane

// The kuaidi100 tracking API in its HTML form (show=2): a history table in
// UTF-8 for the sample numbers, a short error text otherwise.
#pragma once

#include "reply.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kesvane::standin {

inline constexpr const char* kDefaultApiKey = "7f1e4d0a8b6c3e2d";
// Known to every courier: a parcel that has been delivered.
inline constexpr const char* kDeliveredSampleNumber = "1234567890";

struct ApiCourier {
    std::string code; // the API's "com" value
    std::string name; // Chinese name, UTF-8
    std::string prefix;
};

// The twenty couriers Kesvane asks the API about.
const std::vector<ApiCourier>& api_couriers();

// The number each courier knows as a parcel still on its way.
std::string in_transit_sample_number(const ApiCourier& courier);

// "SLOW5" asks the stand-in to wait 5 seconds before answering (letter case
// ignored); other numbers ask for no wait. Capped at ten minutes.
std::optional<int> slow_seconds(std::string_view number);

struct ApiQuery {
    std::string key;
    std::string company;
    std::string number;
    std::string show;
    std::string muti;
    std::string order;
};

Reply api_reply(const ApiQuery& query, std::string_view expected_key);

} // namespace kesvane::standin

#include "skin_format.h"

#include <array>
#include <cstring>

namespace skivra {

namespace {

// FNV-1a over the password, so that every byte of it counts.
std::uint32_t password_key(std::string_view password) {
    std::uint32_t key = 2166136261u;
    for (const char c : password) {
        key = (key ^ static_cast<std::uint8_t>(c)) * 16777619u;
    }
    key = (key ^ 0x5Bu) * 16777619u; // separates "" from a missing password
    return key == 0 ? 0x9E3779B9u : key;
}

std::uint8_t password_check(std::uint32_t key) {
    return static_cast<std::uint8_t>((key >> 24) ^ (key >> 16) ^ (key >> 8) ^ key);
}

// Xorshift key stream: the payload is unreadable without the password, and
// scrambling twice gives the original back.
void scramble(std::uint8_t* bytes, std::size_t size, std::uint32_t key) {
    std::uint32_t state = key;
    for (std::size_t i = 0; i < size; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        bytes[i] ^= static_cast<std::uint8_t>(state >> 11);
    }
}

void put_u16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put_u32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

std::uint32_t get_u32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

void put_record(std::vector<std::uint8_t>& out, RecordTag tag, const std::uint8_t* body,
                std::size_t size) {
    out.push_back(static_cast<std::uint8_t>(tag));
    put_u32(out, static_cast<std::uint32_t>(size));
    out.insert(out.end(), body, body + size);
}

void put_record(std::vector<std::uint8_t>& out, RecordTag tag, std::string_view text) {
    put_record(out, tag, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

Rgba get_rgba(const std::uint8_t* at) {
    return Rgba{at[0], at[1], at[2], at[3]};
}

// Reads the records of a plain payload; false when one is cut short or holds
// a value outside its range.
bool read_records(const std::uint8_t* bytes, std::size_t size, Skin& skin) {
    std::size_t at = 0;
    while (at < size) {
        if (size - at < 5) {
            return false;
        }
        const auto tag = static_cast<RecordTag>(bytes[at]);
        const std::uint32_t length = get_u32(bytes + at + 1);
        at += 5;
        if (length > size - at) {
            return false;
        }
        const std::uint8_t* body = bytes + at;
        at += length;
        switch (tag) {
        case RecordTag::Name:
            skin.name.assign(reinterpret_cast<const char*>(body), length);
            break;
        case RecordTag::BaseStyle:
            skin.base_style.assign(reinterpret_cast<const char*>(body), length);
            break;
        case RecordTag::Rules:
            skin.rules.assign(reinterpret_cast<const char*>(body), length);
            break;
        case RecordTag::Palette:
            if (length != 6 || body[0] >= static_cast<std::uint8_t>(ColorGroup::Count) ||
                body[1] >= static_cast<std::uint8_t>(ColorRole::Count)) {
                return false;
            }
            skin.palette.push_back({static_cast<ColorGroup>(body[0]),
                                    static_cast<ColorRole>(body[1]), get_rgba(body + 2)});
            break;
        case RecordTag::Metric: {
            if (length != 5 || body[0] >= static_cast<std::uint8_t>(Metric::Count)) {
                return false;
            }
            const auto value = static_cast<std::int32_t>(get_u32(body + 1));
            const auto metric = static_cast<Metric>(body[0]);
            if (metric == Metric::IndicatorShape
                    ? (value < 0 || value >= static_cast<std::int32_t>(IndicatorShape::Count))
                    : (value < 0 || value > 1000)) {
                return false;
            }
            skin.metrics.push_back({metric, value});
            break;
        }
        case RecordTag::Accent:
            if (length != 5 || body[0] >= static_cast<std::uint8_t>(Accent::Count)) {
                return false;
            }
            skin.accents.push_back({static_cast<Accent>(body[0]), get_rgba(body + 1)});
            break;
        default:
            break; // a record of a later version
        }
    }
    return true;
}

} // namespace

std::uint32_t crc32(const std::uint8_t* bytes, std::size_t size) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

std::vector<std::uint8_t> pack_skin(const Skin& skin, std::string_view password) {
    std::vector<std::uint8_t> payload;
    put_record(payload, RecordTag::Name, skin.name);
    put_record(payload, RecordTag::BaseStyle, skin.base_style);
    for (const PaletteEntry& entry : skin.palette) {
        const std::uint8_t body[6] = {static_cast<std::uint8_t>(entry.group),
                                      static_cast<std::uint8_t>(entry.role),
                                      entry.color.r,
                                      entry.color.g,
                                      entry.color.b,
                                      entry.color.a};
        put_record(payload, RecordTag::Palette, body, sizeof body);
    }
    for (const MetricEntry& entry : skin.metrics) {
        std::vector<std::uint8_t> body{static_cast<std::uint8_t>(entry.metric)};
        put_u32(body, static_cast<std::uint32_t>(entry.value));
        put_record(payload, RecordTag::Metric, body.data(), body.size());
    }
    for (const AccentEntry& entry : skin.accents) {
        const std::uint8_t body[5] = {static_cast<std::uint8_t>(entry.accent), entry.color.r,
                                      entry.color.g, entry.color.b, entry.color.a};
        put_record(payload, RecordTag::Accent, body, sizeof body);
    }
    put_record(payload, RecordTag::Rules, skin.rules);
    return seal_payload(std::move(payload), password);
}

std::vector<std::uint8_t> seal_payload(std::vector<std::uint8_t> payload,
                                       std::string_view password) {
    const std::uint32_t key = password_key(password);
    std::vector<std::uint8_t> block(kSignature, kSignature + 4);
    put_u16(block, kFormatVersion);
    block.push_back(password_check(key));
    block.push_back(0);
    put_u32(block, static_cast<std::uint32_t>(payload.size()));
    put_u32(block, crc32(payload.data(), payload.size()));
    scramble(payload.data(), payload.size(), key);
    block.insert(block.end(), payload.begin(), payload.end());
    return block;
}

Result unpack_skin(const void* data, std::int32_t length, const char* password, Skin& skin) {
    if (data == nullptr || length < 0 || password == nullptr) {
        return kErrorArguments;
    }
    const auto size = static_cast<std::size_t>(length);
    if (size < kHeaderSize) {
        return kErrorLength;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (std::memcmp(bytes, kSignature, 4) != 0) {
        return kErrorSignature;
    }
    if ((bytes[4] | bytes[5] << 8) != kFormatVersion || bytes[7] != 0) {
        return kErrorVersion;
    }
    const std::uint32_t payload_size = get_u32(bytes + 8);
    if (payload_size > kMaxPayload || payload_size != size - kHeaderSize) {
        return kErrorLength;
    }
    const std::uint32_t key = password_key(password);
    if (bytes[6] != password_check(key)) {
        return kErrorPassword;
    }
    std::vector<std::uint8_t> payload(bytes + kHeaderSize, bytes + size);
    scramble(payload.data(), payload.size(), key);
    if (crc32(payload.data(), payload.size()) != get_u32(bytes + 12)) {
        return kErrorChecksum;
    }
    Skin read;
    if (!read_records(payload.data(), payload.size(), read)) {
        return kErrorContent;
    }
    skin = std::move(read);
    return kOk;
}

} // namespace skivra

// The packed skin block that the engine reads and the packer writes.
//
// Layout, all numbers little-endian:
//   0  4 bytes  signature "SKVR"
//   4  2 bytes  format version (1)
//   6  1 byte   password check: a digest of the password
//   7  1 byte   reserved, 0
//   8  4 bytes  payload length
//  12  4 bytes  CRC-32 of the payload before scrambling
//  16  payload, scrambled with a key stream drawn from the password
//
// The payload is a run of records: a one-byte tag, a four-byte length and
// that many bytes. Records with tags this version does not know are skipped,
// so that later versions can add records without breaking older engines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace skivra {

inline constexpr char kSignature[4] = {'S', 'K', 'V', 'R'};
inline constexpr std::uint16_t kFormatVersion = 1;
inline constexpr std::size_t kHeaderSize = 16;
// Far above any real skin; keeps a corrupt length from asking for gigabytes.
inline constexpr std::uint32_t kMaxPayload = 4u << 20;

enum Result : std::int32_t {
    kOk = 0,
    kErrorArguments = -1, // no data, negative length or no password
    kErrorLength = -2,    // shorter than a header, or header and length disagree
    kErrorSignature = -3,
    kErrorVersion = -4, // another format version, or a reserved byte set
    kErrorPassword = -5,
    kErrorChecksum = -6,
    kErrorContent = -7,       // a record is cut short or holds an unknown value
    kErrorNoApplication = -8, // no widget application, or not its thread
};

enum class RecordTag : std::uint8_t {
    Name = 1,
    BaseStyle = 2,
    Palette = 3, // group, role, r, g, b, a
    Metric = 4,  // metric, 32-bit value
    Accent = 5,  // accent, r, g, b, a
    Rules = 6,   // style-sheet rules, UTF-8
};

// Colour roles, numbered by the format rather than by any toolkit.
enum class ColorRole : std::uint8_t {
    Window,
    WindowText,
    Base,
    AlternateBase,
    ToolTipBase,
    ToolTipText,
    PlaceholderText,
    Text,
    Button,
    ButtonText,
    BrightText,
    Light,
    Midlight,
    Mid,
    Dark,
    Shadow,
    Highlight,
    HighlightedText,
    Link,
    LinkVisited,
    Count
};

enum class ColorGroup : std::uint8_t { All, Active, Inactive, Disabled, Count };

enum class Metric : std::uint8_t {
    ButtonMargin,
    FrameWidth,
    ScrollBarExtent,
    ScrollBarSliderMin,
    IndicatorSize,
    ButtonShift,
    HeaderMargin,
    MenuBarItemSpacing,
    IndicatorShape, // one of IndicatorShape
    Count
};

enum class IndicatorShape : std::int32_t { Native, Block, Seal, Count };

// Colours the engine paints with itself, beyond the palette.
enum class Accent : std::uint8_t {
    IndicatorFrame,
    IndicatorFill,
    IndicatorChecked,
    IndicatorMark,
    Count
};

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 255;
    bool operator==(const Rgba&) const = default;
};

struct PaletteEntry {
    ColorGroup group = ColorGroup::All;
    ColorRole role = ColorRole::Window;
    Rgba color;
    bool operator==(const PaletteEntry&) const = default;
};

struct MetricEntry {
    Metric metric = Metric::ButtonMargin;
    std::int32_t value = 0;
    bool operator==(const MetricEntry&) const = default;
};

struct AccentEntry {
    Accent accent = Accent::IndicatorFrame;
    Rgba color;
    bool operator==(const AccentEntry&) const = default;
};

struct Skin {
    std::string name;       // UTF-8
    std::string base_style; // the toolkit style the skin builds on, e.g. "Fusion"
    std::vector<PaletteEntry> palette;
    std::vector<MetricEntry> metrics;
    std::vector<AccentEntry> accents;
    std::string rules; // style-sheet rules, UTF-8
    bool operator==(const Skin&) const = default;
};

// A complete block for `skin`, locked with `password`.
std::vector<std::uint8_t> pack_skin(const Skin& skin, std::string_view password);

// The block around an already encoded payload: pack_skin's last step, for
// tools and tests that write records of their own.
std::vector<std::uint8_t> seal_payload(std::vector<std::uint8_t> payload,
                                       std::string_view password);

// Checks a block and reads it into `skin`; `skin` is left untouched unless
// the result is kOk.
Result unpack_skin(const void* data, std::int32_t length, const char* password, Skin& skin);

std::uint32_t crc32(const std::uint8_t* bytes, std::size_t size);

} // namespace skivra

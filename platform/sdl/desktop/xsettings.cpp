#include "platform/sdl/desktop/xsettings.h"

#include <cstddef>

namespace vex {

namespace {

enum SettingType : unsigned char { integer = 0, string = 1, color = 2 };

constexpr std::size_t padded(std::size_t length) { return (length + 3) / 4 * 4; }

// Reads the property's numbers in the byte order its first byte names.
class Reader {
public:
    explicit Reader(std::span<const unsigned char> bytes) : m_bytes(bytes) {}

    bool ok() const { return m_ok; }

    std::uint32_t number(std::size_t size) {
        if (!take(size)) {
            return 0;
        }
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i) {
            const std::size_t byte = m_big_endian ? i : size - 1 - i;
            value = value << 8 | m_bytes[m_at - size + byte];
        }
        return value;
    }
    std::string_view text(std::size_t length) {
        if (!take(padded(length))) {
            return {};
        }
        return {reinterpret_cast<const char*>(m_bytes.data() + m_at - padded(length)), length};
    }
    bool skip(std::size_t size) { return take(size); }
    void set_big_endian(bool big) { m_big_endian = big; }

private:
    bool take(std::size_t size) {
        m_ok = m_ok && size <= m_bytes.size() - m_at;
        if (m_ok) {
            m_at += size;
        }
        return m_ok;
    }

    std::span<const unsigned char> m_bytes;
    std::size_t m_at = 0;
    bool m_big_endian = false;
    bool m_ok = true;
};

}  // namespace

std::optional<std::int32_t> xsettings_integer(std::span<const unsigned char> property, std::string_view name) {
    Reader reader(property);
    const std::uint32_t order = reader.number(1);
    if (order > 1) {
        return std::nullopt;
    }
    reader.set_big_endian(order == 1);
    reader.skip(3 + 4);  // unused, serial
    const std::uint32_t count = reader.number(4);
    for (std::uint32_t i = 0; i < count && reader.ok(); ++i) {
        const std::uint32_t type = reader.number(1);
        reader.skip(1);
        const std::string_view setting = reader.text(reader.number(2));
        reader.skip(4);  // the serial of its last change
        if (type == integer) {
            const auto value = static_cast<std::int32_t>(reader.number(4));
            if (reader.ok() && setting == name) {
                return value;
            }
        } else if (type == string) {
            reader.text(reader.number(4));
        } else if (type == color) {
            reader.skip(8);
        } else {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace vex

#include "colour/share_code.hpp"

#include "common/translatable.hpp"
#include "findings/render.hpp"

#include <array>
#include <cstdint>

namespace checker {
namespace {

constexpr std::string_view digits62 =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
using namespace share_code_layout;
constexpr std::size_t digit_count = share_code_length - share_code_tag.size();

using Packed = std::array<std::uint8_t, packed_size>;

std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    const auto add = [&](std::uint8_t byte) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    };
    for (const char c : share_code_tag)
        add(static_cast<std::uint8_t>(c));
    for (std::size_t i = 0; i < size; ++i)
        add(data[i]);
    return ~crc;
}

// Every byte component in table order, with its running index.
template <class Visit>
void for_each_byte_component(Visit&& visit) {
    std::size_t index = 0;
    for (std::size_t row = 0; row < hud::hud_setting_table.size(); ++row) {
        const auto kind = hud::hud_setting_table[row].kind;
        if (kind == hud::SettingKind::Float) continue;
        for (int c = 0; c < hud::component_count(kind); ++c)
            visit(row, c, index++);
    }
}

template <class Visit>
void for_each_size_row(Visit&& visit) {
    std::size_t index = 0;
    for (std::size_t row = 0; row < hud::hud_setting_table.size(); ++row)
        if (hud::hud_setting_table[row].kind == hud::SettingKind::Float) visit(row, index++);
}

void put_u32(Packed& packed, std::size_t at, std::uint32_t value, bool big_endian) {
    for (int i = 0; i < 4; ++i)
        packed[at + i] = static_cast<std::uint8_t>(value >> (8 * (big_endian ? 3 - i : i)));
}

std::uint32_t get_u32(const Packed& packed, std::size_t at, bool big_endian) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= std::uint32_t{packed[at + i]} << (8 * (big_endian ? 3 - i : i));
    return value;
}

Packed pack(const WrittenSettings& settings) {
    Packed packed{};
    for_each_byte_component([&](std::size_t row, int c, std::size_t index) {
        const auto& byte = settings[row].bytes[c];
        packed[index] = byte.value_or(0);
        if (!byte) packed[mask_at + index / 8] |= std::uint8_t(1u << (index % 8));
    });
    for_each_size_row([&](std::size_t row, std::size_t index) {
        put_u32(packed, sizes_at + 4 * index, settings[row].real_bits, false);
    });
    put_u32(packed, crc_at, crc32(packed.data(), crc_at), true);
    return packed;
}

// Only what pack() makes: a checksum that matches, no marks beyond the 89 components,
// and 0 under every mark.
std::optional<WrittenSettings> unpack(const Packed& packed) {
    if (get_u32(packed, crc_at, true) != crc32(packed.data(), crc_at)) return std::nullopt;
    if (packed[crc_at - 1] >> (byte_components % 8)) return std::nullopt;
    WrittenSettings settings{};
    bool canonical = true;
    for_each_byte_component([&](std::size_t row, int c, std::size_t index) {
        const bool marked = packed[mask_at + index / 8] >> (index % 8) & 1u;
        if (marked)
            canonical = canonical && packed[index] == 0;
        else
            settings[row].bytes[c] = packed[index];
    });
    for_each_size_row([&](std::size_t row, std::size_t index) {
        settings[row].real_bits = get_u32(packed, sizes_at + 4 * index, false);
    });
    return canonical ? std::optional{settings} : std::nullopt;
}

// The bytes as one big number, most significant first, in exactly digit_count digits.
// Leading zero bytes are skipped as the number shrinks: a code is made for every check.
std::string to_digits(Packed number) {
    std::string digits(digit_count, '0');
    std::size_t first = 0;
    for (std::size_t place = digit_count; place-- > 0;) {
        while (first < number.size() && number[first] == 0)
            ++first;
        unsigned remainder = 0;
        for (std::size_t i = first; i < number.size(); ++i) {
            const unsigned value = remainder * 256 + number[i];
            number[i] = static_cast<std::uint8_t>(value / 62);
            remainder = value % 62;
        }
        digits[place] = digits62[remainder];
    }
    return digits;
}

// nullopt when the number does not fit the bytes. Only the low bytes reached so far
// are multiplied; the ones above them are still zero.
std::optional<Packed> from_digits(std::string_view digits) {
    Packed number{};
    std::size_t low = number.size();
    for (const char d : digits) {
        unsigned carry = static_cast<unsigned>(digits62.find(d));
        for (std::size_t i = number.size(); i-- > low;) {
            const unsigned value = number[i] * 62u + carry;
            number[i] = static_cast<std::uint8_t>(value);
            carry = value >> 8;
        }
        for (; carry; carry >>= 8) {
            if (low == 0) return std::nullopt;
            number[--low] = static_cast<std::uint8_t>(carry);
        }
    }
    return number;
}

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

ShareCodeReading problem(std::string text) {
    return {std::nullopt, std::move(text)};
}

} // namespace

std::string share_code(const WrittenSettings& settings) {
    return std::string{share_code_tag} + to_digits(pack(settings));
}

ShareCodeReading read_share_code(std::string_view pasted, const Catalogue& language) {
    const auto said = [&](std::string_view english, const Args& args = {}) {
        return problem(render(english, args, language));
    };
    std::string code;
    for (const char c : pasted)
        if (!is_blank(c)) code += c;
    if (code.empty())
        return said(tr("no code: paste a Tessivar colour code (it starts with TVC1)"));
    const bool tagged = code.size() > 3 && code.compare(0, 3, "TVC") == 0;
    if (!tagged && code.find(share_code_tag) != std::string::npos)
        return said(tr("paste only the code, from TVC1 to its last character"));
    if (!tagged || code[3] < '0' || code[3] > '9')
        return said(tr("this is not a Tessivar colour code: those start with TVC1"));
    if (code[3] != share_code_tag.back())
        return said(tr("this code was made by another version of Tessivar (format {format}); this "
                       "one reads codes that start with TVC1"),
                    {text_arg("format", std::string(1, code[3]))});
    const std::size_t odd = code.find_first_not_of(digits62, share_code_tag.size());
    if (odd != std::string::npos)
        return said(tr("character {at} of the code is not a letter or a digit, which codes never "
                       "hold: copy the code again"),
                    {number_arg("at", static_cast<long long>(odd + 1))});
    if (code.size() != share_code_length) {
        const Args sizes{number_arg("count", static_cast<long long>(code.size())),
                         number_arg("length", static_cast<long long>(share_code_length))};
        return code.size() < share_code_length
                   ? said(tr("the code has {count} characters instead of {length}: part of it is "
                             "missing; copy all of it again"),
                          sizes)
                   : said(tr("the code has {count} characters instead of {length}: something was "
                             "added to it; copy all of it again"),
                          sizes);
    }
    const auto packed = from_digits(std::string_view{code}.substr(share_code_tag.size()));
    const auto settings = packed ? unpack(*packed) : std::nullopt;
    if (!settings)
        return said(tr("the code is damaged (its checksum does not match): a character was "
                       "changed; copy the code again"));
    return {settings, {}};
}

} // namespace checker

// Operations on sampled sounds: rate conversion down to the output rate, and the sounds' wide names.
#include "sound/sound_sample.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

// The low-pass reaches this many output samples to either side; its transition band is then about
// 1/11 of the output rate wide.
constexpr double KERNEL_HALF_WIDTH = 32.0;
// Pass band edge as a share of the output's Nyquist frequency, so that the stop band begins at it.
constexpr double CUTOFF_SHARE = 0.91;

double Sinc(double x) {
    if (x == 0.0) return 1.0;
    const double angle = std::numbers::pi * x;
    return std::sin(angle) / angle;
}

// Blackman window over -1..1.
double Window(double r) {
    return 0.42 + 0.5 * std::cos(std::numbers::pi * r) + 0.08 * std::cos(2.0 * std::numbers::pi * r);
}

// Measured in output samples, the low-pass has the same shape at every rate ratio, so it is tabulated
// once and read with linear interpolation (fine enough to stay some 90 dB below the signal).
constexpr int KERNEL_STEPS_PER_SAMPLE = 512;

const std::vector<double>& KernelTable() {
    static const std::vector<double> table = [] {
        std::vector<double> values(static_cast<std::size_t>(KERNEL_HALF_WIDTH) * KERNEL_STEPS_PER_SAMPLE + 2);
        for (std::size_t i = 0; i < values.size(); ++i) {
            const double u = static_cast<double>(i) / KERNEL_STEPS_PER_SAMPLE;
            values[i] = u >= KERNEL_HALF_WIDTH ? 0.0 : Sinc(CUTOFF_SHARE * u) * Window(u / KERNEL_HALF_WIDTH);
        }
        return values;
    }();
    return table;
}

// The low-pass at a distance of u output samples from its centre.
double Kernel(const std::vector<double>& table, double u) {
    const double position = std::fabs(u) * KERNEL_STEPS_PER_SAMPLE;
    const auto index = static_cast<std::size_t>(position);
    if (index + 1 >= table.size()) return 0.0;
    const double fraction = position - static_cast<double>(index);
    return table[index] + fraction * (table[index + 1] - table[index]);
}

std::int16_t RoundTo16(double value) {
    const double limited = std::clamp(value, static_cast<double>(std::numeric_limits<std::int16_t>::min()),
                                      static_cast<double>(std::numeric_limits<std::int16_t>::max()));
    return static_cast<std::int16_t>(std::lround(limited));
}

constexpr char32_t REPLACEMENT_CHARACTER = 0xFFFD;

// Decodes one UTF-8 sequence at text[i], moving i past it; malformed bytes give U+FFFD.
char32_t DecodeUtf8(const std::string& text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80) return lead;
    int continuation = 0;
    char32_t code = 0;
    if ((lead & 0xE0) == 0xC0) {
        continuation = 1;
        code = lead & 0x1Fu;
    } else if ((lead & 0xF0) == 0xE0) {
        continuation = 2;
        code = lead & 0x0Fu;
    } else if ((lead & 0xF8) == 0xF0) {
        continuation = 3;
        code = lead & 0x07u;
    } else {
        return REPLACEMENT_CHARACTER;
    }
    for (int k = 0; k < continuation; ++k) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return REPLACEMENT_CHARACTER;
        code = (code << 6) | (static_cast<unsigned char>(text[i++]) & 0x3Fu);
    }
    return code;
}

void AppendUtf8(std::string& text, char32_t code) {
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = REPLACEMENT_CHARACTER;
    if (code < 0x80) {
        text += static_cast<char>(code);
    } else if (code < 0x800) {
        text += static_cast<char>(0xC0 | (code >> 6));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        text += static_cast<char>(0xE0 | (code >> 12));
        text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (code >> 18));
        text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

std::vector<std::int16_t> ConvertRateDown(std::span<const std::int16_t> input, std::uint32_t fromRate,
                                          std::uint32_t toRate) {
    const std::uint64_t outputCount = static_cast<std::uint64_t>(toRate) * input.size() / fromRate + 1;
    std::vector<std::int16_t> output(static_cast<std::size_t>(outputCount));
    const double step = static_cast<double>(fromRate) / toRate;  // input samples per output sample
    const double reach = KERNEL_HALF_WIDTH * step;               // input samples to either side
    const double gain = CUTOFF_SHARE / step;                     // keeps the pass band at unity
    const std::vector<double>& table = KernelTable();
    const auto last = static_cast<std::int64_t>(input.size()) - 1;
    for (std::size_t k = 0; k < output.size(); ++k) {
        const double centre = static_cast<double>(k) * step;
        const std::int64_t first = std::max<std::int64_t>(0, static_cast<std::int64_t>(std::ceil(centre - reach)));
        const std::int64_t end = std::min<std::int64_t>(last, static_cast<std::int64_t>(std::floor(centre + reach)));
        double sum = 0.0;
        for (std::int64_t n = first; n <= end; ++n) {
            sum += input[static_cast<std::size_t>(n)] * Kernel(table, (centre - static_cast<double>(n)) / step);
        }
        output[k] = RoundTo16(sum * gain);
    }
    return output;
}

std::wstring WideFromUtf8(const std::string& text) {
    std::wstring wide;
    for (std::size_t i = 0; i < text.size();) wide += static_cast<wchar_t>(DecodeUtf8(text, i));
    return wide;
}

std::string Utf8FromWide(const std::wstring& text) {
    std::string narrow;
    for (wchar_t character : text) AppendUtf8(narrow, static_cast<char32_t>(character));
    return narrow;
}

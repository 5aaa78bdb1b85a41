#include "settings/FmRules.h"

#include <charconv>
#include <cmath>
#include <string>

#include "settings/FmWrite.h"

namespace {

// A typed value beyond this many MHz is no frequency at all; it also keeps the
// value far from the limits of an int once in units of 10 kHz.
constexpr float kLargestTypedMhz = 100000.0f;

}  // namespace

// The headsets with an FM page are those whose FM block the page writes.
bool IsFmProduct(int productId) { return FmBlockFormOf(productId).road != FmBlockRoad::None; }

int PresetFromText(std::wstring_view text)
{
    // The decimal number at the start of the text, as plain ASCII with a point.
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
    if (i < text.size() && text[i] == L'+') ++i;
    std::string number;
    for (; i < text.size() && text[i] < 0x80; ++i) {
        const char c = static_cast<char>(text[i]);
        number.push_back(c == ',' ? '.' : c);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end == number.data()) return 0;

    // Single precision, as the headset's tools always read it.
    const float mhz = static_cast<float>(value);
    if (!std::isfinite(mhz) || std::fabs(mhz) > kLargestTypedMhz) return 0;
    int v = static_cast<int>(mhz * 100.0f);
    const int r = v % 10;
    v -= r;
    if (r > 4) v += 10;
    return v;
}

CString PresetText(int preset) { return CString::Formatted(L"%0.1f", preset / 100.0); }

int SpinPreset(int region, int position, int previous)
{
    const FmRegionRange& band = FmRegionTable[SafeFmRegion(region)];
    int p = position;
    // A 0.2 MHz grid: a click of 0.1 MHz lands between two channels and goes on to the next.
    if (band.Step == 20 && ValidateFmFrequency(region, p) == 2) {
        if (p > previous) p += 10;
        else if (p < previous) p -= 10;
    }
    if (p < band.Minimum) p = band.Maximum;
    else if (p > band.Maximum) p = band.Minimum;
    // Whatever the spin held, the preset ends on a channel.
    if (ValidateFmFrequency(region, p) != 0) p = band.Minimum + (p - band.Minimum) / band.Step * band.Step;
    return p;
}

int NeighbourPreset(int row, const int presets[kFmPresetCount], const bool checked[kFmPresetCount], int region)
{
    for (int i = row - 1; i >= 0; --i) {
        if (i < kFmPresetCount && checked[i] && presets[i] > 0) return presets[i];
    }
    for (int i = row + 1; i < kFmPresetCount; ++i) {
        if (i >= 0 && checked[i] && presets[i] > 0) return presets[i];
    }
    return FmRegionTable[SafeFmRegion(region)].Minimum;
}

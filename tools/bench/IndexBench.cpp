// Index benchmark: the server's firmware index and revisions index with 40,000
// voice-prompt variants of one model, each read for the variant in the middle
// and stored into an update record, against the floor measured side by side:
// the same texts cut into lines and fields, each field copied out, and
// nothing else. Each parser also reads a quarter of the lines, to show how its
// cost grows (4 for a cost per line, 16 for one that grows with the lines
// before), beside the floor's own growth on this heap.
//
//     bench_index.exe [runs]
//
// Prints each run, the growth, then
// "index: ours <ms> ms, reference <ms> ms, ratio <reference / ours>".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "firmware/FirmwareIndex.h"
#include "firmware/UpdateStatus.h"
#include "restore/RevisionsIndex.h"

namespace {

constexpr int kVariants = 40000;

double Milliseconds(const LARGE_INTEGER& start, const LARGE_INTEGER& end)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Work>
double Timed(Work&& work)
{
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return Milliseconds(start, end);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// "<model>:v<version>:Language<i>:<prefix><i>.img" for i from 0.
std::wstring IndexText(const wchar_t* model, const wchar_t* version, const wchar_t* prefix, int variants)
{
    std::wstring text;
    for (int i = 0; i < variants; ++i) {
        const std::wstring n = std::to_wstring(i);
        text += std::wstring(model) + L":v" + version + L":Language" + n + L":" + prefix + n + L".img\n";
    }
    return text;
}

// The firmware index read as the update page reads it; the chosen file.
CString ReadFirmwareIndex(const std::wstring& text, int variants)
{
    FirmwareIndexQuery query;
    query.modelName = L"Z9";
    query.firmwareLanguage = (L"language" + std::to_wstring(variants - 1)).c_str();
    query.interfaceLanguage = (L"Language" + std::to_wstring(variants / 2)).c_str();
    const FirmwareOffer offer = ParseFirmwareIndex(text, query);
    UpdateStatus status;
    StoreFirmwareOffer(offer, status);
    return status.EntryCount() == variants ? status.ChosenFile : CString();
}

// The revisions index read as the restore page reads it; the chosen file.
CString ReadRevisionsIndex(const std::wstring& text, int variants)
{
    RevisionsQuery query;
    query.modelName = L"V40";
    query.archived.Major = 4;
    query.archived.Minor = 2;
    query.firmwareLanguage = (L"language" + std::to_wstring(variants - 1)).c_str();
    query.interfaceLanguage = (L"Language" + std::to_wstring(variants / 2)).c_str();
    const RevisionsMatch match = ParseRevisionsIndex(text, query);
    UpdateStatus status;
    status.Reset(UpdateResetModeRestorePage);
    StoreRevisionsMatch(match, false, status);
    return status.EntryCount() == variants ? status.ChosenFile : CString();
}

// The floor: every line cut at LF and at its first three colons, each field
// copied out; the number of fields.
size_t CutIntoFields(std::wstring_view text)
{
    std::vector<std::wstring> fields;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find(L'\n', pos);
        if (end == std::wstring_view::npos) end = text.size();
        std::wstring_view line = text.substr(pos, end - pos);
        for (int cut = 0; cut < 3; ++cut) {
            const size_t colon = line.find(L':');
            if (colon == std::wstring_view::npos) break;
            fields.emplace_back(line.substr(0, colon));
            line.remove_prefix(colon + 1);
        }
        fields.emplace_back(line);
        pos = end + 1;
    }
    return fields.size();
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = std::max(1, argc > 1 ? std::atoi(argv[1]) : 7);
    const std::wstring firmware = IndexText(L"Z9", L"2.0", L"z9_", kVariants);
    const std::wstring revisions = IndexText(L"V40", L"4.2", L"v40_", kVariants);
    const std::wstring firmwareQuarter = IndexText(L"Z9", L"2.0", L"z9_", kVariants / 4);
    const std::wstring revisionsQuarter = IndexText(L"V40", L"4.2", L"v40_", kVariants / 4);
    const CString firmwareChoice = (L"z9_" + std::to_wstring(kVariants / 2) + L".img").c_str();
    const CString revisionsChoice = (L"v40_" + std::to_wstring(kVariants / 2) + L".img").c_str();

    std::vector<double> ours, floors, firmwareGrowth, revisionsGrowth, floorGrowth;
    for (int run = 0; run < runs; ++run) {
        CString firmwareChosen, revisionsChosen;
        const double firmwareMs = Timed([&] { firmwareChosen = ReadFirmwareIndex(firmware, kVariants); });
        const double revisionsMs = Timed([&] { revisionsChosen = ReadRevisionsIndex(revisions, kVariants); });
        if (firmwareChosen != firmwareChoice || revisionsChosen != revisionsChoice) {
            std::fprintf(stderr, "index: a parser did not list every variant or chose another\n");
            return 1;
        }
        size_t fields = 0;
        const double floorMs = Timed([&] { fields = CutIntoFields(firmware) + CutIntoFields(revisions); });
        if (fields != 8u * kVariants) {
            std::fprintf(stderr, "index: the floor cut %zu fields\n", fields);
            return 1;
        }
        const double firmwareQuarterMs = Timed([&] { ReadFirmwareIndex(firmwareQuarter, kVariants / 4); });
        const double revisionsQuarterMs = Timed([&] { ReadRevisionsIndex(revisionsQuarter, kVariants / 4); });
        const double floorQuarterMs =
            Timed([&] { fields = CutIntoFields(firmwareQuarter) + CutIntoFields(revisionsQuarter); });
        ours.push_back(firmwareMs + revisionsMs);
        floors.push_back(floorMs);
        firmwareGrowth.push_back(firmwareMs / firmwareQuarterMs);
        revisionsGrowth.push_back(revisionsMs / revisionsQuarterMs);
        floorGrowth.push_back(floorMs / floorQuarterMs);
        std::printf("run %d: firmware index %.1f ms, revisions index %.1f ms, floor %.1f ms\n", run + 1, firmwareMs,
                    revisionsMs, floorMs);
    }
    std::printf("growth from %d to %d variants (4 per line, 16 quadratic): firmware index %.1f, revisions index %.1f, "
                "floor %.1f\n",
                kVariants / 4, kVariants, Median(firmwareGrowth), Median(revisionsGrowth), Median(floorGrowth));
    const double o = Median(ours);
    const double f = Median(floors);
    std::printf("index: ours %.1f ms, reference %.1f ms, ratio %.3f\n", o, f, f / o);
    return 0;
}

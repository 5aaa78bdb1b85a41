// What the restore page shows of a settings archive, without windows: the
// title, version and date texts, the six name/value label pairs of the older
// models' sections, and the read-only list of the newer models' basic
// settings.
//
// A row names its setting and how its value reads as text. The list's rows
// show the settings grid's rows (their label and where their value lives, the
// grid's RowKind) as plain text; the label pairs of the older models show
// switches of their own. Rows come in firmware bands per family of products,
// as data; one resolver picks the band and one builder writes the texts.
// Unlike the grid, the list bands on the archived firmware version (three
// families on the connected headset's, see ArchivedFamily) and renders levels
// as numbers where the grid offers a choice.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "device/ProductCatalogue.h"
#include "app/Texts.h"
#include "device/DeviceSettings.h"
#include "framework/CString.h"
#include "settingslist/SettingsRows.h"

// The action camera, whose versions have four parts: secondary type and
// secondary version first, then major and minor.

// How a value reads as text.
enum class ArchivedValueRendering : uint8_t {
    OnWhenSet,                // 0 "Disabled", any other value "Enabled"
    OffWhenZero,              // the same, for a field that holds 1 for on
    OffWhenOne,               // 1 "Disabled", any other value "Enabled"
    OffWhenSet,               // 0 "Enabled", any other value "Disabled"
    ElevenMinus,              // the number 11 - value
    MotionSensitivityText,    // 1 "Disable", 2 "Low", any other "High"
    SmartVolumeText,          // 0 "Disabled", 1 "Low", 2 "Medium", any other "High"
    LevelLabelText,           // "Level 1" to "Level 10" for 1 to 10
    TransmitGainText,         // 12 "Low", 17 "High", any other "Medium"
    SecondsText,              // "<value> seconds"
    PlainNumber,              // the value
    LowMediumHighText,        // 1 "Low", 2 "Medium", 3 "High"
    PhotoModeText,            // 0 "Single Shot", any other "Burst Shot"
    VideoModeText,            // 0 "Video Mode", 1 "Timelapse Mode", any other "Loop Recording Mode"
    VideoResolutionText,      // 0 "1080p/30fps", 1 "720p/60fps", any other "720p/30fps"
    TimelapseIntervalText,    // 0 "1 sec", any other "10 secs"
    IntervalMinutesText,      // 0 "1 min", 1 "3 mins", any other "5 mins"
    MicrophoneGainText,       // 0 "Low", 1 "Medium", any other "High"
    AudioSourcePriorityText,  // 0 "Intercom", any other "Music"
    EssStatusText,            // 0 "ESS ON", 1 "Position Light + ESS ON", 2 "Fog Light + ESS ON", 3 "ESS OFF"
    EssSensitivityText,       // 1 "Low", 2 "Medium", 3 "High"
    Count
};

// The text of a value in a language. A value that a rendering's table of
// texts does not hold ("Level n" outside 1 to 10, the three levels outside 1
// to 3, the ESS codes outside theirs) shows as its plain number.
CString RenderArchivedValue(ArchivedValueRendering rendering, int value, LanguageIndex language);

// One shown setting: the grid's row whose label and value it shows, or a
// label and a value of its own.
struct ArchivedRow {
    ArchivedValueRendering rendering = ArchivedValueRendering::PlainNumber;
    RowKindId gridKind = RowKindId::Count;
    const LabelTable* label = nullptr;
    ValueSource source = ValueSource::Word(0);
    // A label pair's name reads "<label> :" rather than "<label>:".
    bool spacedColon = false;

    CString Label(LanguageIndex language) const;
    int Value(const DeviceSettings& record) const;
    CString ValueText(const DeviceSettings& record, LanguageIndex language) const;
};

// Rows for firmware versions below (belowMajor, belowMinor); the last band of
// a family has no upper end (belowMajor < 0).
struct ArchivedBand {
    int belowMajor;
    int belowMinor;
    std::span<const ArchivedRow> rows;
};

// The band of a version: the first whose bound the version is below, else the
// last; empty for no bands.
std::span<const ArchivedRow> ArchivedBandRows(std::span<const ArchivedBand> bands, const DeviceSettings& record);

// ---- The list (basic settings of the newer models)

// The record whose firmware version picks a family's band.
enum class BandRecord : uint8_t {
    Archived,   // the archive's
    Connected,  // the connected headset's (the main window's record)
};

struct ArchivedFamily {
    std::span<const uint16_t> products;
    BandRecord bandRecord;
    std::span<const ArchivedBand> bands;
    // The label pairs that the FM radio section shows (bit n-1 for pair n); 0
    // when the family has no FM radio texts.
    unsigned fmPairs;
};

std::span<const ArchivedFamily> AllArchivedFamilies();
// The family of a product, null when it has no list.
const ArchivedFamily* FindArchivedFamily(int productId);
// The list's rows of a product for its band; empty for a product without a list.
std::span<const ArchivedRow> ArchivedListRows(int productId, const DeviceSettings& archived,
                                              const DeviceSettings& connected);

struct ArchivedListRow {
    CString label;
    CString value;
};

struct ArchivedList {
    // Set for a product with a list while a section other than basic settings
    // is current: the list holds no row and is hidden.
    bool hidden = false;
    std::vector<ArchivedListRow> rows;
};

// The list as the page shows it for a product in a setting section (1 basic
// settings, 2 speed dial, 3 FM radio), in a language.
ArchivedList BuildArchivedList(int productId, const DeviceSettings& archived, const DeviceSettings& connected,
                               int sectionKind, LanguageIndex language);

// ---- The labels

inline constexpr int kArchivedPairCount = 6;
// Every pair, as a mask of pairs (bit n-1 for pair n).
inline constexpr unsigned kAllArchivedPairs = (1u << kArchivedPairCount) - 1;

struct ArchivedLabels {
    CString title;
    CString versionCaption;
    bool versionCaptionCentred = false;  // else right-aligned
    CString version;
    CString dateCaption;
    CString date;
    // Names and values of pairs 1 to 6; a pair that the section does not use is empty.
    CString names[kArchivedPairCount];
    CString values[kArchivedPairCount];
    // The names of pairs 1 to 5 are left-aligned (the FM radio section), else right-aligned.
    bool namesLeftAligned = false;
    // The pairs that this product, band and section show (bit n-1 for pair n).
    unsigned shownPairs = 0;
};

// The page's texts for a product's archive in a setting section, with
// voicePromptItems items in the voice-prompt choice, in a language.
ArchivedLabels BuildArchivedLabels(int productId, const DeviceSettings& archived, int sectionKind,
                                   int voicePromptItems, LanguageIndex language);

// "Backup Firmware Information" in a language (English outside 1 to 10).
CString TextRestorePageTitle(LanguageIndex language);

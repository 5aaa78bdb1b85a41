// The rows of the settings grid on the basic settings page, without windows.
//
// A row kind says once what a setting looks like in the grid: its label, its
// cell (a two-option check box or a combo with its items), where its value
// lives in DeviceSettings and how the cell maps to it, its help text, the rows
// it disables and what it keeps consistent after a click. A family is a group
// of products with its firmware bands, each band an ordered list of row kinds.
// ResolveSettingsRows picks the family and band of a product from the record
// read from the headset; building the grid, a click in it and a popup choice
// all go through the rows it returns, so a row number names the same setting
// in all of them.
//
// Kinds are told apart by the field they edit: "Voice Prompt" is a switch that
// holds 1 for off on most products, a bit of word 2 that holds 1 for on on
// others, and a bit of word 0 on one more; each is a kind of its own.
#pragma once

#include <cstdint>
#include <span>

#include "device/DeviceSettings.h"
#include "framework/CString.h"
#include "settings/HelpTexts.h"
#include "settingslist/LabelTables.h"

// Where a row's value lives in the record.
class ValueSource {
public:
    // A feature switch (HandsfreeVOX, VoicePrompt, ...).
    static constexpr ValueSource Switch(int DeviceSettings::*field)
    {
        ValueSource s(Kind::Switch);
        s.m_field = field;
        return s;
    }
    // A whole setting word.
    static constexpr ValueSource Word(int word)
    {
        ValueSource s(Kind::Word);
        s.m_word = word;
        return s;
    }
    // One bit of a setting word, read as 0 or 1; a store sets or clears only it.
    static constexpr ValueSource WordBit(int word, int bit)
    {
        ValueSource s(Kind::WordBit);
        s.m_word = word;
        s.m_bit = bit;
        return s;
    }
    // A getter and setter of the record (bit fields, packed levels, camera values).
    static constexpr ValueSource Accessor(int (DeviceSettings::*get)() const, void (DeviceSettings::*set)(int))
    {
        ValueSource s(Kind::Accessor);
        s.m_get = get;
        s.m_set = set;
        return s;
    }

    int Read(const DeviceSettings& record) const;
    void Write(DeviceSettings& record, int value) const;

private:
    enum class Kind : uint8_t { Switch, Word, WordBit, Accessor };
    constexpr explicit ValueSource(Kind kind) : m_kind(kind) {}

    Kind m_kind;
    int m_word = 0;
    int m_bit = 0;
    int DeviceSettings::*m_field = nullptr;
    int (DeviceSettings::*m_get)() const = nullptr;
    void (DeviceSettings::*m_set)(int) = nullptr;
};

// A text that a row shows or hands to its help text: a label table, an item of
// one of the two item tables, the localized "Disable", or the model's name.
struct RowText {
    enum class Source : uint8_t { None, Label, LowMediumHigh, Level, Disable, ModelName };
    Source source = Source::None;
    const LabelTable* label = nullptr;
    int item = 0;

    static constexpr RowText Of(const LabelTable& table) { return {Source::Label, &table, 0}; }
    static constexpr RowText LowMediumHigh(int item) { return {Source::LowMediumHigh, nullptr, item}; }
    // "Level n" for n from 1 to 10.
    static constexpr RowText Level(int n) { return {Source::Level, nullptr, n - 1}; }
    static constexpr RowText Disable() { return {Source::Disable, nullptr, 0}; }
    static constexpr RowText ModelName() { return {Source::ModelName, nullptr, 0}; }

    // The text in a language (English outside 1 to 10); the model name is that
    // of productId.
    CString Text(int language, int productId = 0) const;
};

enum class CellKind : uint8_t { CheckBox, Combo };

// Which half of a check box a set value shows. The left half reads "Enable"
// (cell state "0"), the right half "Disable" (state "1").
enum class Polarity : uint8_t {
    EnableTrue,   // a non-zero value shows Enable; Enable stores 1, Disable 0
    DisableTrue,  // a non-zero value shows Disable; Disable stores 1, Enable 0
};

// How a combo's item index and the stored value map onto each other.
enum class IndexMapping : uint8_t {
    Value,          // index = value
    ValueMinusOne,  // index = value - 1 (levels counted from 1)
    TenMinusValue,  // index = 10 - value ("Level 1" is 10, "Level 10" is 1)
};

// A row without a help button.
inline constexpr HelpTextId kNoHelp = HelpTextId::Count;

// Every row kind of every product. The suffix names where the value lives when
// one setting is kept in different places on different products: W0, W1 and W2
// a bit or bit field of setting word 0, 1 or 2; no suffix the feature switch or
// the setting word of its own (words 14 to 24).
enum class RowKindId : uint8_t {
    // Switches and words 14 to 24.
    AudioBoost, VoxPhone, VoxIntercom, HdIntercom, HdVoice, VoicePrompt, FmStationGuide, HighQualityA2dp,
    Sidetone, Calmweave, VoxSensitivityLevels5Default3, VoxSensitivityLevels5Default2, VoxSensitivityLowMedHigh,
    SmartVolume, LayerlyGps, Layerly, AudioSourcePriority, SmartNaviSystem,
    // Word 2 (ESS lights).
    EssStatus, EssSensitivity,
    // Word 0, 2 and 3 of the products with a word-2 switch set.
    BlendcastW2, OverlaySensitivity10, NavigationAppSupportW2, LayerlyVolumeManagementW2, AudioBoostW2,
    SmartVolumeW2, MotionSensorSensitivity, VoxPhoneW2, HdIntercomW2, EightWayIntercomW2, VoicePromptW2,
    FmStationGuideW2, SidetoneW2, CalmweaveW2, VoiceCommandW2,
    // The camera of the action headset (words 10 and 12).
    PhotoMode, VideoMode2, VideoMode3, VideoResolution, TimelapseInterval, VideoTaggingInterval,
    LoopRecordingInterval, VideoMicrophoneGain, DateCaption, SpeakerSoundRecording, SourceMusic, SourceFmRadio,
    SourceIntercom, SourcePhone, AutoCameraSleep,
    // Words 0 and 1 of the product that keeps its settings there.
    AudioBoostW0, VoxPhoneW0, VoxIntercomW0, HdIntercomW0, VoicePromptW0, HighQualityA2dpW0, SidetoneW0,
    CalmweaveW0, FmStationGuideW0, GuestModeW0, VoxSensitivityW1, SmartVolumeW1, LayerlyVolumeManagementW1,
    OverlaySensitivityW1, VoiceCommandW1,
    Count
};
inline constexpr int kRowKindCount = static_cast<int>(RowKindId::Count);

// The most items a combo has, and the most help arguments a row gives.
inline constexpr int kMaxComboItems = 10;
inline constexpr int kMaxHelpArguments = 2;

struct RowKind {
    RowKindId id;
    const LabelTable* label;
    CellKind cell;
    ValueSource source;
    Polarity polarity = Polarity::EnableTrue;          // check box
    IndexMapping mapping = IndexMapping::Value;        // combo
    std::span<const RowText> items;                    // combo, in display order
    HelpTextId help = kNoHelp;                         // kNoHelp: no help button
    RowText helpArguments[kMaxHelpArguments] = {};      // fill the help text's "%s" in order
    int helpHeight = 0;                                // help box height; the width is kHelpBoxWidth
    // Kinds whose rows this row disables while its value is 0, or, reversed,
    // while it is non-zero.
    std::span<const RowKindId> gates;
    bool gateReversed = false;
    // Runs after a click stored this row, to keep related values consistent.
    void (*coupling)(DeviceSettings& record) = nullptr;
};

const RowKind& GetRowKind(RowKindId id);

inline constexpr int kHelpBoxWidth = 520;

// A row's help box: its text, the arguments of the text's "%s" already in the
// language, and the box's size.
struct RowHelp {
    HelpTextId id = kNoHelp;
    CString arguments[kMaxHelpArguments];
    int argumentCount = 0;
    int width = kHelpBoxWidth;
    int height = 0;
};

// A firmware band: its rows, for versions below (belowMajor, belowMinor); the
// last band of a family has no upper end (belowMajor < 0).
struct RowBand {
    int belowMajor;
    int belowMinor;
    std::span<const RowKindId> rows;
};

// The rows of the grid for one product in one firmware band; empty for a
// product without rows. Every operation takes a row number and does nothing
// (or reports nothing) for a number outside the band.
class SettingsRows {
public:
    SettingsRows() = default;
    explicit SettingsRows(std::span<const RowKindId> rows) : m_rows(rows) {}

    int Count() const { return static_cast<int>(m_rows.size()); }
    bool IsEmpty() const { return m_rows.empty(); }
    // The kind of a row, null outside the band.
    const RowKind* Kind(int row) const;
    bool IsCheckBox(int row) const;
    bool IsCombo(int row) const;

    // The label in a language (empty outside the band).
    CString Label(int row, int language) const;

    // Check box: true when the cell shows its Disable half (state "1").
    bool ShownCheck(int row, const DeviceSettings& working) const;
    // Combo: the index the cell shows; -1 (a blank cell) when the value maps
    // to no item.
    int ShownIndex(int row, const DeviceSettings& working) const;
    // Combo: its items in the language, one per line.
    CString ComboText(int row, int language) const;
    int ComboItemCount(int row) const;

    // The row that disables this one, -1 when none.
    int GateRow(int row) const;
    // True while the row's gate disables it.
    bool IsDisabled(int row, const DeviceSettings& working) const;

    // A click left a check box on its Disable half (disableHalf) or its Enable
    // half: stores the value of that half and runs the row's coupling. False
    // (nothing stored) for a combo row or a row outside the band.
    bool StoreCheck(int row, DeviceSettings& working, bool disableHalf) const;
    // A popup left a combo on an item: stores that item's value. False (nothing
    // stored) when the index is outside the items (-1 for a blank combo), or
    // for a check-box row or a row outside the band.
    bool StoreChoice(int row, DeviceSettings& working, int index) const;

    // The row's help box; id kNoHelp when the row has no help button.
    RowHelp Help(int row, int language, int productId) const;

private:
    std::span<const RowKindId> m_rows;
};

// The grid's rows of a product id, in the firmware band of the record read
// from the headset (never the page's working copy: an edit does not move the
// grid to another band).
SettingsRows ResolveSettingsRows(int productId, const DeviceSettings& deviceRecord);

// True for the 42 product ids whose basic settings are shown in the grid.
bool HasSettingsRows(int productId);

// The products that have rows and the firmware bands of each, for walking
// them all (checks, diagnostics).
struct RowFamilyInfo {
    std::span<const uint16_t> products;
    std::span<const RowBand> bands;
};
std::span<const RowFamilyInfo> AllRowFamilies();
